#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

// The profile: integers and strings by section and key. Keys may hold '/' and '\' (file paths,
// the symbol keys of "Colors"); the backends store them without letting the characters split
// the key into groups.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // A value that is missing or of the wrong type reads as the default.
    int GetInt(const QString &section, const QString &key, int defaultValue) const;
    QString GetString(const QString &section, const QString &key,
                      const QString &defaultValue = QString()) const;
    bool Contains(const QString &section, const QString &key) const;

    void WriteInt(const QString &section, const QString &key, int value);
    // An empty text is a value like any other; only DeleteValue removes one.
    void WriteString(const QString &section, const QString &key, const QString &value);
    void DeleteValue(const QString &section, const QString &key);
    void DeleteSection(const QString &section);
    QStringList Keys(const QString &section) const;

    // The INI file in VELLOQUIN_CONFIG_DIR, or the platform's user configuration folder.
    static std::unique_ptr<SettingsStore> OpenDefault();
    static QString DefaultFilePath();

protected:
    virtual QVariant Read(const QString &section, const QString &key) const = 0;
    virtual void Write(const QString &section, const QString &key, const QVariant &value) = 0;
    virtual void Remove(const QString &section, const QString &key) = 0;
    virtual void RemoveSection(const QString &section) = 0;
    virtual QStringList ListKeys(const QString &section) const = 0;
};

class QSettings;

// An INI file; the backend used on every platform but Windows and by the tests.
class IniSettingsStore : public SettingsStore {
public:
    explicit IniSettingsStore(const QString &filePath);
    ~IniSettingsStore() override;
    QString FilePath() const;
    void Sync();

    static QString EscapeKey(const QString &key);
    static QString UnescapeKey(const QString &key);

protected:
    QVariant Read(const QString &section, const QString &key) const override;
    void Write(const QString &section, const QString &key, const QVariant &value) override;
    void Remove(const QString &section, const QString &key) override;
    void RemoveSection(const QString &section) override;
    QStringList ListKeys(const QString &section) const override;

private:
    std::unique_ptr<QSettings> m_settings;
};

// For tests: nothing leaves the process.
class MemorySettingsStore : public SettingsStore {
protected:
    QVariant Read(const QString &section, const QString &key) const override;
    void Write(const QString &section, const QString &key, const QVariant &value) override;
    void Remove(const QString &section, const QString &key) override;
    void RemoveSection(const QString &section) override;
    QStringList ListKeys(const QString &section) const override;

private:
    QHash<QString, QHash<QString, QVariant>> m_sections;
    QHash<QString, QStringList> m_order;
};
