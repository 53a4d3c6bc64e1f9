#include "app/SettingsKeys.h"

#include "app/SettingsStore.h"

int ReadSetting(const SettingsStore &store, const IntSetting &s)
{
    return store.GetInt(QString::fromUtf8(s.section), QString::fromUtf8(s.key), s.defaultValue);
}

int ReadSetting(const SettingsStore &store, const IntSetting &s, int otherDefault)
{
    return store.GetInt(QString::fromUtf8(s.section), QString::fromUtf8(s.key), otherDefault);
}

QString ReadSetting(const SettingsStore &store, const StringSetting &s)
{
    return store.GetString(QString::fromUtf8(s.section), QString::fromUtf8(s.key),
                           QString::fromUtf8(s.defaultValue));
}

void WriteSetting(SettingsStore &store, const IntSetting &s, int value)
{
    store.WriteInt(QString::fromUtf8(s.section), QString::fromUtf8(s.key), value);
}

void WriteSetting(SettingsStore &store, const StringSetting &s, const QString &value)
{
    store.WriteString(QString::fromUtf8(s.section), QString::fromUtf8(s.key), value);
}

void DeleteSetting(SettingsStore &store, const StringSetting &s)
{
    store.DeleteValue(QString::fromUtf8(s.section), QString::fromUtf8(s.key));
}

QString RecentFileKey(int oneBasedIndex)
{
    return QString::fromLatin1(Keys::RecentFileFormat).arg(oneBasedIndex);
}

QString HistoryKey(int index)
{
    return QString::fromLatin1(Keys::HistoryFormat).arg(index);
}
