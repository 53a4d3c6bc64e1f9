#include "app/Recovery.h"

#include "app/TextFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QUrl>

#include <algorithm>

namespace {

const QByteArray Magic = QByteArrayLiteral("Velloquin recovery 1");
const QString Suffix = QStringLiteral(".recovery");

struct Header {
    bool ok = false;
    QString documentPath;
    qint64 size = 0;
    qint64 headerSize = 0;
};

// Three lines: the magic, the document's path percent-encoded (so that any name fits on one
// line), the size of the text in bytes.
Header ReadHeader(QFile &file)
{
    Header header;
    if (file.readLine(Magic.size() + 2).chopped(1) != Magic)
        return header;
    const QByteArray path = file.readLine(64 * 1024);
    const QByteArray size = file.readLine(32);
    if (!path.endsWith('\n') || !size.endsWith('\n'))
        return header;
    header.documentPath = QUrl::fromPercentEncoding(path.chopped(1));
    header.size = size.chopped(1).toLongLong(&header.ok);
    header.headerSize = file.pos();
    return header;
}

} // namespace

QString RecoveryFolder(const QString &settingsFile)
{
    return QDir(QFileInfo(settingsFile).absolutePath()).filePath(QStringLiteral("recovery"));
}

QString NewRecoveryCopyName(const QString &folder)
{
    return QDir(folder).filePath(
        QStringLiteral("%1-%2%3")
            .arg(QCoreApplication::applicationPid())
            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))
            .arg(Suffix));
}

std::unique_ptr<QLockFile> TakeRecoveryCopy(const QString &copy)
{
    auto lock = std::make_unique<QLockFile>(copy + QStringLiteral(".lock"));
    // Only a dead owner makes a lock stale, never its age: a window may stay open for days.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

QByteArray RecoveryBytes(const QString &documentPath, const QString &text)
{
    const QByteArray bytes = EncodeFileText(text);
    return Magic + '\n' + QUrl::toPercentEncoding(documentPath) + '\n'
           + QByteArray::number(bytes.size()) + '\n' + bytes;
}

RecoveryText ReadRecoveryCopy(const QString &copy)
{
    RecoveryText result;
    QFile file(copy);
    if (!file.open(QIODevice::ReadOnly)) {
        result.detail = file.errorString();
        return result;
    }
    const Header header = ReadHeader(file);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.detail = file.errorString();
        return result;
    }
    if (!header.ok || bytes.size() != header.size) {
        result.detail = QStringLiteral("%1 / %2 bytes").arg(bytes.size()).arg(header.size);
        return result;
    }
    result.text = DecodeText(bytes, QStringLiteral("UTF-8"));
    if (result.text.isNull()) {
        result.detail = QStringLiteral("UTF-8");
        return result;
    }
    result.ok = true;
    result.documentPath = header.documentPath;
    return result;
}

std::vector<OfferedCopy> RecoveryCopiesFor(const QString &folder, const QString &documentPath)
{
    QFileInfoList copies =
        QDir(folder).entryInfoList({QLatin1Char('*') + Suffix}, QDir::Files, QDir::Time);
    std::vector<OfferedCopy> offered;
    const QFileInfo document(documentPath);
    for (const QFileInfo &copy : std::as_const(copies)) {
        QFile file(copy.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const Header header = ReadHeader(file);
        // A copy that does not say whose it is comes up at a start without a file.
        if (header.ok ? header.documentPath != documentPath : !documentPath.isEmpty())
            continue;
        if (!documentPath.isEmpty() && document.exists()
            && copy.lastModified() <= document.lastModified())
            continue; // the file was saved after the copy was written
        if (std::unique_ptr<QLockFile> lock = TakeRecoveryCopy(copy.filePath()))
            offered.push_back({copy.filePath(), std::move(lock)});
    }
    return offered;
}
