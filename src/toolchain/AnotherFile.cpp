#include "toolchain/AnotherFile.h"

#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"

#include <QFileInfo>

TargetPieces SplitTargetPath(const QString &path)
{
    TargetPieces pieces;
    if (path.isEmpty())
        return pieces;
    const QFileInfo info(path);
    pieces.dir = info.absolutePath();
    if (!pieces.dir.endsWith(QLatin1Char('/')))
        pieces.dir += QLatin1Char('/');
    // The extension is what follows the last dot of the name, as the path splitting of the
    // platform the program comes from counts it.
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        pieces.base = name;
    } else {
        pieces.base = name.left(dot);
        pieces.ext = name.mid(dot);
    }
    return pieces;
}

DocumentFiles DocumentFiles::Of(const QString &editedPath, const QString &anotherFile)
{
    return {editedPath, anotherFile, SplitTargetPath(editedPath),
            SplitTargetPath(anotherFile.isEmpty() ? editedPath : anotherFile)};
}

DocumentFiles DocumentFiles::Read(const SettingsStore &store, const QString &editedPath)
{
    return Of(editedPath, ReadAnotherFile(store, editedPath));
}

QString ReadAnotherFile(const SettingsStore &store, const QString &editedPath)
{
    if (editedPath.isEmpty())
        return QString();
    return store.GetString(SectionName(Sections::TeXFile), editedPath);
}

void WriteAnotherFile(SettingsStore &store, const QString &editedPath, const QString &another)
{
    if (editedPath.isEmpty())
        return;
    store.WriteString(SectionName(Sections::TeXFile), editedPath, another);
}

void DeleteAnotherFile(SettingsStore &store, const QString &editedPath)
{
    if (editedPath.isEmpty())
        return;
    store.DeleteValue(SectionName(Sections::TeXFile), editedPath);
}

QString TargetLogPath(const QString &editedPath, const QString &anotherFile)
{
    const QString target = anotherFile.isEmpty() ? editedPath : anotherFile;
    if (target.isEmpty())
        return QString();
    const TargetPieces pieces = SplitTargetPath(target);
    return pieces.dir + pieces.base + QStringLiteral(".log");
}
