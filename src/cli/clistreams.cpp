#include "cli/clistreams.h"

#include "cli/cli.h"
#include "cli/clioutput.h"
#include "core/texts.h"
#include "image/saver.h"

#include <QFile>
#include <QTemporaryFile>
#include <cstdio>

namespace {

// Standard input is read whole; an image is far smaller than this.
constexpr qint64 kMaxInput = 64 * 1024 * 1024;

QString formatSuffix(CliContext& ctx, bool forOutput) {
    const QString f = ctx.value("format").trimmed().toLower();
    if (f == u"hex")
        return QStringLiteral(".hex");
    if (f == u"bin")
        return QStringLiteral(".bin");
    if (f == u"elf" && !forOutput)
        return QStringLiteral(".elf");
    ctx.usage(forOutput ? Texts::tr("输出为 - (标准输出) 时须给出 --format hex 或 --format bin。")
                        : Texts::tr("输入为 - (标准输入) 时须给出 --format hex、bin 或 elf。"));
    return QString();
}

} // namespace

QCommandLineOption formatOption() {
    return QCommandLineOption(QStringLiteral("format"),
                              Texts::tr("文件为 - (标准输入或标准输出) 时的格式。"),
                              QStringLiteral("hex|bin|elf"));
}

QString streamInput(CliContext& ctx, const QString& path) {
    if (!isStream(path))
        return path;
    const QString suffix = formatSuffix(ctx, false);
    if (suffix.isEmpty())
        return QString();
    QFile in;
    QByteArray bytes;
    if (in.open(stdin, QIODevice::ReadOnly))
        bytes = in.read(kMaxInput + 1);
    auto temp = std::make_unique<QTemporaryFile>(QStringLiteral("hvpp-stdin-XXXXXX") + suffix);
    if (bytes.size() > kMaxInput || !temp->open() || temp->write(bytes) != bytes.size() ||
        !temp->flush()) {
        ctx.out.error(ErrorCode::fileRefused, Texts::tr("标准输入无法读取。"), path);
        return QString();
    }
    temp->close();
    const QString name = temp->fileName();
    ctx.temporaries.push_back(std::move(temp));
    return name;
}

int claimStdout(CliContext& ctx, const QString& path) {
    if (!isStream(path))
        return -1;
    if (ctx.globals.json)
        return ctx.usage(Texts::tr("--json 的事件写在标准输出上, 不能再把数据写到 - 。"));
    if (formatSuffix(ctx, true).isEmpty())
        return Exit::Usage;
    ctx.out.textToStderr();
    return -1;
}

bool writeImageTo(CliContext& ctx, const QString& path, const QString& image, QString* error) {
    if (!isStream(path))
        return WriteImageFile(path, image, error);
    QTemporaryFile temp(QStringLiteral("hvpp-stdout-XXXXXX") + formatSuffix(ctx, true));
    if (!temp.open()) {
        *error = temp.errorString();
        return false;
    }
    temp.close();
    if (!WriteImageFile(temp.fileName(), image, error))
        return false;
    QFile back(temp.fileName());
    if (!back.open(QIODevice::ReadOnly)) {
        *error = back.errorString();
        return false;
    }
    ctx.out.writeData(back.readAll());
    return true;
}
