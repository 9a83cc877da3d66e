#include "image/elfloader.h"

#include "core/session.h"
#include "core/ui.h"
#include "image/images.h"
#include "image/imagesummary.h"
#include "image/loader.h"
#include "image/summarytexts.h"
#include "link/link.h"

#include <QFile>
#include <gelf.h>
#include <libelf.h>

namespace {

constexpr quint32 FlashEnd = 0x8000;       // the largest chip of the table: 32 KB
constexpr quint32 DataRegion = 0x800000;   // RAM addresses (.data's run-time address)
constexpr quint32 EepromRegion = 0x810000; // avr-gcc's address spaces for the
constexpr quint32 FuseRegion = 0x820000;   // non-flash memories
constexpr quint32 LockRegion = 0x830000;
constexpr quint32 RegionSize = 0x10000;
constexpr qint64 MaxElfBytes = 8 * 1024 * 1024; // debug information included

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

} // namespace

bool ReadElfFile(const QString& path, ElfImage& out, QString* error) {
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    out = ElfImage();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    if (file.size() > MaxElfBytes)
        return fail(
            Texts::tr("文件过大: %1 字节 (最多 %2 字节)。").arg(file.size()).arg(MaxElfBytes));
    QByteArray data = file.read(MaxElfBytes + 1);
    if (data.size() > MaxElfBytes || file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    static const char magic[] = {0x7F, 'E', 'L', 'F'};
    if (!data.startsWith(QByteArray(magic, 4)))
        return fail(SummaryTexts::elfNotElf());
    if (elf_version(EV_CURRENT) == EV_NONE)
        return fail(SummaryTexts::elfLibrary());

    ElfHandle h;
    h.elf = elf_memory(data.data(), size_t(data.size()));
    if (!h.elf || elf_kind(h.elf) != ELF_K_ELF)
        return fail(SummaryTexts::elfBroken(libelfError()));
    GElf_Ehdr eh;
    if (!gelf_getehdr(h.elf, &eh))
        return fail(SummaryTexts::elfBroken(libelfError()));
    if (eh.e_machine != EM_AVR)
        return fail(SummaryTexts::elfWrongMachine(eh.e_machine));
    // libelf reads what the headers promise as far as the buffer goes; a file cut short
    // must not pass for one without sections.
    const quint64 size = quint64(data.size());
    if (eh.e_shoff + quint64(eh.e_shnum) * eh.e_shentsize > size ||
        eh.e_phoff + quint64(eh.e_phnum) * eh.e_phentsize > size || eh.e_shnum == 0)
        return fail(SummaryTexts::elfBroken(Texts::tr("文件不完整")));
    size_t names = 0;
    if (elf_getshdrstrndx(h.elf, &names) != 0)
        return fail(SummaryTexts::elfBroken(libelfError()));

    QByteArray flash, flashUsed, eeprom, eepromUsed;
    for (Elf_Scn* scn = elf_nextscn(h.elf, nullptr); scn; scn = elf_nextscn(h.elf, scn)) {
        GElf_Shdr sh;
        if (!gelf_getshdr(scn, &sh))
            return fail(SummaryTexts::elfBroken(libelfError()));
        // Only what the program puts into the chip: allocated sections with contents.
        if (!(sh.sh_flags & SHF_ALLOC) || sh.sh_type != SHT_PROGBITS || sh.sh_size == 0)
            continue;
        const char* rawName = elf_strptr(h.elf, names, sh.sh_name);
        const QString name = rawName ? QString::fromLatin1(rawName) : QStringLiteral("?");
        Elf_Data* d = elf_getdata(scn, nullptr);
        if (sh.sh_offset + sh.sh_size > size || !d || !d->d_buf || d->d_size != sh.sh_size)
            return fail(SummaryTexts::elfBroken(name));
        const QByteArray bytes(static_cast<const char*>(d->d_buf), qsizetype(d->d_size));
        const quint64 lma = loadAddress(h.elf, sh);
        const quint64 last = lma + sh.sh_size - 1;
        out.sections
            << QStringLiteral("%1@%2+%3").arg(name, hexField(qint64(lma), 4)).arg(sh.sh_size);
        if (lma < DataRegion) {
            if (last >= FlashEnd)
                return fail(SummaryTexts::elfFlashBeyond(hexField(qint64(last), 4)));
            if (!place(flash, flashUsed, quint32(lma), bytes))
                return fail(SummaryTexts::elfOverlap(name));
        } else if (lma >= EepromRegion && lma < EepromRegion + RegionSize) {
            if (last >= EepromRegion + RegionSize)
                return fail(
                    SummaryTexts::elfEepromBeyond(hexField(qint64(last - EepromRegion), 4)));
            if (!place(eeprom, eepromUsed, quint32(lma - EepromRegion), bytes))
                return fail(SummaryTexts::elfOverlap(name));
        } else if (lma >= FuseRegion && lma < FuseRegion + RegionSize) {
            // avr-libc's FUSES: low, high, extended, as many as the chip has.
            const QByteArray fuses = bytes.left(3);
            if (lma != FuseRegion)
                return fail(SummaryTexts::elfBroken(name));
            out.fuses = fuses;
        } else if (lma >= LockRegion && lma < LockRegion + RegionSize) {
            if (lma != LockRegion)
                return fail(SummaryTexts::elfBroken(name));
            out.hasLock = true;
            out.lock = quint8(bytes[0]);
        }
        // The signature (0x840000) and user rows are no images of ours.
    }
    out.flash = imageText(flash);
    out.flashUsed = flashUsed;
    out.eeprom = imageText(eeprom);
    out.eepromUsed = eepromUsed;
    return true;
}

namespace {

// The fuse page takes the ELF's bytes; positions the chip does not have stay "*", the
// bytes the ELF does not give keep what the page showed.
void applyElfFuses(Session& s, const ElfImage& e) {
    if (e.fuses.isEmpty() && !e.hasLock)
        return;
    QString text = s.fuses.fuseText();
    const QString def = s.fuses.defaultFuseText();
    auto put = [&](int firstChar, quint8 value) {
        for (int b = 0; b < 8; ++b) {
            const int pos = firstChar + b;
            if (pos < def.size() && def[pos] == u'*')
                text[pos] = u'*';
            else
                text[pos] = (value & (0x80 >> b)) ? u'1' : u'0';
        }
    };
    // The text: lock (bit 7 first), extended, high, low.
    QStringList parts;
    if (e.hasLock) {
        put(0, e.lock);
        parts << Texts::tr("锁定位 %1").arg(hexField(e.lock, 2));
    }
    static const int offsets[3] = {24, 16, 8}; // low, high, extended
    const QString names[3] = {Texts::tr("低字节"), Texts::tr("高字节"), Texts::tr("扩展字节")};
    for (int i = 0; i < e.fuses.size(); ++i) {
        put(offsets[i], quint8(e.fuses[i]));
        parts << names[i] + u' ' + hexField(quint8(e.fuses[i]), 2);
    }
    s.fuses.ApplyFuseText(text);
    s.elfFuseChip = s.selectedChipModel; // identifying this chip keeps them
    s.log.logMessage(SummaryTexts::elfFuses(parts.join(QStringLiteral(", "))));
}

} // namespace

bool LoadElfInto(Session& s, Ui& ui, const QString& originalPath, bool eeprom,
                 const QString& readError) {
    ElfImage e;
    QString why;
    if (!ReadElfFile(originalPath, e, &why)) {
        s.log.logMessage(why);
        ui.warning(Texts::warningTitle(), readError);
        return false;
    }
    s.log.logMessage(SummaryTexts::elfSections(e.sections.join(QStringLiteral(", "))));
    if (eeprom) {
        s.EepromBufferText = e.eeprom;
        s.eepromSizePanel = eepromSizeText(imageBytes(e.eeprom));
        logImageSummary(s, true, e.eepromUsed);
        s.notifyEeprom();
        return true;
    }
    s.FlashBufferText = e.flash;
    s.flashSizePanel = flashSizeText(imageBytes(e.flash));
    logImageSummary(s, false, e.flashUsed);
    if (!e.eeprom.isEmpty()) {
        s.EepromBufferText = e.eeprom;
        s.eepromSizePanel = eepromSizeText(imageBytes(e.eeprom));
        s.fileName[1] = originalPath;
        logImageSummary(s, true, e.eepromUsed);
        s.notifyEeprom();
    }
    applyElfFuses(s, e);
    s.notifyFlash();
    return true;
}
