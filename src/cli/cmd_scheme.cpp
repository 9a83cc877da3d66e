// scheme-save: a scheme file from the stored setup and the options given, as the window
// saves it. No programmer is needed.
#include "chips/chiptable.h"
#include "cli/cli.h"
#include "cli/cliopts.h"
#include "cli/clioutput.h"
#include "core/texts.h"
#include "fuses/fuseeditor.h"
#include "scheme/scheme.h"
#include "scheme/schemelock.h"
#include "session/session.h"
#include "session/storedsetup.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace {

// An existing file is replaced only when it is a scheme (its first line names a chip):
// a scheme-save never overwrites an image or any other file of the user's.
bool replaceable(const QString& path) {
    QFile f(path);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QString first = QString::fromLatin1(f.readLine(64)).trimmed();
    return ChipTable::contains(first);
}

bool sameFile(const QString& a, const QString& b) {
    return !b.isEmpty() && QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

int schemeSave(CliContext& ctx) {
    Session& s = ctx.session;
    const QString path = ctx.args[0];
    LoadStoredSetup(s, ctx.settings, ctx.globals.chip);
    if (!applyProgramOptions(ctx) || !applyCalOptions(ctx))
        return Exit::Usage;
    if (ctx.isSet("fuse-bits")) {
        const QString bits = ctx.value("fuse-bits").trimmed();
        if (!FuseEditor::isFuseBitText(bits))
            return ctx.usage(
                Texts::tr("--fuse-bits 须为32个字符, 每个为 0、1 或 *, 锁定位第7位在前: %1")
                    .arg(bits));
        s.fuses.ApplyFuseText(bits);
    }
    if (ctx.isSet("flash"))
        s.fileName[0] = ctx.value("flash");
    if (ctx.isSet("eeprom"))
        s.fileName[1] = ctx.value("eeprom");
    if (sameFile(path, s.fileName[0]) || sameFile(path, s.fileName[1]) || !replaceable(path))
        return ctx.usage(Texts::tr("%1 不是方案文件, 不会被覆盖。方案文件名放在选项之外, 如: "
                                   "hvpp-cli scheme-save job.SET --flash app.hex")
                             .arg(path));
    // A scheme names files; one that is not there would fail the job at its start.
    for (const QString& file : s.fileName)
        if (!file.isEmpty() && !QFileInfo::exists(file))
            ctx.out.note(path + QStringLiteral(": ") +
                         Texts::tr("方案中的映像文件不存在: %1").arg(file));
    QString error;
    const bool locked = ctx.isSet("lock");
    if (!SaveSet(s, path, &error, locked)) {
        ctx.out.error(ErrorCode::fileUnwritable, Texts::tr("无法保存方案 %1: %2").arg(path, error));
        return Exit::Failed;
    }
    QStringList lines = SchemeLines(s);
    QStringList lock;
    if (locked)
        SchemeLockLines(s, &lock, nullptr);
    lines += lock;
    ctx.out.result(lines.join(u'\n'),
                   {{QStringLiteral("file"), QFileInfo(path).absoluteFilePath()},
                    {QStringLiteral("locked"), locked},
                    {QStringLiteral("lines"), QJsonArray::fromStringList(lines)}});
    return Exit::Done;
}

} // namespace

void addSchemeCommands(CliTable& t) {
    QList<QCommandLineOption> options{
        fileOption("flash", Texts::tr("FLASH 映像文件 (存为绝对路径)。")),
        fileOption("eeprom", Texts::tr("EEPROM 映像文件 (存为绝对路径)。")),
        QCommandLineOption(QStringLiteral("fuse-bits"),
                           Texts::tr("32位熔丝文本, 锁定位第7位在前。默认: 保存的熔丝设置。"),
                           QStringLiteral("BITS")),
        QCommandLineOption(
            QStringLiteral("lock"),
            Texts::tr("为生产保存: 记录两个文件的 CRC-32 与大小以及熔丝位; 用此方案编程时, "
                      "文件已改变则拒绝。"))};
    options += programOptions();
    options += calOptions();
    t << CliCommand{
        QStringLiteral("scheme-save"),
        QStringLiteral("FILE.SET"),
        1,
        1,
        Texts::tr(
            "保存方案: 芯片、熔丝位、编程选项、两个文件名与校准选项写入方案文件 (不需要编程器)。"),
        Texts::tr("未给出的值取自保存的设置, 与窗口程序启动时相同 (没有保存的编程选项时为默认的\n"
                  "1100011010)。已存在的文件只有是方案文件时才被替换。"),
        QStringLiteral(
            "hvpp-cli --chip ATMEGA8 scheme-save job.SET --flash app.hex --options 1100011010"),
        options,
        schemeSave};
}
