#include "app/CaretMemory.h"

#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"

#include <QFileInfo>

namespace {
QString Str(const char *s)
{
    return QString::fromLatin1(s);
}

QString OffsetKey(const QString &path)
{
    return path + Str(Keys::CaretOffsetSuffix);
}

QString TopKey(const QString &path)
{
    return path + Str(Keys::CaretTopSuffix);
}

// Copies a file's entry from one section to another when its offset is positive.
bool CopyEntry(SettingsStore &store, const QString &from, const QString &to, const QString &path)
{
    const int caret = store.GetInt(from, OffsetKey(path), 0);
    if (caret <= 0)
        return false;
    store.WriteInt(to, OffsetKey(path), caret);
    store.WriteInt(to, TopKey(path), store.GetInt(from, TopKey(path), 0));
    return true;
}
} // namespace

QStringList RecentFiles(const SettingsStore &store)
{
    const QString section = Str(Sections::RecentFiles);
    QStringList files;
    for (int i = 1; i <= Keys::RecentFileCount; ++i) {
        const QString file = store.GetString(section, RecentFileKey(i));
        if (file.isEmpty())
            break;
        files << file;
    }
    return files;
}

CaretMemoryEntry ReadCaretMemory(const SettingsStore &store, const QString &path)
{
    const QString section = Str(Sections::Caret);
    CaretMemoryEntry e;
    e.caret = store.GetInt(section, OffsetKey(path), 0);
    e.topLine = store.GetInt(section, TopKey(path), 0);
    return e;
}

void StoreCaretMemory(SettingsStore &store, const QString &path, int caret, int topLine)
{
    const QString section = Str(Sections::Caret);
    if (caret < 1) {
        // A caret at the very start is what a file opens with anyway.
        store.DeleteValue(section, OffsetKey(path));
        store.DeleteValue(section, TopKey(path));
        return;
    }
    store.WriteInt(section, OffsetKey(path), caret);
    store.WriteInt(section, TopKey(path), topLine);
}

void PruneCaretMemoryToRecentFiles(SettingsStore &store)
{
    const QString caret = Str(Sections::Caret);
    const QString temp = Str(Sections::CaretTemp);
    const QStringList files = RecentFiles(store);
    bool copied = false;
    for (const QString &file : files)
        copied = CopyEntry(store, caret, temp, file) || copied;
    // With nothing worth keeping the section is left alone rather than wiped.
    if (!copied)
        return;
    store.DeleteSection(caret);
    for (const QString &file : files)
        CopyEntry(store, temp, caret, file);
    store.DeleteSection(temp);
}

void PruneCaretMemoryOfMissingFiles(SettingsStore &store)
{
    const QString section = Str(Sections::Caret);
    for (const QString &file : RecentFiles(store)) {
        if (QFileInfo::exists(file))
            continue;
        store.DeleteValue(section, OffsetKey(file));
        store.DeleteValue(section, TopKey(file));
    }
}
