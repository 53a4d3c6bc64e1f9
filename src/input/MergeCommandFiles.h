#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// Merges the commands of each document into the command list file and saves it (UTF-8, LF),
// as Make TeX Input file does in the window. Reasons for failure go to err. Returns the
// process exit code: 0 on success, 1 when a document cannot be read or the list not written.
int MergeCommandFiles(const QString &listPath, const QStringList &documents, bool english,
                      QTextStream &err);
