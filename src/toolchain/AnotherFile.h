#pragma once

// "Another file": the document to compile instead of the edited one (a chapter compiles its
// master), stored per edited file in section "TeXFile", and the names derived from it.

#include <QString>

class SettingsStore;

// The pieces of a compile target's path: the folder with its trailing separator, the name
// without extension, the extension with its dot. All empty for an empty path.
struct TargetPieces {
    QString dir;
    QString base;
    QString ext;

    // The file beside the target with the same base and extension ext (".pdf"); "" when
    // there is no target.
    QString With(const char *ext) const
    {
        return base.isEmpty() ? QString() : dir + base + QLatin1String(ext);
    }

    bool operator==(const TargetPieces &) const = default;
};

TargetPieces SplitTargetPath(const QString &path);

// What a document's file means to the commands: the edited file and the compile target, which
// is the registered another file when there is one, else the edited file itself.
struct DocumentFiles {
    QString editedPath;  // "" for an untitled document
    QString anotherFile; // "" when none is registered
    TargetPieces edited;
    TargetPieces target;

    static DocumentFiles Of(const QString &editedPath, const QString &anotherFile);
    // With the registration stored for editedPath.
    static DocumentFiles Read(const SettingsStore &store, const QString &editedPath);
    bool operator==(const DocumentFiles &) const = default;
};

// The registered file for an edited file ("" when none or when the edited file has no path).
QString ReadAnotherFile(const SettingsStore &store, const QString &editedPath);
// Stores the registration; an untitled document has no name to store it under.
void WriteAnotherFile(SettingsStore &store, const QString &editedPath, const QString &another);
void DeleteAnotherFile(SettingsStore &store, const QString &editedPath);

// The compile log shown beside the text: the registered file's log when there is one, else
// the edited file's; "" for an untitled document without registration.
QString TargetLogPath(const QString &editedPath, const QString &anotherFile);
