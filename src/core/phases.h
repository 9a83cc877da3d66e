#pragma once
// Names of the long steps whose progress the operations report (Ui::progressBytes): what
// a front end shows beside the bar.
#include "core/texts.h"

namespace Phases {
inline QString writeFlash() {
    return Texts::tr("写FLASH");
}
inline QString verifyFlash() {
    return Texts::tr("校验FLASH");
}
inline QString readFlash() {
    return Texts::tr("读取FLASH");
}
inline QString writeEeprom() {
    return Texts::tr("写EEPROM");
}
inline QString verifyEeprom() {
    return Texts::tr("校验EEPROM");
}
inline QString readEeprom() {
    return Texts::tr("读取EEPROM");
}
inline QString upload() {
    return Texts::tr("上传");
}
inline QString firmware() {
    return Texts::tr("固件");
}
} // namespace Phases
