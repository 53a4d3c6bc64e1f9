#include "app/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <limits>

int SettingsStore::GetInt(const QString &section, const QString &key, int defaultValue) const
{
    const QVariant value = Read(section, key);
    if (!value.isValid())
        return defaultValue;
    bool ok = false;
    // INI files hold every value as text; a text that is not a whole number is of the wrong
    // type and reads as the default.
    const qlonglong number = value.toString().trimmed().toLongLong(&ok);
    if (!ok || number < std::numeric_limits<int>::min()
        || number > std::numeric_limits<uint>::max())
        return defaultValue;
    return static_cast<int>(number); // DWORD values read back as 32-bit integers
}

QString SettingsStore::GetString(const QString &section, const QString &key,
                                 const QString &defaultValue) const
{
    const QVariant value = Read(section, key);
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultValue;
    if (value.typeId() == QMetaType::QStringList) // a text with commas read back by QSettings
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

bool SettingsStore::Contains(const QString &section, const QString &key) const
{
    return Read(section, key).isValid();
}

void SettingsStore::WriteInt(const QString &section, const QString &key, int value)
{
    Write(section, key, QString::number(value));
}

void SettingsStore::WriteString(const QString &section, const QString &key, const QString &value)
{
    Write(section, key, value);
}

void SettingsStore::DeleteValue(const QString &section, const QString &key)
{
    Remove(section, key);
}

void SettingsStore::DeleteSection(const QString &section)
{
    RemoveSection(section);
}

QStringList SettingsStore::Keys(const QString &section) const
{
    return ListKeys(section);
}

QString SettingsStore::DefaultFilePath()
{
    QString dir = qEnvironmentVariable("VELLOQUIN_CONFIG_DIR");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
              + QStringLiteral("/Wendro");
    return QDir(dir).filePath(QStringLiteral("Velloquin.ini"));
}

std::unique_ptr<SettingsStore> SettingsStore::OpenDefault()
{
    const QString path = DefaultFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return std::make_unique<IniSettingsStore>(path);
}

// ---- INI backend -------------------------------------------------------------------------

IniSettingsStore::IniSettingsStore(const QString &filePath)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{
}

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::FilePath() const
{
    return m_settings->fileName();
}

void IniSettingsStore::Sync()
{
    m_settings->sync();
}

// QSettings takes '/' and '\' as group separators, so they are written as %2F and %5C, and
// '%' itself as %25 to keep the escape unambiguous.
QString IniSettingsStore::EscapeKey(const QString &key)
{
    QString out;
    out.reserve(key.size());
    for (const QChar c : key) {
        if (c == QLatin1Char('%'))
            out += QStringLiteral("%25");
        else if (c == QLatin1Char('/'))
            out += QStringLiteral("%2F");
        else if (c == QLatin1Char('\\'))
            out += QStringLiteral("%5C");
        else
            out += c;
    }
    return out;
}

QString IniSettingsStore::UnescapeKey(const QString &key)
{
    QString out;
    out.reserve(key.size());
    for (qsizetype i = 0; i < key.size(); ++i) {
        if (key[i] == QLatin1Char('%') && i + 2 < key.size()) {
            const QStringView code = QStringView(key).mid(i + 1, 2);
            QChar decoded;
            if (code == u"25")
                decoded = QLatin1Char('%');
            else if (code.compare(u"2F", Qt::CaseInsensitive) == 0)
                decoded = QLatin1Char('/');
            else if (code.compare(u"5C", Qt::CaseInsensitive) == 0)
                decoded = QLatin1Char('\\');
            if (!decoded.isNull()) {
                out += decoded;
                i += 2;
                continue;
            }
        }
        out += key[i];
    }
    return out;
}

QVariant IniSettingsStore::Read(const QString &section, const QString &key) const
{
    return m_settings->value(EscapeKey(section) + QLatin1Char('/') + EscapeKey(key));
}

void IniSettingsStore::Write(const QString &section, const QString &key, const QVariant &value)
{
    m_settings->setValue(EscapeKey(section) + QLatin1Char('/') + EscapeKey(key), value);
    m_settings->sync(); // other processes of the program read the same file
}

void IniSettingsStore::Remove(const QString &section, const QString &key)
{
    m_settings->remove(EscapeKey(section) + QLatin1Char('/') + EscapeKey(key));
    m_settings->sync();
}

void IniSettingsStore::RemoveSection(const QString &section)
{
    m_settings->remove(EscapeKey(section));
    m_settings->sync();
}

QStringList IniSettingsStore::ListKeys(const QString &section) const
{
    m_settings->beginGroup(EscapeKey(section));
    const QStringList raw = m_settings->childKeys();
    m_settings->endGroup();
    QStringList keys;
    keys.reserve(raw.size());
    for (const QString &k : raw)
        keys << UnescapeKey(k);
    return keys;
}

// ---- memory backend ----------------------------------------------------------------------

QVariant MemorySettingsStore::Read(const QString &section, const QString &key) const
{
    const auto it = m_sections.constFind(section);
    if (it == m_sections.cend())
        return {};
    return it->value(key);
}

void MemorySettingsStore::Write(const QString &section, const QString &key, const QVariant &value)
{
    auto &values = m_sections[section];
    if (!values.contains(key))
        m_order[section] << key;
    values.insert(key, value);
}

void MemorySettingsStore::Remove(const QString &section, const QString &key)
{
    auto it = m_sections.find(section);
    if (it == m_sections.end())
        return;
    it->remove(key);
    m_order[section].removeAll(key);
}

void MemorySettingsStore::RemoveSection(const QString &section)
{
    m_sections.remove(section);
    m_order.remove(section);
}

QStringList MemorySettingsStore::ListKeys(const QString &section) const
{
    return m_order.value(section);
}
