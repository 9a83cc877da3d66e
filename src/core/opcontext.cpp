#include "core/opcontext.h"

#include "core/texts.h"
#include "link/linkerror.h"

#include <exception>

bool runOperation(OpContext& c, const QString& control, const std::function<void()>& body) {
    Link::Busy busy(c.link);
    if (!control.isEmpty())
        c.ui.setControlEnabled(control, false);
    bool ok = true;
    try {
        body();
    } catch (const LinkError& e) {
        ok = false;
        c.ui.warning(Texts::warningTitle(), e.text());
    } catch (const std::exception& e) {
        ok = false;
        c.ui.warning(Texts::warningTitle(), QString::fromLocal8Bit(e.what()));
    }
    if (!control.isEmpty())
        c.ui.setControlEnabled(control, true);
    return ok;
}
