#include "calc/HtmlExport.h"

#include "app/TextFile.h"
#include "res/Messages.h"

#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <deque>

namespace {

constexpr QLatin1StringView ColourLetters("rgbvy");

// Per colour letter r, g, b, v, y: the rest of a coloured heading's opening tag, and the
// colour part of a span style. The double spaces inside some values belong to them.
constexpr QLatin1StringView HeadingAttribute[] = {
    QLatin1StringView(" style=\"color: rgb(252, 40, 104);\">\n"),
    QLatin1StringView(" style=\"color: rgb(51, 255,  51);\">\n"),
    QLatin1StringView(" style=\"color: rgb(102,  0, 204);\">\n"),
    QLatin1StringView(" style=\"color: rgb(204, 51, 204);\">\n"),
    QLatin1StringView(" style=\"color: rgb(255, 204,  0);\">\n"),
};
constexpr QLatin1StringView SpanColour[] = {
    QLatin1StringView("color: rgb(252, 40, 104); "),
    QLatin1StringView("color: rgb(51, 255,  51); "),
    QLatin1StringView("color: rgb(102,  0, 204); "),
    QLatin1StringView("color: rgb(204, 51, 204); "),
    QLatin1StringView("color: rgb(255, 204,  0); "),
};
constexpr QLatin1StringView SpanBold("font-weight: bold; ");
constexpr QLatin1StringView SpanItalic("font-style: italic; ");

constexpr QLatin1StringView DefaultBody("<body>\n");

constexpr QLatin1StringView TableStart(
    "<table border=\"1\" cellpadding=\"2\" cellspacing=\"2\">\n <tbody>\n  <tr>\n   <td>");
constexpr QLatin1StringView BetweenRows("</td>\n    </tr>\n    <tr>\n      <td>");
constexpr QLatin1StringView BetweenCells("</td>\n     <td>");
constexpr QLatin1StringView TableEnd("</td>\n    </tr>\n   </tbody>\n </table>\n <br>");

constexpr QLatin1StringView PageHeader(
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
    "\"http://www.w3.org/TR/html4/strict.dtd\"> \n <html>\n <head>\n"
    "   <meta content=\"text/html; charset=UTF-8\" http-equiv=\"content-type\">\n   <title>");
constexpr QLatin1StringView AfterTitle(".html</title>\n </head>\n ");
constexpr QLatin1StringView PageEnd("\n<br>\n </body></html>");

constexpr QLatin1StringView LineBreakTag("<br> ");

// Every occurrence of before, left to right without overlap, in one pass.
QString ReplaceAll(const QString &text, QStringView before, const QString &after)
{
    qsizetype p = text.indexOf(before);
    if (p < 0)
        return text;
    QString out;
    out.reserve(text.size() + 16);
    qsizetype i = 0;
    while (p >= 0) {
        out += QStringView(text).mid(i, p - i);
        out += after;
        i = p + before.size();
        p = text.indexOf(before, i);
    }
    out += QStringView(text).mid(i);
    return out;
}

// A table row: its TABs become cell boundaries.
void AppendRow(QString &out, QStringView row)
{
    qsizetype from = 0;
    for (qsizetype tab = row.indexOf(QLatin1Char('\t')); tab >= 0;
         tab = row.indexOf(QLatin1Char('\t'), from)) {
        out += row.mid(from, tab - from);
        out += BetweenCells;
        from = tab + 1;
    }
    out += row.mid(from);
}

// Position of the first ch in text[from, to), -1 when none.
qsizetype IndexIn(const QString &text, QChar ch, qsizetype from, qsizetype to)
{
    const QStringView part = QStringView(text).mid(from, to - from);
    const qsizetype p = part.indexOf(ch);
    return p < 0 ? -1 : from + p;
}

} // namespace

namespace Html {

QString HeaderComment(const QString &text)
{
    if (!text.startsWith(QLatin1Char('%')))
        return {};
    const qsizetype nl = text.indexOf(QLatin1Char('\n'));
    QString comment = QStringLiteral("<!-- ");
    comment += nl < 0 ? QStringView(text) : QStringView(text).left(nl);
    comment += QLatin1String(" -->\n");
    return comment;
}

QString DropCommentLines(const QString &text)
{
    qsizetype pos = text.indexOf(QLatin1Char('\n'));
    if (pos < 0)
        return text;
    QString out;
    out.reserve(text.size());
    out += QStringView(text).left(pos);
    const qsizetype n = text.size();
    // pos is at a line break; the line after it goes with it when it is a comment.
    while (pos < n) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), pos + 1);
        if (end < 0)
            end = n;
        if (!(pos + 1 < n && text[pos + 1] == QLatin1Char('%')))
            out += QStringView(text).mid(pos, end - pos);
        pos = end;
    }
    return out;
}

void TakeTitle(QString &text, QString &title)
{
    const qsizetype at = text.indexOf(QLatin1String("\\title="));
    if (at < 0)
        return;
    const qsizetype start = at + 7;
    const qsizetype nl = text.indexOf(QLatin1Char('\n'), start);
    if (nl < 0)
        return;
    if (nl > start)
        title = text.mid(start, nl - start);
    text.remove(0, nl + 1);
}

QString TakeBackground(QString &text)
{
    const qsizetype at = text.indexOf(QLatin1String("\\bgcolor="));
    if (at < 0)
        return DefaultBody;
    const qsizetype letterAt = at + 9;
    const QChar letter = letterAt < text.size() ? text[letterAt] : QChar();
    QString body = DefaultBody;
    if (letter == QLatin1Char('r'))
        body = QStringLiteral("<body style=\"background-color: rgb(255, 244, 234);\">\n");
    else if (letter == QLatin1Char('g'))
        body = QStringLiteral("<body style=\"background-color: rgb(234, 255, 195);\">\n");
    else if (letter == QLatin1Char('b'))
        body = QStringLiteral("<body style=\"background-color: rgb(234, 255, 255);\">\n");
    else if (letter == QLatin1Char('y'))
        body = QStringLiteral("<body style=\"background-color: rgb(255, 255, 214);\">\n");
    const qsizetype nl = text.indexOf(QLatin1Char('\n'), letterAt);
    if (nl >= 0)
        text.remove(0, nl + 1);
    return body;
}

QString BreaksAndRules(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8 + 16);
    const qsizetype n = text.size();
    qsizetype copied = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text[i];
        if (ch == QLatin1Char('\n')) {
            out += QStringView(text).mid(copied, i - copied);
            out += QLatin1String("<br> \n");
            copied = i + 1;
        } else if (ch == QLatin1Char('\\') && i + 1 < n && text[i + 1] == QLatin1Char('-')) {
            out += QStringView(text).mid(copied, i - copied);
            out += QLatin1String("<hr>");
            copied = i + 2;
            ++i;
        }
    }
    out += QStringView(text).mid(copied);
    // A rule is a line of its own already.
    const QString rule = QStringLiteral("<hr>");
    out = ReplaceAll(out, u"<hr><br>", rule);
    out = ReplaceAll(out, u"<hr> <br>", rule);
    return ReplaceAll(out, u"<hr>  <br>", rule);
}

QString Headings(const QString &text)
{
    const qsizetype n = text.size();
    QString out;
    out.reserve(n + 64);
    qsizetype i = 0;
    for (;;) {
        const qsizetype p = text.indexOf(u"\\h", i);
        if (p < 0 || p + 2 >= n) // a "\h" with nothing after it stays
            break;
        out += QStringView(text).mid(i, p - i);
        const QChar level = text[p + 2];
        const qsizetype colour = p + 3 < n ? ColourLetters.indexOf(text[p + 3]) : -1;
        qsizetype bodyStart;
        qsizetype searchFrom;
        out += QLatin1String("<h");
        out += level;
        if (colour >= 0) {
            out += HeadingAttribute[colour];
            bodyStart = p + 4;
            searchFrom = p + 4;
        } else {
            // A space or anything else after the level: a plain heading. Its line break is
            // looked for from 11 characters after the start of "<hd>" (7 after the "\hd").
            out += QLatin1Char('>');
            bodyStart = p + 3;
            searchFrom = p + 10;
        }
        const qsizetype nl = searchFrom < n ? text.indexOf(QLatin1Char('\n'), searchFrom) : -1;
        const qsizetype end = nl < 0 ? n : nl;
        out += QStringView(text).mid(bodyStart, end - bodyStart);
        out += QLatin1String("</h");
        out += level;
        out += QLatin1Char('>');
        i = end;
    }
    out += QStringView(text).mid(i);
    return out;
}

QString SpanStyle(const QString &letters)
{
    QString style;
    for (qsizetype c = 0; c < ColourLetters.size(); ++c) {
        if (letters.contains(ColourLetters[c]))
            style = SpanColour[c];
    }
    if (letters.contains(QLatin1Char('B')))
        style += SpanBold;
    if (letters.contains(QLatin1Char('I')))
        style += SpanItalic;
    return style;
}

QString Decorations(const QString &text, bool *unclosed)
{
    if (unclosed)
        *unclosed = false;
    const qsizetype n = text.size();
    QString out;
    out.reserve(n + 64);
    // The "}" already taken by earlier decorations, in order: they become "</span>" when the
    // copy reaches them. Each decoration takes the first "}" after its space that no earlier one
    // took, which is always the first one after both its space and the last one taken.
    std::deque<qsizetype> closers;
    const auto copy = [&](QString &into, qsizetype from, qsizetype to) {
        while (!closers.empty() && closers.front() < to) {
            const qsizetype q = closers.front();
            closers.pop_front();
            into += QStringView(text).mid(from, q - from);
            into += QLatin1String("</span>");
            from = q + 1;
        }
        into += QStringView(text).mid(from, to - from);
    };
    qsizetype i = 0;
    qsizetype lastCloser = -1;
    for (;;) {
        const qsizetype p = text.indexOf(u"{\\", i);
        if (p < 0)
            break;
        // Without a space after it no later "{\" has one either.
        const qsizetype space = text.indexOf(QLatin1Char(' '), p + 2);
        if (space < 0)
            break;
        const qsizetype closer = text.indexOf(QLatin1Char('}'), std::max(space, lastCloser) + 1);
        if (closer < 0) {
            if (unclosed)
                *unclosed = true;
            break;
        }
        copy(out, i, p);
        QString letters;
        copy(letters, p + 2, space);
        out += QLatin1String("<span style=\"");
        out += SpanStyle(letters);
        out += QLatin1String("\">");
        closers.push_back(closer);
        lastCloser = closer;
        i = space;
    }
    copy(out, i, n);
    return out;
}

QString Tables(const QString &text)
{
    const qsizetype n = text.size();
    QString out;
    out.reserve(n + n / 4 + 64);
    qsizetype i = 0; // always the start of a line
    for (;;) {
        const qsizetype tab = text.indexOf(QLatin1Char('\t'), i);
        if (tab < 0) {
            out += QStringView(text).mid(i);
            break;
        }
        const qsizetype lineStart = std::max(i, text.lastIndexOf(QLatin1Char('\n'), tab) + 1);
        out += QStringView(text).mid(i, lineStart - i);
        out += TableStart;
        qsizetype pos = lineStart;
        for (;;) {
            const qsizetype nl = text.indexOf(QLatin1Char('\n'), pos);
            if (nl < 0) {
                AppendRow(out, QStringView(text).mid(pos));
                pos = n;
                break;
            }
            QStringView row = QStringView(text).mid(pos, nl - pos);
            // The line's "<br> " has no place in a cell; a row that lost it to a heading or
            // rule keeps all it has.
            if (row.endsWith(LineBreakTag))
                row.chop(LineBreakTag.size());
            AppendRow(out, row);
            pos = nl + 1;
            qsizetype nextEnd = text.indexOf(QLatin1Char('\n'), pos);
            if (nextEnd < 0)
                nextEnd = n;
            if (IndexIn(text, QLatin1Char('\t'), pos, nextEnd) < 0)
                break;
            out += BetweenRows;
        }
        out += TableEnd;
        i = pos;
    }
    return out; // every line with a TAB is a row of some table
}

} // namespace Html

HtmlPage ExportHtml(const QString &text, const QString &title, bool calcMode)
{
    HtmlPage result;
    const QString comment = Html::HeaderComment(text);
    QString body = Html::DropCommentLines(text);
    QString pageTitle = title;
    Html::TakeTitle(body, pageTitle);
    const QString bodyTag = Html::TakeBackground(body);
    body = Html::BreaksAndRules(body);
    body = Html::Headings(body);
    body = Html::Decorations(body, &result.unclosedDecoration);
    if (calcMode)
        body = Html::Tables(body);
    result.page.reserve(comment.size() + PageHeader.size() + pageTitle.size() + bodyTag.size()
                        + body.size() + 64);
    result.page += comment;
    result.page += PageHeader;
    result.page += pageTitle;
    result.page += AfterTitle;
    result.page += bodyTag;
    result.page += body;
    result.page += PageEnd;
    return result;
}

QString HtmlPathFor(const QString &documentPath)
{
    const QFileInfo info(documentPath);
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName()
           + QLatin1String(".html");
}

bool IsCalcDocument(const QString &path)
{
    const QString ext = QFileInfo(path).suffix();
    return ext == QLatin1String("zel") || ext == QLatin1String("ZEL");
}

int ExportHtmlFile(const QString &path, bool calcMode, bool english, QTextStream &err)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const LoadResult loaded = LoadTextFile(absolute);
    if (loaded.error != LoadError::None) {
        err << LoadErrorMessage(loaded, absolute, english) << '\n';
        return 1;
    }
    const QString target = HtmlPathFor(absolute);
    if (QFileInfo(target) == QFileInfo(absolute)) {
        err << MsgText(Msg::HtmlOverDocument, english).arg(target) << '\n';
        return 1;
    }
    const HtmlPage page = ExportHtml(loaded.text, QFileInfo(absolute).completeBaseName(),
                                     calcMode || IsCalcDocument(absolute));
    if (page.unclosedDecoration)
        err << MsgText(Msg::HtmlUnclosedDecoration, english) << '\n';
    const WriteResult saved = SaveTextFile(target, page.page);
    if (saved.error != WriteError::None) {
        err << SaveErrorMessage(saved, target, english) << '\n';
        return 1;
    }
    return 0;
}
