#pragma once
// Texts of the link and the shell that several subsystems share. The Chinese text is the
// source text of each translation.
#include <QCoreApplication>
#include <QString>

// Gives a namespace of texts its tr(), translating in the context "hvpp". lupdate reads the
// macro as Q_DECLARE_TR_FUNCTIONS (scripts/update-translations.sh runs it with
// -tr-function-alias Q_DECLARE_TR_FUNCTIONS+=HVPP_TEXTS), so it files the texts under the
// same context.
#define HVPP_TEXTS(context)                                                                        \
    inline QString tr(const char* source) {                                                        \
        return QCoreApplication::translate(#context, source);                                      \
    }

namespace Texts {
HVPP_TEXTS(hvpp)
inline QString noAnswer() { return tr("编程器无反应!"); }
inline QString noTarget() { return tr("无目标芯片或无连接!"); }
inline QString unsupportedChip() { return tr("无目标芯片或不支持!"); }
inline QString serialWarningTitle() { return tr("警告提示　　　　　"); }
inline QString warningTitle() { return tr("警告提示　　　　　"); }
inline QString stopped() { return tr("操作已中止。"); }
inline QString linkBusy() { return tr("另一操作正在进行中，本操作未执行!"); }
inline QString settingsNotWritten(const QString& file) {
    return tr("设置无法保存: %1 不可写。").arg(file);
}
} // namespace Texts
