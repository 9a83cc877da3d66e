#include "cli/cliopts.h"

#include "cli/cli.h"
#include "cli/clioutput.h"
#include "cli/clitexts.h"
#include "core/settings.h"
#include "core/texts.h"
#include "session/session.h"
#include "session/storedsetup.h"

namespace {

struct OptionSwitch {
    const char* name;
    int index;
    const char* help;
};

// One named switch per program option, in the order of the option indexes.
const OptionSwitch kSwitches[] = {
    {"erase", OptErase, QT_TRANSLATE_NOOP("hvpp", "选项0 擦除芯片")},
    {"write-flash", OptWriteFlash, QT_TRANSLATE_NOOP("hvpp", "选项1 编程FLASH")},
    {"write-eeprom", OptWriteEeprom, QT_TRANSLATE_NOOP("hvpp", "选项2 编程EEPROM")},
    {"write-fuses", OptWriteFuses, QT_TRANSLATE_NOOP("hvpp", "选项3 编程熔丝位")},
    {"write-lock", OptWriteLock, QT_TRANSLATE_NOOP("hvpp", "选项4 编程锁定位")},
    {"reload", OptReloadFiles, QT_TRANSLATE_NOOP("hvpp", "选项5 文件重载")},
    {"check-signature", OptCheckSignature, QT_TRANSLATE_NOOP("hvpp", "选项6 校验标识字")},
    {"calibration", OptCalibration, QT_TRANSLATE_NOOP("hvpp", "选项7 写校准字节")},
    {"verify-flash", OptVerifyFlash, QT_TRANSLATE_NOOP("hvpp", "选项8 校验FLASH")},
    {"verify-eeprom", OptVerifyEeprom, QT_TRANSLATE_NOOP("hvpp", "选项9 校验EEPROM")},
};

} // namespace

QString designedOptions() {
    return designedProgramOptions();
}

QCommandLineOption fileOption(const char* name, const QString& help) {
    return QCommandLineOption(QString::fromLatin1(name), help, QStringLiteral("FILE"));
}

QList<QCommandLineOption> programOptions() {
    QList<QCommandLineOption> o;
    o << QCommandLineOption(QStringLiteral("options"),
                            Texts::tr("10位编程选项, 第0项在前 (如 1100011010)。"),
                            QStringLiteral("DIGITS"));
    for (const OptionSwitch& sw : kSwitches)
        o << QCommandLineOption(QString::fromLatin1(sw.name),
                                Texts::tr("再勾选 ") + Texts::tr(sw.help));
    return o;
}

QList<QCommandLineOption> calOptions() {
    return {
        QCommandLineOption(QStringLiteral("cal-slot"),
                           Texts::tr("校准字节槽 0..3 或 1MHz/2MHz/4MHz/8MHz。"),
                           QStringLiteral("K")),
        QCommandLineOption(QStringLiteral("cal-target"),
                           Texts::tr("校准字节写入 flash 或 eeprom。"), QStringLiteral("MEMORY")),
        QCommandLineOption(QStringLiteral("cal-address"),
                           Texts::tr("校准字节写入的字节地址 (十进制)。"), QStringLiteral("N"))};
}

bool applyProgramOptions(CliContext& ctx) {
    Session& s = ctx.session;
    const QString stored = ctx.settings.read(SettingsKeys::ProgramOptions);
    if (ctx.isSet("options")) {
        const QString digits = ctx.value("options");
        if (digits.size() != 10 || digits.count(u'0') + digits.count(u'1') != 10) {
            ctx.usage(CliTexts::optionsDigits());
            return false;
        }
        s.setOptionsText(digits);
    } else if (stored.size() == 10) {
        s.setOptionsText(stored);
    } else {
        s.setOptionsText(designedOptions());
    }
    for (const OptionSwitch& sw : kSwitches)
        if (ctx.isSet(sw.name))
            s.options[sw.index] = true;
    return true;
}

bool applyCalOptions(CliContext& ctx) {
    CalibrationPanel& cal = ctx.session.cal;
    if (ctx.isSet("cal-slot")) {
        const QString v = ctx.value("cal-slot").trimmed().toUpper();
        static const char* const names[] = {"1MHZ", "2MHZ", "4MHZ", "8MHZ"};
        int found = -1;
        for (int k = 0; k < 4; ++k)
            if (v == QString::number(k) || v == QLatin1String(names[k]))
                found = k;
        if (found < 0) {
            ctx.usage(CliTexts::calSlotWords());
            return false;
        }
        cal.pickedSlot = found;
    }
    if (ctx.isSet("cal-target")) {
        const QString v = ctx.value("cal-target").trimmed().toLower();
        if (v != u"flash" && v != u"eeprom") {
            ctx.usage(CliTexts::calTargetWords());
            return false;
        }
        cal.target = v == u"eeprom" ? 1 : 0;
    }
    if (ctx.isSet("cal-address")) {
        const QString v = ctx.value("cal-address").trimmed();
        const qint32 max = cal.target == 1 ? cal.eepromMax : cal.flashMax;
        bool ok = !v.isEmpty() && v.size() <= 10;
        for (QChar ch : v)
            ok = ok && ch >= u'0' && ch <= u'9';
        if (!ok || v.toLongLong() > max) {
            ctx.usage(Texts::tr("--cal-address 须为 0..%1 的十进制地址。").arg(max));
            return false;
        }
        (cal.target == 1 ? cal.eepromAddress : cal.flashAddress) = QString::number(v.toLongLong());
    }
    return true;
}
