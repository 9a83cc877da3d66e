#include "core/settings.h"

#include <QSettings>

const QString& SettingsStore::applicationName() {
    static const QString name = QStringLiteral("hvpp");
    return name;
}

SettingsStore::SettingsStore(const QString& iniFile) {
    if (iniFile.isEmpty())
        m_settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                 applicationName(), applicationName());
    else
        m_settings = std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
}

SettingsStore::~SettingsStore() = default;

static QString keyPath(const char* const key[2]) {
    return QString::fromUtf8(key[0]) + u'/' + QString::fromUtf8(key[1]);
}

QString SettingsStore::read(const char* const key[2], const QString& fallback) const {
    const QVariant v = m_settings->value(keyPath(key));
    if (!v.isValid())
        return fallback;
    // An INI value written without quotes that holds commas ("9600,n,8,1") comes back as
    // a list of its pieces.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(u',');
    return v.toString();
}

void SettingsStore::write(const char* const key[2], const QString& value) {
    m_settings->setValue(keyPath(key), value);
}

bool SettingsStore::sync() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

QString SettingsStore::fileName() const { return m_settings->fileName(); }

QString SettingsStore::serialSettings() const {
    const QString s = read(SettingsKeys::Serial);
    return s.isEmpty() ? QStringLiteral("115200,n,8,1") : s;
}

int SettingsStore::calFrequency() const { return int(lenientDecimal(read(SettingsKeys::CalFrequency))); }
int SettingsStore::calTarget() const { return int(lenientDecimal(read(SettingsKeys::CalTarget))); }

qint64 lenientDecimal(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (value > (Q_INT64_C(1) << 58))
            break; // far beyond any field; stop before overflowing
        value = value * 10 + (text[i].unicode() - u'0');
    }
    return negative ? -value : value;
}
