#include "image/elfloader.h"

#include "core/hextext.h"
#include "image/images.h"
#include "image/imagesummary.h"
#include "image/summarytexts.h"

#include <QtEndian>
#include <algorithm>
#include <gelf.h>
#include <libelf.h>

namespace {

constexpr quint32 FlashEnd = 0x8000; // the largest chip of the table: 32 KB

struct ElfHandle {
    Elf* elf = nullptr;
    ~ElfHandle() {
        if (elf)
            elf_end(elf);
    }
};

QString libelfError() {
    return QString::fromLocal8Bit(elf_errmsg(-1));
}

// The load address of a section: where the program header that holds it puts it in the
// file's memories (for .data the copy in flash after .text, not its RAM address).
quint64 loadAddress(Elf* elf, const GElf_Shdr& sh) {
    size_t count = 0;
    if (elf_getphdrnum(elf, &count) != 0)
        return sh.sh_addr;
    for (size_t i = 0; i < count; ++i) {
        GElf_Phdr ph;
        if (!gelf_getphdr(elf, int(i), &ph) || ph.p_type != PT_LOAD)
            continue;
        if (sh.sh_offset >= ph.p_offset && sh.sh_offset + sh.sh_size <= ph.p_offset + ph.p_filesz)
            return ph.p_paddr + (sh.sh_offset - ph.p_offset);
    }
    return sh.sh_addr;
}

// Puts bytes at address into image/used; false when a byte was set before.
bool place(QByteArray& image, QByteArray& used, quint32 address, const QByteArray& bytes) {
    const int end = int(address) + int(bytes.size());
    if (image.size() < end) {
        image.resize(end, char(0xFF));
        used.resize(end, 0);
    }
    for (int i = 0; i < bytes.size(); ++i) {
        if (used[int(address) + i])
            return false;
        image[int(address) + i] = bytes[i];
        used[int(address) + i] = 1;
    }
    return true;
}

QString imageText(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex().toUpper());
}

// The device name of avr-gcc's device note: namesz, descsz, type 1, "AVR", then the
// description: flash start and size, RAM start and size, EEPROM start and size, the length
// of the string offset table (counting itself), the offsets, and the strings. The first
// offset is the device name's. "" with ok false when the note is damaged.
QString deviceOfNote(const QByteArray& note, bool& ok) {
    ok = false;
    auto u32 = [&note](qsizetype at) { return qFromLittleEndian<quint32>(note.constData() + at); };
    if (note.size() < 12)
        return QString();
    const quint32 nameSize = u32(0), descSize = u32(4);
    const qsizetype descAt = 12 + ((qsizetype(nameSize) + 3) & ~qsizetype(3));
    if (nameSize > 64 || descSize > 4096 || descAt + qsizetype(descSize) > note.size() ||
        note.mid(12, 4) != QByteArrayLiteral("AVR\0") || descSize < 32)
        return QString();
    const QByteArray desc = note.mid(descAt, descSize);
    const quint32 tableSize = u32(descAt + 24);
    const qsizetype strings = 24 + qsizetype(tableSize);
    if (tableSize < 8 || strings > desc.size())
        return QString();
    const qsizetype nameAt = strings + qsizetype(u32(descAt + 28));
    if (nameAt >= desc.size())
        return QString();
    const qsizetype end = desc.indexOf('\0', nameAt);
    if (end < 0)
        return QString();
    ok = true;
    return QString::fromLatin1(desc.mid(nameAt, end - nameAt));
}

class Reader {
  public:
    Reader(Elf* elf, quint64 size, ElfImage& out) : m_elf(elf), m_size(size), m_out(out) {}
    // "" when all sections were read, else the reason.
    QString sections(size_t names);
    QByteArray flash, flashUsed, eeprom, eepromUsed;

  private:
    QString take(const QString& name, const GElf_Shdr& sh, const QByteArray& bytes);
    QString beside(const QString& name, quint64 at, const QByteArray& bytes);
    Elf* m_elf;
    quint64 m_size;
    ElfImage& m_out;
};

QString Reader::sections(size_t names) {
    for (Elf_Scn* scn = elf_nextscn(m_elf, nullptr); scn; scn = elf_nextscn(m_elf, scn)) {
        GElf_Shdr sh;
        if (!gelf_getshdr(scn, &sh))
            return SummaryTexts::elfBroken(libelfError());
        // Tables of the file itself, and sections that hold no bytes in the file.
        if (sh.sh_type == SHT_NULL || sh.sh_type == SHT_SYMTAB || sh.sh_type == SHT_STRTAB ||
            sh.sh_type == SHT_REL || sh.sh_type == SHT_RELA || sh.sh_type == SHT_NOBITS ||
            sh.sh_size == 0)
            continue;
        const char* rawName = elf_strptr(m_elf, names, sh.sh_name);
        const QString name = rawName ? QString::fromLatin1(rawName) : QStringLiteral("?");
        Elf_Data* d = elf_getdata(scn, nullptr);
        if (sh.sh_offset + sh.sh_size > m_size || !d || !d->d_buf || d->d_size != sh.sh_size)
            return SummaryTexts::elfBroken(name);
        const QByteArray bytes(static_cast<const char*>(d->d_buf), qsizetype(d->d_size));
        if (sh.sh_type == SHT_NOTE && name == u".note.gnu.avr.deviceinfo") {
            bool ok = false;
            m_out.chip.device = deviceOfNote(bytes, ok);
            if (!ok)
                return SummaryTexts::elfBroken(name);
            continue;
        }
        const QString why = take(name, sh, bytes);
        if (!why.isEmpty())
            return why;
    }
    return QString();
}

QString Reader::take(const QString& name, const GElf_Shdr& sh, const QByteArray& bytes) {
    // The memories beside flash count by name, allocated or not; at an address of their
    // own space, or (an assembler's section at 0) from its start.
    static const QStringList beside{QStringLiteral(".eeprom"), QStringLiteral(".fuse"),
                                    QStringLiteral(".lock"), QStringLiteral(".signature")};
    const int named = int(beside.indexOf(name));
    const bool alloc = (sh.sh_flags & SHF_ALLOC) && sh.sh_type == SHT_PROGBITS;
    if (named < 0 && !alloc) {
        m_out.leftOut << name;
        return QString();
    }
    quint64 at = alloc ? loadAddress(m_elf, sh) : sh.sh_addr;
    if (named >= 0 && at < AvrSpace::Memory)
        at += AvrSpace::Eeprom + quint32(named) * AvrSpace::Size;
    const quint64 last = at + sh.sh_size - 1;
    if (at < AvrSpace::Data) {
        if (last >= FlashEnd)
            return SummaryTexts::elfFlashBeyond(hexField(qint64(last), 4));
        if (!place(flash, flashUsed, quint32(at), bytes))
            return SummaryTexts::elfOverlap(name);
    } else if (at >= AvrSpace::Eeprom && at < AvrSpace::Eeprom + AvrSpace::Size) {
        if (last >= AvrSpace::Eeprom + AvrSpace::Size)
            return SummaryTexts::elfEepromBeyond(hexField(qint64(last - AvrSpace::Eeprom), 4));
        if (!place(eeprom, eepromUsed, quint32(at - AvrSpace::Eeprom), bytes))
            return SummaryTexts::elfOverlap(name);
    } else {
        const QString why = this->beside(name, at, bytes);
        if (why != u"-")
            return why;
        m_out.leftOut << name; // RAM and user rows: nothing a chip here is programmed with
        return QString();
    }
    m_out.sections << QStringLiteral("%1@%2+%3").arg(name, hexField(qint64(at), 4)).arg(sh.sh_size);
    return QString();
}

// The fuse, lock and signature spaces: "" when taken, "-" when the address is none of them,
// else the reason.
QString Reader::beside(const QString& name, quint64 at, const QByteArray& bytes) {
    struct Space {
        quint32 start;
        int most;
    };
    static const Space spaces[] = {{AvrSpace::Fuse, AvrSpace::FuseBytes},
                                   {AvrSpace::Lock, AvrSpace::LockBytes},
                                   {AvrSpace::Signature, AvrSpace::SignatureBytes}};
    for (int s = 0; s < 3; ++s) {
        if (at < spaces[s].start || at >= spaces[s].start + AvrSpace::Size)
            continue;
        const quint64 offset = at - spaces[s].start;
        if (offset + quint64(bytes.size()) > quint64(spaces[s].most) ||
            (s == 2 && bytes.size() != AvrSpace::SignatureBytes))
            return SummaryTexts::elfFuseSize(name, int(bytes.size()), spaces[s].most);
        for (int i = 0; i < bytes.size(); ++i) {
            const int value = quint8(bytes[i]);
            if (s == 0)
                m_out.chip.fuse[size_t(offset) + size_t(i)] = value;
            else if (s == 1)
                m_out.chip.lock = value;
        }
        if (s == 2) {
            QByteArray first = bytes; // stored last byte first
            std::reverse(first.begin(), first.end());
            m_out.chip.signature = QString::fromLatin1(first.toHex().toUpper());
        }
        m_out.sections << QStringLiteral("%1@%2+%3")
                              .arg(name, QString::number(at, 16).toUpper())
                              .arg(bytes.size());
        return QString();
    }
    return QStringLiteral("-");
}

// The checks of the file as a whole; "" when its sections may be read.
QString checkHeader(Elf* elf, quint64 size) {
    GElf_Ehdr eh;
    if (!gelf_getehdr(elf, &eh))
        return SummaryTexts::elfBroken(libelfError());
    if (eh.e_machine != EM_AVR)
        return SummaryTexts::elfWrongMachine(eh.e_machine);
    if (eh.e_type == ET_REL)
        return SummaryTexts::elfNotLinked();
    if (eh.e_type != ET_EXEC)
        return SummaryTexts::elfNotProgram(eh.e_type);
    // libelf reads what the headers promise as far as the buffer goes; a file cut short
    // must not pass for one without sections.
    if (eh.e_shoff + quint64(eh.e_shnum) * eh.e_shentsize > size ||
        eh.e_phoff + quint64(eh.e_phnum) * eh.e_phentsize > size || eh.e_shnum == 0)
        return SummaryTexts::elfBroken(Texts::tr("文件不完整"));
    return QString();
}

} // namespace

bool isElf(const QByteArray& bytes) {
    return bytes.startsWith(QByteArrayLiteral("\x7F"
                                              "ELF"));
}

bool ReadElf(const QByteArray& data, ElfImage& out, QString* error) {
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    out = ElfImage();
    if (!isElf(data))
        return fail(SummaryTexts::elfNotElf());
    if (elf_version(EV_CURRENT) == EV_NONE)
        return fail(SummaryTexts::elfLibrary());
    QByteArray copy = data; // libelf wants a buffer it may write to
    ElfHandle h;
    h.elf = elf_memory(copy.data(), size_t(copy.size()));
    if (!h.elf || elf_kind(h.elf) != ELF_K_ELF)
        return fail(SummaryTexts::elfBroken(libelfError()));
    const quint64 size = quint64(copy.size());
    QString why = checkHeader(h.elf, size);
    if (!why.isEmpty())
        return fail(why);
    size_t names = 0;
    if (elf_getshdrstrndx(h.elf, &names) != 0)
        return fail(SummaryTexts::elfBroken(libelfError()));
    Reader r(h.elf, size, out);
    why = r.sections(names);
    if (!why.isEmpty())
        return fail(why);
    out.flash = imageText(r.flash);
    out.flashUsed = r.flashUsed;
    out.eeprom = imageText(r.eeprom);
    out.eepromUsed = r.eepromUsed;
    return true;
}
