#pragma once
// The per-user settings store. Every key the program reads or writes is named here, with
// its default. QSettings underneath: the registry on Windows, an INI file elsewhere, or
// the INI file given with --settings.
#include <QString>
#include <memory>

class QSettings;

namespace SettingsKeys {
// section, key
inline const char* const Serial[] = {"属性", "设置"};
inline const char* const PortNumber[] = {"属性", "通信端口"};
inline const char* const FlowControl[] = {"属性", "握手"};
inline const char* const Echo[] = {"属性", "回应"};
inline const char* const ChipModel[] = {"芯片", "型号"};
inline const char* const FuseBits[] = {"熔丝", "设置"};
inline const char* const ProgramOptions[] = {"编程选项", "设置"};
inline const char* const FlashFile[] = {"文件", "FLASH"};
inline const char* const EepromFile[] = {"文件", "EEPROM"};
inline const char* const CalFrequency[] = {"校准", "HZ"};
inline const char* const CalTarget[] = {"校准", "FE"};
inline const char* const CalFlashAddress[] = {"校准", "FLASH"};
inline const char* const CalEepromAddress[] = {"校准", "EEPROM"};
// The port name as typed (device path or "sim"): where a port number is no name for it.
inline const char* const PortName[] = {"属性", "端口名"};
// The offline page ("脱机选项"), kept so that the next run starts from the values last used.
inline const char* const OfflineSteps[] = {"脱机", "步骤"};               // eight "0"/"1", box 0 first
inline const char* const OfflineCalTarget[] = {"脱机", "校准目标"};       // "FLASH" / "EEPROM"
inline const char* const OfflineCalSlot[] = {"脱机", "校准字节"};         // 0..3 (OA1..OA4)
inline const char* const OfflineCalFlashAddress[] = {"脱机", "校准FLASH地址"};   // hex
inline const char* const OfflineCalEepromAddress[] = {"脱机", "校准EEPROM地址"}; // hex
inline const char* const OfflineSerialTarget[] = {"脱机", "序列号目标"};  // "FLASH" / "EEPROM"
inline const char* const OfflineSerialFlashAddress[] = {"脱机", "序列号FLASH地址"};
inline const char* const OfflineSerialEepromAddress[] = {"脱机", "序列号EEPROM地址"};
inline const char* const OfflineIncrement[] = {"脱机", "自动增量"};       // decimal 0..255
inline const char* const OfflineInitial[] = {"脱机", "初始编号"};         // hex, at most 8 digits
} // namespace SettingsKeys

class SettingsStore {
public:
    // iniFile empty: the platform's per-user store under the application's name.
    explicit SettingsStore(const QString& iniFile = QString());
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString read(const char* const key[2], const QString& fallback = QString()) const;
    void write(const char* const key[2], const QString& value);
    // Writes what was changed to the store; false when it could not be written (a file
    // without write permission, a full disk).
    bool sync();
    QString fileName() const;

    // Typed reads with the documented defaults.
    QString serialSettings() const; // "115200,n,8,1" when empty
    QString calFlashAddress() const { return read(SettingsKeys::CalFlashAddress, QStringLiteral("8191")); }
    QString calEepromAddress() const { return read(SettingsKeys::CalEepromAddress, QStringLiteral("511")); }
    int calFrequency() const; // lenient, 0 when empty
    int calTarget() const;

    static const QString& applicationName();

private:
    std::unique_ptr<QSettings> m_settings;
};

// Leading decimal digits of text as a number; empty or no digits give 0 (after an
// optional sign and leading blanks).
qint64 lenientDecimal(const QString& text);
