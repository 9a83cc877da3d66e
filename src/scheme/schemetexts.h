#pragma once
// The refusals of the scheme writer. The Chinese text is the source text of each
// translation.
#include "core/texts.h"

namespace SchemeTexts {
HVPP_TEXTS(hvpp)
inline QString notGbk() {
    return tr("方案中有无法用 GBK 编码保存的字符: %1");
}
inline QString lineBreakInValue() {
    return tr("方案中的值含有换行符: %1");
}
} // namespace SchemeTexts
