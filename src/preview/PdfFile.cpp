#include "preview/PdfFile.h"

#include <QFile>

bool PdfIsWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 8)
        return false;
    if (!file.read(5).startsWith("%PDF-"))
        return false;
    // The marker ends the file, give or take a line break and some padding.
    file.seek(std::max<qint64>(0, file.size() - 1024));
    return file.readAll().contains("%%EOF");
}
