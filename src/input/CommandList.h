#pragma once

// The command list file: a free-text header, a marker, then entries "name\tcount" (a name may
// carry "%description" before its TAB) grouped by first letter a, A, b, B, ... z, Z behind
// lines "%A", "%b", ... Line breaks are "\n" throughout.

#include <QString>

inline constexpr const char *CommandListFileName = "input_tex.mme";
// The merge takes the document in pieces that end at a backslash after this many characters.
inline constexpr int CommandChunkLength = 20000;

// The list file's content, decoded from whatever encoding it is in, with LF line breaks;
// empty when the file is missing or cannot be read. A file that is not clean text (NUL bytes,
// invalid sequences) is read as far as it goes, so that whatever entries it holds still count.
QString ReadCommandList(const QString &path);

// The text the program writes before the marker of a new file, and the marker itself.
QString StandardDescription(bool english);
QString CommandListMarker(bool english);

// The header (everything before the first "\COMMANDS") and the list part (from the first line
// beginning with "a" after the "%a" marker; the whole text when there is no such line).
struct CommandListParts {
    QString header;
    QString list;
};
CommandListParts SplitCommandList(const QString &content);

// The count of an entry line: the number after its first TAB read as the C runtime reads a
// number, saturated at the largest int; 1 when the line has no count at all.
int EntryCount(const QString &line);

// Counts the commands of one piece of a document into list and regroups it (see the .cpp).
QString MergeCommandCounts(const QString &list, const QString &chunk);

// The whole new content of the list file after merging document into the old content:
// the old header (or the standard description), the marker and the merged list.
QString MakeCommandListText(const QString &oldContent, const QString &document, bool english);
