// hvpp-cli's manual page, made from the command table itself so that it cannot drift from
// --help: a section per command (synopsis, options, example), EXIT STATUS, SIGNALS, FILES.
#include "cli/cli.h"
#include "cli/clisupport.h"
#include "core/texts.h"

namespace {

// Text as roff shows it: backslashes kept, a line never read as a request, hyphens as
// minus signs where they start an option.
QString roff(const QString& text) {
    QString t = text;
    t.replace(u'\\', QStringLiteral("\\e"));
    t.replace(QStringLiteral("--"), QStringLiteral("\\-\\-"));
    QStringList lines = t.split(u'\n');
    for (QString& l : lines)
        if (l.startsWith(u'.') || l.startsWith(u'\''))
            l.prepend(QStringLiteral("\\&"));
    return lines.join(u'\n');
}

QString optionItems(const QList<QCommandLineOption>& options) {
    QString m;
    for (const QCommandLineOption& o : options) {
        QStringList names;
        for (const QString& n : o.names())
            names << QStringLiteral("\\fB") +
                         roff((n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n) +
                         QStringLiteral("\\fR");
        QString head = names.join(QStringLiteral(", "));
        if (!o.valueName().isEmpty())
            head += QStringLiteral(" \\fI") + roff(o.valueName()) + QStringLiteral("\\fR");
        m += QStringLiteral(".TP\n") + head + u'\n' + roff(o.description()) + u'\n';
    }
    return m;
}

QString commandSection(const CliCommand& c) {
    QString m = QStringLiteral(".SS %1\n").arg(c.name);
    m += QStringLiteral(".B hvpp\\-cli\n[\\fIglobal options\\fR] \\fB%1\\fR").arg(roff(c.name));
    if (!c.options.isEmpty())
        m += QStringLiteral(" [\\fIoptions\\fR]");
    if (!c.args.isEmpty())
        m += QStringLiteral(" \\fI") + roff(c.args) + QStringLiteral("\\fR");
    m += QStringLiteral("\n.PP\n") + roff(c.summary) + u'\n';
    if (!c.details.isEmpty())
        m += QStringLiteral(".PP\n") + roff(c.details).replace(u'\n', u' ') + u'\n';
    m += optionItems(c.options);
    m += QStringLiteral(".PP\n") + Texts::tr("示例:") + QStringLiteral("\n.RS\n.nf\n") +
         roff(c.example) + QStringLiteral("\n.fi\n.RE\n");
    return m;
}

} // namespace

QString cliManPage() {
    QString m =
        QStringLiteral(".TH HVPP\\-CLI 1 \"\" \"hvpp " HVPP_VERSION "\" \"User Commands\"\n");
    m += QStringLiteral(".SH NAME\nhvpp\\-cli \\- ") +
         roff(Texts::tr("高压并行 AVR 编程器的命令行")) + u'\n';
    m += QStringLiteral(".SH SYNOPSIS\n.B hvpp\\-cli\n[\\fIglobal options\\fR] \\fIcommand\\fR "
                        "[\\fIoptions\\fR] [\\fIarguments\\fR...]\n");
    m += QStringLiteral(".SH DESCRIPTION\n") +
         roff(Texts::tr("hvpp 高压并行编程器的命令行前端, 与窗口程序使用同一套核心操作。")) + u'\n';
    m += QStringLiteral(".PP\n") +
         roff(Texts::tr("--json 时每个事件是标准输出上的一行 JSON, 第一个为 start (含 schema "
                        "版本), 最后一个为 "
                        "result; 字段与代码不随语言改变, 见 %1。")
                  .arg(jsonContractPath())) +
         u'\n';
    m += QStringLiteral(".SH \"GLOBAL OPTIONS\"\n") + optionItems(cliGlobalOptions());
    m += QStringLiteral(".PP\n.nf\n") + roff(simOptionsHelp()) + QStringLiteral(".fi\n");
    m += QStringLiteral(".SH COMMANDS\n");
    for (const CliCommand& c : cliCommands())
        m += commandSection(c);
    m += QStringLiteral(".SH \"EXIT STATUS\"\n");
    for (const CliExitCode& e : cliExitCodes())
        m += QStringLiteral(".TP\n.B %1\n").arg(e.code) + roff(e.meaning) + u'\n';
    m +=
        QStringLiteral(".SH SIGNALS\n") +
        roff(Texts::tr("SIGINT (Ctrl-C) 与 SIGTERM 让正在进行的操作在下一步停下; "
                       "命令输出已有的结果 (连续编程: "
                       "统计), 退出码为 128 加信号编号 (130, 143)。第二次 Ctrl-C 立即结束程序。")) +
        u'\n';
    m += QStringLiteral(".SH FILES\n.TP\n") + roff(jsonContractPath()) + u'\n' +
         roff(Texts::tr("--json 事件的说明。")) + QStringLiteral("\n.TP\n\\fIFILE\\fR.lock\n") +
         roff(Texts::tr("连续编程记录文件 (--csv FILE) 的锁; 几个工位轮流追加。")) +
         QStringLiteral("\n.TP\n\\fIJOB\\fR.job\n") +
         roff(Texts::tr(
             "作业记录: 下一个序列号与累计计数, 在方案文件旁 (或设置文件夹的 jobs/ 中)。")) +
         u'\n';
    m += QStringLiteral(".SH \"SEE ALSO\"\n.BR hvpp (1),\n.BR hvpp\\-sim (1)\n");
    return m;
}
