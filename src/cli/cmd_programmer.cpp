// The programmer's own maintenance: store-fuse-table, firmware-mode, firmware-update,
// programmer-eeprom.
#include "cli/cli.h"
#include "cli/clioutput.h"
#include "cli/clitexts.h"
#include "core/phases.h"
#include "core/texts.h"
#include "firmware/firmwareupdate.h"
#include "offline/fusetable.h"
#include "firmware/firmwaretexts.h"
#include "session/opcontext.h"

#include <QFile>
#include <QJsonObject>

namespace {

int storeFuseTable(CliContext& ctx) {
    return ctx.run(OpId::ProgrammerCommand, Need::Programmer,
                   [](OpContext& c) { return StoreFuseTable(c) ? Step::Ok : Step::NoAnswer; });
}

int firmwareMode(CliContext& ctx) {
    return ctx.run(OpId::None, Need::Programmer, [](OpContext& c) {
        EnterFirmwareLoader(c);
        return Step::Ok;
    });
}

int firmwareUpdate(CliContext& ctx) {
    const QString path = ctx.args[0];
    if (!ctx.simArgsFitPort())
        return Exit::Usage;
    OpContext* c = ctx.link();
    if (!c)
        return Exit::NoAnswer;
    FirmwareTransfer t(c->link);
    if (!t.open(path)) { // refused before anything is sent
        ctx.out.error(ErrorCode::fileRefused, t.status(), path);
        return Exit::Failed;
    }
    QObject::connect(&t, &FirmwareTransfer::bytesSentChanged, &t,
                     [&ctx](qint64 sent, qint64 total) {
                         ctx.ui.progressBytes(Progress::Firmware,
                                              Phases::firmware(), sent, total);
                     });
    const int code = ctx.run(OpId::None, Need::Loader, [&](OpContext&) {
        ctx.out.note(t.prompt() + Texts::tr(" (等待编程器的引导程序, 最多10秒)"));
        if (!t.waitForLoader()) {
            ctx.out.error(ErrorCode::noAnswer, t.status(), ctx.portName());
            return Step::NoAnswer;
        }
        if (!ctx.isSet("yes") &&
            !ctx.ui.confirm(Texts::tr("升级固件"),
                            Texts::tr("引导程序已应答。把 %1 (%2 字节) 写入编程器?")
                                .arg(path)
                                .arg(t.imageBytes()))) {
            t.cancel();
            ctx.out.error(ErrorCode::cancelled, Texts::tr("升级已取消, 未发送固件数据。"));
            return Step::Failed;
        }
        ctx.out.logLine(FirmwareTexts::updateStarting());
        if (!t.proceed()) {
            ctx.out.error(ErrorCode::noAnswer, t.status(), ctx.portName());
            return Step::NoAnswer;
        }
        return Step::Ok;
    });
    if (code == Exit::Done)
        ctx.out.result(t.progress(), {{QStringLiteral("bytes"), t.imageBytes()}});
    return code;
}

int programmerEeprom(CliContext& ctx) {
    const QString path = ctx.args[0];
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) { // found before anything is sent
        ctx.out.error(ErrorCode::fileNotFound, f.errorString(), path);
        return Exit::Failed;
    }
    f.close();
    return ctx.run(OpId::None, Need::Programmer, [&](OpContext& c) {
        if (!UpdateProgrammerEepromCheck(c))
            return Step::NoAnswer;
        return UpdateProgrammerEepromFile(c, path) ? Step::Ok : Step::Failed;
    });
}

} // namespace

void addProgrammerCommands(CliTable& t) {
    t << CliCommand{QStringLiteral("store-fuse-table"),
                    {},
                    0,
                    0,
                    Texts::tr("存熔丝数据: 把编程器自己的芯片与熔丝表 (13 种芯片) 写入编程器。"),
                    {},
                    QStringLiteral("hvpp-cli --port /dev/ttyUSB0 store-fuse-table"),
                    {},
                    storeFuseTable};
    t << CliCommand{QStringLiteral("firmware-mode"),
                    {},
                    0,
                    0,
                    Texts::tr("让编程器固件转入引导程序 (FM000000#), 显示其回答。"),
                    {},
                    QStringLiteral("hvpp-cli --port /dev/ttyUSB0 firmware-mode"),
                    {},
                    firmwareMode};
    t << CliCommand{
        QStringLiteral("firmware-update"),
        QStringLiteral("FILE.BIN"),
        1,
        1,
        Texts::tr("升级固件: 等待引导程序应答 \"B\" (10秒), 确认后发送固件。"),
        Texts::tr("提示重启编程器; 引导程序应答后询问确认 (--yes 时不问)。文件须小于 32768 字节。"),
        QStringLiteral("hvpp-cli --port /dev/ttyUSB0 firmware-update new.bin"),
        {QCommandLineOption(QStringLiteral("yes"), Texts::tr("不询问, 直接确认。"))},
        firmwareUpdate};
    t << CliCommand{QStringLiteral("programmer-eeprom"),
                    QStringLiteral("FILE.BIN"),
                    1,
                    1,
                    Texts::tr("升级EEPROM数据: 检查连接后把文件逐字节写入编程器自己的EEPROM。"),
                    {},
                    QStringLiteral("hvpp-cli --port /dev/ttyUSB0 programmer-eeprom data.bin"),
                    {},
                    programmerEeprom};
}
