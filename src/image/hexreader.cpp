#include "image/hexreader.h"

#include "image/imagetexts.h"

#include <QCoreApplication>
#include <algorithm>
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

// The bytes of one address space as the records give them.
struct Area {
    int limit;
    QByteArray bytes; // FF where no record gave a byte
    std::vector<bool> given;
    explicit Area(int limitBytes) : limit(qMax(0, limitBytes)), given(size_t(limit), false) {}
    bool any() const { return !bytes.isEmpty(); }
};

// The data records of a file, placed into the spaces they address.
class Placer {
  public:
    Placer(bool eepromFile, int limit)
        : memory(limit), fuse(AvrSpace::FuseBytes), lock(AvrSpace::LockBytes),
          signature(AvrSpace::SignatureBytes), m_eepromFile(eepromFile) {}

    // "" when the bytes were placed, else the reason.
    QString take(quint32 address, const QByteArray& data) {
        if (address < AvrSpace::Memory)
            return put(memory, address, 0, data, QString());
        if (address < AvrSpace::Data)
            return ImageTexts::hexBeyond64k(address);
        switch ((address - AvrSpace::Data) / AvrSpace::Size) {
        case 1:
            if (!m_eepromFile)
                return ImageTexts::hexEepromInFlashFile(address);
            return put(memory, address, AvrSpace::Eeprom, data, QString());
        case 2:
            return beside(fuse, address, AvrSpace::Fuse, data, ImageTexts::fuseBytesName());
        case 3:
            return beside(lock, address, AvrSpace::Lock, data, ImageTexts::lockByteName());
        case 4:
            return beside(signature, address, AvrSpace::Signature, data,
                          ImageTexts::signatureName());
        default: // RAM, user rows and whatever else: nothing a chip here is programmed with
            return ImageTexts::hexNoMemory(address);
        }
    }

    Area memory;
    Area fuse;
    Area lock;
    Area signature;

  private:
    QString beside(Area& area, quint32 address, quint32 space, const QByteArray& data,
                   const QString& what) {
        if (m_eepromFile)
            return ImageTexts::hexNotInEepromFile(what, address);
        return put(area, address, space, data, what);
    }

    // Puts data at address - space of area. what: "" for the memory itself.
    static QString put(Area& area, quint32 address, quint32 space, const QByteArray& data,
                       const QString& what) {
        const qint64 at = qint64(address) - space;
        const qint64 last = at + data.size() - 1;
        if (last >= area.limit) {
            if (what.isEmpty())
                return ImageTexts::hexBeyondLimit(int(at), int(last), area.limit);
            return ImageTexts::hexSpaceBeyond(what, address, area.limit);
        }
        for (int i = 0; i < data.size(); ++i) {
            if (area.given[size_t(at + i)])
                return ImageTexts::hexOverlap(int(address) + i);
            area.given[size_t(at + i)] = true;
        }
        if (area.bytes.size() <= last)
            area.bytes.append(QByteArray(last + 1 - area.bytes.size(), '\xFF'));
        area.bytes.replace(at, data.size(), data);
        return QString();
    }

    bool m_eepromFile;
};

HexReadResult fail(int line, const QString& reason) {
    HexReadResult r;
    r.line = line;
    r.reason = reason;
    return r;
}

// The next line from pos (LF or CR LF ends it); pos moves past its end.
QByteArray nextLine(const QByteArray& content, qsizetype& pos) {
    qsizetype eol = content.indexOf('\n', pos);
    if (eol < 0)
        eol = content.size();
    QByteArray line = content.mid(pos, eol - pos);
    pos = eol + 1;
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

// What the file gives beside its memory image.
QString chipBytesOf(const Placer& p, ChipBytes& chip) {
    auto byteAt = [](const Area& a, int i) {
        return a.given[size_t(i)] ? int(quint8(a.bytes[i])) : -1;
    };
    for (int i = 0; i < AvrSpace::FuseBytes; ++i)
        chip.fuse[size_t(i)] = byteAt(p.fuse, i);
    chip.lock = byteAt(p.lock, 0);
    if (!p.signature.any())
        return QString();
    if (p.signature.given != std::vector<bool>(AvrSpace::SignatureBytes, true))
        return ImageTexts::hexSignatureIncomplete();
    QByteArray first = p.signature.bytes; // stored last byte first
    std::reverse(first.begin(), first.end());
    chip.signature = QString::fromLatin1(first.toHex().toUpper());
    return QString();
}

} // namespace

HexReadResult ReadIntelHex(const QByteArray& content, bool eepromFile, int limitBytes) {
    Placer placer(eepromFile, limitBytes);
    quint32 base = 0;
    int dataRecords = 0;
    bool end = false;
    int lineNo = 0;
    qsizetype pos = content.startsWith("\xEF\xBB\xBF") ? 3 : 0; // an editor's mark
    while (pos < content.size() && !end) {
        const QByteArray line = nextLine(content, pos);
        ++lineNo;
        if (lineNo % 256 == 0)
            QCoreApplication::processEvents(); // a large file leaves the window live
        if (isBlank(line))
            continue;
        Record rec;
        QString why = parseRecord(line, rec);
        if (!why.isEmpty())
            return fail(lineNo, why);
        switch (rec.type) {
        case 0:
            if (rec.data.isEmpty())
                break;
            why = placer.take(base + quint32(rec.address), rec.data);
            if (!why.isEmpty())
                return fail(lineNo, why);
            ++dataRecords;
            break;
        case 1:
            end = true;
            break;
        case 2:
        case 4: {
            if (rec.data.size() != 2)
                return fail(lineNo, ImageTexts::hexExtendedAddress(rec.type));
            const quint32 value = quint8(rec.data[0]) * 256u + quint8(rec.data[1]);
            base = rec.type == 4 ? value << 16 : value << 4;
            break;
        }
        default: // 03, 05: start address, nothing to load
            break;
        }
    }
    HexReadResult r;
    if (!placer.memory.any() && (!eepromFile || !end))
        return fail(0, dataRecords > 0 ? ImageTexts::hexNoMemoryData() : ImageTexts::hexNoData());
    const QString why = chipBytesOf(placer, r.chip);
    if (!why.isEmpty())
        return fail(0, why);
    r.ok = true;
    r.bytes = placer.memory.bytes;
    r.used.resize(r.bytes.size());
    for (qsizetype i = 0; i < r.used.size(); ++i)
        r.used[i] = placer.memory.given[size_t(i)] ? 1 : 0;
    r.sawEndRecord = end;
    return r;
}
