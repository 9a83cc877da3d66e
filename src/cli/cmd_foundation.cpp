// check, detect, signature: the connection check and the two signature reads.
#include "cli/cli.h"
#include "core/opcontext.h"
#include "core/texts.h"
#include "link/frames.h"
#include "ops/identify.h"

namespace {

int check(CliContext& ctx) {
    OpContext* c = ctx.openLink();
    if (!c)
        return Exit::NoAnswer;
    bool answered = false;
    const bool ok = runOperation(*c, QStringLiteral("CheckCOM"), [&] {
        c->link.drainInput();
        c->link.sendCommand(Frames::connectionCheck());
        c->link.delayMs(400);
        answered = c->link.bytesAvailable() != 0;
        c->link.logReplyAfterDelay(0, QString());
    });
    return ok && answered ? Exit::Done : Exit::NoAnswer;
}

int detect(CliContext& ctx) {
    OpContext* c = ctx.openLink();
    if (!c)
        return Exit::NoAnswer;
    QString name;
    if (!runOperation(*c, QStringLiteral("SelectMCU"), [&] { name = DetectChip(*c); }))
        return Exit::NoAnswer;
    if (name.isEmpty())
        return Exit::NoAnswer;
    ctx.out.result(name, {{QStringLiteral("chip"), name},
                          {QStringLiteral("signature"), ctx.session.sigLabel}});
    return Exit::Done;
}

int signature(CliContext& ctx) {
    OpContext* c = ctx.openLink();
    if (!c)
        return Exit::NoAnswer;
    QString name;
    if (!runOperation(*c, QStringLiteral("ReadSIG"), [&] { name = ReadSignature(*c); }))
        return Exit::NoAnswer;
    if (name.isEmpty())
        return Exit::NoAnswer;
    ctx.out.result(QString(), {{QStringLiteral("chip"), name},
                               {QStringLiteral("signature"), ctx.session.sigLabel}});
    return Exit::Done;
}

} // namespace

void addFoundationCommands(CliRegistry& r) {
    r.commands << CliCommand{QStringLiteral("check"), QStringLiteral("check"),
                             Texts::tr("连接检查: 发送 CC000000#, 显示编程器的回答或\"编程器无反应!\"。"), check};
    r.commands << CliCommand{QStringLiteral("detect"), QStringLiteral("detect"),
                             Texts::tr("自动识别芯片: 读标识字, 打印芯片型号, 或\"无目标芯片或不支持!\"。"),
                             detect};
    r.commands << CliCommand{QStringLiteral("signature"), QStringLiteral("signature"),
                             Texts::tr("读标识字: 显示座上芯片的型号与标识字 (不改变所选芯片)。"), signature};
}
