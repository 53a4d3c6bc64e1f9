#pragma once

// Recovery copies: the text of a document with unsaved changes, kept in the user's data folder
// while it is edited, so that a crash or a killed process loses nothing. A window holds a lock
// on its copy; a copy whose lock nobody holds is left over from a window that died.

#include <QByteArray>
#include <QLockFile>
#include <QString>

#include <memory>
#include <vector>

// The folder of the copies, beside the settings file.
QString RecoveryFolder(const QString &settingsFile);
// A new copy's name in folder, unique to this window.
QString NewRecoveryCopyName(const QString &folder);

// The lock on copy that says a running window owns it; null when another one does.
std::unique_ptr<QLockFile> TakeRecoveryCopy(const QString &copy);

// The copy's bytes: a header naming the document ("" for an untitled one) and the size of
// the text, then the text as UTF-8.
QByteArray RecoveryBytes(const QString &documentPath, const QString &text);

struct RecoveryText {
    bool ok = false;
    QString documentPath;
    QString text;   // held as DecodeText holds it
    QString detail; // why it could not be read
};
// The whole text or nothing: a short, damaged or undecodable copy is never read in part.
RecoveryText ReadRecoveryCopy(const QString &copy);

struct OfferedCopy {
    QString file;
    std::unique_ptr<QLockFile> lock; // held, so that no other window offers it meanwhile
};
// Copies left by windows that died, for documentPath: those written after the file was last
// changed (for "": the untitled ones and those whose header cannot be read, so that the
// reader can say why they are not applied), newest first.
std::vector<OfferedCopy> RecoveryCopiesFor(const QString &folder, const QString &documentPath);
