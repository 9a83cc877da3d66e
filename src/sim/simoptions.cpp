#include "sim/simoptions.h"

#include "sim/simconfig.h"
#include "sim/simtexts.h"

qint64 parseSimNumber(const QString& text) {
    QString t = text.trimmed();
    int base = 10;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        t = t.mid(2);
        base = 16;
    } else if (t.startsWith(u'$')) {
        t = t.mid(1);
        base = 16;
    }
    bool ok = false;
    const qint64 v = t.toLongLong(&ok, base);
    return ok && v >= 0 ? v : -1;
}

bool parseSimAddressList(const QString& text, QList<qint64>& out) {
    constexpr qint64 maxAddresses = 0x10000; // no memory of the table is larger
    for (const QString& part : text.split(u',')) {
        const QStringList ends = part.split(u'-');
        const qint64 first = parseSimNumber(ends.value(0));
        const qint64 last = ends.size() == 2 ? parseSimNumber(ends[1]) : first;
        if (ends.size() > 2 || first < 0 || last < first || last >= maxAddresses ||
            out.size() + (last - first + 1) > maxAddresses)
            return false;
        for (qint64 a = first; a <= last; ++a)
            out << a;
    }
    return true;
}

QList<QCommandLineOption> simFaultOptions() {
    using namespace SimTexts;
    return {
        {QStringLiteral("silent"), silentFault()},
        {QStringLiteral("no-chip"), noChipFault()},
        {QStringLiteral("signature"), signatureFault(), QStringLiteral("HEX")},
        {QStringLiteral("lower-case"), lowerCaseFault()},
        {QStringLiteral("split"), splitFault(), QStringLiteral("N[:GAP]")},
        {QStringLiteral("late"), lateFault(), QStringLiteral("MS")},
        {QStringLiteral("drop-marker"), dropMarkerFault(), QStringLiteral("N")},
        {QStringLiteral("corrupt-flash"), corruptFlashFault(), QStringLiteral("ADDRS")},
        {QStringLiteral("corrupt-eeprom"), corruptEepromFault(), QStringLiteral("ADDRS")},
        {QStringLiteral("drop-fuse-write"), dropFuseWriteFault()},
        {QStringLiteral("disconnect-after"), disconnectFault(), QStringLiteral("N")},
        {QStringLiteral("noise"), noiseFault(), QStringLiteral("TEXT")},
        {QStringLiteral("latency"), latencyOption(), QStringLiteral("MS")},
    };
}

bool parseSimNoise(const QString& text, QByteArray* out) {
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.mid(i, 2) == u"\\x") {
            bool ok = false;
            const uint v = text.mid(i + 2, 2).toUInt(&ok, 16);
            if (!ok || text.mid(i + 2, 2).size() != 2)
                return false;
            bytes.append(char(v));
            i += 3;
        } else if (text[i].unicode() < 0x80) {
            bytes.append(char(text[i].unicode()));
        } else {
            return false;
        }
    }
    *out = bytes;
    return !bytes.isEmpty();
}

bool applySimFaultOptions(const QCommandLineParser& p, SimConfig& config, QString* error) {
    SimFaults& f = config.faults;
    auto number = [&](const char* name, qint64* out) {
        const QString key = QLatin1String(name);
        if (!p.isSet(key))
            return true;
        *out = parseSimNumber(p.value(key));
        if (*out < 0) {
            *error = SimTexts::notANumber().arg(key, p.value(key));
            return false;
        }
        return true;
    };
    f.silent = p.isSet(QStringLiteral("silent"));
    f.noChip = p.isSet(QStringLiteral("no-chip"));
    f.lowerCaseHex = p.isSet(QStringLiteral("lower-case"));
    f.dropFuseWrite = p.isSet(QStringLiteral("drop-fuse-write"));
    if (p.isSet(QStringLiteral("signature"))) {
        const QString sig = p.value(QStringLiteral("signature")).toUpper();
        bool ok = false;
        sig.toUInt(&ok, 16);
        if (sig.size() != 6 || !ok) {
            *error = SimTexts::signatureExpected().arg(sig);
            return false;
        }
        f.signature = sig;
    }
    if (p.isSet(QStringLiteral("split"))) {
        const QStringList parts = p.value(QStringLiteral("split")).split(u':');
        const qint64 n = parseSimNumber(parts.value(0));
        const qint64 gap = parts.size() > 1 ? parseSimNumber(parts[1]) : 60;
        if (n <= 0 || gap < 0 || parts.size() > 2) {
            *error = SimTexts::splitExpected().arg(p.value(QStringLiteral("split")));
            return false;
        }
        f.splitChars = int(n);
        f.splitGapMs = double(gap);
    }
    qint64 v = -1;
    if (!number("late", &v))
        return false;
    if (v >= 0)
        f.lateMs = double(v);
    v = -1;
    if (!number("drop-marker", &v))
        return false;
    if (v > 0)
        f.dropMarkerEvery = int(v);
    for (const char* name : {"corrupt-flash", "corrupt-eeprom"}) {
        const QString key = QLatin1String(name);
        QList<qint64>& out = key == u"corrupt-flash" ? f.corruptFlashMore : f.corruptEepromMore;
        for (const QString& value : p.values(key)) {
            if (!parseSimAddressList(value, out)) {
                *error = SimTexts::addressesExpected().arg(key, value);
                return false;
            }
        }
    }
    if (p.isSet(QStringLiteral("noise")) &&
        !parseSimNoise(p.value(QStringLiteral("noise")), &f.noise)) {
        *error = QStringLiteral("--noise: ASCII characters or \\xNN expected: ") +
                 p.value(QStringLiteral("noise"));
        return false;
    }
    v = -1;
    if (!number("latency", &v))
        return false;
    if (v >= 0)
        config.latencyMs = double(v);
    return number("disconnect-after", &f.disconnectAfter);
}
