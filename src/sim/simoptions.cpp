#include "sim/simoptions.h"

#include "sim/simswitches.h"

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

QList<QCommandLineOption> simSwitchOptions() {
    QList<QCommandLineOption> options;
    for (const SimSwitch& s : simSwitches())
        options.append({QLatin1String(s.name), s.help(), QLatin1String(s.valueName)});
    return options;
}

bool applySimSwitches(const QCommandLineParser& p, SimConfig& config, QString* error) {
    for (const SimSwitch& s : simSwitches()) {
        const QString name = QLatin1String(s.name);
        if (p.isSet(name) && !s.set(config, p.values(name), error))
            return false;
    }
    return true;
}
