#include "fuses/fusedescription.h"

#include "fuses/fusetexts.h"

#include <QSet>
#include <QStringDecoder>

namespace {

bool isUpperHex(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

bool isUpperHexText(QStringView text) {
    for (QChar c : text)
        if (!isUpperHex(c))
            return false;
    return !text.isEmpty();
}

QString decodeDescription(const QByteArray& bytes, QStringList& problems) {
    static const QByteArray utf8Bom("\xEF\xBB\xBF");
    if (bytes.startsWith(utf8Bom)) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        return utf8.decode(bytes.mid(3));
    }
    // Chinese GBK text is practically never valid UTF-8, while UTF-8 text often decodes as
    // GBK without error: a file with non-ASCII bytes that is valid UTF-8 was saved as UTF-8.
    bool ascii = true;
    for (char b : bytes)
        ascii = ascii && uchar(b) < 0x80;
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString asUtf8 = utf8.decode(bytes);
        if (!utf8.hasError()) {
            problems << FuseTexts::notGbkReadAsUtf8();
            return asUtf8;
        }
    }
    QStringDecoder gbk("GBK");
    const QString text = gbk.decode(bytes);
    if (!gbk.hasError())
        return text;
    problems << FuseTexts::notGbk();
    return text;
}

// Lines end with CR LF; a lone CR or LF ends a line too.
QStringList splitLines(const QString& text) {
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines << line;
            line.clear();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

bool isGroupKind(const QString& kind) {
    return kind == u"FDB" || kind == u"FDE" || kind == u"FDL";
}

} // namespace

QString optionKeyProblem(const QString& key) {
    if (key.size() != 14)
        return FuseTexts::keyLength();
    if (key[9] != u'/')
        return FuseTexts::keySlash();
    const QStringView mask = QStringView(key).mid(5, 4);
    const QStringView value = QStringView(key).mid(10, 4);
    if (!isUpperHexText(mask) || !isUpperHexText(value))
        return FuseTexts::keyHex();
    const QString kind = key.left(3);
    const uint m = mask.toUInt(nullptr, 16);
    const uint v = value.toUInt(nullptr, 16);
    if ((kind == u"FSE" || kind == u"FDE" || kind == u"FDL") && (m > 0xFF || v > 0xFF))
        return FuseTexts::keyByteRange();
    if (isGroupKind(kind) && (v & m) != 0)
        return FuseTexts::keyValueOutsideField();
    return QString();
}

bool splitOptionLine(const QString& line, FuseOption* option) {
    const qsizetype brace = line.indexOf(u'{');
    const qsizetype close = line.indexOf(u'>');
    if (brace < 0 || close < brace)
        return false;
    option->text = line.left(brace);
    option->key = line.mid(brace + 1, close - brace - 1);
    option->red = line.endsWith(u'*');
    // A "*" that ends the caption marks the option as well.
    if (option->text.endsWith(u'*')) {
        option->text.chop(1);
        option->red = true;
    }
    return true;
}

FuseDescription parseFuseDescription(const QByteArray& bytes) {
    FuseDescription d;
    const QStringList lines = splitLines(decodeDescription(bytes, d.problems));
    qsizetype n = 0;
    if (n >= lines.size())
        return d;
    // Blanks after the 32 characters are no part of them (editors leave them there).
    QString first = lines[n++];
    while (!first.isEmpty() && (first.back() == u' ' || first.back() == u'\t'))
        first.chop(1);
    if (!FuseEditor::isFuseBitText(first)) {
        d.problems << FuseTexts::badDefault(first.left(40));
        d.refused = true;
        return d;
    }
    d.hasDefault = true;
    d.defaultText = first;
    while (d.names.size() < 32 && n < lines.size())
        d.names << lines[n++];
    while (n < lines.size() && lines[n] != u"##")
        ++n;
    if (n >= lines.size())
        return d;
    ++n; // the first "##"
    QSet<QString> keys;
    int groupCount[3] = {0, 0, 0};
    for (; n < lines.size() && lines[n] != u"##"; ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty())
            continue;
        const int lineNumber = int(n) + 1;
        if (d.options.size() >= FuseEditor::MaxOptions) {
            d.problems << FuseTexts::tooManyOptions(lineNumber, FuseEditor::MaxOptions);
            break;
        }
        FuseOption o;
        if (!splitOptionLine(line, &o)) {
            d.problems << FuseTexts::badOptionLine(lineNumber, line.left(60));
            continue;
        }
        const QString why = optionKeyProblem(o.key);
        if (!why.isEmpty()) {
            d.problems << FuseTexts::badKey(lineNumber, o.key.left(20), why);
            continue;
        }
        if (keys.contains(o.key)) {
            d.problems << FuseTexts::repeatedKey(lineNumber, o.key);
            continue;
        }
        const QString kind = o.key.left(3);
        const int g = kind == u"FDB" ? 0 : kind == u"FDE" ? 1 : kind == u"FDL" ? 2 : -1;
        if (g >= 0 && ++groupCount[g] > FuseEditor::MaxGroupChoices) {
            d.problems << FuseTexts::tooManyChoices(lineNumber, kind, FuseEditor::MaxGroupChoices);
            continue;
        }
        keys.insert(o.key);
        d.options << o;
    }
    return d;
}
