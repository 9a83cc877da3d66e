<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>FusePage</name>
    <message>
        <source>双击恢复芯片默认熔丝位</source>
        <translation>Double-click to restore the chip&apos;s default fuse bits</translation>
    </message>
</context>
<context>
    <name>HexLineModel</name>
    <message>
        <source>%1: 文件 %2, 芯片 %3</source>
        <translation>%1: file %2, chip %3</translation>
    </message>
</context>
<context>
    <name>ImageTab</name>
    <message>
        <source>FLASH 文件 (也可把文件拖到这里)</source>
        <translation>FLASH file (or drop a file here)</translation>
    </message>
    <message>
        <source>EEPROM 文件 (也可把文件拖到这里)</source>
        <translation>EEPROM file (or drop a file here)</translation>
    </message>
    <message>
        <source>打开FLASH</source>
        <translation>Open FLASH</translation>
    </message>
    <message>
        <source>打开EEPROM</source>
        <translation>Open EEPROM</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>清空FLASH数据</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>清空EEPROM数据</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>文件:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>文件无法写入: %1</source>
        <translation>The file could not be written: %1</translation>
    </message>
    <message>
        <source>与芯片比较</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>读出芯片并与缓冲区比较, 不写入</source>
        <translation>Read the chip and compare it with the buffer, without writing</translation>
    </message>
    <message>
        <source>下一处不同</source>
        <translation>Next diff.</translation>
    </message>
    <message>
        <source>转到下一处与芯片不同的数据 (F3)</source>
        <translation>Go to the next data that differs from the chip (F3)</translation>
    </message>
    <message>
        <source>%1已另存为 %2 (%3 字节, %4)</source>
        <translation>%1 saved as %2 (%3 bytes, %4)</translation>
    </message>
    <message>
        <source>二进制</source>
        <translation>binary</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>芯片</source>
        <translation>Chip</translation>
    </message>
    <message>
        <source>选择型号</source>
        <translation>Choose...</translation>
    </message>
    <message>
        <source>从芯片表中选择所要编程的芯片</source>
        <translation>Choose the chip to program from the chip table</translation>
    </message>
    <message>
        <source>所选芯片:</source>
        <translation>Selected:</translation>
    </message>
    <message>
        <source>座上芯片:</source>
        <translation>In socket:</translation>
    </message>
    <message>
        <source>标识字:</source>
        <translation>Signature:</translation>
    </message>
    <message>
        <source>读标识字</source>
        <translation>Read ID</translation>
    </message>
    <message>
        <source>读取FLASH</source>
        <translation>Read FLASH</translation>
    </message>
    <message>
        <source>读取EEPROM</source>
        <translation>Read EEPROM</translation>
    </message>
    <message>
        <source>编 程</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>按“编程选项”页所勾选的步骤对芯片编程</source>
        <translation>Program the chip with the steps ticked on the &quot;Program options&quot; page</translation>
    </message>
    <message>
        <source>双击清除信息</source>
        <translation>Double-click to clear the messages</translation>
    </message>
    <message>
        <source>串口已打开，单击关闭</source>
        <translation>The port is open; click to close it</translation>
    </message>
    <message>
        <source>串口已关闭，单击打开</source>
        <translation>The port is closed; click to open it</translation>
    </message>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>识别芯片</source>
        <translation>Detect</translation>
    </message>
    <message>
        <source>读取座上芯片的标识字并选择该型号；箭头打开芯片表</source>
        <translation>Read the signature of the chip in the socket and select its type; the arrow opens the chip table</translation>
    </message>
    <message>
        <source>默认熔丝</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source>把熔丝选项恢复为所选芯片的出厂值</source>
        <translation>Return the fuse options to the selected chip&apos;s factory values</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>串口设置；箭头打开或关闭串口</source>
        <translation>Serial port settings; the arrow opens or closes the port</translation>
    </message>
    <message>
        <source>检测</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>检测与编程器的连接</source>
        <translation>Check the connection to the programmer</translation>
    </message>
    <message>
        <source>读熔丝</source>
        <translation>Read fuses</translation>
    </message>
    <message>
        <source>读取芯片的熔丝位与锁定位</source>
        <translation>Read the chip&apos;s fuse and lock bits</translation>
    </message>
    <message>
        <source>写熔丝</source>
        <translation>Write fuses</translation>
    </message>
    <message>
        <source>把熔丝选项写入芯片</source>
        <translation>Write the fuse options to the chip</translation>
    </message>
    <message>
        <source>恢复熔丝</source>
        <translation>Recover</translation>
    </message>
    <message>
        <source>把出厂熔丝值写入芯片并读回核对</source>
        <translation>Write the factory fuse values to the chip and read them back to compare</translation>
    </message>
    <message>
        <source>写锁定</source>
        <translation>Lock</translation>
    </message>
    <message>
        <source>把锁定位写入芯片</source>
        <translation>Write the lock bits to the chip</translation>
    </message>
    <message>
        <source>擦除</source>
        <translation>Erase</translation>
    </message>
    <message>
        <source>擦除芯片 (FLASH、EEPROM 与锁定位)</source>
        <translation>Erase the chip (FLASH, EEPROM and lock bits)</translation>
    </message>
    <message>
        <source>编程</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>按编程选项对芯片编程 (同“编 程”按钮)</source>
        <translation>Program the chip with the program options (as the &quot;Program&quot; button)</translation>
    </message>
    <message>
        <source>更多</source>
        <translation>More</translation>
    </message>
    <message>
        <source>固件升级、方案文件与帮助</source>
        <translation>Firmware update, scheme files and help</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>关于本程序</source>
        <translation>About this program</translation>
    </message>
    <message>
        <source>打开串口</source>
        <translation>Open port</translation>
    </message>
    <message>
        <source>关闭串口</source>
        <translation>Close port</translation>
    </message>
    <message>
        <source>升级编程器固件...</source>
        <translation>Update the programmer&apos;s firmware...</translation>
    </message>
    <message>
        <source>更新编程器EEPROM数据...</source>
        <translation>Update the programmer&apos;s EEPROM data...</translation>
    </message>
    <message>
        <source>编程器进入固件模式</source>
        <translation>Programmer into firmware mode</translation>
    </message>
    <message>
        <source>保存方案...</source>
        <translation>Save scheme...</translation>
    </message>
    <message>
        <source>载入方案...</source>
        <translation>Load scheme...</translation>
    </message>
    <message>
        <source>帮助	F1</source>
        <translation>Help	F1</translation>
    </message>
</context>
<context>
    <name>OptionsPage</name>
    <message>
        <source>编程选项</source>
        <translation>Program options</translation>
    </message>
    <message>
        <source>校准选项</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>写入地址 (十进制)</source>
        <translation>Address to write to (decimal)</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>读校准字节</source>
        <translation>Read calibration</translation>
    </message>
    <message>
        <source>写 入</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>读写数据</source>
        <translation>Read/write data</translation>
    </message>
    <message>
        <source>地址DEC</source>
        <translation>Address DEC</translation>
    </message>
    <message>
        <source>数据HEX</source>
        <translation>Data HEX</translation>
    </message>
    <message>
        <source>FLASH(字)</source>
        <translation>FLASH (word)</translation>
    </message>
    <message>
        <source>EEPROM(字节)</source>
        <translation>EEPROM (byte)</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>读出</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>注:只有原地址数据为FF时,才能正确写入数据。</source>
        <translation>Note: a write only succeeds where the old data is FF.</translation>
    </message>
</context>
<context>
    <name>ProductionPanel</name>
    <message>
        <source>连续编程</source>
        <translation>Production</translation>
    </message>
    <message>
        <source>编程后等待取出芯片, 再等待下一片, 直到按“停止”</source>
        <translation>After programming, wait for the chip to be taken out, then for the next one, until &quot;Stop&quot; is pressed</translation>
    </message>
    <message>
        <source>设置...</source>
        <translation>Setup...</translation>
    </message>
    <message>
        <source>记录文件 (CSV) 与序列号</source>
        <translation>Log file (CSV) and serial numbers</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>通过: %1</source>
        <translation>Passed: %1</translation>
    </message>
    <message>
        <source>失败: %1</source>
        <translation>Failed: %1</translation>
    </message>
    <message>
        <source>连续编程设置</source>
        <translation>Production run setup</translation>
    </message>
    <message>
        <source>不记录</source>
        <translation>No log</translation>
    </message>
    <message>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>记录文件</source>
        <translation>Log file</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>每片写入序列号 (“脱机选项”页的序列号设置)</source>
        <translation>Write a serial number into each chip (the serial number settings of the &quot;Stand-alone&quot; page)</translation>
    </message>
    <message>
        <source>记录文件:</source>
        <translation>Log file:</translation>
    </message>
    <message>
        <source>日志文件: %1</source>
        <translation>Log file: %1</translation>
    </message>
    <message>
        <source>作业 %1 累计: 通过 %2, 失败 %3</source>
        <translation>Job %1 so far: %2 passed, %3 failed</translation>
    </message>
    <message>
        <source>本次: %1 / 目标 %2 片</source>
        <translation>This run: %1 of %2 chips</translation>
    </message>
    <message>
        <source>不限</source>
        <translation>No limit</translation>
    </message>
    <message>
        <source>目标数量:</source>
        <translation>Target quantity:</translation>
    </message>
</context>
<context>
    <name>ProgrammerAnswer</name>
    <message>
        <source>连接成功!</source>
        <translation>connected</translation>
    </message>
    <message>
        <source>芯片擦除完毕!</source>
        <translation>chip erased</translation>
    </message>
    <message>
        <source>FLASH写入完毕!</source>
        <translation>FLASH written</translation>
    </message>
    <message>
        <source>熔丝位写入完毕!</source>
        <translation>fuse bits written</translation>
    </message>
    <message>
        <source>锁定位写入完毕!</source>
        <translation>lock bits written</translation>
    </message>
    <message>
        <source>固件升级模式:请重启编程器!</source>
        <translation>firmware update mode: restart the programmer</translation>
    </message>
</context>
<context>
    <name>SerialDialog</name>
    <message>
        <source>串口设置</source>
        <translation>Serial port settings</translation>
    </message>
    <message>
        <source>sim&#x3000;(内置模拟编程器)</source>
        <translation>sim&#x3000;(built-in simulated programmer)</translation>
    </message>
    <message>
        <source>也可以直接输入设备路径，如 /dev/ttyUSB0 或 COM3</source>
        <translation>You can also type a device path, such as /dev/ttyUSB0 or COM3</translation>
    </message>
    <message>
        <source>端口:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>波特率:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>数据位:</source>
        <translation>Data bits:</translation>
    </message>
    <message>
        <source>校验:</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <source>停止位:</source>
        <translation>Stop bits:</translation>
    </message>
    <message>
        <source>握手</source>
        <translation>Flow control</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>XON/XOFF</source>
        <translation>XON/XOFF</translation>
    </message>
    <message>
        <source>RTS/CTS</source>
        <translation>RTS/CTS</translation>
    </message>
    <message>
        <source>XON/XOFF 和 RTS/CTS</source>
        <translation>XON/XOFF and RTS/CTS</translation>
    </message>
    <message>
        <source>回应</source>
        <translation>Echo</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>On</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>hvpp</name>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>hvpp 高压并行编程器的窗口程序。
--port sim 使用内置的模拟编程器 (无需硬件)。</source>
        <translation>The window of the hvpp high-voltage parallel programmer.
--port sim uses the built-in simulated programmer (no hardware needed).</translation>
    </message>
    <message>
        <source>显示本帮助。</source>
        <translation>Show this help.</translation>
    </message>
    <message>
        <source>显示版本。</source>
        <translation>Show the version.</translation>
    </message>
    <message>
        <source>编程器所在串口: Windows 上为 COMn, 其他系统为设备路径 (如 /dev/ttyUSB0); sim 为内置模拟编程器。默认: 上次保存的端口。</source>
        <translation>Serial port of the programmer: COMn on Windows, a device path elsewhere (such as /dev/ttyUSB0); sim is the built-in simulated programmer. Default: the port saved last.</translation>
    </message>
    <message>
        <source>使用此 INI 文件作为设置存储。</source>
        <translation>Keep the settings in this INI file.</translation>
    </message>
    <message>
        <source>内置模拟编程器座上的芯片 (型号或 none)。默认: ATMEGA8。</source>
        <translation>The chip in the socket of the built-in simulated programmer (a type or none). Default: ATMEGA8.</translation>
    </message>
    <message>
        <source>内置模拟编程器的状态文件 (JSON), 启动时读取, 结束时写回。</source>
        <translation>State file (JSON) of the built-in simulated programmer: read at start, written back at the end.</translation>
    </message>
    <message>
        <source>界面语言: zh (中文, 默认) 或 en (英文)。默认按系统语言。</source>
        <translation>Language: zh (Chinese, the default) or en (English). Default: the system&apos;s language.</translation>
    </message>
    <message>
        <source>用 --help 查看选项。</source>
        <translation>See --help for the options.</translation>
    </message>
    <message>
        <source>多余的参数: %1
用 --help 查看选项。</source>
        <translation>Unexpected arguments: %1
See --help for the options.</translation>
    </message>
    <message>
        <source>未知芯片型号: %1 (可选: %2, none)</source>
        <translation>Unknown chip type: %1 (choose from %2, none)</translation>
    </message>
    <message>
        <source>hvpp 高压并行编程器 </source>
        <translation>hvpp High-Voltage Parallel Programmer </translation>
    </message>
    <message>
        <source>hvpp 使用说明与项目信息</source>
        <translation>hvpp user guide and project information</translation>
    </message>
    <message>
        <source>欢迎使用 hvpp 高压并行编程器。请先选择芯片型号并检查串口连接。</source>
        <translation>Welcome to the hvpp high-voltage parallel programmer. First choose the chip type and check the serial connection.</translation>
    </message>
    <message>
        <source>确&#x3000;定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>熔丝选项</source>
        <translation>Fuses</translation>
    </message>
    <message>
        <source>编程选项</source>
        <translation>Program options</translation>
    </message>
    <message>
        <source>脱机选项</source>
        <translation>Stand-alone</translation>
    </message>
    <message>
        <source>帮助文件没找到: %1</source>
        <translation>Help file not found: %1</translation>
    </message>
    <message>
        <source>未指定串口。</source>
        <translation>No serial port given.</translation>
    </message>
    <message>
        <source>串口 %1 无法打开。</source>
        <translation>The serial port %1 cannot be opened.</translation>
    </message>
    <message>
        <source>串口参数无效: %1</source>
        <translation>Invalid port settings: %1</translation>
    </message>
    <message>
        <source>握手方式无效: %1</source>
        <translation>Invalid flow control: %1</translation>
    </message>
    <message>
        <source>在浏览器中打开</source>
        <translation>Open in browser</translation>
    </message>
    <message>
        <source>脱机编程选项</source>
        <translation>Stand-alone programming steps</translation>
    </message>
    <message>
        <source>校准字节选项</source>
        <translation>Calibration byte</translation>
    </message>
    <message>
        <source>写入地址(HEX)</source>
        <translation>Address (HEX)</translation>
    </message>
    <message>
        <source>校准字节：</source>
        <translation>Calibration byte:</translation>
    </message>
    <message>
        <source>序列号选项</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>写入地址：</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>自动增量</source>
        <translation>Increment</translation>
    </message>
    <message>
        <source>初始编号：</source>
        <translation>Initial number:</translation>
    </message>
    <message>
        <source>写入设置</source>
        <translation>Write settings</translation>
    </message>
    <message>
        <source>读取设置</source>
        <translation>Read settings</translation>
    </message>
    <message>
        <source>写入数据</source>
        <translation>Write data</translation>
    </message>
    <message>
        <source>存熔丝数据</source>
        <translation>Store fuse data</translation>
    </message>
    <message>
        <source>试验</source>
        <translation>Trial</translation>
    </message>
    <message>
        <source>把本页的脱机编程设置写入编程器</source>
        <translation>Write this page&apos;s stand-alone settings to the programmer</translation>
    </message>
    <message>
        <source>从编程器读回脱机编程设置</source>
        <translation>Read the stand-alone settings back from the programmer</translation>
    </message>
    <message>
        <source>把FLASH和EEPROM缓冲区的数据写入编程器, 供脱机编程使用</source>
        <translation>Write the FLASH and EEPROM buffers to the programmer for stand-alone programming</translation>
    </message>
    <message>
        <source>把各芯片的熔丝数据表写入编程器</source>
        <translation>Write the fuse table of the chips to the programmer</translation>
    </message>
    <message>
        <source>在芯片菜单中加入 ATTINY24</source>
        <translation>Add ATTINY24 to the chip menu</translation>
    </message>
    <message>
        <source>脱机编程: 先选定芯片并设好熔丝位, 勾选要执行的步骤, 点击&quot;写入设置&quot;, 再点击&quot;写入数据&quot;把FLASH和EEPROM缓冲区的数据存入编程器; 之后编程器可以离开电脑独立烧写芯片。</source>
        <translation>Stand-alone programming: choose the chip and set its fuses, tick the steps to run, click &quot;Write settings&quot;, then &quot;Write data&quot; to store the FLASH and EEPROM buffers in the programmer; the programmer then programs chips without the computer.</translation>
    </message>
    <message>
        <source>数值转换</source>
        <translation>Number converter</translation>
    </message>
    <message>
        <source>升级固件</source>
        <translation>Firmware update</translation>
    </message>
    <message>
        <source>升级文件</source>
        <translation>Update file</translation>
    </message>
    <message>
        <source>继 续</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>退 出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>二进制文件 (*.BIN)</source>
        <translation>Binary files (*.BIN)</translation>
    </message>
    <message>
        <source>选择固件文件</source>
        <translation>Choose the firmware file</translation>
    </message>
    <message>
        <source>选择EEPROM数据文件</source>
        <translation>Choose the EEPROM data file</translation>
    </message>
    <message>
        <source>方案文件(*.SET)</source>
        <translation>Scheme files (*.SET)</translation>
    </message>
    <message>
        <source>保存方案文件</source>
        <translation>Save scheme file</translation>
    </message>
    <message>
        <source>打开方案文件</source>
        <translation>Open scheme file</translation>
    </message>
    <message>
        <source>方案文件没有保存: %1</source>
        <translation>The scheme file was not saved: %1</translation>
    </message>
    <message>
        <source>无法打开方案文件: %1</source>
        <translation>Cannot open the scheme file: %1</translation>
    </message>
    <message>
        <source>方案文件 %1 在第 %2 行中止, 之前的设置已应用。</source>
        <translation>The scheme file %1 stopped at line %2; the settings before it were applied.</translation>
    </message>
    <message>
        <source>擦除芯片</source>
        <translation>Erase chip</translation>
    </message>
    <message>
        <source>编程FLASH</source>
        <translation>FLASH</translation>
    </message>
    <message>
        <source>编程EEPROM</source>
        <translation>EEPROM</translation>
    </message>
    <message>
        <source>编程熔丝位</source>
        <translation>Fuses</translation>
    </message>
    <message>
        <source>编程锁定位</source>
        <translation>Lock bits</translation>
    </message>
    <message>
        <source>文件重载</source>
        <translation>Reload files</translation>
    </message>
    <message>
        <source>校验标识字</source>
        <translation>Check signature</translation>
    </message>
    <message>
        <source>写校准字节</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>校验FLASH</source>
        <translation>Verify FLASH</translation>
    </message>
    <message>
        <source>校验EEPROM</source>
        <translation>Verify EEPROM</translation>
    </message>
    <message>
        <source>模拟编程器不认识芯片 %1 (可选: none, %2)</source>
        <translation>The simulated programmer does not know the chip %1 (choose from none, %2)</translation>
    </message>
    <message>
        <source>注意: %1 没有第%2位, 该位按 1 写入。</source>
        <translation>Note: %1 has no bit %2; it is written as 1.</translation>
    </message>
    <message>
        <source>熔丝位 %1  低字节 %2  高字节 %3  扩展 %4  锁定位 %5</source>
        <translation>Fuse bits %1  low %2  high %3  extended %4  lock %5</translation>
    </message>
    <message>
        <source>write-fuses 需要且只能用以下之一: --bits 文本, --low XX --high XX [--ext XX], --default。</source>
        <translation>write-fuses needs exactly one of: --bits TEXT, --low XX --high XX [--ext XX], --default.</translation>
    </message>
    <message>
        <source>--bits 应为32个字符, 每个为 0、1 或 *, 锁定位第7位在前: %1</source>
        <translation>--bits must be 32 characters, each 0, 1 or *, lock bit 7 first: %1</translation>
    </message>
    <message>
        <source>--low 与 --high 须同时给出。</source>
        <translation>--low and --high must be given together.</translation>
    </message>
    <message>
        <source>--%1 应为两位十六进制数: %2</source>
        <translation>--%1 must be two hexadecimal digits: %2</translation>
    </message>
    <message>
        <source>锁定位 %1</source>
        <translation>Lock bits %1</translation>
    </message>
    <message>
        <source>找不到 %1 的熔丝描述文件 (%2/%1.FUS)。</source>
        <translation>No fuse description file for %1 (%2/%1.FUS).</translation>
    </message>
    <message>
        <source>芯片 %1  默认 %2</source>
        <translation>Chip %1  default %2</translation>
    </message>
    <message>
        <source>选项 (%1 项, [x] 选中, ! 红色):</source>
        <translation>Options (%1; [x] ticked, ! red):</translation>
    </message>
    <message>
        <source>读熔丝位与锁定位 (RS000000#), 显示32位熔丝文本与四个字节。</source>
        <translation>Read the fuse and lock bits (RS000000#); shows the 32-bit fuse text and the four bytes.</translation>
    </message>
    <message>
        <source>写入芯片出厂熔丝值并读回比较: &quot;恢复成功！&quot; 或 &quot;恢复失败！&quot; (退出码 1)。</source>
        <translation>Write the chip&apos;s factory fuse values and read them back to compare: &quot;Fuses recovered!&quot; or &quot;Recovering the fuses failed!&quot; (exit code 1).</translation>
    </message>
    <message>
        <source>写锁定位 (WLXX0000#), XX 为两位十六进制数。</source>
        <translation>Write the lock bits (WLXX0000#); XX is two hexadecimal digits.</translation>
    </message>
    <message>
        <source>--%1 须为 flash 或 eeprom。</source>
        <translation>--%1 must be flash or eeprom.</translation>
    </message>
    <message>
        <source>--steps: 未知步骤 &quot;%1&quot; (可用: flash,eeprom,fuses,lock,cal,serial,erase,enable, none, 或8位0/1, 第0项在前)。</source>
        <translation>--steps: unknown step &quot;%1&quot; (use flash,eeprom,fuses,lock,cal,serial,erase,enable, none, or 8 digits 0/1, step 0 first).</translation>
    </message>
    <message>
        <source>--%1 须为至多8位十六进制数 (不超过 FFFFFFFF)。</source>
        <translation>--%1 must be at most 8 hexadecimal digits (up to FFFFFFFF).</translation>
    </message>
    <message>
        <source>--%1 须为至多4位十六进制数。</source>
        <translation>--%1 must be at most 4 hexadecimal digits.</translation>
    </message>
    <message>
        <source>--oa-slot 须为 1..4 (OA1..OA4)。</source>
        <translation>--oa-slot must be 1..4 (OA1..OA4).</translation>
    </message>
    <message>
        <source>--increment 须为 0..255。</source>
        <translation>--increment must be 0..255.</translation>
    </message>
    <message>
        <source>--initial-hex 与 --initial-decimal 只能给一个。</source>
        <translation>Give only one of --initial-hex and --initial-decimal.</translation>
    </message>
    <message>
        <source>--initial-decimal 须为 0..4294967295 的十进制整数。</source>
        <translation>--initial-decimal must be a decimal integer 0..4294967295.</translation>
    </message>
    <message>
        <source>--fuse-bits 须为32位 0/1 (锁定位第7位在前, 然后扩展, 高, 低字节)。</source>
        <translation>--fuse-bits must be 32 digits 0/1 (lock bit 7 first, then the extended, high and low bytes).</translation>
    </message>
    <message>
        <source>步骤: %1
校准字节: OA%2 -&gt; %3 地址 %4
序列号: %5 地址 %6, 自动增量 %7, 初始编号 %8 (%9)
芯片: %10  熔丝: 锁定位 %11 扩展 %12 高 %13 低 %14</source>
        <translation>Steps: %1
Calibration byte: OA%2 -&gt; %3 address %4
Serial number: %5 address %6, increment %7, initial number %8 (%9)
Chip: %10  fuses: lock %11 extended %12 high %13 low %14</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>FLASH 映像文件。</source>
        <translation>The FLASH image file.</translation>
    </message>
    <message>
        <source>校准字节写入 flash 或 eeprom。</source>
        <translation>Write the calibration byte to flash or eeprom.</translation>
    </message>
    <message>
        <source>编程器无反应!</source>
        <translation>The programmer does not answer!</translation>
    </message>
    <message>
        <source>无目标芯片或无连接!</source>
        <translation>No target chip, or no connection!</translation>
    </message>
    <message>
        <source>无目标芯片或不支持!</source>
        <translation>No target chip, or not supported!</translation>
    </message>
    <message>
        <source>警告提示&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>熔丝低字节[</source>
        <translation>Low fuse [</translation>
    </message>
    <message>
        <source>熔丝高字节[</source>
        <translation>High fuse [</translation>
    </message>
    <message>
        <source>扩展熔丝位[</source>
        <translation>Ext. fuse [</translation>
    </message>
    <message>
        <source>锁定位[</source>
        <translation>Lock bits [</translation>
    </message>
    <message>
        <source>读熔丝位:</source>
        <translation>Fuse bits read:</translation>
    </message>
    <message>
        <source> 锁定位:</source>
        <translation> lock bits:</translation>
    </message>
    <message>
        <source>读熔丝位: 编程器的回答不是十六进制数字, 未采用: </source>
        <translation>Fuse bits read: the programmer&apos;s answer is not hexadecimal digits and was not taken: </translation>
    </message>
    <message>
        <source>恢复成功！</source>
        <translation>Fuses recovered!</translation>
    </message>
    <message>
        <source>恢复失败！</source>
        <translation>Recovering the fuses failed!</translation>
    </message>
    <message>
        <source>熔丝描述文件 %1: %2</source>
        <translation>Fuse description file %1: %2</translation>
    </message>
    <message>
        <source>文件过大 (%1 字节), 未载入</source>
        <translation>file too large (%1 bytes), not loaded</translation>
    </message>
    <message>
        <source>无法读取 (%1)</source>
        <translation>cannot be read (%1)</translation>
    </message>
    <message>
        <source>不是 GBK 编码的文本, 部分字符无法显示</source>
        <translation>not GBK-encoded text; some characters cannot be shown</translation>
    </message>
    <message>
        <source>不是 GBK 编码, 已按 UTF-8 读取</source>
        <translation>not GBK-encoded; read as UTF-8</translation>
    </message>
    <message>
        <source>第1行不是32位熔丝文本 (&quot;%1&quot;), 文件未载入</source>
        <translation>line 1 is not a 32-bit fuse text (&quot;%1&quot;); the file was not loaded</translation>
    </message>
    <message>
        <source>第%1行选项格式错误, 已跳过: %2</source>
        <translation>line %1: malformed option, skipped: %2</translation>
    </message>
    <message>
        <source>第%1行选项键 &quot;%2&quot; 无效 (%3), 已跳过</source>
        <translation>line %1: invalid option key &quot;%2&quot; (%3), skipped</translation>
    </message>
    <message>
        <source>第%1行选项键 &quot;%2&quot; 重复, 已跳过</source>
        <translation>line %1: repeated option key &quot;%2&quot;, skipped</translation>
    </message>
    <message>
        <source>选项超过 %1 行, 自第%2行起的选项被忽略</source>
        <translation>more than %1 option lines; the options from line %2 on are ignored</translation>
    </message>
    <message>
        <source>%1 选项超过 %2 个, 第%3行已跳过</source>
        <translation>more than %2 %1 options; line %3 skipped</translation>
    </message>
    <message>
        <source>应为14个字符</source>
        <translation>must be 14 characters</translation>
    </message>
    <message>
        <source>第10个字符应为 &quot;/&quot;</source>
        <translation>the 10th character must be &quot;/&quot;</translation>
    </message>
    <message>
        <source>掩码与值应为4位大写十六进制数</source>
        <translation>the mask and the value must be 4 upper-case hexadecimal digits</translation>
    </message>
    <message>
        <source>单字节选项的掩码与值不能超过 00FF</source>
        <translation>the mask and the value of a one-byte option cannot exceed 00FF</translation>
    </message>
    <message>
        <source>值超出了掩码所定的位段</source>
        <translation>the value lies outside the bits of the mask</translation>
    </message>
    <message>
        <source>字节</source>
        <translation> B</translation>
    </message>
    <message>
        <source>FLASH文件没找到!</source>
        <translation>FLASH file not found!</translation>
    </message>
    <message>
        <source>EEPROM文件没找到!</source>
        <translation>EEPROM file not found!</translation>
    </message>
    <message>
        <source>FLASH文件读取错误！</source>
        <translation>Error reading the FLASH file!</translation>
    </message>
    <message>
        <source>EEPROM文件读取错误！</source>
        <translation>Error reading the EEPROM file!</translation>
    </message>
    <message>
        <source>文件过大: %1 字节 (最多 %2 字节)。</source>
        <translation>File too large: %1 bytes (at most %2 bytes).</translation>
    </message>
    <message>
        <source>文件无法打开: %1</source>
        <translation>The file cannot be opened: %1</translation>
    </message>
    <message>
        <source>缓冲区数据不是十六进制数字对, 未保存。</source>
        <translation>The buffer does not hold pairs of hexadecimal digits; nothing was saved.</translation>
    </message>
    <message>
        <source>串口未打开!</source>
        <translation>The serial port is not open!</translation>
    </message>
    <message>
        <source>与编程器的连接已断开(串口设备已移除)!</source>
        <translation>The connection to the programmer is lost (the serial device was removed)!</translation>
    </message>
    <message>
        <source>内置模拟编程器不可用。</source>
        <translation>The built-in simulated programmer is not available.</translation>
    </message>
    <message>
        <source>串口 %1 不存在。请检查编程器的USB-RS232线是否已插好。</source>
        <translation>The serial port %1 does not exist. Check that the programmer&apos;s USB-RS232 cable is plugged in.</translation>
    </message>
    <message>
        <source>串口 %1 已被其他程序占用或无权访问。</source>
        <translation>The serial port %1 is in use by another program, or access is denied.</translation>
    </message>
    <message>
        <source>串口 %1 已经打开。</source>
        <translation>The serial port %1 is already open.</translation>
    </message>
    <message>
        <source>串口 %1 已断开(设备被拔出?)。</source>
        <translation>The serial port %1 is gone (device unplugged?).</translation>
    </message>
    <message>
        <source>串口 %1 出错: %2</source>
        <translation>Serial port %1 error: %2</translation>
    </message>
    <message>
        <source>写入脱机编程设置。</source>
        <translation>Writing the stand-alone settings.</translation>
    </message>
    <message>
        <source>读取脱机编程设置。</source>
        <translation>Reading the stand-alone settings.</translation>
    </message>
    <message>
        <source>脱机编程设置项 %1 无有效回答, 其值未改变。</source>
        <translation>Stand-alone setting %1 got no valid answer; its value is unchanged.</translation>
    </message>
    <message>
        <source>地址 %1 超过四位十六进制数!</source>
        <translation>Address %1 has more than four hexadecimal digits!</translation>
    </message>
    <message>
        <source>地址 %1 不是十六进制数!</source>
        <translation>Address %1 is not a hexadecimal number!</translation>
    </message>
    <message>
        <source>初始编号 %1 超过 FFFFFFFF (4294967295)!</source>
        <translation>Initial number %1 exceeds FFFFFFFF (4294967295)!</translation>
    </message>
    <message>
        <source>初始编号 %1 不是十六进制数!</source>
        <translation>Initial number %1 is not a hexadecimal number!</translation>
    </message>
    <message>
        <source>自动增量 %1 超出范围 (0-255)!</source>
        <translation>Increment %1 is out of range (0-255)!</translation>
    </message>
    <message>
        <source>校准字节选项 %1 超出范围 (OA1-OA4)!</source>
        <translation>Calibration byte option %1 is out of range (OA1-OA4)!</translation>
    </message>
    <message>
        <source>上载数据......</source>
        <translation>Uploading data......</translation>
    </message>
    <message>
        <source>FLASH数据超出限制大小！</source>
        <translation>The FLASH data is larger than the limit!</translation>
    </message>
    <message>
        <source>EEPROM数据超出限制大小！</source>
        <translation>The EEPROM data is larger than the limit!</translation>
    </message>
    <message>
        <source>数据传输不成功！请重启编程器。</source>
        <translation>The data transfer failed! Restart the programmer.</translation>
    </message>
    <message>
        <source>EEPROM数据传输不成功！</source>
        <translation>The EEPROM data transfer failed!</translation>
    </message>
    <message>
        <source>上载FLASH数据完成。</source>
        <translation>FLASH data uploaded.</translation>
    </message>
    <message>
        <source>上载EEPROM数据完成。</source>
        <translation>EEPROM data uploaded.</translation>
    </message>
    <message>
        <source>请重启编程器！</source>
        <translation>Restart the programmer!</translation>
    </message>
    <message>
        <source>确认升级，请点击&lt;继续&gt;！</source>
        <translation>To update, click &lt;Continue&gt;!</translation>
    </message>
    <message>
        <source>超时，连接不成功！</source>
        <translation>Timed out; no connection!</translation>
    </message>
    <message>
        <source>启动升级......</source>
        <translation>Starting the update......</translation>
    </message>
    <message>
        <source>升级完毕。</source>
        <translation>Update finished.</translation>
    </message>
    <message>
        <source>固件文件过大 (%1 字节): 编程器的引导程序最多接收 32767 字节, 未发送任何数据。</source>
        <translation>The firmware file is too large (%1 bytes): the programmer&apos;s loader takes at most 32767 bytes; nothing was sent.</translation>
    </message>
    <message>
        <source>固件文件为空, 未发送任何数据。</source>
        <translation>The firmware file is empty; nothing was sent.</translation>
    </message>
    <message>
        <source>无法读取文件 %1: %2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>无法连接编程器!</source>
        <translation>Cannot connect to the programmer!</translation>
    </message>
    <message>
        <source>升级EEPROM数据......</source>
        <translation>Updating the EEPROM data......</translation>
    </message>
    <message>
        <source>EEPROM数据升级完毕！</source>
        <translation>EEPROM data updated!</translation>
    </message>
    <message>
        <source>EEPROM数据文件过大 (%1 字节): 最多 65536 字节, 未发送任何数据。</source>
        <translation>The EEPROM data file is too large (%1 bytes): at most 65536 bytes; nothing was sent.</translation>
    </message>
    <message>
        <source>方案中有无法用 GBK 编码保存的字符: %1</source>
        <translation>The scheme holds characters that cannot be saved in GBK: %1</translation>
    </message>
    <message>
        <source>方案中的值含有换行符: %1</source>
        <translation>A value of the scheme holds a line break: %1</translation>
    </message>
    <message>
        <source>读标识字:</source>
        <translation>Signature read:</translation>
    </message>
    <message>
        <source>标识字与所选芯片不符!</source>
        <translation>The signature does not match the selected chip!</translation>
    </message>
    <message>
        <source>写FLASH......</source>
        <translation>Writing FLASH......</translation>
    </message>
    <message>
        <source>校验FLASH......</source>
        <translation>Verifying FLASH......</translation>
    </message>
    <message>
        <source>校验FLASH通过。</source>
        <translation>FLASH verified.</translation>
    </message>
    <message>
        <source>FLASH缓冲区无数据！</source>
        <translation>The FLASH buffer is empty!</translation>
    </message>
    <message>
        <source>FLASH地址</source>
        <translation>FLASH address </translation>
    </message>
    <message>
        <source>数据校验失败！</source>
        <translation>: verify failed!</translation>
    </message>
    <message>
        <source>写EEPROM......</source>
        <translation>Writing EEPROM......</translation>
    </message>
    <message>
        <source>写EEPROM结束!</source>
        <translation>EEPROM written!</translation>
    </message>
    <message>
        <source>校验EEPROM......</source>
        <translation>Verifying EEPROM......</translation>
    </message>
    <message>
        <source>校验EEPROM通过。</source>
        <translation>EEPROM verified.</translation>
    </message>
    <message>
        <source>EEPROM缓冲区无数据！</source>
        <translation>The EEPROM buffer is empty!</translation>
    </message>
    <message>
        <source>EEPROM地址</source>
        <translation>EEPROM address </translation>
    </message>
    <message>
        <source>FLASH缓冲区数据(%1字节)超过芯片FLASH容量(%2字节), 未写入!</source>
        <translation>The FLASH buffer (%1 bytes) is larger than the chip&apos;s FLASH (%2 bytes); nothing was written!</translation>
    </message>
    <message>
        <source>EEPROM缓冲区数据(%1字节)超过芯片EEPROM容量(%2字节), 未写入!</source>
        <translation>The EEPROM buffer (%1 bytes) is larger than the chip&apos;s EEPROM (%2 bytes); nothing was written!</translation>
    </message>
    <message>
        <source>%1缓冲区含有非十六进制数字, 未写入!</source>
        <translation>The %1 buffer holds characters that are not hexadecimal digits; nothing was written!</translation>
    </message>
    <message>
        <source>读取芯片FLASH!</source>
        <translation>Reading the chip&apos;s FLASH!</translation>
    </message>
    <message>
        <source>读取芯片EEPROM!</source>
        <translation>Reading the chip&apos;s EEPROM!</translation>
    </message>
    <message>
        <source>校准字节:</source>
        <translation>Calibration bytes:</translation>
    </message>
    <message>
        <source>写校准字节结束!</source>
        <translation>Calibration byte written!</translation>
    </message>
    <message>
        <source>地址框数据格式错误!</source>
        <translation>The address box does not hold a valid address!</translation>
    </message>
    <message>
        <source>未选择校准字节, 请先读校准字节并选择一个!</source>
        <translation>No calibration byte chosen: read the calibration bytes first and choose one!</translation>
    </message>
    <message>
        <source>写入字节完毕!</source>
        <translation>Byte written!</translation>
    </message>
    <message>
        <source>数据框须为至多%1位十六进制数字!</source>
        <translation>The data box must hold at most %1 hexadecimal digits!</translation>
    </message>
    <message>
        <source>与模拟编程器的连接已断开。</source>
        <translation>The connection to the simulated programmer is lost.</translation>
    </message>
    <message>
        <source>写熔丝位</source>
        <translation>Fuses</translation>
    </message>
    <message>
        <source>写锁定位</source>
        <translation>Lock bits</translation>
    </message>
    <message>
        <source>写序列号</source>
        <translation>Serial no.</translation>
    </message>
    <message>
        <source>使能脱机编程</source>
        <translation>Enable</translation>
    </message>
    <message>
        <source>hvpp 是高压并行编程器的桌面控制程序，支持 ATmega8/16/32/48/88/168/161/162/163/323/8515/8535 及 ATtiny26/2313。

功能：识别芯片、载入 Intel HEX/二进制/EEP 文件、擦除、编程与校验 FLASH 和 EEPROM、读写熔丝位与锁定位、写入校准字节、脱机编程设置、升级编程器固件、保存与载入方案。

没有编程器时，可用 --port sim 启动内置的模拟编程器试用全部功能。</source>
        <translation>hvpp is the desktop control program of a high-voltage parallel programmer. It supports the ATmega8/16/32/48/88/168/161/162/163/323/8515/8535 and the ATtiny26/2313.

It identifies chips; loads Intel HEX, binary and EEP files; erases, programs and verifies FLASH and EEPROM; reads and writes fuse and lock bits; writes calibration bytes; prepares stand-alone programming; updates the programmer&apos;s firmware; saves and loads schemes.

Without a programmer, start it with --port sim to try everything on the built-in simulated programmer.</translation>
    </message>
    <message>
        <source>选项0 擦除芯片</source>
        <translation>option 0 erase chip</translation>
    </message>
    <message>
        <source>选项1 编程FLASH</source>
        <translation>option 1 program FLASH</translation>
    </message>
    <message>
        <source>选项2 编程EEPROM</source>
        <translation>option 2 program EEPROM</translation>
    </message>
    <message>
        <source>选项4 编程锁定位</source>
        <translation>option 4 program lock bits</translation>
    </message>
    <message>
        <source>选项6 校验标识字</source>
        <translation>option 6 check signature</translation>
    </message>
    <message>
        <source>选项8 校验FLASH</source>
        <translation>option 8 verify FLASH</translation>
    </message>
    <message>
        <source>选项9 校验EEPROM</source>
        <translation>option 9 verify EEPROM</translation>
    </message>
    <message>
        <source>二进制文件(*.BIN *.bin);;Intel HEX 文件 (*.HEX *.hex *.EEP *.eep)</source>
        <translation>Binary files (*.BIN *.bin);;Intel HEX files (*.HEX *.hex *.EEP *.eep)</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>选项3 编程熔丝位</source>
        <translation>option 3 program fuses</translation>
    </message>
    <message>
        <source>选项5 文件重载</source>
        <translation>option 5 reload files</translation>
    </message>
    <message>
        <source>选项7 写校准字节</source>
        <translation>option 7 write calibration byte</translation>
    </message>
    <message>
        <source>write-lock 的锁定位应为两位十六进制数 (如 FC): %1</source>
        <translation>The lock byte of write-lock must be two hexadecimal digits (such as FC): %1</translation>
    </message>
    <message>
        <source>32位熔丝文本, 每个为 0、1 或 *, 锁定位第7位在前。</source>
        <translation>32-bit fuse text, each 0, 1 or *, lock bit 7 first.</translation>
    </message>
    <message>
        <source>写三个熔丝字节 (WS...#): --bits, --low/--high[/--ext] 或 --default 之一。</source>
        <translation>Write the three fuse bytes (WS...#): one of --bits, --low/--high[/--ext] or --default.</translation>
    </message>
    <message>
        <source>熔丝低字节, 两位十六进制。</source>
        <translation>Low fuse byte, two hexadecimal digits.</translation>
    </message>
    <message>
        <source>熔丝高字节, 两位十六进制。</source>
        <translation>High fuse byte, two hexadecimal digits.</translation>
    </message>
    <message>
        <source>扩展熔丝字节, 两位十六进制。</source>
        <translation>Extended fuse byte, two hexadecimal digits.</translation>
    </message>
    <message>
        <source>写芯片出厂熔丝值。</source>
        <translation>Write the chip&apos;s factory fuse values.</translation>
    </message>
    <message>
        <source>显示所选芯片的熔丝编辑器 (无需编程器)。</source>
        <translation>Show the fuse editor of the selected chip (no programmer needed).</translation>
    </message>
    <message>
        <source>每一位的名称与值、四个字节、每个选项及其选中状态。熔丝文本取 --bits,
默认为芯片出厂值。</source>
        <translation>The name and value of every bit, the four bytes, every option and whether it is ticked. The fuse text is --bits,
by default the chip&apos;s factory values.</translation>
    </message>
    <message>
        <source>步骤: flash,eeprom,fuses,lock,cal,serial,erase,enable 的组合, none, 或8位0/1 (第0项在前); enable = 使能脱机编程。</source>
        <translation>Steps: a combination of flash,eeprom,fuses,lock,cal,serial,erase,enable, none, or 8 digits 0/1 (step 0 first); enable = enable stand-alone programming.</translation>
    </message>
    <message>
        <source>校准字节 OA1..OA4 (1..4)。</source>
        <translation>Calibration byte OA1..OA4 (1..4).</translation>
    </message>
    <message>
        <source>校准字节写入地址 (至多4位十六进制)。</source>
        <translation>Address of the calibration byte (up to 4 hexadecimal digits).</translation>
    </message>
    <message>
        <source>序列号写入 flash 或 eeprom。</source>
        <translation>Write the serial number to flash or eeprom.</translation>
    </message>
    <message>
        <source>序列号写入地址 (至多4位十六进制)。</source>
        <translation>Address of the serial number (up to 4 hexadecimal digits).</translation>
    </message>
    <message>
        <source>序列号自动增量 0..255。</source>
        <translation>Serial number increment 0..255.</translation>
    </message>
    <message>
        <source>初始编号, 十六进制 (至多 FFFFFFFF)。</source>
        <translation>Initial number, hexadecimal (up to FFFFFFFF).</translation>
    </message>
    <message>
        <source>初始编号, 十进制 (至多 4294967295)。</source>
        <translation>Initial number, decimal (up to 4294967295).</translation>
    </message>
    <message>
        <source>记录中的熔丝位: 32位 0/1, 锁定位第7位在前; 默认为保存的熔丝设置。</source>
        <translation>Fuse bits of the record: 32 digits 0/1, lock bit 7 first; default: the saved fuse setting.</translation>
    </message>
    <message>
        <source>写入设置: 把脱机编程设置写入编程器, 成功后保存为下次的默认值。</source>
        <translation>Write settings: writes the stand-alone settings to the programmer and, on success, keeps them as the next defaults.</translation>
    </message>
    <message>
        <source>写入步骤, 芯片标识字与页大小, 熔丝, 校准字节与序列号选项。未给出的值取自上次
保存的设置 (设置段 &quot;脱机&quot;); 芯片由 --chip 或保存的型号决定。</source>
        <translation>Writes the steps, the chip&apos;s signature and page size, the fuses, the calibration byte and serial number options. Values not given are the ones
saved last (the stand-alone settings section); the chip is --chip or the saved type.</translation>
    </message>
    <message>
        <source>读取设置: 从编程器读回脱机编程设置并打印 (不保存)。</source>
        <translation>Read settings: reads the stand-alone settings back from the programmer and prints them (not saved).</translation>
    </message>
    <message>
        <source>有设置项无有效回答时退出码为 3; 记录中的芯片不受支持时为 1。</source>
        <translation>Exit code 3 when a setting gets no valid answer; 1 when the record&apos;s chip is not supported.</translation>
    </message>
    <message>
        <source>写入数据: 载入映像文件并存入编程器供脱机编程。</source>
        <translation>Write data: loads the image files and stores them in the programmer for stand-alone programming.</translation>
    </message>
    <message>
        <source>FLASH 至多 20480 字节, EEPROM 至多 2048 字节。</source>
        <translation>FLASH up to 20480 bytes, EEPROM up to 2048 bytes.</translation>
    </message>
    <message>
        <source>EEPROM 映像文件。</source>
        <translation>The EEPROM image file.</translation>
    </message>
    <message>
        <source>内置模拟编程器 (--port sim) 的选项:
</source>
        <translation>Options of the built-in simulated programmer (--port sim):
</translation>
    </message>
    <message>
        <source>座上的芯片 (型号或 none), 默认 ATMEGA8</source>
        <translation>the chip in the socket (a type or none), default ATMEGA8</translation>
    </message>
    <message>
        <source>状态文件 (JSON), 启动时读取, 结束时写回</source>
        <translation>state file (JSON), read at start, written back at the end</translation>
    </message>
    <message>
        <source>virtual: 等待不耗费实际时间</source>
        <translation>virtual: waits take no real time</translation>
    </message>
    <message>
        <source>写FLASH</source>
        <translation>Write FLASH</translation>
    </message>
    <message>
        <source>读取FLASH</source>
        <translation>Read FLASH</translation>
    </message>
    <message>
        <source>写EEPROM</source>
        <translation>Write EEPROM</translation>
    </message>
    <message>
        <source>读取EEPROM</source>
        <translation>Read EEPROM</translation>
    </message>
    <message>
        <source>上传</source>
        <translation>Upload</translation>
    </message>
    <message>
        <source>固件</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>操作已中止。</source>
        <translation>Operation stopped.</translation>
    </message>
    <message>
        <source>另一操作正在进行中，本操作未执行!</source>
        <translation>Another operation is running; this one was not started!</translation>
    </message>
    <message>
        <source> … (共 %1 段)</source>
        <translation> … (%1 ranges in all)</translation>
    </message>
    <message>
        <source>文件不完整</source>
        <translation>file incomplete</translation>
    </message>
    <message>
        <source>低字节</source>
        <translation>low byte</translation>
    </message>
    <message>
        <source>高字节</source>
        <translation>high byte</translation>
    </message>
    <message>
        <source>扩展字节</source>
        <translation>extended byte</translation>
    </message>
    <message>
        <source>无数据</source>
        <translation>no data</translation>
    </message>
    <message>
        <source>%1映像: 数据 %2; 已用 %3/%4 字节 (%5); CRC-32 %6</source>
        <translation>%1 image: data %2; %3/%4 bytes used (%5); CRC-32 %6</translation>
    </message>
    <message>
        <source>警告: %1映像 (%2 字节) 超出 %3 的%1容量 (%4 字节), 无法写入!</source>
        <translation>Warning: the %1 image (%2 bytes) is larger than the %1 of the %3 (%4 bytes) and cannot be written!</translation>
    </message>
    <message>
        <source>不是 ELF 文件。</source>
        <translation>Not an ELF file.</translation>
    </message>
    <message>
        <source>ELF 文件损坏: %1</source>
        <translation>Damaged ELF file: %1</translation>
    </message>
    <message>
        <source>ELF 文件不是 AVR 程序 (机器类型 %1)。</source>
        <translation>The ELF file is not an AVR program (machine type %1).</translation>
    </message>
    <message>
        <source>ELF 文件的FLASH数据超出 0x7FFF (直到 0x%1)。</source>
        <translation>The FLASH data of the ELF file goes beyond 0x7FFF (up to 0x%1).</translation>
    </message>
    <message>
        <source>ELF 文件的EEPROM数据超出 0xFFFF (直到 0x%1)。</source>
        <translation>The EEPROM data of the ELF file goes beyond 0xFFFF (up to 0x%1).</translation>
    </message>
    <message>
        <source>ELF 文件的段 %1 与其他段重叠。</source>
        <translation>Section %1 of the ELF file overlaps another one.</translation>
    </message>
    <message>
        <source>ELF 段: %1</source>
        <translation>ELF sections: %1</translation>
    </message>
    <message>
        <source>libelf 不可用。</source>
        <translation>libelf is not available.</translation>
    </message>
    <message>
        <source>连续编程开始。</source>
        <translation>Production run started.</translation>
    </message>
    <message>
        <source>等待放入芯片......</source>
        <translation>Waiting for a chip......</translation>
    </message>
    <message>
        <source>请取出芯片......</source>
        <translation>Take the chip out......</translation>
    </message>
    <message>
        <source>第 %1 片: 通过, 标识字 %2。</source>
        <translation>Chip %1: passed, signature %2.</translation>
    </message>
    <message>
        <source>第 %1 片: 通过, 标识字 %2, 序列号 %3。</source>
        <translation>Chip %1: passed, signature %2, serial number %3.</translation>
    </message>
    <message>
        <source>第 %1 片: 失败 (%3), 标识字 %2。</source>
        <translation>Chip %1: failed (%3), signature %2.</translation>
    </message>
    <message>
        <source>连续编程结束: 通过 %1 片, 失败 %2 片。</source>
        <translation>Production run ended: %1 passed, %2 failed.</translation>
    </message>
    <message>
        <source>记录文件无法写入: %1</source>
        <translation>The log file cannot be written: %1</translation>
    </message>
    <message>
        <source>警告: %1</source>
        <translation>Warning: %1</translation>
    </message>
    <message>
        <source>无目标芯片</source>
        <translation>no target chip</translation>
    </message>
    <message>
        <source>通过</source>
        <translation>passed</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>序列号设置有误: %1</source>
        <translation>Invalid serial number settings: %1</translation>
    </message>
    <message>
        <source>%1校验: %2 字节不符 (共 %3 字节), %4 段: %5</source>
        <translation>%1 verify: %2 bytes differ (of %3 bytes), %4 ranges: %5</translation>
    </message>
    <message>
        <source>显示帮助 (命令之后: 该命令的帮助)。</source>
        <translation>Show the help (after a command: that command&apos;s help).</translation>
    </message>
    <message>
        <source>编程器所在串口 (COMn, 设备路径如 /dev/ttyUSB0, 或 sim 为内置模拟编程器)。默认: 保存的端口。只用于本次命令。</source>
        <translation>Serial port of the programmer (COMn, a device path such as /dev/ttyUSB0, or sim for the built-in simulated programmer). Default: the saved port. For this command only.</translation>
    </message>
    <message>
        <source>所选芯片型号 (如 ATMEGA8)。默认: 保存的型号。只用于本次命令。</source>
        <translation>The selected chip type (such as ATMEGA8). Default: the saved type. For this command only.</translation>
    </message>
    <message>
        <source>串口参数 波特率,校验,数据位,停止位。默认: 保存的设置。</source>
        <translation>Line settings speed,parity,data bits,stop bits. Default: the saved settings.</translation>
    </message>
    <message>
        <source>握手方式。默认: 保存的设置。</source>
        <translation>Flow control. Default: the saved setting.</translation>
    </message>
    <message>
        <source>每个事件 (日志行、进度、警告、结果) 以一行 JSON 输出。</source>
        <translation>Print every event (log line, progress, warning, result) as one line of JSON.</translation>
    </message>
    <message>
        <source>只输出错误与结果。</source>
        <translation>Print only errors and results.</translation>
    </message>
    <message>
        <source>另外输出收发的每一帧及其毫秒时间。</source>
        <translation>Also print every frame sent and received, with its time in milliseconds.</translation>
    </message>
    <message>
        <source> [选项]</source>
        <translation> [options]</translation>
    </message>
    <message>
        <source>用法: hvpp-cli [全局选项] 命令 [命令选项] [参数...]

hvpp 高压并行编程器的命令行前端, 与窗口程序使用同一套核心操作。

命令:
</source>
        <translation>Usage: hvpp-cli [global options] command [command options] [arguments...]

The command line of the hvpp high-voltage parallel programmer, with the same core operations as the window.

Commands:
</translation>
    </message>
    <message>
        <source>
全局选项:
</source>
        <translation>
Global options:
</translation>
    </message>
    <message>
        <source>用法: hvpp-cli [全局选项] </source>
        <translation>Usage: hvpp-cli [global options] </translation>
    </message>
    <message>
        <source>
选项:
</source>
        <translation>
Options:
</translation>
    </message>
    <message>
        <source>
示例:
  </source>
        <translation>
Example:
  </translation>
    </message>
    <message>
        <source>
全局选项 (--port, --chip, --json, -q, -v, ...): hvpp-cli --help
</source>
        <translation>
Global options (--port, --chip, --json, -q, -v, ...): hvpp-cli --help
</translation>
    </message>
    <message>
        <source>命令 %1 不接受选项 %2。用 hvpp-cli %1 --help 查看它的选项。</source>
        <translation>The command %1 takes no option %2. See hvpp-cli %1 --help for its options.</translation>
    </message>
    <message>
        <source>用 --help 查看命令与选项。</source>
        <translation>See --help for the commands and options.</translation>
    </message>
    <message>
        <source>缺少命令。用 --help 查看命令列表。</source>
        <translation>No command given. See --help for the list of commands.</translation>
    </message>
    <message>
        <source>未知命令: %1。用 --help 查看命令列表。</source>
        <translation>Unknown command: %1. See --help for the list of commands.</translation>
    </message>
    <message>
        <source>未知芯片型号: %1 (可选: %2)</source>
        <translation>Unknown chip type: %1 (choose from %2)</translation>
    </message>
    <message>
        <source>10位编程选项, 第0项在前 (如 1100011010)。</source>
        <translation>The 10 program options, option 0 first (such as 1100011010).</translation>
    </message>
    <message>
        <source>再勾选 </source>
        <translation>Also tick </translation>
    </message>
    <message>
        <source>校准字节槽 0..3 或 1MHz/2MHz/4MHz/8MHz。</source>
        <translation>Calibration byte slot 0..3 or 1MHz/2MHz/4MHz/8MHz.</translation>
    </message>
    <message>
        <source>校准字节写入的字节地址 (十进制)。</source>
        <translation>Byte address the calibration byte is written to (decimal).</translation>
    </message>
    <message>
        <source>--cal-address 须为 0..%1 的十进制地址。</source>
        <translation>--cal-address must be a decimal address 0..%1.</translation>
    </message>
    <message>
        <source>%1/%2 字节</source>
        <translation>%1/%2 bytes</translation>
    </message>
    <message>
        <source>剩余 %1</source>
        <translation>%1 left</translation>
    </message>
    <message>
        <source>用法: hvpp-cli %1</source>
        <translation>Usage: hvpp-cli %1</translation>
    </message>
    <message>
        <source>%1: 文件中没有数据, 未向编程器发送任何内容。</source>
        <translation>%1: the file holds no data; nothing was sent to the programmer.</translation>
    </message>
    <message>
        <source>%1: 无法识别的文件类型 (可用 %2)</source>
        <translation>%1: unknown file type (use %2)</translation>
    </message>
    <message>
        <source>%1: 文件无法载入。</source>
        <translation>%1: the file could not be loaded.</translation>
    </message>
    <message>
        <source>--line 应为 波特率,校验,数据位,停止位 (如 115200,n,8,1): %1</source>
        <translation>--line must be speed,parity,data bits,stop bits (such as 115200,n,8,1): %1</translation>
    </message>
    <message>
        <source>--flow 应为 none、hardware 或 software: %1</source>
        <translation>--flow must be none, hardware or software: %1</translation>
    </message>
    <message>
        <source>--options 须为 10 位 0/1, 如 1100011010。</source>
        <translation>--options must be 10 digits 0/1, such as 1100011010.</translation>
    </message>
    <message>
        <source>--cal-slot 须为 0..3 或 1MHz, 2MHz, 4MHz, 8MHz。</source>
        <translation>--cal-slot must be 0..3 or 1MHz, 2MHz, 4MHz, 8MHz.</translation>
    </message>
    <message>
        <source>--cal-target 须为 flash 或 eeprom。</source>
        <translation>--cal-target must be flash or eeprom.</translation>
    </message>
    <message>
        <source>编程器或目标芯片没有应有的回答。</source>
        <translation>The programmer or the target chip did not answer as it should.</translation>
    </message>
    <message>
        <source>有一步失败, 命令未完成 (见上面的日志)。</source>
        <translation>A step failed; the command did not finish (see the log above).</translation>
    </message>
    <message>
        <source>无法保存 %1: %2</source>
        <translation>Cannot save %1: %2</translation>
    </message>
    <message>
        <source>ATMEGA161 没有校准字节。</source>
        <translation>The ATMEGA161 has no calibration bytes.</translation>
    </message>
    <message>
        <source>存储器须为 flash 或 eeprom, 而不是 &quot;%1&quot;。</source>
        <translation>The memory must be flash or eeprom, not &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>读校准字节, 打印各槽 (1MHz 2MHz 4MHz 8MHz; * 为默认选中)。</source>
        <translation>Read the calibration bytes and print each slot (1MHz 2MHz 4MHz 8MHz; * marks the default).</translation>
    </message>
    <message>
        <source>读校准字节, 把所选槽的字节写入 flash 或 eeprom 的一个字节地址。</source>
        <translation>Read the calibration bytes and write the chosen slot&apos;s byte to a byte address of flash or eeprom.</translation>
    </message>
    <message>
        <source>默认: 芯片自动选中的槽, flash, 存储器的最后一个字节。</source>
        <translation>Default: the slot the chip selects, flash, the memory&apos;s last byte.</translation>
    </message>
    <message>
        <source>读一个FLASH字 (字地址) 或一个EEPROM字节 (字节地址); ADDR 为十进制。</source>
        <translation>Read one FLASH word (word address) or one EEPROM byte (byte address); ADDR is decimal.</translation>
    </message>
    <message>
        <source>写一个FLASH字 (DATA 至多4位十六进制, 低字节在前) 或一个EEPROM字节。</source>
        <translation>Write one FLASH word (DATA up to 4 hexadecimal digits, low byte first) or one EEPROM byte.</translation>
    </message>
    <message>
        <source>注:只有原地址数据为FF时,才能正确写入数据。</source>
        <translation>Note: a write only succeeds where the old data is FF.</translation>
    </message>
    <message>
        <source>连接检查: 发送 CC000000#, 显示编程器的回答。</source>
        <translation>Connection check: sends CC000000# and shows the programmer&apos;s answer.</translation>
    </message>
    <message>
        <source>编程器无回答时输出 &quot;编程器无反应!&quot;, 退出码 3。</source>
        <translation>Without an answer it prints &quot;The programmer does not answer!&quot;, exit code 3.</translation>
    </message>
    <message>
        <source>自动识别芯片: 读标识字, 打印芯片型号。</source>
        <translation>Identify the chip: reads the signature and prints the chip type.</translation>
    </message>
    <message>
        <source>读标识字: 显示座上芯片的型号与标识字 (不改变所选芯片)。</source>
        <translation>Read the signature: shows the type and signature of the chip in the socket (the selected chip stays).</translation>
    </message>
    <message>
        <source>%1: 映像超出 %2 的容量。</source>
        <translation>%1: the image is larger than the %2.</translation>
    </message>
    <message>
        <source>compare 需要 --flash FILE 和/或 --eeprom FILE。</source>
        <translation>compare needs --flash FILE and/or --eeprom FILE.</translation>
    </message>
    <message>
        <source>芯片与映像相同。</source>
        <translation>The chip matches the image.</translation>
    </message>
    <message>
        <source>芯片与映像不同。</source>
        <translation>The chip differs from the image.</translation>
    </message>
    <message>
        <source>显示映像文件的数据区、所选芯片容量中已用的字节数与 CRC-32 (不需要编程器)。</source>
        <translation>Show an image file&apos;s data ranges, the bytes it uses of the selected chip&apos;s memory and its CRC-32 (no programmer needed).</translation>
    </message>
    <message>
        <source>按EEPROM文件载入。</source>
        <translation>Load as an EEPROM file.</translation>
    </message>
    <message>
        <source>读出芯片并与映像文件比较, 不写入; 列出所有不同的地址段, 不同时退出码为 1。</source>
        <translation>Read the chip and compare it with the image files without writing; lists every differing address range; exit code 1 when they differ.</translation>
    </message>
    <message>
        <source>%1: 只读到 %2 字节 (芯片有 %3 字节), 未写入文件。</source>
        <translation>%1: only %2 bytes were read (the chip has %3 bytes); the file was not written.</translation>
    </message>
    <message>
        <source>用法: hvpp-cli convert IN OUT, 或 convert --flash IN OUT, 或 convert --eeprom IN OUT。</source>
        <translation>Usage: hvpp-cli convert IN OUT, or convert --flash IN OUT, or convert --eeprom IN OUT.</translation>
    </message>
    <message>
        <source>擦除芯片 (EM000000#)。</source>
        <translation>Erase the chip (EM000000#).</translation>
    </message>
    <message>
        <source>载入 FILE (.HEX/.BIN) 并写入芯片FLASH (不擦除; 需要时先 erase)。</source>
        <translation>Load FILE (.HEX/.BIN) and write it to the chip&apos;s FLASH (no erase; erase first where needed).</translation>
    </message>
    <message>
        <source>载入 FILE 并与芯片FLASH校验; 不符时退出码为 1。</source>
        <translation>Load FILE and verify it against the chip&apos;s FLASH; exit code 1 on a mismatch.</translation>
    </message>
    <message>
        <source>载入 FILE (.EEP/.HEX/.BIN) 并逐字节写入芯片EEPROM。</source>
        <translation>Load FILE (.EEP/.HEX/.BIN) and write it byte by byte to the chip&apos;s EEPROM.</translation>
    </message>
    <message>
        <source>载入 FILE 并与芯片EEPROM校验; 不符时退出码为 1。</source>
        <translation>Load FILE and verify it against the chip&apos;s EEPROM; exit code 1 on a mismatch.</translation>
    </message>
    <message>
        <source>读出整个芯片FLASH, 存入 OUT (.hex/.eep 为 Intel HEX, 否则为二进制)。</source>
        <translation>Read the chip&apos;s whole FLASH into OUT (Intel HEX for .hex/.eep, else binary).</translation>
    </message>
    <message>
        <source>读出整个芯片EEPROM, 存入 OUT (.hex/.eep 为 Intel HEX, 否则为二进制)。</source>
        <translation>Read the chip&apos;s whole EEPROM into OUT (Intel HEX for .hex/.eep, else binary).</translation>
    </message>
    <message>
        <source>把 FLASH 或 EEPROM 映像文件转存为 OUT (不需要编程器)。</source>
        <translation>Save a FLASH or EEPROM image file as OUT (no programmer needed).</translation>
    </message>
    <message>
        <source>编程FLASH 或 校验FLASH 已勾选, 但没有 FLASH 文件 (--flash FILE)。</source>
        <translation>Program FLASH or verify FLASH is ticked, but there is no FLASH file (--flash FILE).</translation>
    </message>
    <message>
        <source>编程EEPROM 或 校验EEPROM 已勾选, 但没有 EEPROM 文件 (--eeprom FILE)。</source>
        <translation>Program EEPROM or verify EEPROM is ticked, but there is no EEPROM file (--eeprom FILE).</translation>
    </message>
    <message>
        <source>编程步骤: %1</source>
        <translation>Programming steps: %1</translation>
    </message>
    <message>
        <source>无 (只检查目标芯片)</source>
        <translation>none (only the target chip is checked)</translation>
    </message>
    <message>
        <source>编程完成。</source>
        <translation>Programming done.</translation>
    </message>
    <message>
        <source>编程未完成。</source>
        <translation>Programming not finished.</translation>
    </message>
    <message>
        <source>--scheme 已给出编程选项、文件与校准选项, 不能再用 --%1。</source>
        <translation>--scheme already gives the program options, files and calibration options; --%1 cannot be used with it.</translation>
    </message>
    <message>
        <source>无法读取方案文件 %1。</source>
        <translation>Cannot read the scheme file %1.</translation>
    </message>
    <message>
        <source>方案文件 %1 在第 %2 行出错 (只用了前 %3 行), 未编程。</source>
        <translation>The scheme file %1 has an error in line %2 (only the first %3 lines were used); nothing was programmed.</translation>
    </message>
    <message>
        <source>方案: %1  芯片: %2  编程选项: %3</source>
        <translation>Scheme: %1  chip: %2  program options: %3</translation>
    </message>
    <message>
        <source>按方案文件编程 (芯片、熔丝位、选项、文件与校准选项都取自方案)。</source>
        <translation>Program as the scheme file says (chip, fuse bits, options, files and calibration options all come from the scheme).</translation>
    </message>
    <message>
        <source>编程芯片: 按固定顺序执行所选步骤, 先列出将执行的步骤。</source>
        <translation>Program the chip: runs the chosen steps in their fixed order, listing them first.</translation>
    </message>
    <message>
        <source> (等待编程器的引导程序, 最多10秒)</source>
        <translation> (waiting for the programmer&apos;s loader, up to 10 seconds)</translation>
    </message>
    <message>
        <source>引导程序已应答。把 %1 (%2 字节) 写入编程器?</source>
        <translation>The loader answered. Write %1 (%2 bytes) to the programmer?</translation>
    </message>
    <message>
        <source>升级已取消, 未发送固件数据。</source>
        <translation>Update cancelled; no firmware data was sent.</translation>
    </message>
    <message>
        <source>存熔丝数据: 把编程器自己的芯片与熔丝表 (13 种芯片) 写入编程器。</source>
        <translation>Store fuse data: writes the programmer&apos;s own chip and fuse table (13 chips) to the programmer.</translation>
    </message>
    <message>
        <source>让编程器固件转入引导程序 (FM000000#), 显示其回答。</source>
        <translation>Send the programmer&apos;s firmware into its loader (FM000000#) and show its answer.</translation>
    </message>
    <message>
        <source>升级固件: 等待引导程序应答 &quot;B&quot; (10秒), 确认后发送固件。</source>
        <translation>Firmware update: waits for the loader&apos;s &quot;B&quot; (10 seconds), then sends the firmware once confirmed.</translation>
    </message>
    <message>
        <source>提示重启编程器; 引导程序应答后询问确认 (--yes 时不问)。文件须小于 32768 字节。</source>
        <translation>Asks to restart the programmer; once the loader answers, asks for confirmation (not with --yes). The file must be smaller than 32768 bytes.</translation>
    </message>
    <message>
        <source>不询问, 直接确认。</source>
        <translation>Do not ask; confirm at once.</translation>
    </message>
    <message>
        <source>升级EEPROM数据: 检查连接后把文件逐字节写入编程器自己的EEPROM。</source>
        <translation>Update EEPROM data: checks the connection, then writes the file byte by byte to the programmer&apos;s own EEPROM.</translation>
    </message>
    <message>
        <source>连续编程: 等待放入芯片, 编程, 等待取出, 再等下一片, 直到 Ctrl-C。</source>
        <translation>Production run: wait for a chip, program it, wait for it to be taken out, then for the next one, until Ctrl-C.</translation>
    </message>
    <message>
        <source>连续编程: 编程成功后写入序列号 (4 字节, 高字节在前), 位置为 flash:ADDR 或 eeprom:ADDR (十六进制字节地址)。</source>
        <translation>Production run: after programming, write a serial number (4 bytes, high byte first) at flash:ADDR or eeprom:ADDR (hexadecimal byte address).</translation>
    </message>
    <message>
        <source>连续编程: 每片序列号的增量 (1..255)。默认 1。</source>
        <translation>Production run: the serial number increment per chip (1..255). Default 1.</translation>
    </message>
    <message>
        <source>--%1 需要 --serial MEM:ADDR。</source>
        <translation>--%1 needs --serial MEM:ADDR.</translation>
    </message>
    <message>
        <source>--serial 须为 flash:ADDR 或 eeprom:ADDR (ADDR 为十六进制字节地址)。</source>
        <translation>--serial must be flash:ADDR or eeprom:ADDR (ADDR a hexadecimal byte address).</translation>
    </message>
    <message>
        <source>--serial-increment 须为 1..255。</source>
        <translation>--serial-increment must be 1..255.</translation>
    </message>
    <message>
        <source>--%1 只用于 --repeat。</source>
        <translation>--%1 is only for --repeat.</translation>
    </message>
    <message>
        <source>--fuse-bits 须为32个字符, 每个为 0、1 或 *, 锁定位第7位在前: %1</source>
        <translation>--fuse-bits must be 32 characters, each 0, 1 or *, lock bit 7 first: %1</translation>
    </message>
    <message>
        <source>%1 不是方案文件, 不会被覆盖。方案文件名放在选项之外, 如: hvpp-cli scheme-save job.SET --flash app.hex</source>
        <translation>%1 is not a scheme file and is not overwritten. The scheme file name goes outside the options, as in: hvpp-cli scheme-save job.SET --flash app.hex</translation>
    </message>
    <message>
        <source>无法保存方案 %1: %2</source>
        <translation>Cannot save the scheme %1: %2</translation>
    </message>
    <message>
        <source>FLASH 映像文件 (存为绝对路径)。</source>
        <translation>The FLASH image file (saved as an absolute path).</translation>
    </message>
    <message>
        <source>EEPROM 映像文件 (存为绝对路径)。</source>
        <translation>The EEPROM image file (saved as an absolute path).</translation>
    </message>
    <message>
        <source>32位熔丝文本, 锁定位第7位在前。默认: 保存的熔丝设置。</source>
        <translation>32-bit fuse text, lock bit 7 first. Default: the saved fuse setting.</translation>
    </message>
    <message>
        <source>保存方案: 芯片、熔丝位、编程选项、两个文件名与校准选项写入方案文件 (不需要编程器)。</source>
        <translation>Save a scheme: writes the chip, fuse bits, program options, both file names and the calibration options to a scheme file (no programmer needed).</translation>
    </message>
    <message>
        <source>未给出的值取自保存的设置, 与窗口程序启动时相同 (没有保存的编程选项时为默认的
1100011010)。已存在的文件只有是方案文件时才被替换。</source>
        <translation>Values not given come from the saved settings, as when the window starts (without saved program options, the default
1100011010). An existing file is only replaced when it is a scheme file.</translation>
    </message>
    <message>
        <source>所选芯片没有有效的熔丝描述文件 (%1), 没有出厂默认熔丝值: 未执行, 什么也没有发送。</source>
        <translation>The selected chip has no valid fuse description file (%1), so there are no factory default fuses: not done, nothing was sent.</translation>
    </message>
    <message>
        <source>未载入</source>
        <translation>not loaded</translation>
    </message>
    <message>
        <source>行首不是冒号 &quot;:&quot; (也不是空行)</source>
        <translation>the line does not start with a colon &quot;:&quot; (and is not blank)</translation>
    </message>
    <message>
        <source>第 %1 列不是十六进制数字</source>
        <translation>column %1 is not a hex digit</translation>
    </message>
    <message>
        <source>记录过短</source>
        <translation>the record is too short</translation>
    </message>
    <message>
        <source>字节数 %1 与记录长度不符 (只有 %2 个数据字节)</source>
        <translation>byte count %1 does not match the record length (only %2 data bytes)</translation>
    </message>
    <message>
        <source>校验和之后还有字符 (字节数 %1 与记录长度不符)</source>
        <translation>characters after the checksum (byte count %1 does not match the record length)</translation>
    </message>
    <message>
        <source>校验和错误</source>
        <translation>wrong checksum</translation>
    </message>
    <message>
        <source>记录类型 %1 不是 00-05</source>
        <translation>record type %1 is not 00-05</translation>
    </message>
    <message>
        <source>数据地址 %1-%2 超出范围 (最多到 %3)</source>
        <translation>data address %1-%2 out of range (up to %3)</translation>
    </message>
    <message>
        <source>记录与前面的记录重叠 (地址 %1 已有数据)</source>
        <translation>the record overlaps an earlier one (address %1 already holds data)</translation>
    </message>
    <message>
        <source>文件中没有数据记录 (没有数据)</source>
        <translation>the file has no data record (no data)</translation>
    </message>
    <message>
        <source>文件 %1: %2</source>
        <translation>file %1: %2</translation>
    </message>
    <message>
        <source>文件 %1 第 %2 行: %3</source>
        <translation>file %1, line %2: %3</translation>
    </message>
    <message>
        <source>文件 %1 没有结束记录 (:00000001FF), 已读到文件末尾。</source>
        <translation>file %1 has no end record (:00000001FF); read to the end of the file.</translation>
    </message>
    <message>
        <source>%1 不是普通文件 (设备、管道等), 不能载入。</source>
        <translation>%1 is not a regular file (a device, a pipe, ...) and cannot be loaded.</translation>
    </message>
    <message>
        <source>FLASH缓冲区数据(%1字节)超过芯片FLASH容量(%2字节), 未校验!</source>
        <translation>The FLASH buffer (%1 bytes) is larger than the chip&apos;s FLASH (%2 bytes); not verified!</translation>
    </message>
    <message>
        <source>EEPROM缓冲区数据(%1字节)超过芯片EEPROM容量(%2字节), 未校验!</source>
        <translation>The EEPROM buffer (%1 bytes) is larger than the chip&apos;s EEPROM (%2 bytes); not verified!</translation>
    </message>
    <message>
        <source>%1缓冲区含有非十六进制数字, 未校验!</source>
        <translation>The %1 buffer holds characters that are not hex digits; not verified!</translation>
    </message>
    <message>
        <source>读出的数据不完整: 只收到 %1 字节 (芯片有 %2 字节), 缓冲区未改变!</source>
        <translation>The read-back is incomplete: only %1 bytes arrived (the chip has %2 bytes); the buffer is unchanged!</translation>
    </message>
    <message>
        <source>读出的数据在第 %1 字节处含有非十六进制字符 (芯片有 %2 字节), 缓冲区未改变!</source>
        <translation>The read-back holds a character that is not a hex digit at byte %1 (the chip has %2 bytes); the buffer is unchanged!</translation>
    </message>
    <message>
        <source>校准字节未得到有效回答: %1 (不能写入)</source>
        <translation>No valid answer for the calibration bytes: %1 (cannot be written)</translation>
    </message>
    <message>
        <source>等待芯片</source>
        <translation>WAITING</translation>
    </message>
    <message>
        <source>输出为 - (标准输出) 时须给出 --format hex 或 --format bin。</source>
        <translation>Output to - (standard output) needs --format hex or --format bin.</translation>
    </message>
    <message>
        <source>输入为 - (标准输入) 时须给出 --format hex、bin 或 elf。</source>
        <translation>Input from - (standard input) needs --format hex, bin or elf.</translation>
    </message>
    <message>
        <source>文件为 - (标准输入或标准输出) 时的格式。</source>
        <translation>The format of a file given as - (standard input or output).</translation>
    </message>
    <message>
        <source>标准输入无法读取。</source>
        <translation>Standard input cannot be read.</translation>
    </message>
    <message>
        <source>--json 的事件写在标准输出上, 不能再把数据写到 - 。</source>
        <translation>--json writes its events to standard output; data cannot go to - as well.</translation>
    </message>
    <message>
        <source>芯片已擦除。</source>
        <translation>Chip erased.</translation>
    </message>
    <message>
        <source>写入完成。</source>
        <translation>Written.</translation>
    </message>
    <message>
        <source>校验通过。</source>
        <translation>Verified.</translation>
    </message>
    <message>
        <source>已存入 %1。</source>
        <translation>Saved to %1.</translation>
    </message>
    <message>
        <source>FILE 或 OUT 为 - 时为标准输入或标准输出, 须给出 --format。</source>
        <translation>FILE or OUT given as - is standard input or output; --format is needed then.</translation>
    </message>
    <message>
        <source>IN 或 --flash IN 按FLASH文件载入, --eeprom IN 按EEPROM文件载入 (也可为 .EEP)。
OUT 以 .hex 或 .eep 结尾时存为 Intel HEX, 否则为二进制。
IN 为 - 时读标准输入, OUT 为 - 时写标准输出; 这时须给出 --format。</source>
        <translation>IN or --flash IN loads a FLASH file, --eeprom IN an EEPROM file (.EEP too).
OUT ending in .hex or .eep is saved as Intel HEX, else as binary.
IN as - reads standard input, OUT as - writes standard output; --format is needed then.</translation>
    </message>
    <message>
        <source>连续编程: 记录文件 (CSV, 第一行为列名), 每片一行, 在锁定下追加, 几个工位可共用一个文件。</source>
        <translation>Production run: log file (CSV, the first line names the columns), one line per chip, appended under a lock; several stations may share one file.</translation>
    </message>
    <message>
        <source>连续编程: 编程 N 片 (通过或失败) 后结束。</source>
        <translation>Production run: end after N chips (passed or failed).</translation>
    </message>
    <message>
        <source>连续编程: 第 K 片失败后结束。</source>
        <translation>Production run: end at the K-th failed chip.</translation>
    </message>
    <message>
        <source>连续编程: 记录文件中的工位名。默认: 主机名。</source>
        <translation>Production run: the station name in the log file. Default: the host name.</translation>
    </message>
    <message>
        <source>连续编程: 作业名 (序列号与计数按作业保存)。默认: 方案文件名, 否则芯片型号。</source>
        <translation>Production run: the job name (serial numbers and counts are kept per job). Default: the scheme file&apos;s name, else the chip type.</translation>
    </message>
    <message>
        <source>连续编程: 第一个序列号, 十六进制 (至多8位)。默认: 作业上次停下处, 新作业为 0。</source>
        <translation>Production run: the first serial number, hexadecimal (up to 8 digits). Default: where the job last stopped, 0 for a new job.</translation>
    </message>
    <message>
        <source>--%1 须为正整数: %2</source>
        <translation>--%1 must be a positive whole number: %2</translation>
    </message>
    <message>
        <source>为生产保存: 记录两个文件的 CRC-32 与大小以及熔丝位; 用此方案编程时, 文件已改变则拒绝。</source>
        <translation>Save for production: records the CRC-32 and size of both files and the fuse bits; a run of this scheme is refused when a file has changed.</translation>
    </message>
    <message>
        <source>%1 被另一个进程锁定 (%2)。</source>
        <translation>%1 is locked by another process (%2).</translation>
    </message>
    <message>
        <source>%1 无法建立 (无法在其文件夹中写入)。</source>
        <translation>%1 cannot be created (its folder cannot be written).</translation>
    </message>
    <message>
        <source>%1 不是作业记录: %2</source>
        <translation>%1 is not a job record: %2</translation>
    </message>
    <message>
        <source>%1 的列与本程序的记录不同 (第一行: %2), 不会向其追加。</source>
        <translation>%1 has other columns than this program&apos;s record (first line: %2); nothing is appended to it.</translation>
    </message>
    <message>
        <source>编程器对芯片检测没有任何回答, 连续编程结束。</source>
        <translation>The programmer gave no answer at all to the chip test; the production run ends.</translation>
    </message>
    <message>
        <source>记录无法写入, 连续编程未开始或已结束: %1</source>
        <translation>The record cannot be written; the production run did not start or has ended: %1</translation>
    </message>
    <message>
        <source>已停止</source>
        <translation>stopped</translation>
    </message>
    <message>
        <source>连接中断</source>
        <translation>link lost</translation>
    </message>
    <message>
        <source>编程器无反应</source>
        <translation>Programmer silent</translation>
    </message>
    <message>
        <source>记录无法写入</source>
        <translation>record not written</translation>
    </message>
    <message>
        <source>%1: 熔丝位与锁定的方案不符 (方案 %2, 现在 %3)</source>
        <translation>%1: the fuse bits differ from the locked scheme (scheme %2, now %3)</translation>
    </message>
    <message>
        <source>%1 已改变: 方案 %2, 文件 %3</source>
        <translation>%1 has changed: scheme %2, file %3</translation>
    </message>
    <message>
        <source>为生产锁定 (记录两个文件的 CRC-32 与大小)</source>
        <translation>Lock for production (record the CRC-32 and size of both files)</translation>
    </message>
    <message>
        <source>
每个命令的选项与示例: hvpp-cli 命令 --help
</source>
        <translation>
Each command&apos;s options and an example: hvpp-cli COMMAND --help
</translation>
    </message>
    <message>
        <source>
退出码:
</source>
        <translation>
Exit codes:
</translation>
    </message>
    <message>
        <source>--json 的事件与字段见 %1。</source>
        <translation>The events and fields of --json: %1.</translation>
    </message>
    <message>
        <source>完成 (连续编程: 每一片都通过)</source>
        <translation>done (a production run: every chip passed)</translation>
    </message>
    <message>
        <source>某一步失败 (校验不符, 文件无法载入或已改变, 映像被拒绝, 写入步骤没有数据; 连续编程: 有芯片失败或记录无法写入)</source>
        <translation>a step failed (verify mismatch, a file that cannot be loaded or has changed, a refused image, a write step without data; a production run: a chip failed or the record could not be written)</translation>
    </message>
    <message>
        <source>用法错误</source>
        <translation>usage error</translation>
    </message>
    <message>
        <source>编程器或目标芯片没有应有的回答 (包括连接中断)</source>
        <translation>the programmer or the target chip did not answer as needed (also a lost link)</translation>
    </message>
    <message>
        <source>被 Ctrl-C (SIGINT) 停止, 已输出统计</source>
        <translation>stopped by Ctrl-C (SIGINT), after the totals were printed</translation>
    </message>
    <message>
        <source>被 SIGTERM 停止, 已输出统计</source>
        <translation>stopped by SIGTERM, after the totals were printed</translation>
    </message>
    <message>
        <source>示例:</source>
        <translation>Example:</translation>
    </message>
    <message>
        <source>高压并行 AVR 编程器的命令行</source>
        <translation>command line of the high-voltage parallel AVR programmer</translation>
    </message>
    <message>
        <source>hvpp 高压并行编程器的命令行前端, 与窗口程序使用同一套核心操作。</source>
        <translation>The command-line front end of the hvpp high-voltage parallel programmer; it runs the same core operations as the window.</translation>
    </message>
    <message>
        <source>--json 时每个事件是标准输出上的一行 JSON, 第一个为 start (含 schema 版本), 最后一个为 result; 字段与代码不随语言改变, 见 %1。</source>
        <translation>With --json every event is one JSON line on standard output, &quot;start&quot; (with the schema version) first and &quot;result&quot; last; fields and codes do not change with the language, see %1.</translation>
    </message>
    <message>
        <source>SIGINT (Ctrl-C) 与 SIGTERM 让正在进行的操作在下一步停下; 命令输出已有的结果 (连续编程: 统计), 退出码为 128 加信号编号 (130, 143)。第二次 Ctrl-C 立即结束程序。</source>
        <translation>SIGINT (Ctrl-C) and SIGTERM stop the running operation at its next step; the command prints what it has (a production run: its totals) and exits with 128 plus the signal number (130, 143). A second Ctrl-C ends the program at once.</translation>
    </message>
    <message>
        <source>--json 事件的说明。</source>
        <translation>The description of the --json events.</translation>
    </message>
    <message>
        <source>连续编程记录文件 (--csv FILE) 的锁; 几个工位轮流追加。</source>
        <translation>The lock of a production run&apos;s log file (--csv FILE); several stations take turns appending.</translation>
    </message>
    <message>
        <source>作业记录: 下一个序列号与累计计数, 在方案文件旁 (或设置文件夹的 jobs/ 中)。</source>
        <translation>The job record: the next serial number and the counts so far, beside the scheme file (or in jobs/ of the settings folder).</translation>
    </message>
    <message>
        <source>芯片:</source>
        <translation>Chip:</translation>
    </message>
    <message>
        <source>所选芯片的型号、存储器大小 (字节) 和标识字</source>
        <translation>The selected chip: its type, memory sizes (bytes) and signature</translation>
    </message>
    <message>
        <source>文件:</source>
        <translation>Files:</translation>
    </message>
    <message>
        <source>已载入的FLASH和EEPROM数据的大小</source>
        <translation>The size of the FLASH and EEPROM data loaded</translation>
    </message>
    <message>
        <source>编程器的操作尚未结束。
停止该操作并退出程序吗?</source>
        <translation>The programmer&apos;s operation has not finished yet.
Stop it and quit?</translation>
    </message>
    <message>
        <source>编程器的操作已结束。
退出程序吗?</source>
        <translation>The programmer&apos;s operation has ended.
Quit now?</translation>
    </message>
    <message>
        <source>方案已保存: %1</source>
        <translation>Scheme saved: %1</translation>
    </message>
    <message>
        <source>方案已载入: %1</source>
        <translation>Scheme loaded: %1</translation>
    </message>
    <message>
        <source>脱机编程设置已写入编程器 (%1 字节)。</source>
        <translation>Stand-alone settings written to the programmer (%1 bytes).</translation>
    </message>
    <message>
        <source>脱机编程设置写入失败: 编程器未确认 %1 / %2 字节!</source>
        <translation>Stand-alone settings not written: the programmer did not confirm %1 of %2 bytes!</translation>
    </message>
    <message>
        <source>脱机编程设置已读出: 芯片 %1, 熔丝位 %2, 锁定位 %3。</source>
        <translation>Stand-alone settings read: chip %1, fuse bits %2, lock bits %3.</translation>
    </message>
    <message>
        <source>熔丝数据已存入编程器 (%1 种芯片)。</source>
        <translation>Fuse data stored in the programmer (%1 chips).</translation>
    </message>
    <message>
        <source>熔丝数据存入失败: 编程器未确认 %1 / %2 字节!</source>
        <translation>Fuse data not stored: the programmer did not confirm %1 of %2 bytes!</translation>
    </message>
    <message>
        <source>请点击&lt;退出&gt;关闭本窗口, 然后用工具栏的“检测”确认编程器的回答。</source>
        <translation>Click &lt;Exit&gt; to close this window, then use &quot;Check&quot; on the toolbar to see that the programmer answers.</translation>
    </message>
    <message>
        <source>无目标芯片: 座上无芯片 (标识字读为FF)!</source>
        <translation>No target chip: the socket is empty (the signature reads FF)!</translation>
    </message>
    <message>
        <source>未知芯片</source>
        <translation>unknown chip</translation>
    </message>
    <message>
        <source>座上芯片与所选芯片不符, 未编程。
座上芯片: %1 (标识字 %2)
所选芯片: %3 (标识字 %4)</source>
        <translation>The chip in the socket is not the selected one; nothing was programmed.
In the socket: %1 (signature %2)
Selected: %3 (signature %4)</translation>
    </message>
    <message>
        <source>%1不符的字节 (地址 文件/芯片): %2%3</source>
        <translation>%1 bytes that differ (address file/chip): %2%3</translation>
    </message>
    <message>
        <source>带目标芯片的模拟编程器, 在伪终端上提供服务。
第一行打印终端的路径, 然后一直服务到 SIGINT 或 SIGTERM。
SIGUSR1 重启编程器 (其引导程序以 &quot;B&quot; 报到, 用于固件升级)。
SIGUSR2 取出座上的芯片, 或放入一片同型号的新芯片
(生产运行; 另见 --socket-cycle)。

示例:  hvpp-sim --chip ATMEGA8 --link ./sim-port &amp;
       hvpp-cli --port ./sim-port detect</source>
        <translation>The simulated programmer with a target chip, served on a pseudo-terminal.
Prints the terminal&apos;s path as its first line, then serves it until SIGINT or SIGTERM.
SIGUSR1 restarts the programmer (its loader announces itself with &quot;B&quot;, for the firmware update).
SIGUSR2 takes the chip out of the socket, or puts a fresh one of the same type in
(production runs; also --socket-cycle).

Example:  hvpp-sim --chip ATMEGA8 --link ./sim-port &amp;
          hvpp-cli --port ./sim-port detect</translation>
    </message>
    <message>
        <source>座上的芯片: %1, 或 none。默认: 状态文件中的芯片, 否则 ATMEGA8。</source>
        <translation>The chip in the socket: %1, or none. Default: the state file&apos;s chip, else ATMEGA8.</translation>
    </message>
    <message>
        <source>把 PATH 做成指向终端的符号链接 (退出时删除)。</source>
        <translation>Make PATH a symbolic link to the terminal (removed again at exit).</translation>
    </message>
    <message>
        <source>决定回答节奏的线路速率, 每字符 10 位; 0 = 不限速。默认 115200。</source>
        <translation>Line rate that paces the answers, 10 bits a character; 0 = unpaced. Default 115200.</translation>
    </message>
    <message>
        <source>JSON 状态 (芯片, FLASH, EEPROM, 熔丝位, 锁定位, 设置存储器, 脱机数据, 固件): 启动时存在则读取, 空闲 100 ms 后及退出时写入。</source>
        <translation>JSON state (chip, flash, EEPROM, fuses, lock, settings memory, offline images, firmware): read at start when present, written after 100 ms of idleness and at exit.</translation>
    </message>
    <message>
        <source>把对话写入 FILE: 每次方向改变一行, 毫秒, &lt; (程序发出) 或 &gt; (回答), 字符。</source>
        <translation>Write the conversation to FILE: a line each time the direction changes, milliseconds, &lt; (sent by the program) or &gt; (answered), characters.</translation>
    </message>
    <message>
        <source>一次次取出芯片并放入新芯片: 在座 IN 毫秒, 空座 OUT 毫秒 (用于生产运行)。</source>
        <translation>Take the chip out and put a fresh one in, over and over: IN ms in the socket, OUT ms empty (for production runs).</translation>
    </message>
    <message>
        <source>语言: en (默认) 或 zh。</source>
        <translation>Language: en (the default) or zh.</translation>
    </message>
    <message>
        <source>多余的参数: %1
请看 hvpp-sim --help。</source>
        <translation>unexpected argument: %1
Try hvpp-sim --help.</translation>
    </message>
    <message>
        <source>不认识的芯片 %1 (可选: %2, none)</source>
        <translation>unknown chip %1 (choose from %2, none)</translation>
    </message>
    <message>
        <source>--baud 需要一个 &gt;= 0 的数: %1</source>
        <translation>--baud needs a number &gt;= 0: %1</translation>
    </message>
    <message>
        <source>无法写入记录文件 %1: %2</source>
        <translation>cannot write the trace %1: %2</translation>
    </message>
    <message>
        <source>%1 已存在且不是符号链接; 不予替换</source>
        <translation>%1 exists and is not a symbolic link; not replacing it</translation>
    </message>
    <message>
        <source>无法创建链接 %1</source>
        <translation>cannot create the link %1</translation>
    </message>
    <message>
        <source>线路已断 (断线故障); 终端已关闭</source>
        <translation>the line died (disconnect fault); the terminal is closed</translation>
    </message>
    <message>
        <source>芯片已取出</source>
        <translation>chip taken out</translation>
    </message>
    <message>
        <source>%1 已放入</source>
        <translation>%1 put in</translation>
    </message>
    <message>
        <source>--socket-cycle 需要 IN:OUT 毫秒数, 都 &gt; 0</source>
        <translation>--socket-cycle needs IN:OUT milliseconds, both &gt; 0</translation>
    </message>
    <message>
        <source>无法监视信号: %1</source>
        <translation>cannot watch signals: %1</translation>
    </message>
    <message>
        <source>%1 在 %2%3, %4 波特</source>
        <translation>%1 on %2%3, %4 baud</translation>
    </message>
    <message>
        <source>无芯片</source>
        <translation>no chip</translation>
    </message>
    <message>
        <source>故障: 编程器什么也不回答。</source>
        <translation>Fault: the programmer answers nothing.</translation>
    </message>
    <message>
        <source>故障: 空座 (读出 FF)。</source>
        <translation>Fault: the socket is empty (reads give FF).</translation>
    </message>
    <message>
        <source>故障: 芯片回答这个标识字 (六位十六进制数, 例如 1E9587)。</source>
        <translation>Fault: the chip answers this signature (six hex digits, e.g. 1E9587).</translation>
    </message>
    <message>
        <source>故障: 数据用小写十六进制。</source>
        <translation>Fault: data text in lower-case hex.</translation>
    </message>
    <message>
        <source>故障: 回答分成 N 个字符一段, 段间隔 GAP 毫秒 (默认 60)。</source>
        <translation>Fault: replies in pieces of N characters with GAP ms between them (default gap 60).</translation>
    </message>
    <message>
        <source>故障: 每个回答晚 MS 毫秒开始。</source>
        <translation>Fault: every reply starts MS milliseconds late.</translation>
    </message>
    <message>
        <source>故障: 每第 N 个标记 (! $ ? B) 不发送。</source>
        <translation>Fault: every Nth marker (! $ ? B) is not sent.</translation>
    </message>
    <message>
        <source>故障: 这些地址的 FLASH 字节读出有误: 地址和 FIRST-LAST 范围的列表, 例如 0x10,0x20-0x2F (可重复)。</source>
        <translation>Fault: the flash bytes at these addresses read back wrong: a list of addresses and FIRST-LAST ranges, e.g. 0x10,0x20-0x2F (may be repeated).</translation>
    </message>
    <message>
        <source>故障: 这些地址的 EEPROM 字节读出有误 (同 --corrupt-flash)。</source>
        <translation>Fault: the EEPROM bytes at these addresses read back wrong (as --corrupt-flash).</translation>
    </message>
    <message>
        <source>故障: N 个字符后线路断开 (双向合计)。</source>
        <translation>Fault: the line dies after N characters (both directions).</translation>
    </message>
    <message>
        <source>--%1: 不是数字: %2</source>
        <translation>--%1: not a number: %2</translation>
    </message>
    <message>
        <source>--signature: 需要六位十六进制数: %1</source>
        <translation>--signature: six hexadecimal digits expected: %1</translation>
    </message>
    <message>
        <source>--split: 需要 N[:GAP], N &gt; 0: %1</source>
        <translation>--split: N[:GAP] expected, N &gt; 0: %1</translation>
    </message>
    <message>
        <source>--%1: 需要地址或 FIRST-LAST 范围: %2</source>
        <translation>--%1: addresses or FIRST-LAST ranges expected: %2</translation>
    </message>
    <message>
        <source>编程器无回答、座上无芯片或芯片不受支持时说明是哪一种, 退出码 3。</source>
        <translation>When the programmer does not answer, the socket is empty or the chip is not supported, it says which, exit code 3.</translation>
    </message>
    <message>
        <source>Intel HEX 文件 (*.HEX *.hex);;二进制文件(*.BIN *.bin);;ELF 文件 (*.ELF *.elf *.AXF *.axf);;所有文件 (*)</source>
        <translation>Intel HEX files (*.HEX *.hex);;Binary files (*.BIN *.bin);;ELF files (*.ELF *.elf *.AXF *.axf);;All files (*)</translation>
    </message>
    <message>
        <source>EEPROM文件(*.EEP *.eep);;二进制文件(*.BIN *.bin);;Intel Hex文件(*.HEX *.hex);;ELF 文件 (*.ELF *.elf *.AXF *.axf);;所有文件 (*)</source>
        <translation>EEPROM files (*.EEP *.eep);;Binary files (*.BIN *.bin);;Intel HEX files (*.HEX *.hex);;ELF files (*.ELF *.elf *.AXF *.axf);;All files (*)</translation>
    </message>
    <message>
        <source>FILE 为 Intel HEX、ELF (如 .ELF/.AXF)、.BIN 或 .EEP 文件; --eeprom 按EEPROM文件
载入。映像超出所选芯片 (--chip) 的容量, 或程序为其他芯片编译时退出码为 1。</source>
        <translation>FILE is an Intel HEX, ELF (such as .ELF/.AXF), .BIN or .EEP file; --eeprom loads it as
the EEPROM file. Exit code 1 when the image exceeds the selected chip (--chip) or the program was built for another chip.</translation>
    </message>
    <message>
        <source>扩展地址记录 (类型 %1) 应有 2 个数据字节</source>
        <translation>extended address record (type %1) must have 2 data bytes</translation>
    </message>
    <message>
        <source>地址 %1 超过 64 KB, 芯片没有这么大的存储器</source>
        <translation>address %1 lies beyond 64 KB; no chip has that much memory</translation>
    </message>
    <message>
        <source>FLASH文件中有EEPROM数据 (地址 %1)</source>
        <translation>EEPROM data in a flash file (address %1)</translation>
    </message>
    <message>
        <source>地址 %1 不属于芯片的任何存储器</source>
        <translation>address %1 belongs to none of the chip&apos;s memories</translation>
    </message>
    <message>
        <source>熔丝位</source>
        <translation>fuse</translation>
    </message>
    <message>
        <source>锁定位</source>
        <translation>lock</translation>
    </message>
    <message>
        <source>标识字</source>
        <translation>signature</translation>
    </message>
    <message>
        <source>EEPROM文件中有%1数据 (地址 %2)</source>
        <translation>%1 data in an EEPROM file (address %2)</translation>
    </message>
    <message>
        <source>%1地址 %2 超出范围 (只有 %3 个字节)</source>
        <translation>%1 address %2 out of range (there are only %3 bytes)</translation>
    </message>
    <message>
        <source>标识字数据不完整 (应为 3 个字节)</source>
        <translation>incomplete signature (it has 3 bytes)</translation>
    </message>
    <message>
        <source>文件中只有熔丝位、锁定位或标识字, 没有存储器数据</source>
        <translation>the file holds only fuse, lock or signature bytes, no memory data</translation>
    </message>
    <message>
        <source>%1: 无法识别的文件类型 (可载入 Intel HEX、ELF、二进制 .BIN 与 .EEP 文件), 未载入。</source>
        <translation>%1: unknown file type (Intel HEX, ELF, binary .BIN and .EEP files can be loaded); not loaded.</translation>
    </message>
    <message>
        <source>; 器件 %1</source>
        <translation>; device %1</translation>
    </message>
    <message>
        <source>程序为 %1 编译, 所选芯片为 %2</source>
        <translation>the program was built for %1, the selected chip is %2</translation>
    </message>
    <message>
        <source>警告: %1, 不能写入该芯片!</source>
        <translation>Warning: %1; it cannot be written to this chip!</translation>
    </message>
    <message>
        <source>%1 熔丝位与锁定位未采用: %2。</source>
        <translation>%1 fuse and lock bytes not taken: %2.</translation>
    </message>
    <message>
        <source>%1 熔丝位: %2</source>
        <translation>%1 fuses: %2</translation>
    </message>
    <message>
        <source>ELF 段: %1; 未采用: %2</source>
        <translation>ELF sections: %1; left out: %2</translation>
    </message>
    <message>
        <source>ELF 文件是目标文件 (avr-gcc -c), 不是链接好的程序。</source>
        <translation>The ELF file is an object file (avr-gcc -c), not a linked program.</translation>
    </message>
    <message>
        <source>ELF 文件不是链接好的程序 (文件类型 %1)。</source>
        <translation>The ELF file is not a linked program (file type %1).</translation>
    </message>
    <message>
        <source>ELF 文件没有器件信息 (.note.gnu.avr.deviceinfo), 无法检查程序是否为 %1 编译。</source>
        <translation>The ELF file names no device (.note.gnu.avr.deviceinfo); whether the program was built for %1 could not be checked.</translation>
    </message>
    <message>
        <source>ELF 文件的段 %1 有 %2 个字节 (最多 %3 个)。</source>
        <translation>The ELF file&apos;s section %1 has %2 bytes (at most %3).</translation>
    </message>
    <message>
        <source>熔丝页已重置为 %1 的出厂默认值。</source>
        <translation>The fuse page was reset to the factory defaults of %1.</translation>
    </message>
    <message>
        <source>--port 不能为空 (COMn, 设备路径如 /dev/ttyUSB0, 或 sim)。</source>
        <translation>--port must not be empty (COMn, a device path such as /dev/ttyUSB0, or sim).</translation>
    </message>
    <message>
        <source>%1 只用于内置模拟编程器 (--port sim), 不能用于串口 %2。</source>
        <translation>%1 is only for the built-in simulated programmer (--port sim), not for the serial port %2.</translation>
    </message>
    <message>
        <source>写入危险的熔丝或锁定值 (否则拒绝, 退出码 2)。</source>
        <translation>Write dangerous fuse or lock values (otherwise refused, exit code 2).</translation>
    </message>
    <message>
        <source>未给的扩展字节取芯片默认值; --default 为芯片出厂值。芯片没有的位总按 1 写入。
写入后读回核对, 不符时退出码 1。先列出改变的熔丝选项; 危险的值 (描述文件中
标 * 的选项, SPIEN 不编程, RSTDISBL 或 DWEN 编程) 没有 --force 时拒绝, 退出码 2。</source>
        <translation>An extended byte not given takes the chip default; --default is the chip&apos;s factory value. Bits the chip lacks are always written as 1.
The bytes are read back after the write; a mismatch gives exit code 1. The fuse options that change are listed first; dangerous values (options
marked * in the description file, SPIEN unprogrammed, RSTDISBL or DWEN programmed) are refused without --force, exit code 2.</translation>
    </message>
    <message>
        <source>写入后读回核对。危险的锁定模式没有 --force 时拒绝, 退出码 2。</source>
        <translation>The lock byte is read back after the write. Dangerous lock modes are refused without --force, exit code 2.</translation>
    </message>
    <message>
        <source>offline-upload 需要 --flash FILE 和/或 --eeprom FILE; 清除编程器中的脱机映像用 --clear。</source>
        <translation>offline-upload needs --flash FILE and/or --eeprom FILE; to clear the stand-alone images in the programmer use --clear.</translation>
    </message>
    <message>
        <source>--clear 不能与 --flash 或 --eeprom 同时使用。</source>
        <translation>--clear cannot be used with --flash or --eeprom.</translation>
    </message>
    <message>
        <source>--clear: 只把长度 0 写入编程器 (清除脱机映像)。</source>
        <translation>--clear: only the length 0 is written to the programmer (the stand-alone images are cleared).</translation>
    </message>
    <message>
        <source>清除编程器中的脱机映像 (写入长度 0)。</source>
        <translation>Clear the stand-alone images in the programmer (writes the length 0).</translation>
    </message>
    <message>
        <source>检查通过, 未打开串口。估计编程时间: 约 %1 秒 (%2 波特)。</source>
        <translation>Checks passed; the port was not opened. Estimated programming time: about %1 s (%2 baud).</translation>
    </message>
    <message>
        <source>只检查并列出编程任务与估计时间, 不打开串口。</source>
        <translation>Only check and list the programming job and its estimated time; the port is not opened.</translation>
    </message>
    <message>
        <source>写入危险的熔丝值 (否则拒绝, 退出码 2)。</source>
        <translation>Write dangerous fuse values (otherwise refused, exit code 2).</translation>
    </message>
    <message>
        <source>顺序: 校验标识字, 擦除, 文件重载, 写FLASH, 写EEPROM, 校验FLASH, 校验EEPROM, 熔丝位,
锁定位, 校准字节。选项取 --options, 否则取保存的编程选项, 否则为默认的 1100011010
(擦除, 编程FLASH, 文件重载, 校验标识字, 校验FLASH); 每个开关再勾选一项。
写入或校验某存储器的步骤没有数据 (文件缺失、为空或无法读取) 时, 不发送任何内容,
退出码 1。编程前先检查整个任务 (数据、芯片大小、熔丝描述、方案中的文件),
有问题时什么也不发送。危险的熔丝值 (描述文件中标 * 的选项, 或使芯片无法再用
低压编程的位) 没有 --force 时拒绝, 退出码 2。--dry-run 只检查并列出任务。
--repeat: 连续编程, 每 400 ms 检查一次是否放入芯片, 编程 (及 --serial 序列号) 后
等待取出, 每片输出一行 (并写入 --csv 记录文件), Ctrl-C 结束并输出统计。</source>
        <translation>Order: signature check, erase, reload, write FLASH, write EEPROM, verify FLASH, verify EEPROM, fuses,
lock bits, calibration byte. The options come from --options, else the saved program options, else the default 1100011010
(erase, program FLASH, reload, signature check, verify FLASH); each switch ticks one more.
When a step that writes or verifies a memory has no data (file missing, empty or unreadable), nothing is sent,
exit code 1. The whole job is checked before programming (data, chip size, fuse description, the scheme&apos;s files);
when something is wrong nothing is sent. Dangerous fuse values (options marked * in the description file, or bits that
shut out low-voltage programming) are refused without --force, exit code 2. --dry-run only checks and lists the job.
--repeat: production run, checks every 400 ms for a chip, programs it (and the --serial number), then
waits for it to be taken out; one line per chip (and in the --csv log file); Ctrl-C ends it with a summary.</translation>
    </message>
    <message>
        <source>方案中的映像文件不存在: %1</source>
        <translation>An image file of the scheme does not exist: %1</translation>
    </message>
    <message>
        <source>设置无法保存: %1 不可写。</source>
        <translation>The settings could not be saved: %1 is not writable.</translation>
    </message>
    <message>
        <source>SPIEN 不编程: 芯片将不能再用低压串行编程 (ISP)</source>
        <translation>SPIEN unprogrammed: the chip can no longer be programmed over low-voltage serial programming (ISP)</translation>
    </message>
    <message>
        <source>RSTDISBL 编程: 复位脚变为I/O, 芯片将不能再用低压串行编程 (ISP)</source>
        <translation>RSTDISBL programmed: the reset pin becomes an I/O pin; the chip can no longer be programmed over ISP</translation>
    </message>
    <message>
        <source>DWEN 编程: 复位脚用作debugWIRE, 芯片将不能再用低压串行编程 (ISP)</source>
        <translation>DWEN programmed: the reset pin serves debugWIRE; the chip can no longer be programmed over ISP</translation>
    </message>
    <message>
        <source>选中: %1</source>
        <translation>on: %1</translation>
    </message>
    <message>
        <source>取消: %1</source>
        <translation>off: %1</translation>
    </message>
    <message>
        <source>将要写入的熔丝值改变以下选项:</source>
        <translation>The fuse values to be written change these options:</translation>
    </message>
    <message>
        <source>其中危险的:</source>
        <translation>Dangerous among them:</translation>
    </message>
    <message>
        <source>仍要写入吗?</source>
        <translation>Write them anyway?</translation>
    </message>
    <message>
        <source>危险的熔丝值, 未写入 (确认无误请加 --force): %1</source>
        <translation>Dangerous fuse values, not written (add --force if they are meant): %1</translation>
    </message>
    <message>
        <source>读回核对一致: %1</source>
        <translation>Read back and matching: %1</translation>
    </message>
    <message>
        <source>写入未生效: 写入 %1, 读回 %2。</source>
        <translation>The write did not take: written %1, read back %2.</translation>
    </message>
    <message>
        <source>写入未生效: 写入 %1, 读回 %2 (芯片已加密, 锁定位 %3)。</source>
        <translation>The write did not take: written %1, read back %2 (the chip is locked, lock byte %3).</translation>
    </message>
    <message>
        <source>写入后无法读回核对, 不能确认写入。</source>
        <translation>Could not read back after the write; the write is not confirmed.</translation>
    </message>
    <message>
        <source>串口 %1 正被另一程序使用 (进程 %2), 未打开。一个编程器只能由一个程序使用。</source>
        <translation>The serial port %1 is in use by another program (process %2); not opened. One programmer can serve one program only.</translation>
    </message>
    <message>
        <source>串口 %1 正被另一程序使用, 未打开。一个编程器只能由一个程序使用。</source>
        <translation>The serial port %1 is in use by another program; not opened. One programmer can serve one program only.</translation>
    </message>
    <message>
        <source>无权打开串口 %1。用户须属于拥有该设备的组(%2),例如: sudo usermod -aG %2 $USER,然后重新登录。</source>
        <translation>No permission to open the serial port %1. The user must belong to the group that owns the device (%2), e.g.: sudo usermod -aG %2 $USER, then log in again.</translation>
    </message>
    <message>
        <source>座上芯片 %1 与ELF文件相同, 熔丝页保留ELF文件的熔丝值。</source>
        <translation>The chip in the socket, %1, is the ELF file&apos;s chip: the fuse page keeps the ELF file&apos;s fuse bytes.</translation>
    </message>
    <message>
        <source>%1 已勾选, 但没有%2数据。</source>
        <translation>%1 is ticked, but there is no %2 data.</translation>
    </message>
    <message>
        <source>%1 已勾选, 但文件 %2 未能载入。</source>
        <translation>%1 is ticked, but the file %2 could not be loaded.</translation>
    </message>
    <message>
        <source>%1 已勾选 (文件重载), 但没有%2文件名。</source>
        <translation>%1 is ticked (reload), but there is no %2 file name.</translation>
    </message>
    <message>
        <source>%1数据不是十六进制文本。</source>
        <translation>The %1 data is not hexadecimal text.</translation>
    </message>
    <message>
        <source>%1数据有 %2 字节, 超出所选芯片 %3 的 %4 字节。</source>
        <translation>The %1 data has %2 bytes, more than the %4 bytes of the selected chip %3.</translation>
    </message>
    <message>
        <source>%1 已勾选, 但所选芯片没有熔丝描述文件 (%2)。</source>
        <translation>%1 is ticked, but the selected chip has no fuse description file (%2).</translation>
    </message>
    <message>
        <source>方案中的文件不存在: %1</source>
        <translation>A file of the scheme does not exist: %1</translation>
    </message>
    <message>
        <source>编程未开始, 什么也没有发送:</source>
        <translation>Programming did not start; nothing was sent:</translation>
    </message>
    <message>
        <source>编程任务: 芯片 %1</source>
        <translation>Programming job: chip %1</translation>
    </message>
    <message>
        <source>%1: %2 字节</source>
        <translation>%1: %2 bytes</translation>
    </message>
    <message>
        <source>%1: %2 字节, 文件 %3</source>
        <translation>%1: %2 bytes, file %3</translation>
    </message>
    <message>
        <source>将写入熔丝位: 低字节 %1, 高字节 %2, 扩展字节 %3</source>
        <translation>Fuses to be written: low %1, high %2, extended %3</translation>
    </message>
    <message>
        <source>将写入锁定位: %1</source>
        <translation>Lock byte to be written: %1</translation>
    </message>
    <message>
        <source>序列号: 写入%1地址 %2, 第一个 %3</source>
        <translation>Serial numbers: into %1 at address %2, the first %3</translation>
    </message>
    <message>
        <source>编程已停止。已执行的步骤: %1。芯片未编程完整。</source>
        <translation>Programming stopped. Steps done: %1. The chip is incomplete.</translation>
    </message>
    <message>
        <source>芯片未通过校验, 其后的步骤仍将执行: %1。</source>
        <translation>The chip failed verify; the later steps still run: %1.</translation>
    </message>
    <message>
        <source>危险的熔丝值经确认后写入: %1</source>
        <translation>Dangerous fuse values written after confirmation: %1</translation>
    </message>
    <message>
        <source>危险的熔丝值未确认, 编程未开始, 什么也没有发送。</source>
        <translation>Dangerous fuse values not confirmed; programming did not start, nothing was sent.</translation>
    </message>
    <message>
        <source>危险的熔丝值未确认, 未写入, 什么也没有发送。</source>
        <translation>Dangerous fuse values not confirmed; not written, nothing was sent.</translation>
    </message>
    <message>
        <source>序列号写入地址 (FLASH)</source>
        <translation>serial number address (FLASH)</translation>
    </message>
    <message>
        <source>序列号写入地址 (EEPROM)</source>
        <translation>serial number address (EEPROM)</translation>
    </message>
    <message>
        <source>初始编号 (HEX)</source>
        <translation>initial number (HEX)</translation>
    </message>
    <message>
        <source>目标芯片检查</source>
        <translation>target check</translation>
    </message>
    <message>
        <source>故障: 熔丝位写入回答完成, 但熔丝位保持原值。</source>
        <translation>Fault: a fuse write is answered as done, but the fuses stay as they were.</translation>
    </message>
    <message>
        <source>串口 %1 不能设为低延迟: 编程器的每个回答可能晚到一个USB适配器延迟周期 (常见为16毫秒)。</source>
        <translation>Port %1 cannot be set to low latency: each answer of the programmer may arrive up to one USB adapter latency period late (commonly 16 ms).</translation>
    </message>
    <message>
        <source>读出的数据多于所请求的: 收到 %1 个字符 (应为 %2 个), 缓冲区未改变!</source>
        <translation>The read returned more than asked for: %1 characters received (%2 expected), buffer unchanged!</translation>
    </message>
    <message>
        <source>只收到 %1 个字符 (应为 %2 个)</source>
        <translation>only %1 characters received (%2 expected)</translation>
    </message>
    <message>
        <source>收到 %1 个字符, 多于所请求的 %2 个</source>
        <translation>%1 characters received, more than the %2 asked for</translation>
    </message>
    <message>
        <source>第 %1 个字符不是十六进制数字</source>
        <translation>character %1 is not a hexadecimal digit</translation>
    </message>
    <message>
        <source>%1校验失败, 回答不可用: %2</source>
        <translation>%1 verify failed, the answer is unusable: %2</translation>
    </message>
    <message>
        <source>读取字节失败: %1</source>
        <translation>Reading the byte failed: %1</translation>
    </message>
    <message>
        <source>故障: 线路在每个数据回答前加上 TEXT (\xNN 表示任意字节, 例如 5 或 \x00)。</source>
        <translation>Fault: the line adds TEXT before every data answer (\xNN for any byte, e.g. 5 or \x00).</translation>
    </message>
    <message>
        <source>线路: USB 适配器的延迟定时器; 回答被保留, 每 MS 毫秒放出一次 (FTDI 默认 16)。默认 0。</source>
        <translation>Line: a USB adapter&apos;s latency timer; answers are held and released every MS milliseconds (FTDI default 16). Default 0.</translation>
    </message>
    <message>
        <source>, 适配器延迟 %1 毫秒</source>
        <translation>, adapter latency %1 ms</translation>
    </message>
</context>
</TS>
