// Keeps the source tree's layout true:
//   layoutcheck SRC LAYERS_CMAKE [MAX_LINES [MAX_FUNCTION]]
// - a folder includes only itself and the folders the layer table lists for it (the
//   set(HVPP_LAYER_<folder> ...) lines of cmake/HvppLayers.cmake, the table the build makes
//   its libraries from), and every folder is in that table;
// - no include climbs out of its folder ("../");
// - QtWidgets only in app/;
// - no file has more than MAX_LINES lines (600), no function body more than MAX_FUNCTION (80).
// Prints one "layout: ..." line per problem and exits 1 when there is any.
#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>

namespace {

QStringList problems;

void problem(const QString& text) {
    problems << text;
}

QMap<QString, QStringList> readLayers(const QString& path) {
    QFile f(path);
    QMap<QString, QStringList> layers;
    if (!f.open(QIODevice::ReadOnly))
        return layers;
    static const QRegularExpression row(
        QStringLiteral(R"re(^set\(HVPP_LAYER_(\w+)\s*"?([^")]*)"?\))re"),
        QRegularExpression::MultilineOption);
    auto it = row.globalMatch(QString::fromUtf8(f.readAll()));
    while (it.hasNext()) {
        const auto m = it.next();
        layers[m.captured(1)] = m.captured(2).split(u' ', Qt::SkipEmptyParts);
    }
    return layers;
}

void checkIncludes(const QString& rel, const QString& folder, const QStringList& lines,
                   const QMap<QString, QStringList>& layers) {
    static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s*["<]([^">]*)[">])re"));
    const QStringList below = layers.value(folder);
    for (const QString& line : lines) {
        const auto m = include.match(line);
        if (!m.hasMatch())
            continue;
        const QString path = m.captured(1);
        const QString shown = line.trimmed();
        if (path.contains(QStringLiteral("../"))) {
            problem(QStringLiteral("%1: %2 (no include climbs out of its folder)").arg(rel, shown));
            continue;
        }
        const QString to = path.section(u'/', 0, 0);
        if (!path.contains(u'/') || to == folder)
            continue;
        if (to == QStringLiteral("QtWidgets") && folder != QStringLiteral("app"))
            problem(QStringLiteral("%1: %2 (QtWidgets only in app/)").arg(rel, shown));
        else if (layers.contains(to) && !below.contains(to))
            problem(QStringLiteral("%1: %2 (%3/ may include only: %4)")
                        .arg(rel, shown, folder, below.join(u' ')));
    }
}

// A function's head starts at column 0 (it may run over several lines); its body runs from
// the line that opens it to the "}" at column 0, as the code style writes every function.
void checkFunctions(const QString& rel, const QStringList& lines, int maxFunction) {
    static const QRegularExpression notFunction(
        QStringLiteral(R"re(^(namespace|class|struct|enum|union|extern)\b|^[^(]*=)re"));
    int start = 0;
    QString head;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (start == 0 && !line.isEmpty() && (line[0].isLetter() || line[0] == u'_'))
            head = line;
        if (start == 0 && line.endsWith(u'{') && head.contains(u'(') &&
            !notFunction.match(head).hasMatch() && !line.contains(u';')) {
            start = i + 1;
        } else if (start > 0 && line.startsWith(u'}')) {
            const int length = i - start;
            if (length > maxFunction) {
                QString name = head.section(u'(', 0, 0);
                name = name.section(QRegularExpression(QStringLiteral("[ *&]")), -1);
                problem(QStringLiteral("%1:%2: %3 has %4 lines (more than %5)")
                            .arg(rel)
                            .arg(start)
                            .arg(name)
                            .arg(length)
                            .arg(maxFunction));
            }
            start = 0;
            head.clear();
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: layoutcheck SRC LAYERS_CMAKE [MAX_LINES [MAX_FUNCTION]]\n");
        return 2;
    }
    const QString src = args[1];
    const QMap<QString, QStringList> layers = readLayers(args[2]);
    const int maxLines = args.size() > 3 ? args[3].toInt() : 600;
    const int maxFunction = args.size() > 4 ? args[4].toInt() : 80;
    if (layers.isEmpty()) {
        std::fprintf(stderr, "layout: no layer table in %s\n", qPrintable(args[2]));
        return 2;
    }
    QStringList files;
    QDirIterator it(src, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(src.size() + 1);
    files.sort();
    for (const QString& rel : files) {
        QFile f(src + u'/' + rel);
        if (!f.open(QIODevice::ReadOnly)) {
            problem(QStringLiteral("%1: unreadable").arg(rel));
            continue;
        }
        QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        const QString folder = rel.section(u'/', 0, 0);
        if (!layers.contains(folder))
            problem(QStringLiteral("%1: folder %2/ is not in the layer table").arg(rel, folder));
        if (lines.size() > maxLines)
            problem(QStringLiteral("%1 has %2 lines (more than %3)").arg(rel).arg(lines.size()).arg(maxLines));
        checkIncludes(rel, folder, lines, layers);
        checkFunctions(rel, lines, maxFunction);
    }
    QTextStream out(stdout);
    for (const QString& p : problems)
        out << "layout: " << p << '\n';
    if (!problems.isEmpty()) {
        out << "layout: " << problems.size() << " problem(s)\n";
        return 1;
    }
    out << "layout: " << files.size() << " files checked\n";
    return 0;
}
