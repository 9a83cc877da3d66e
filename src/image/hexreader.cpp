#include "image/hexreader.h"

#include "image/imagetexts.h"

#include <QCoreApplication>
#include <vector>

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool isBlank(const QByteArray& line) {
    for (char c : line)
        if (c != ' ' && c != '\t')
            return false;
    return true;
}

struct Record {
    int type = 0;
    int address = 0;
    QByteArray data;
};

// One line (its line end removed) as a record, or the reason it is none.
QString parseRecord(const QByteArray& line, Record& r) {
    if (line[0] != ':')
        return ImageTexts::hexNoColon();
    // The count says how long the record is; what stands beyond it is not the record's.
    const int count = line.size() >= 3 && hexValue(line[1]) >= 0 && hexValue(line[2]) >= 0
                          ? hexValue(line[1]) * 16 + hexValue(line[2])
                          : 0;
    const qsizetype wanted = 2 * (qsizetype(count) + 5); // digits after the colon
    for (qsizetype i = 1; i < line.size() && i <= wanted; ++i) {
        if (hexValue(line[i]) < 0)
            return ImageTexts::hexNotDigit(int(i) + 1);
    }
    const qsizetype digits = line.size() - 1;
    if (digits < 10) // count, address, type and checksum
        return ImageTexts::hexShortRecord();
    auto byteAt = [&line](qsizetype i) {
        return hexValue(line[1 + 2 * i]) * 16 + hexValue(line[2 + 2 * i]);
    };
    if (digits < wanted)
        return ImageTexts::hexCountMismatch(count, int(digits / 2) - 5);
    if (digits > wanted)
        return ImageTexts::hexTrailing(count);
    quint8 sum = 0;
    for (int i = 0; i < count + 5; ++i)
        sum = quint8(sum + byteAt(i));
    if (sum != 0)
        return ImageTexts::hexChecksum();
    r.type = byteAt(3);
    r.address = byteAt(1) * 256 + byteAt(2);
    r.data.resize(count);
    for (int i = 0; i < count; ++i)
        r.data[i] = char(byteAt(4 + i));
    if (r.type > 5)
        return ImageTexts::hexType(r.type);
    return QString();
}

HexReadResult fail(int line, const QString& reason) {
    HexReadResult r;
    r.line = line;
    r.reason = reason;
    return r;
}

} // namespace

HexReadResult ReadIntelHex(const QByteArray& content, int limitBytes) {
    QByteArray image;
    std::vector<bool> given(size_t(qMax(0, limitBytes)), false);
    int dataRecords = 0;
    bool end = false;
    int lineNo = 0;
    qsizetype pos = 0;
    while (pos < content.size() && !end) {
        qsizetype eol = content.indexOf('\n', pos);
        if (eol < 0)
            eol = content.size();
        QByteArray line = content.mid(pos, eol - pos);
        pos = eol + 1;
        ++lineNo;
        if (line.endsWith('\r'))
            line.chop(1);
        if (lineNo % 256 == 0)
            QCoreApplication::processEvents(); // a large file leaves the window live
        if (isBlank(line))
            continue;
        Record rec;
        const QString why = parseRecord(line, rec);
        if (!why.isEmpty())
            return fail(lineNo, why);
        switch (rec.type) {
        case 0: {
            const qint64 last = qint64(rec.address) + rec.data.size(); // one past
            if (last > limitBytes)
                return fail(lineNo,
                            ImageTexts::hexBeyondLimit(rec.address, int(last - 1), limitBytes));
            for (int i = 0; i < rec.data.size(); ++i) {
                const int a = rec.address + i;
                if (given[size_t(a)])
                    return fail(lineNo, ImageTexts::hexOverlap(a));
                given[size_t(a)] = true;
            }
            if (image.size() < last)
                image.append(QByteArray(last - image.size(), '\xFF'));
            for (int i = 0; i < rec.data.size(); ++i)
                image[rec.address + i] = rec.data[i];
            if (!rec.data.isEmpty())
                ++dataRecords;
            break;
        }
        case 1:
            end = true;
            break;
        case 2:
        case 4:
            // A base address other than 0 would put the data beyond 64 KB (linear) or
            // somewhere the 16-bit offsets do not say (segment): no chip here has that.
            if (rec.data.size() != 2 || rec.data != QByteArray(2, '\0'))
                return fail(lineNo, ImageTexts::hexExtendedAddress(rec.type));
            break;
        default: // 03, 05: start address, nothing to load
            break;
        }
    }
    if (dataRecords == 0)
        return fail(0, ImageTexts::hexNoData());
    HexReadResult r;
    r.ok = true;
    r.bytes = image;
    r.sawEndRecord = end;
    return r;
}
