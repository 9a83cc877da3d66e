#include "ops/stepcode.h"

#include "core/texts.h"
#include "ops/programsteps.h"

QString stepCaption(const QString& code) {
    // A failed presence test is recorded as what the operator sees: no chip.
    if (code == StepCode::presence)
        return Texts::tr("无目标芯片");
    const QString caption = programStepCaption(programStepFromCode(code));
    return caption.isEmpty() ? code : caption;
}
