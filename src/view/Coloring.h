#pragma once

#include "view/ViewColors.h"

#include <QHash>
#include <QList>
#include <QString>

// What the editor paints over the text of the visible rows, as ranges of the examined text.
// The examined text runs from the first character of the top visible line to the end of the
// line that holds the last visible row, so every rule here is bounded by what is on screen.

enum class PaintKind {
    LineEnd,
    Tab,
    WideSpace,
    Symbol,
    UserString
};

struct PaintSpan {
    PaintKind kind;
    int start; // offset in the examined text
    int length;
    int index; // the symbol (order of SymbolKeys()) or the user string (0..11); 0 for marks

    bool operator==(const PaintSpan &) const = default;
};

// TeX rules apply to ".tex"/".TEX"/".zel"/".ZEL" files and to files registered with a main TeX
// file of extension ".tex"/".TEX". Extensions keep their dot.
bool IsTeXDocument(const QString &editedExt, const QString &mainFileExt);

// End (exclusive) of the command name that starts with the backslash at pos: the first of
// "&%_{[()]}^ \,.=$+-/" or a line break after it, or the end of the text.
int CommandNameEnd(const QString &text, int pos);

// True when the character at pos lies inside a comment by the last "%" before it on its line.
bool InsideComment(const QString &text, int pos);

// Every span in painting order: line ends, tabs, full-width spaces, the symbols "$" to "\]",
// the user strings 1..12 (those that are empty or of the text colour are left out) and "%"
// last, so that later spans paint over earlier ones. Marks are included only when asked.
QList<PaintSpan> ComputePaintSpans(const QString &text, bool texDocument, const ViewColors &colors,
                                   bool withMarks = true);

// Puts the spans of several lines, each line's in painting order and the lines in text order,
// into the painting order of the text they make.
void SortIntoPaintOrder(QList<PaintSpan> &spans);

// True when the spans of a text are those of its lines, each with its line break, put in
// painting order: no rule reaches over a line break unless a user string holds one.
bool ColorsLineByLine(const ViewColors &colors);

// The spans of lines of the examined text (the first and last may be cut where the examined
// text is), kept by the line's text so that a repaint colours only lines it has not seen.
// A change of the colours or of the kind of document forgets them all.
class LineSpanCache {
public:
    const QList<PaintSpan> &Spans(const QString &line, bool texDocument, const ViewColors &colors);

private:
    bool m_bTeX = false;
    ViewColors m_colors;
    QHash<QString, QList<PaintSpan>> m_lines;
};
