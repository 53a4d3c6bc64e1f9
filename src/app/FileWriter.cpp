#include "app/FileWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

std::filesystem::path NativePath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

class RealFileSystem final : public SaveFileSystem {
public:
    bool Create(const QString &path) override
    {
        m_file.setFileName(path);
        return Check(m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly), m_file);
    }
    bool Write(const QByteArray &bytes) override
    {
        return Check(m_file.write(bytes) == bytes.size(), m_file);
    }
    // QFile keeps small writes in its buffer: a full disk shows only here.
    bool Flush() override { return Check(m_file.flush(), m_file); }
    bool Sync() override
    {
#ifdef Q_OS_WIN
        const bool ok = ::_commit(m_file.handle()) == 0;
#else
        const bool ok = ::fsync(m_file.handle()) == 0;
#endif
        if (!ok)
            m_error = qt_error_string(errno);
        return ok;
    }
    bool Close() override
    {
        m_file.close();
        return Check(m_file.error() == QFileDevice::NoError, m_file);
    }
    bool SetPermissions(const QString &path, QFileDevice::Permissions permissions) override
    {
        QFile file(path);
        return Check(file.setPermissions(permissions), file);
    }
    bool Link(const QString &existing, const QString &newName) override
    {
        std::error_code error;
        std::filesystem::create_hard_link(NativePath(existing), NativePath(newName), error);
        return Check(error);
    }
    bool Read(const QString &path, QByteArray &bytes) override
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return Check(false, file);
        bytes = file.readAll();
        return Check(file.error() == QFileDevice::NoError, file);
    }
    bool Rename(const QString &from, const QString &to) override
    {
        std::error_code error;
        std::filesystem::rename(NativePath(from), NativePath(to), error);
        if (!error)
            SyncFolder(to);
        return Check(error);
    }
    bool Remove(const QString &path) override
    {
        QFile file(path);
        return Check(file.remove(), file);
    }
    QString ErrorString() const override
    {
        return m_error;
    }

private:
    bool Check(bool ok, const QFileDevice &file)
    {
        if (!ok)
            m_error = file.errorString();
        return ok;
    }
    bool Check(const std::error_code &error)
    {
        if (error)
            m_error = QString::fromLocal8Bit(error.message());
        return !error;
    }
    // The new name itself must survive a power cut, not only the bytes behind it.
    static void SyncFolder(const QString &file)
    {
#ifndef Q_OS_WIN
        const int fd = ::open(QFile::encodeName(QFileInfo(file).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
#else
        Q_UNUSED(file);
#endif
    }

    QFile m_file;
    QString m_error;
};

bool OwnerMayWrite(const QString &path)
{
    return QFile::permissions(path).testFlag(QFileDevice::WriteOwner);
}

// A name beside path that nothing has; hidden, so that a left-over after a crash is not in
// the way.
QString TemporaryName(const QString &path, const char *kind)
{
    const QFileInfo info(path);
    for (;;) {
        const QString candidate = info.dir().filePath(
            QStringLiteral(".%1.%2-%3.tmp")
                .arg(info.fileName(), QLatin1String(kind))
                .arg(QRandomGenerator::global()->generate() & 0xffffff, 6, 16, QLatin1Char('0')));
        if (!QFileInfo(candidate).exists() && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
}

// Creates path holding bytes, on the disk itself; on failure nothing of it is left and
// error is the first reason.
bool WriteNewFile(SaveFileSystem &fs, const QString &path, const QByteArray &bytes, QString &error)
{
    if (!fs.Create(path)) {
        error = fs.ErrorString();
        return false;
    }
    const bool written = fs.Write(bytes) && fs.Flush() && fs.Sync();
    if (!written)
        error = fs.ErrorString();
    const bool closed = fs.Close();
    if (written && !closed)
        error = fs.ErrorString();
    if (written && closed)
        return true;
    fs.Remove(path);
    return false;
}

} // namespace

std::unique_ptr<SaveFileSystem> MakeRealFileSystem()
{
    return std::make_unique<RealFileSystem>();
}

FileStamp StampOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

QString LinkTarget(const QString &path)
{
    QString current = QFileInfo(path).absoluteFilePath();
    // A loop of links has no target; after this many steps it is written as a file.
    for (int i = 0; i < 40; ++i) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            break;
        current = info.symLinkTarget();
    }
    return current;
}

WriteResult WriteFileSafely(const QString &path, const QByteArray &bytes,
                            const WriteOptions &options, SaveFileSystem &fs)
{
    WriteResult result;
    const QString target = LinkTarget(path);
    const QFileInfo info(target);
    const bool exists = info.isFile();
    const QString folder = info.absolutePath();

    // Permission bits, not access checks: running as root must not overwrite a file the user
    // marked read-only.
    if ((exists && !OwnerMayWrite(target))
        || (QFileInfo::exists(folder) && !OwnerMayWrite(folder))) {
        result.error = WriteError::ReadOnly;
        return result;
    }

    if (exists && options.known.size == bytes.size() && StampOf(target) == options.known) {
        QByteArray onDisk;
        if (fs.Read(target, onDisk) && onDisk == bytes) {
            result.unchanged = true;
            result.stamp = options.known;
            return result;
        }
    }

    QString error;
    const auto failed = [&](const QStringList &leftovers) {
        if (error.isEmpty())
            error = fs.ErrorString();
        for (const QString &file : leftovers)
            fs.Remove(file);
        result.error = WriteError::Failed;
        result.detail = error;
        return result;
    };

    const QString temporary = TemporaryName(target, "new");
    if (!WriteNewFile(fs, temporary, bytes, error))
        return failed({});
    if (exists && !fs.SetPermissions(temporary, QFile::permissions(target)))
        return failed({temporary});

    // The old file gets its second name before the new one takes its first: there is never a
    // moment without either of them.
    QString backup;
    if (options.makeBackup && exists) {
        backup = TemporaryName(target, "bak");
        if (!fs.Link(target, backup)) {
            // No hard links here (another kind of file system): a copy, written as carefully.
            QByteArray old;
            if (!fs.Read(target, old) || !WriteNewFile(fs, backup, old, error))
                return failed({temporary});
            if (!fs.SetPermissions(backup, QFile::permissions(target)))
                return failed({backup, temporary});
        }
    }

    if (!fs.Rename(temporary, target))
        return failed(backup.isEmpty() ? QStringList{temporary} : QStringList{backup, temporary});
    // The new text is saved; only the .bak can still fail, and then the old .bak stays.
    if (!backup.isEmpty() && !fs.Rename(backup, target + QStringLiteral(".bak"))) {
        fs.Remove(backup);
        result.backupFailed = true;
    }
    result.stamp = StampOf(target);
    return result;
}

WriteResult WriteFileSafely(const QString &path, const QByteArray &bytes,
                            const WriteOptions &options)
{
    const std::unique_ptr<SaveFileSystem> fs = MakeRealFileSystem();
    return WriteFileSafely(path, bytes, options, *fs);
}
