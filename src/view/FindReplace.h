#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Searching and replacing on plain text, and the search histories, without any widget.

struct TextMatch {
    int start = 0;
    int length = 0;
};

// Searches forward from selEnd or backward for a match that ends at or before selStart.
std::optional<TextMatch> FindInText(const QString &text, const QString &what, int selStart,
                                    int selEnd, bool forward, bool matchCase);

// Lines to scroll so that a found caret line stands on row 2, or on row visibleRows - 3 when
// it lies that low; 0 when it already stands between them.
int MatchScrollLines(int caretLine, int topLine, int visibleRows);

// The history list with text put at the top: an equal entry (letter case counting or not) is
// removed first, and the list keeps at most limit entries.
QStringList AddToHistory(const QStringList &list, const QString &text, bool matchCase,
                         int limit = 16);

struct ReplaceAllResult {
    QString text;
    int count = 0;
};

// Every occurrence of what, left to right, not overlapping, letter case counting.
ReplaceAllResult ReplaceAllInText(const QString &text, const QString &what, const QString &with);
