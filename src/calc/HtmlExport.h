#pragma once

// The document as an HTML page: its light markup ("%" comment lines, "\title=", "\bgcolor=",
// "\-" rules, "\h" headings, "{\..." decorations) and, in calculation mode, a table for every
// run of lines that hold a TAB. Every step is one forward pass over the text, so a document of
// many megabytes converts in linear time.

#include <QString>

class QTextStream;

namespace Html {

// "<!-- first line -->\n" when the text starts with "%", else "".
QString HeaderComment(const QString &text);
// Removes every line after the first that starts with "%", with the line break before it.
QString DropCommentLines(const QString &text);

// "\title=": when a line break follows it, everything up to and including that line break is
// removed and a non-empty title replaces title. Without a line break nothing changes.
void TakeTitle(QString &text, QString &title);
// "\bgcolor=": returns the body tag the letter after "=" selects ("<body>\n" for any other);
// everything up to and including the line break after the directive is removed (nothing when
// there is none).
QString TakeBackground(QString &text);

// Every line break gets "<br> " before it; "\-" becomes "<hr>", which needs no "<br>" after it.
QString BreaksAndRules(const QString &text);
// "\hd text" and "\hdc text" (c a colour letter) become h-level headings closed at the end of
// their line.
QString Headings(const QString &text);
// "{\letters text}" becomes a span in the colour and weight the letters ask for. When a "}" is
// missing, *unclosed is set and the text from that decoration on stays as it is.
QString Decorations(const QString &text, bool *unclosed);
// The span style of decoration letters: the last colour in the order r, g, b, v, y wins, then
// bold for "B" and italic for "I".
QString SpanStyle(const QString &letters);
// Every maximal run of lines that hold a TAB becomes one table, one row per line, one cell per
// field.
QString Tables(const QString &text);

} // namespace Html

struct HtmlPage {
    QString page;
    bool unclosedDecoration = false; // the message about a missing "}" is due
};

// The page for text; title is the document's file name without its extension.
HtmlPage ExportHtml(const QString &text, const QString &title, bool calcMode);

// The page's path beside a document: its folder, its name without extension, ".html".
QString HtmlPathFor(const QString &documentPath);
// Whether the editor opens the file in calculation mode (by its extension).
bool IsCalcDocument(const QString &path);

// Writes the page of a document file beside it, as the export does in the window but without
// showing it. Messages and reasons for failure go to err. Returns the process exit code: 0 on
// success, 1 when the file cannot be read or the page not written.
int ExportHtmlFile(const QString &path, bool calcMode, bool english, QTextStream &err);
