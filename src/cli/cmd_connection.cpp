// check, detect, signature: the connection check and the two signature reads.
#include "cli/cli.h"
#include "cli/clioutput.h"
#include "core/texts.h"
#include "link/answer.h"
#include "link/frames.h"
#include "ops/identify.h"
#include "session/opcontext.h"

#include <QJsonObject>

namespace {

int check(CliContext& ctx) {
    QString answer;
    const int code = ctx.run(OpId::CheckConnection, Need::Programmer, [&](OpContext& c) {
        c.link.drainInput();
        c.link.sendCommand(Frames::connectionCheck());
        c.link.delayMs(400);
        if (c.link.bytesAvailable() == 0) {
            c.link.logReplyAfterDelay(0, QString());
            return Step::NoAnswer;
        }
        answer = c.link.readText();
        c.log(explainAnswer(printableText(answer)));
        return Step::Ok;
    });
    if (code == Exit::Done) { // the log shows the answer; -q prints it as the result
        ctx.out.resultLine(answer.trimmed());
        ctx.out.result(QString(), {{QStringLiteral("answer"), answer}});
    }
    return code;
}

// detect selects the chip that answers (for this command only); signature leaves the
// selected chip alone.
int identify(CliContext& ctx, bool select) {
    QString name;
    const int code = ctx.run(select ? OpId::DetectChip : OpId::ReadSignature, Need::Programmer,
                             [&](OpContext& c) {
                                 name = select ? DetectChip(c) : ReadSignature(c);
                                 return name.isEmpty() ? Step::NoAnswer : Step::Ok;
                             });
    if (code == Exit::Done)
        ctx.out.result(
            select ? name : ctx.session.sigLabel,
            {{QStringLiteral("chip"), name}, {QStringLiteral("signature"), ctx.session.sigLabel}});
    return code;
}

} // namespace

void addConnectionCommands(CliTable& t) {
    t << CliCommand{QStringLiteral("check"),
                    {},
                    0,
                    0,
                    Texts::tr("连接检查: 发送 CC000000#, 显示编程器的回答。"),
                    Texts::tr("编程器无回答时输出 \"编程器无反应!\", 退出码 3。"),
                    QStringLiteral("hvpp-cli --port /dev/ttyUSB0 check"),
                    {},
                    check};
    t << CliCommand{QStringLiteral("detect"),
                    {},
                    0,
                    0,
                    Texts::tr("自动识别芯片: 读标识字, 打印芯片型号。"),
                    Texts::tr("编程器无回答、座上无芯片或芯片不受支持时说明是哪一种, 退出码 3。"),
                    QStringLiteral("hvpp-cli --port sim --sim-chip ATMEGA32 detect"),
                    {},
                    [](CliContext& c) { return identify(c, true); }};
    t << CliCommand{QStringLiteral("signature"),
                    {},
                    0,
                    0,
                    Texts::tr("读标识字: 显示座上芯片的型号与标识字 (不改变所选芯片)。"),
                    {},
                    QStringLiteral("hvpp-cli --port sim signature"),
                    {},
                    [](CliContext& c) { return identify(c, false); }};
}
