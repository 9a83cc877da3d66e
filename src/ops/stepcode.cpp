#include "ops/stepcode.h"

#include "core/texts.h"
#include "ops/program.h"

QString failedStepCode(const ProgramOutcome& o, const Session&) {
    return o.failedCode();
}

QString stepCaption(const QString& code) {
    static const struct {
        const QString& code;
        const char* caption;
    } captions[] = {
        {StepCode::presence, QT_TRANSLATE_NOOP("hvpp", "无目标芯片")},
        {StepCode::signature, QT_TRANSLATE_NOOP("hvpp", "校验标识字")},
        {StepCode::erase, QT_TRANSLATE_NOOP("hvpp", "擦除芯片")},
        {StepCode::reloadFlash, QT_TRANSLATE_NOOP("hvpp", "文件重载")},
        {StepCode::reloadEeprom, QT_TRANSLATE_NOOP("hvpp", "文件重载")},
        {StepCode::writeFlash, QT_TRANSLATE_NOOP("hvpp", "编程FLASH")},
        {StepCode::writeEeprom, QT_TRANSLATE_NOOP("hvpp", "编程EEPROM")},
        {StepCode::verifyFlash, QT_TRANSLATE_NOOP("hvpp", "校验FLASH")},
        {StepCode::verifyEeprom, QT_TRANSLATE_NOOP("hvpp", "校验EEPROM")},
        {StepCode::writeFuses, QT_TRANSLATE_NOOP("hvpp", "编程熔丝位")},
        {StepCode::writeLock, QT_TRANSLATE_NOOP("hvpp", "编程锁定位")},
        {StepCode::calibration, QT_TRANSLATE_NOOP("hvpp", "写校准字节")},
        {StepCode::serial, QT_TRANSLATE_NOOP("hvpp", "写序列号")},
    };
    for (const auto& c : captions)
        if (c.code == code)
            return Texts::tr(c.caption);
    return code;
}
