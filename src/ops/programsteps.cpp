#include "ops/programsteps.h"

#include "core/texts.h"

namespace {

struct StepNames {
    ProgramStep step;
    const char* code;
    const char* caption;
};

const StepNames kNames[] = {
    {ProgramStep::Presence, "presence", QT_TRANSLATE_NOOP("hvpp", "目标芯片检查")},
    {ProgramStep::Signature, "signature", QT_TRANSLATE_NOOP("hvpp", "校验标识字")},
    {ProgramStep::Erase, "erase", QT_TRANSLATE_NOOP("hvpp", "擦除芯片")},
    {ProgramStep::ReloadFlash, "reload_flash", QT_TRANSLATE_NOOP("hvpp", "文件重载")},
    {ProgramStep::ReloadEeprom, "reload_eeprom", QT_TRANSLATE_NOOP("hvpp", "文件重载")},
    {ProgramStep::WriteFlash, "write_flash", QT_TRANSLATE_NOOP("hvpp", "编程FLASH")},
    {ProgramStep::WriteEeprom, "write_eeprom", QT_TRANSLATE_NOOP("hvpp", "编程EEPROM")},
    {ProgramStep::VerifyFlash, "verify_flash", QT_TRANSLATE_NOOP("hvpp", "校验FLASH")},
    {ProgramStep::VerifyEeprom, "verify_eeprom", QT_TRANSLATE_NOOP("hvpp", "校验EEPROM")},
    {ProgramStep::WriteFuses, "write_fuses", QT_TRANSLATE_NOOP("hvpp", "编程熔丝位")},
    {ProgramStep::WriteLock, "write_lock", QT_TRANSLATE_NOOP("hvpp", "编程锁定位")},
    {ProgramStep::Calibration, "calibration", QT_TRANSLATE_NOOP("hvpp", "写校准字节")},
    {ProgramStep::Serial, "serial", QT_TRANSLATE_NOOP("hvpp", "写序列号")},
};

} // namespace

QString programStepCode(ProgramStep step) {
    for (const StepNames& n : kNames)
        if (n.step == step)
            return QString::fromLatin1(n.code);
    return QString();
}

ProgramStep programStepFromCode(const QString& code) {
    for (const StepNames& n : kNames)
        if (code == QLatin1String(n.code))
            return n.step;
    return ProgramStep::None;
}

QString programStepCaption(ProgramStep step) {
    for (const StepNames& n : kNames)
        if (n.step == step)
            return Texts::tr(n.caption);
    return QString();
}
