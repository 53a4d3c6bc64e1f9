#pragma once

// Writing a whole file so that, at every instant, a file of its name holds either all of the
// old bytes or all of the new ones, whatever fails and whenever the process dies.

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <memory>

// The file-system steps of a save, one call each, every one reporting failure. The program
// uses the real one; a test hands in one that fails at a chosen step.
class SaveFileSystem {
public:
    virtual ~SaveFileSystem() = default;
    // Makes a file that does not exist yet and opens it for writing; one open file at a time.
    virtual bool Create(const QString &path) = 0;
    virtual bool Write(const QByteArray &bytes) = 0;
    virtual bool Flush() = 0;
    // Puts the open file's bytes on the disk itself, past the system's cache.
    virtual bool Sync() = 0;
    virtual bool Close() = 0;
    virtual bool SetPermissions(const QString &path, QFileDevice::Permissions permissions) = 0;
    // A second name for an existing file (a hard link).
    virtual bool Link(const QString &existing, const QString &newName) = 0;
    virtual bool Read(const QString &path, QByteArray &bytes) = 0;
    // Gives from the name to, replacing a file of that name in one step.
    virtual bool Rename(const QString &from, const QString &to) = 0;
    virtual bool Remove(const QString &path) = 0;
    // The system's reason for the last failure.
    virtual QString ErrorString() const = 0;
};

std::unique_ptr<SaveFileSystem> MakeRealFileSystem();

// What is known of a file just read or written, to tell later that it was not touched since.
struct FileStamp {
    qint64 size = -1; // -1: nothing known
    qint64 modifiedMs = 0;
    bool operator==(const FileStamp &) const = default;
};
FileStamp StampOf(const QString &path);

struct WriteOptions {
    // Keep the old file as path + ".bak" (when there is one).
    bool makeBackup = false;
    // The file as last read or written; when it still is that and holds the very bytes to be
    // written, nothing is written (and the backup keeps the version before).
    FileStamp known;
};

enum class WriteError {
    None,
    ReadOnly,
    Failed
};

struct WriteResult {
    WriteError error = WriteError::None;
    QString detail;            // the system's reason for Failed
    bool backupFailed = false; // the file was written, but the old one could not become the .bak
    bool unchanged = false;    // nothing needed writing
    FileStamp stamp;           // of the file as it is now
};

// Writes bytes to a temporary file in the same folder and checks every step; then, when asked,
// links (or copies) the old file under a temporary name; then renames the new file over the
// old one and the link over the .bak. Any failure before the rename leaves the old file and
// the old .bak as they were and no temporary file behind. A symbolic link is written through:
// its target is replaced (with its .bak beside it) and the link stays. The permission bits of
// the old file are kept.
WriteResult WriteFileSafely(const QString &path, const QByteArray &bytes,
                            const WriteOptions &options, SaveFileSystem &fs);
WriteResult WriteFileSafely(const QString &path, const QByteArray &bytes,
                            const WriteOptions &options = {});

// The file a path names once symbolic links are followed (path itself when it is none).
QString LinkTarget(const QString &path);
