#pragma once

// Reading a document from disk into Unicode text and writing it back as UTF-8 with LF line
// breaks, with the backup rename before every save over the same path.

#include <QByteArray>
#include <QString>

class Prompter;

inline constexpr qint64 MaxDocumentBytes = 64LL * 1024 * 1024;

enum class LoadError { None, Missing, Folder, Unreadable, Binary, TooLarge, Undecodable };

struct LoadResult {
    LoadError error = LoadError::None;
    QString text;          // LF line breaks only
    QString encoding;      // the encoding the bytes were read in: "UTF-8", "Shift_JIS", ...
    QString detail;        // the system's reason for Unreadable
    qint64 fileSize = 0;
    qint64 modifiedTime = 0; // whole seconds since the epoch
};

// Guesses the encoding of bytes: nkf -g when nkf is installed, otherwise strict UTF-8, then
// CP932. Returns a name QStringDecoder accepts ("UTF-8", "windows-31j", "EUC-JP",
// "ISO-2022-JP"), or an empty text when the bytes are valid in none of them.
QString GuessEncoding(const QByteArray &bytes);
// The guess GuessEncoding falls back to when nkf is missing or names an encoding the bytes are
// not valid in: ISO-2022-JP for 7-bit text with its escapes, then strict UTF-8, windows-31j,
// EUC-JP.
QString GuessEncodingWithoutNkf(const QByteArray &bytes);
// Decodes bytes in the named encoding; a UTF-8 byte-order mark is dropped; CR-LF and CR
// become LF. Returns a null QString when the bytes are not valid in that encoding. nkf's
// names are accepted too ("Shift_JIS" and "CP932" decode as windows-31j).
QString DecodeText(const QByteArray &bytes, const QString &encoding);
LoadResult LoadTextFile(const QString &path);
// The message for a failed load in the interface language ("" for LoadError::None).
QString LoadErrorMessage(const LoadResult &result, const QString &path, bool english);

enum class SaveError { None, ReadOnly, WriteFailed };

struct SaveOptions {
    bool makeBackup = false; // rename the existing file to path + ".bak" first
};

struct SaveResult {
    SaveError error = SaveError::None;
    bool backupAttempted = false; // the backup branch ran (the view marks its saved state)
    bool backupFailed = false;    // "Failed to make the back up file !!" is due
    QString detail;               // the system's reason for WriteFailed
    qint64 modifiedTime = 0;      // of the written file, whole seconds
};

// Writes text as UTF-8 without BOM, LF line breaks, atomically. When options.makeBackup and
// the file exists, the old file is renamed to path + ".bak" (an old backup is deleted and the
// rename tried again); when the backup cannot be made the save still goes on. On any failure
// the file on disk keeps its old contents under its own name.
SaveResult SaveTextFile(const QString &path, const QString &text, const SaveOptions &options);
QString SaveErrorMessage(const SaveResult &result, const QString &path, bool english);

// Last-modification time of a file in whole seconds, 0 when it cannot be read.
qint64 FileTimeOf(const QString &path);

// The Delete Backup command on a folder (with its trailing separator or not): the questions,
// the deletions and the summaries, all through the prompter.
bool FolderHasBackups(const QString &folder);
void DeleteBackups(const QString &folder, Prompter &prompter, bool english);
