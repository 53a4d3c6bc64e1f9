#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

// The caret memory: per file, "Caret"/<path>cL = caret offset and <path>cH = first visible line.
struct CaretMemoryEntry {
    int caret = 0;
    int topLine = 0;
};

QStringList RecentFiles(const SettingsStore &store); // "File1".."File16", up to the first empty
CaretMemoryEntry ReadCaretMemory(const SettingsStore &store, const QString &path);
// An offset below 1 deletes the file's values.
void StoreCaretMemory(SettingsStore &store, const QString &path, int caret, int topLine);
// At frame construction: keep only the entries of files on the recent-file list (only when at
// least one listed file has a positive entry).
void PruneCaretMemoryToRecentFiles(SettingsStore &store);
// At every initial update: forget the entries of listed files that no longer exist.
void PruneCaretMemoryOfMissingFiles(SettingsStore &store);
