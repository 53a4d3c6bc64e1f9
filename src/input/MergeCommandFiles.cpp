#include "input/MergeCommandFiles.h"

#include "app/TextFile.h"
#include "input/CommandList.h"

#include <QTextStream>

int MergeCommandFiles(const QString &listPath, const QStringList &documents, bool english,
                      QTextStream &err)
{
    QString content = ReadCommandList(listPath);
    for (const QString &path : documents) {
        const LoadResult loaded = LoadTextFile(path);
        if (loaded.error != LoadError::None) {
            err << LoadErrorMessage(loaded, path, english) << '\n';
            return 1;
        }
        content = MakeCommandListText(content, loaded.text, english);
    }
    const WriteResult saved = SaveTextFile(listPath, content);
    if (saved.error != WriteError::None) {
        err << SaveErrorMessage(saved, listPath, english) << '\n';
        return 1;
    }
    return 0;
}
