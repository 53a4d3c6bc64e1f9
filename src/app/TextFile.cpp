#include "app/TextFile.h"

#include "app/Prompter.h"
#include "res/Messages.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>

#include <cmath>

namespace {

constexpr int NkfTimeoutMs = 5000;

const QString Utf8 = QStringLiteral("UTF-8");
const QString WindowsJ = QStringLiteral("windows-31j");
const QString EucJp = QStringLiteral("EUC-JP");
const QString Jis = QStringLiteral("ISO-2022-JP");

// nkf's names (and the names we hand out ourselves) to the decoder we use for them; empty for
// anything we do not read. Shift_JIS is read as windows-31j, its superset, so that the NEC and
// IBM extensions of files written on Windows decode too.
QString CanonicalEncoding(const QString &name)
{
    const QString n = name.trimmed().toLower();
    if (n == u"utf-8" || n == u"utf8" || n == u"ascii" || n == u"us-ascii")
        return Utf8;
    if (n == u"shift_jis" || n == u"sjis" || n == u"cp932" || n == u"windows-31j"
        || n == u"ms_kanji")
        return WindowsJ;
    if (n == u"euc-jp" || n == u"eucjp-ms" || n == u"cp51932" || n == u"eucjp")
        return EucJp;
    if (n == u"iso-2022-jp" || n == u"cp50220" || n == u"cp50221" || n == u"cp50222"
        || n == u"iso-2022-jp-1")
        return Jis;
    return QString();
}

// The name the rest of the program shows and compares: nkf's, not the decoder's.
QString DisplayName(const QString &canonical)
{
    return canonical == WindowsJ ? QStringLiteral("Shift_JIS") : canonical;
}

// In place and in one pass: a 50 MB file must not be copied character by character.
void NormaliseLineEnds(QString &text)
{
    qsizetype r = text.indexOf(u'\r');
    if (r < 0)
        return;
    QChar *d = text.data();
    const qsizetype n = text.size();
    qsizetype w = r;
    for (; r < n; ++r) {
        const QChar c = d[r];
        if (c == u'\r') {
            d[w++] = u'\n';
            if (r + 1 < n && d[r + 1] == u'\n')
                ++r;
        } else {
            d[w++] = c;
        }
    }
    text.truncate(w);
}

constexpr qsizetype NkfSampleBytes = 1024 * 1024;

bool LooksLikeIso2022Jp(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return bytes.contains("\x1b$B") || bytes.contains("\x1b$@");
}

// Where the bytes stop being plain ASCII: the first 8-bit byte or escape; -1 for plain ASCII,
// which every candidate reads alike.
qsizetype FirstNonAscii(QByteArrayView bytes)
{
    const char *d = bytes.constData();
    for (qsizetype i = 0, n = bytes.size(); i < n; ++i) {
        const auto c = static_cast<unsigned char>(d[i]);
        if (c >= 0x80 || c == 0x1b)
            return i;
    }
    return -1;
}

// nkf reads all of its input before it answers, which on a large file is most of the time
// spent loading it. It first sees the part that matters: from the first byte that is not
// plain ASCII, at most 1 MiB, ended at a line feed (never a part of a multibyte character).
QByteArrayView NkfSample(const QByteArray &bytes, qsizetype start)
{
    const QByteArrayView rest = QByteArrayView(bytes).sliced(start);
    if (rest.size() <= NkfSampleBytes)
        return rest;
    const QByteArrayView head = rest.first(NkfSampleBytes);
    const qsizetype lineEnd = head.lastIndexOf('\n');
    return lineEnd > 0 ? head.first(lineEnd + 1) : head;
}

QString AskNkf(QByteArrayView bytes)
{
    const QString nkf = QStandardPaths::findExecutable(QStringLiteral("nkf"));
    if (nkf.isEmpty())
        return QString();
    QDeadlineTimer deadline(NkfTimeoutMs);
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(nkf, {QStringLiteral("-g")});
    if (!process.waitForStarted(NkfTimeoutMs))
        return QString();
    process.write(bytes.data(), bytes.size());
    process.closeWriteChannel();
    if (!process.waitForFinished(static_cast<int>(deadline.remainingTime()))) {
        process.kill();
        process.waitForFinished(1000);
        return QString();
    }
    if (process.exitStatus() != QProcess::NormalExit)
        return QString();
    const QByteArray out = process.readAllStandardOutput();
    return QString::fromLatin1(out.left(out.indexOf('\n'))).trimmed();
}

struct Decoded {
    QString encoding; // canonical; empty when no candidate fits
    QString text;
};

// Guessing and decoding are one step: an encoding only counts when the whole file decodes
// in it without error, and the decoded text is kept so that a large file is decoded once.
Decoded GuessAndDecode(const QByteArray &bytes, bool useNkf)
{
    QStringList tried;
    const auto attempt = [&](const QString &encoding, Decoded &out) {
        if (encoding.isEmpty() || tried.contains(encoding))
            return false;
        tried << encoding;
        // Checking UTF-8 stops at the first bad byte; a failed decode would read them all.
        if (encoding == Utf8 && !bytes.isValidUtf8())
            return false;
        QString text = DecodeText(bytes, encoding);
        if (text.isNull())
            return false;
        out = {encoding, std::move(text)};
        return true;
    };

    Decoded result;
    const qsizetype start = FirstNonAscii(bytes);
    if (start < 0) {
        attempt(Utf8, result);
        return result;
    }
    if (useNkf) {
        const QByteArrayView sample = NkfSample(bytes, start);
        if (attempt(CanonicalEncoding(AskNkf(sample)), result))
            return result;
        // The rest of the file may tell otherwise; the plain ASCII skipped at its start never.
        const bool cut = start + sample.size() < bytes.size();
        if (cut && attempt(CanonicalEncoding(AskNkf(bytes)), result))
            return result;
    }
    // 7-bit ISO-2022-JP is valid UTF-8 as well, so its escapes are looked for first.
    if (LooksLikeIso2022Jp(bytes) && attempt(Jis, result))
        return result;
    for (const QString &candidate : {Utf8, WindowsJ, EucJp}) {
        if (attempt(candidate, result))
            return result;
    }
    return {};
}

QString MegaBytes(qint64 size)
{
    // Rounded up, so that a file just over the limit never reads as "64 MB".
    const double tenths = std::ceil(double(size) * 10.0 / double(1024 * 1024));
    return QString::number(tenths / 10.0, 'f', 1);
}

// The widget's breaks and the code units that stand for them.
constexpr char16_t WidgetBreaks[][2] = {
    {0x2029, 0xDBF0}, // paragraph separator
    {0xFDD0, 0xDBF1}, // the widget's frame start
    {0xFDD1, 0xDBF2}, // the widget's frame end
};

QString ReplaceEach(QString text, int from, int to)
{
    for (const auto &pair : WidgetBreaks) {
        if (text.contains(QChar(pair[from])))
            text.replace(QChar(pair[from]), QChar(pair[to]));
    }
    return text;
}

} // namespace

QString GuessEncoding(const QByteArray &bytes)
{
    return GuessAndDecode(bytes, true).encoding;
}

QString GuessEncodingWithoutNkf(const QByteArray &bytes)
{
    return GuessAndDecode(bytes, false).encoding;
}

QString DecodeText(const QByteArray &bytes, const QString &encoding)
{
    const QString canonical = CanonicalEncoding(encoding);
    const QByteArray name = (canonical.isEmpty() ? encoding : canonical).toLatin1();
    // Stateless flushes at the end, so a truncated last character is an error, not dropped.
    QStringDecoder decoder(name.constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return QString();
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return QString();
    if (text.isNull())
        text = QString::fromLatin1(""); // empty, but a valid decode
    NormaliseLineEnds(text);
    return HoldWidgetBreaks(std::move(text));
}

QString HoldWidgetBreaks(QString text)
{
    return ReplaceEach(std::move(text), 0, 1);
}

QString ReleaseWidgetBreaks(QString text)
{
    return ReplaceEach(std::move(text), 1, 0);
}

QByteArray EncodeFileText(const QString &text)
{
    return ReleaseWidgetBreaks(text).toUtf8();
}

namespace {
LoadResult Load(const QString &path, bool firstLineOnly)
{
    LoadResult result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = LoadError::Missing;
        return result;
    }
    if (info.isDir()) {
        result.error = LoadError::Folder;
        return result;
    }
    result.fileSize = info.size();
    result.modifiedTime = info.lastModified().toSecsSinceEpoch();
    result.stamp = StampOf(path);
    if (!info.isFile()) {
        // Opening a pipe or a device could wait forever.
        result.error = LoadError::Unreadable;
        result.detail = QStringLiteral("Not a regular file");
        return result;
    }
    if (result.fileSize > MaxDocumentBytes) {
        result.error = LoadError::TooLarge;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = LoadError::Unreadable;
        result.detail = file.errorString();
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = LoadError::Unreadable;
        result.detail = file.errorString();
        return result;
    }
    file.close();
    result.fileSize = bytes.size();
    if (bytes.contains('\0')) {
        result.error = LoadError::Binary;
        return result;
    }
    bool useNkf = true;
    if (firstLineOnly) {
        // Every guess reads a plain-ASCII line alike and valid UTF-8 always decodes, so nkf,
        // whose start costs more than reading a short file, would change nothing.
        qsizetype end = bytes.size();
        for (const char lineBreak : {'\n', '\r'}) {
            const qsizetype at = bytes.indexOf(lineBreak);
            if (at >= 0 && at < end)
                end = at;
        }
        useNkf = FirstNonAscii(QByteArrayView(bytes).first(end)) >= 0 || !bytes.isValidUtf8();
    }
    Decoded decoded = GuessAndDecode(bytes, useNkf);
    if (decoded.encoding.isEmpty()) {
        // Opening it anyway would lose bytes on the next save.
        result.error = LoadError::Undecodable;
        return result;
    }
    result.encoding = DisplayName(decoded.encoding);
    result.text = std::move(decoded.text);
    const qsizetype lineEnd = result.text.indexOf(QLatin1Char('\n'));
    if (firstLineOnly && lineEnd >= 0)
        result.text.truncate(lineEnd + 1);
    return result;
}
} // namespace

LoadResult LoadTextFile(const QString &path)
{
    return Load(path, false);
}

LoadResult LoadFirstLine(const QString &path)
{
    return Load(path, true);
}

QString LoadErrorMessage(const LoadResult &result, const QString &path, bool english)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (result.error) {
    case LoadError::None:
        return QString();
    case LoadError::Missing:
        return MsgText(Msg::OpenMissing, english).arg(shown);
    case LoadError::Folder:
        return MsgText(Msg::OpenFolder, english).arg(shown);
    case LoadError::Unreadable:
        return MsgText(Msg::OpenUnreadable, english).arg(shown, result.detail);
    case LoadError::Binary:
        return MsgText(Msg::OpenBinary, english).arg(shown);
    case LoadError::TooLarge:
        return MsgText(Msg::OpenTooLarge, english).arg(shown, MegaBytes(result.fileSize));
    case LoadError::Undecodable:
        return MsgText(Msg::OpenUndecodable, english).arg(shown);
    }
    return QString();
}

WriteResult SaveTextFile(const QString &path, const QString &text, const WriteOptions &options)
{
    return WriteFileSafely(path, EncodeFileText(text), options);
}

QString SaveErrorMessage(const WriteResult &result, const QString &path, bool english)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (result.error) {
    case WriteError::None:
        return QString();
    case WriteError::ReadOnly:
        return MsgText(Msg::SaveReadOnly, english).arg(shown);
    case WriteError::Failed:
        return MsgText(Msg::SaveFailed, english).arg(shown, result.detail);
    }
    return QString();
}

qint64 FileTimeOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return 0;
    return info.lastModified().toSecsSinceEpoch();
}

namespace {

QStringList BackupFiles(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    if (!dir.exists())
        return {};
    return dir.entryList({QStringLiteral("*.bak")}, QDir::Files | QDir::Hidden, QDir::Name);
}

QString BackupPath(const QString &folder, const QString &name)
{
    const bool hasSeparator = folder.endsWith(u'/') || folder.endsWith(QDir::separator());
    return folder + (hasSeparator ? QString() : QString(QDir::separator())) + name;
}

} // namespace

bool FolderHasBackups(const QString &folder)
{
    return !BackupFiles(folder).isEmpty();
}

void DeleteBackups(const QString &folder, Prompter &prompter, bool english)
{
    // The list is taken once, so the files deleted are the ones the question was about.
    const QStringList names = BackupFiles(folder);
    if (names.isEmpty())
        return;

    const MsgAnswer mode = prompter.Ask(MsgText(Msg::DeleteBackupAskMode, english).arg(folder),
                                        MsgButtons::YesNoCancel, MsgIcon::Question, 1);
    if (mode == MsgAnswer::Cancel)
        return;

    const auto summary = [&](Msg id, int count) {
        prompter.Notice(MsgText(id, english).arg(QString::number(count), folder),
                        MsgIcon::Information);
    };
    const auto failed = [&] {
        prompter.Notice(MsgText(Msg::DeleteBackupFailed, english), MsgIcon::Exclamation);
    };

    int count = 0;
    if (mode == MsgAnswer::Yes) {
        for (const QString &name : names) {
            const QString file = BackupPath(folder, name);
            const MsgAnswer answer =
                prompter.Ask(MsgText(Msg::DeleteBackupAskFile, english).arg(file),
                             MsgButtons::YesNoCancel, MsgIcon::Question);
            if (answer == MsgAnswer::Cancel)
                return;
            if (answer != MsgAnswer::Yes)
                continue;
            if (!QFile::remove(file)) {
                failed();
                break;
            }
            ++count;
        }
        summary(Msg::DeleteBackupSummaryEach, count);
        return;
    }

    for (const QString &name : names) {
        if (!QFile::remove(BackupPath(folder, name))) {
            failed();
            summary(Msg::DeleteBackupSummaryEach, count);
            return;
        }
        ++count;
    }
    summary(Msg::DeleteBackupSummaryAll, count);
}
