#pragma once

#include <QList>
#include <QString>

#include <functional>

// The rules of printing that need no printer: where the columns of a page lie, how pages
// follow one another, which lines of a calculation document are printed and the settings line
// such a document carries at its top.
//
// All lengths are printer device units; the printing code works at a fixed resolution (see
// ViewPrinter.cpp), so that a margin of 100 is the same distance on every printer.

// A rectangle as the printing code measures it: right and bottom lie just outside.
struct PrintRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PrintRect &) const = default;
};

// The area a page may be drawn on; the document writer of one platform reports a larger one
// than it can print, so it is made 100 units smaller on the right and at the bottom.
PrintRect DrawingArea(int pageWidth, int pageHeight, const QString &printerName);

// The column rectangles of a page, left to right: the text area starts at margin × 100 from
// the left and the top of the drawing area; columns are separated by a gap of 100.
// margin is 1..4 and columns 1..4; other values are taken as the nearest allowed one.
QList<PrintRect> ColumnRects(const PrintRect &area, int margin, int columns);

// Lays text into one column starting at index start; returns the index of the first
// character that did not fit (the text's length when everything did).
using ColumnFitter = std::function<int(const PrintRect &column, int start)>;

// Lays one page: the columns one after another, each continuing where the previous stopped.
// Returns the index after the last column. A page always moves on by at least one character,
// so that a column too small for any line cannot make the pages run forever.
int LayPage(const QList<PrintRect> &columns, int start, int textLength, const ColumnFitter &fit);

// The character index at which each page begins; page 1 begins at 0.
class PageStartTable {
public:
    static constexpr int MaxPages = 65535;

    int PageCount() const { return static_cast<int>(m_starts.size()); }
    // Index of the first character of page (1-based).
    int StartOf(int page) const { return m_starts.at(page - 1); }
    const QList<int> &Starts() const { return m_starts; }
    // After page n has been laid up to next: when n is the last page known and text remains,
    // page n + 1 begins at next. Returns true when a page was added.
    bool Record(int page, int next, int textLength);
    // Lays every page of the text, up to MaxPages.
    void Paginate(const QList<PrintRect> &columns, int textLength, const ColumnFitter &fit);
    // The page holding index: the last one whose start is not beyond it.
    int PageOf(int index) const;

private:
    QList<int> m_starts{0};
};

// The text printed for a document: for a calculation document without its comment lines, with
// the way back from a printed index to the same character in the document.
class PrintedText {
public:
    // withoutComments: drop every line that starts with "%", as the comment removal does.
    PrintedText(const QString &source, bool withoutComments);

    const QString &Text() const { return m_text; }
    // The index in the document of the character at printed index (the document's end for the
    // printed text's end).
    int ToSource(int printed) const;
    // The printed index of the first printed character at or after the document's index.
    int ToPrinted(int source) const;

private:
    QString m_text;
    int m_sourceLength = 0;
    // Runs of lines kept together: the start of each run in the printed and in the source text.
    QList<int> m_printedStarts;
    QList<int> m_sourceStarts;
    QList<int> m_runLengths;
};

// The settings line of a calculation document, ended by its line break.
QString ZelSettingsLineText(int tabWidth, int printFontHeight, int columns, int margin);

// The result of putting a settings line at the top of a text.
struct SettingsLineEdit {
    bool changed = false;
    QString text;
    // Characters removed at the start (an old settings line with its line break) and inserted.
    int removed = 0;
    int inserted = 0;

    // Where a position of the old text is in the new one: positions in a removed line go to
    // the start of the text after the new line.
    int Shift(int position) const;
};

// Puts line at the top of text unless the text already begins with it; an old settings line
// (a first line starting with "%" that holds "TAB=") goes, every other line stays.
SettingsLineEdit WithSettingsLine(const QString &text, const QString &line);

// A calculation document by its extension (".zel" in either case, as the file names of the
// platform it came from were written).
bool IsCalcExtension(const QString &ext);
