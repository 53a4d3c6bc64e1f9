#pragma once

// Reading a document from disk into Unicode text and writing it back as UTF-8 with LF line
// breaks, through the safe writer with its backup.

#include "app/FileWriter.h"

#include <QByteArray>
#include <QString>

class Prompter;

inline constexpr qint64 MaxDocumentBytes = 64LL * 1024 * 1024;

enum class LoadError {
    None,
    Missing,
    Folder,
    Unreadable,
    Binary,
    TooLarge,
    Undecodable
};

struct LoadResult {
    LoadError error = LoadError::None;
    QString text;     // LF line breaks only
    QString encoding; // the encoding the bytes were read in: "UTF-8", "Shift_JIS", ...
    QString detail;   // the system's reason for Unreadable
    qint64 fileSize = 0;
    qint64 modifiedTime = 0; // whole seconds since the epoch
    FileStamp stamp;         // of the file as read
};

// The text widget takes U+2029 (and U+FDD0, U+FDD1) for its own block and frame breaks, so a
// file's text holds each of them as a lone surrogate instead, a code unit that no decoded file
// can contain; writing turns them back. Every other character is kept as it is.
QString HoldWidgetBreaks(QString text);
QString ReleaseWidgetBreaks(QString text);
// A text of the program as the bytes of a file: UTF-8 without BOM, the held breaks released.
QByteArray EncodeFileText(const QString &text);

// Guesses the encoding of bytes: nkf -g when nkf is installed, otherwise strict UTF-8, then
// CP932. Returns a name QStringDecoder accepts ("UTF-8", "windows-31j", "EUC-JP",
// "ISO-2022-JP"), or an empty text when the bytes are valid in none of them.
QString GuessEncoding(const QByteArray &bytes);
// The guess GuessEncoding falls back to when nkf is missing or names an encoding the bytes are
// not valid in: ISO-2022-JP for 7-bit text with its escapes, then strict UTF-8, windows-31j,
// EUC-JP.
QString GuessEncodingWithoutNkf(const QByteArray &bytes);
// Decodes bytes in the named encoding; a UTF-8 byte-order mark is dropped; CR-LF and CR
// become LF; the widget's breaks are held (above). Returns a null QString when the bytes are not
// valid in that encoding. nkf's names are accepted too ("Shift_JIS" and "CP932" decode as
// windows-31j).
QString DecodeText(const QByteArray &bytes, const QString &encoding);
LoadResult LoadTextFile(const QString &path);
// The first line of the file as LoadTextFile reads it (with its line break; the whole text
// when it has none), with the same errors; the encoding may be a guess that differs.
LoadResult LoadFirstLine(const QString &path);
// The message for a failed load in the interface language ("" for LoadError::None).
QString LoadErrorMessage(const LoadResult &result, const QString &path, bool english);

// Writes text as UTF-8 without BOM, LF line breaks, with WriteFileSafely.
WriteResult SaveTextFile(const QString &path, const QString &text,
                         const WriteOptions &options = {});
// "could not be saved" with the system's reason, or the read-only message; "" for success.
QString SaveErrorMessage(const WriteResult &result, const QString &path, bool english);

// Last-modification time of a file in whole seconds, 0 when it cannot be read.
qint64 FileTimeOf(const QString &path);

// The Delete Backup command on a folder (with its trailing separator or not): the questions,
// the deletions and the summaries, all through the prompter.
bool FolderHasBackups(const QString &folder);
void DeleteBackups(const QString &folder, Prompter &prompter, bool english);
