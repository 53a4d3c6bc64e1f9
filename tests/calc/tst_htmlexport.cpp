#include "calc/HtmlExport.h"
#include "res/Messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {

// The page's fixed texts, written out here rather than taken from the code under test.
const QString Header = QStringLiteral(
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
    "\"http://www.w3.org/TR/html4/strict.dtd\"> \n <html>\n <head>\n"
    "   <meta content=\"text/html; charset=UTF-8\" http-equiv=\"content-type\">\n   <title>");
const QString AfterTitle = QStringLiteral(".html</title>\n </head>\n ");
const QString End = QStringLiteral("\n<br>\n </body></html>");
const QString Body = QStringLiteral("<body>\n");
const QString BodyYellow =
    QStringLiteral("<body style=\"background-color: rgb(255, 255, 214);\">\n");
const QString TStart = QStringLiteral(
    "<table border=\"1\" cellpadding=\"2\" cellspacing=\"2\">\n <tbody>\n  <tr>\n   <td>");
const QString TRow = QStringLiteral("</td>\n    </tr>\n    <tr>\n      <td>");
const QString TCell = QStringLiteral("</td>\n     <td>");
const QString TEnd = QStringLiteral("</td>\n    </tr>\n   </tbody>\n </table>\n <br>");

const QString Red = QStringLiteral("color: rgb(252, 40, 104); ");
const QString Blue = QStringLiteral("color: rgb(102,  0, 204); ");
const QString Yellow = QStringLiteral("color: rgb(255, 204,  0); ");
const QString Bold = QStringLiteral("font-weight: bold; ");
const QString Italic = QStringLiteral("font-style: italic; ");

QString Span(const QString &style)
{
    return QStringLiteral("<span style=\"") + style + QStringLiteral("\">");
}

QString HeadingOpen(const QString &level, const QString &rgb)
{
    return QStringLiteral("<h") + level + QStringLiteral(" style=\"color: rgb(") + rgb
           + QStringLiteral(");\">\n");
}

// The converted text between the body tag and the page end, checking both.
QString BodyOf(const QString &text, bool calc, const QString &bodyTag = Body)
{
    const QString page = ExportHtml(text, QStringLiteral("doc"), calc).page;
    const QString start = Header + QStringLiteral("doc") + AfterTitle + bodyTag;
    if (!page.startsWith(start) || !page.endsWith(End))
        return QStringLiteral("(not a page) ") + page;
    return page.mid(start.size(), page.size() - start.size() - End.size());
}

QString StripTags(const QString &page)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return QString(page).remove(tag);
}


// The conversion rewritten step by step on a copy of the text, each search starting afresh,
// as slow as it is plain; the one-pass code must give the same page.
QString Literal(QString t, QString title, bool calc, bool *unclosed)
{
    QString comment;
    if (t.startsWith(u'%'))
        comment = QStringLiteral("<!-- ") + t.left(t.indexOf(u'\n')) + QStringLiteral(" -->\n");
    for (qsizetype p; (p = t.indexOf(QStringLiteral("\n%"))) >= 0;) {
        const qsizetype e = t.indexOf(u'\n', p + 1);
        t.remove(p, (e < 0 ? t.size() : e) - p);
    }
    if (const qsizetype p = t.indexOf(QStringLiteral("\\title=")); p >= 0) {
        if (const qsizetype nl = t.indexOf(u'\n', p + 7); nl >= 0) {
            if (nl > p + 7)
                title = t.mid(p + 7, nl - p - 7);
            t.remove(0, nl + 1);
        }
    }
    QString body = Body;
    if (const qsizetype p = t.indexOf(QStringLiteral("\\bgcolor=")); p >= 0) {
        const QStringList backs = {
            QStringLiteral("255, 244, 234"), QStringLiteral("234, 255, 195"),
            QStringLiteral("234, 255, 255"), QStringLiteral("255, 255, 214")};
        const qsizetype k = p + 9 < t.size() ? QStringLiteral("rgby").indexOf(t[p + 9]) : -1;
        if (k >= 0)
            body = QStringLiteral("<body style=\"background-color: rgb(%1);\">\n").arg(backs[k]);
        if (const qsizetype nl = t.indexOf(u'\n', p + 9); nl >= 0)
            t.remove(0, nl + 1);
    }
    t.replace(QStringLiteral("\n"), QStringLiteral("<br> \n"));
    t.replace(QStringLiteral("\\-"), QStringLiteral("<hr>"));
    for (const char *rule : {"<hr><br>", "<hr> <br>", "<hr>  <br>"})
        t.replace(QLatin1String(rule), QStringLiteral("<hr>"));
    const QStringList rgb = {QStringLiteral("252, 40, 104"), QStringLiteral("51, 255,  51"),
                             QStringLiteral("102,  0, 204"), QStringLiteral("204, 51, 204"),
                             QStringLiteral("255, 204,  0")};
    const QString colours = QStringLiteral("rgbvy");
    for (qsizetype from = 0, p; (p = t.indexOf(QStringLiteral("\\h"), from)) >= 0
                                && p + 2 < t.size();) {
        const QString d = t.mid(p + 2, 1);
        const qsizetype k = p + 3 < t.size() ? colours.indexOf(t[p + 3]) : -1;
        qsizetype nl;
        if (k >= 0) {
            const QString open = HeadingOpen(d, rgb[k]);
            t.replace(p, 4, open);
            nl = t.indexOf(u'\n', p + open.size());
        } else {
            t.replace(p, 3, QStringLiteral("<h") + d + QStringLiteral(">"));
            nl = t.indexOf(u'\n', p + 11);
        }
        if (nl < 0)
            nl = t.size();
        t.insert(nl, QStringLiteral("</h") + d + QStringLiteral(">"));
        from = nl + 5;
    }
    *unclosed = false;
    for (qsizetype from = 0, p; (p = t.indexOf(QStringLiteral("{\\"), from)) >= 0;) {
        const qsizetype sp = t.indexOf(u' ', p + 2);
        if (sp < 0) {
            from = p + 2;
            continue;
        }
        const qsizetype cl = t.indexOf(u'}', sp + 1);
        if (cl < 0) {
            *unclosed = true;
            break;
        }
        const QString letters = t.mid(p + 2, sp - p - 2);
        QString style;
        for (qsizetype k = 0; k < colours.size(); ++k) {
            if (letters.contains(colours[k]))
                style = QStringLiteral("color: rgb(%1); ").arg(rgb[k]);
        }
        style += QString(letters.contains(u'B') ? Bold : QString())
                 + (letters.contains(u'I') ? Italic : QString());
        t.replace(cl, 1, QStringLiteral("</span>"));
        t.replace(p, sp - p, Span(style));
        from = p + Span(style).size();
    }
    if (calc) {
        QString o;
        for (;;) {
            const qsizetype tab = t.indexOf(u'\t');
            if (tab < 0) {
                o += t;
                o.replace(QStringLiteral("\t"), TCell);
                break;
            }
            const qsizetype start = t.lastIndexOf(u'\n', tab) + 1;
            o += t.left(start) + TStart;
            t.remove(0, start);
            for (;;) {
                const qsizetype cr = t.indexOf(u'\n');
                if (cr < 0) {
                    o += t;
                    t.clear();
                    break;
                }
                QString line = t.left(cr);
                if (line.endsWith(QStringLiteral("<br> ")))
                    line.chop(5);
                o += line;
                t.remove(0, cr + 1);
                if (!t.left(t.indexOf(u'\n')).contains(u'\t'))
                    break;
                o += TRow;
            }
            o += TEnd;
        }
        t = o;
    }
    return comment + Header + title + AfterTitle + body + t + End;
}
} // namespace

class TestHtmlExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void page_data();
    void page();
    void commentLines_data();
    void commentLines();
    void directives_data();
    void directives();
    void breaksAndRules_data();
    void breaksAndRules();
    void headings_data();
    void headings();
    void decorations_data();
    void decorations();
    void tables_data();
    void tables();
    void paths_data();
    void paths();
    void randomTextsKeepPlainLines();
    void randomTextsAsStepByStep();
    void fileExport_data();
    void fileExport();
};

void TestHtmlExport::page_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("calc");
    QTest::addColumn<QString>("expected");
    const QString doc = QStringLiteral("%note\n\\title=Report\n\\bgcolor=y\nA\tB\n1\t2\nend");
    const QString head = QStringLiteral("<!-- %note -->\n") + Header + QStringLiteral("Report")
                         + AfterTitle + BodyYellow;
    QTest::newRow("directives and a table in calculation mode")
        << doc << true
        << head + TStart + "A" + TCell + "B" + TRow + "1" + TCell + "2" + TEnd + "end" + End;
    QTest::newRow("directives outside calculation mode: TABs stay")
        << doc << false << head + "A\tB<br> \n1\t2<br> \nend" + End;
    QTest::newRow("empty text") << QString() << true
                                << Header + "doc" + AfterTitle + Body + End;
    QTest::newRow("plain lines") << "one\ntwo\n" << false
                                 << Header + "doc" + AfterTitle + Body + "one<br> \ntwo<br> \n"
                                        + End;
    QTest::newRow("comment first line alone") << "%only" << false
                                              << "<!-- %only -->\n" + Header + "doc"
                                                     + AfterTitle + Body + "%only" + End;
}

void TestHtmlExport::page()
{
    QFETCH(QString, text);
    QFETCH(bool, calc);
    QFETCH(QString, expected);
    const HtmlPage page = ExportHtml(text, QStringLiteral("doc"), calc);
    QCOMPARE(page.page, expected);
    QVERIFY(!page.unclosedDecoration);
}

void TestHtmlExport::commentLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("kept");
    QTest::newRow("no comments") << "a\nb" << "" << "a\nb";
    QTest::newRow("comment in the middle") << "a\n%c\nb" << "" << "a\nb";
    QTest::newRow("comment at the end") << "a\n%end" << "" << "a";
    QTest::newRow("comments in a row") << "a\n%1\n%2\n%3\nb" << "" << "a\nb";
    QTest::newRow("first line stays, becomes the header comment")
        << "%first\n%second\nb" << "<!-- %first -->\n" << "%first\nb";
    QTest::newRow("percent inside a line stays") << "a % b\nc%" << "" << "a % b\nc%";
    QTest::newRow("empty lines around a comment") << "a\n\n%c\n\n" << "" << "a\n\n\n";
    QTest::newRow("only a line break and a comment") << "\n%" << "" << "";
    QTest::newRow("empty text") << "" << "" << "";
}

void TestHtmlExport::commentLines()
{
    QFETCH(QString, text);
    QFETCH(QString, header);
    QFETCH(QString, kept);
    QCOMPARE(Html::HeaderComment(text), header);
    QCOMPARE(Html::DropCommentLines(text), kept);
}

void TestHtmlExport::directives_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("rest");
    const QString red = QStringLiteral("<body style=\"background-color: rgb(255, 244, 234);\">\n");
    const QString green =
        QStringLiteral("<body style=\"background-color: rgb(234, 255, 195);\">\n");
    const QString blue =
        QStringLiteral("<body style=\"background-color: rgb(234, 255, 255);\">\n");
    QTest::newRow("title") << "\\title=Report\nrest" << "Report" << Body << "rest";
    QTest::newRow("title removes what is before it")
        << "pre\n\\title=T\nrest" << "T" << Body << "rest";
    QTest::newRow("empty title keeps the name, line goes")
        << "\\title=\nrest" << "doc" << Body << "rest";
    QTest::newRow("title without a line break changes nothing")
        << "a\n\\title=NoBreak" << "doc" << Body << "a\n\\title=NoBreak";
    QTest::newRow("background r") << "\\bgcolor=r\nx" << "doc" << red << "x";
    QTest::newRow("background g") << "\\bgcolor=g\nx" << "doc" << green << "x";
    QTest::newRow("background b") << "\\bgcolor=b\nx" << "doc" << blue << "x";
    QTest::newRow("background y") << "\\bgcolor=y\nx" << "doc" << BodyYellow << "x";
    QTest::newRow("background v has no colour") << "\\bgcolor=v\nx" << "doc" << Body << "x";
    QTest::newRow("background other letter") << "\\bgcolor=q\nx" << "doc" << Body << "x";
    QTest::newRow("background at the very end") << "x\n\\bgcolor=" << "doc" << Body
                                                << "x\n\\bgcolor=";
    QTest::newRow("background letter at the end") << "\\bgcolor=r" << "doc" << red
                                                  << "\\bgcolor=r";
    QTest::newRow("title then background") << "\\title=A\n\\bgcolor=y\nz" << "A" << BodyYellow
                                           << "z";
    QTest::newRow("background before the title goes with it")
        << "\\bgcolor=b\n\\title=B\nz" << "B" << Body << "z";
}

void TestHtmlExport::directives()
{
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, body);
    QFETCH(QString, rest);
    QString t = text;
    QString gotTitle = QStringLiteral("doc");
    Html::TakeTitle(t, gotTitle);
    const QString gotBody = Html::TakeBackground(t);
    QCOMPARE(gotTitle, title);
    QCOMPARE(gotBody, body);
    QCOMPARE(t, rest);
}

void TestHtmlExport::breaksAndRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("line breaks") << "a\nb\n" << "a<br> \nb<br> \n";
    QTest::newRow("rule line has no break tag") << "a\n\\-\nb" << "a<br> \n<hr> \nb";
    QTest::newRow("rule with a space") << "\\- \nb" << "<hr> \nb";
    QTest::newRow("rule with two spaces") << "\\-  \nb" << "<hr> \nb";
    QTest::newRow("rule with three spaces keeps its break")
        << "\\-   \nb" << "<hr>   <br> \nb";
    QTest::newRow("rule at the end") << "a\n\\-" << "a<br> \n<hr>";
    QTest::newRow("rule inside a line") << "a\\-b" << "a<hr>b";
    QTest::newRow("backslash before a line break") << "a\\\nb" << "a\\<br> \nb";
    QTest::newRow("empty lines") << "\n\n" << "<br> \n<br> \n";
}

void TestHtmlExport::breaksAndRules()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(Html::BreaksAndRules(text), expected);
}

void TestHtmlExport::headings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const QString red = QStringLiteral("252, 40, 104");
    QTest::newRow("coloured heading at the end")
        << "\\h2r Results" << HeadingOpen("2", red) + " Results</h2>";
    QTest::newRow("coloured heading closed at the end of its line")
        << "\\h2r Results\nnext" << HeadingOpen("2", red) + " Results<br> </h2>\nnext";
    QTest::newRow("plain heading") << "\\h2 Results\nnext" << "<h2> Results<br> </h2>\nnext";
    QTest::newRow("plain heading at the end") << "\\h2 Results" << "<h2> Results</h2>";
    QTest::newRow("violet heading")
        << "\\h3v T\nx" << HeadingOpen("3", "204, 51, 204") + " T<br> </h3>\nx";
    QTest::newRow("green heading")
        << "\\h1g T\nx" << HeadingOpen("1", "51, 255,  51") + " T<br> </h1>\nx";
    QTest::newRow("yellow heading")
        << "\\h1y T\nx" << HeadingOpen("1", "255, 204,  0") + " T<br> </h1>\nx";
    QTest::newRow("short plain heading still closes on its line")
        << "\\h1 A\nnext\nlast" << "<h1> A<br> </h1>\nnext<br> \nlast";
    QTest::newRow("empty plain heading closes a line later")
        << "\\h1 \nnext\nlast" << "<h1> <br> \nnext<br> </h1>\nlast";
    QTest::newRow("two headings")
        << "\\h1 One\n\\h2b Two\nend"
        << "<h1> One<br> </h1>\n" + HeadingOpen("2", "102,  0, 204") + " Two<br> </h2>\nend";
    QTest::newRow("other letter after the level: plain")
        << "\\hline\nx" << "<hl>ine<br> </hl>\nx";
    QTest::newRow("backslash h at the end stays") << "a\\h" << "a\\h";
    QTest::newRow("backslash h and one character at the end") << "a\\h2" << "a<h2></h2>";
    QTest::newRow("colour letter at the end") << "\\h2r" << HeadingOpen("2", red) + "</h2>";
    QTest::newRow("inner backslash h before the close is not a heading")
        << "\\h2 a\\h3 b\nc" << "<h2> a\\h3 b<br> </h2>\nc";
}

void TestHtmlExport::headings()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(Html::Headings(Html::BreaksAndRules(text)), expected);
}

void TestHtmlExport::decorations_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("unclosed");
    QTest::newRow("red bold") << "{\\rB important} rest"
                              << Span(Red + Bold) + " important</span> rest" << false;
    QTest::newRow("y wins over g") << "{\\gy x}" << Span(Yellow) + " x</span>" << false;
    QTest::newRow("y wins whatever the order") << "{\\yr x}" << Span(Yellow) + " x</span>"
                                               << false;
    QTest::newRow("italic") << "{\\I a}" << Span(Italic) + " a</span>" << false;
    QTest::newRow("bold italic blue") << "{\\IbB a}" << Span(Blue + Bold + Italic) + " a</span>"
                                      << false;
    QTest::newRow("unknown letters: empty style") << "{\\q a}" << Span("") + " a</span>"
                                                  << false;
    QTest::newRow("two decorations")
        << "{\\r a} and {\\b b}" << Span(Red) + " a</span> and " + Span(Blue) + " b</span>"
        << false;
    QTest::newRow("nested")
        << "{\\r a {\\b b} c}"
        << Span(Red) + " a " + Span(Blue) + " b</span> c</span>" << false;
    QTest::newRow("missing close") << "{\\r no close" << "{\\r no close" << true;
    QTest::newRow("converted so far stay, the rest unchanged")
        << "{\\r a} then {\\b open" << Span(Red) + " a</span> then {\\b open" << true;
    QTest::newRow("no space: skipped") << "{\\rnospace}" << "{\\rnospace}" << false;
    QTest::newRow("brace and backslash at the end") << "x{\\" << "x{\\" << false;
    QTest::newRow("lone closing brace stays") << "x} y" << "x} y" << false;
    QTest::newRow("close on a later line")
        << "{\\B a\nb}" << Span(Bold) + " a\nb</span>" << false;
}

void TestHtmlExport::decorations()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(bool, unclosed);
    bool gotUnclosed = !unclosed;
    QCOMPARE(Html::Decorations(text, &gotUnclosed), expected);
    QCOMPARE(gotUnclosed, unclosed);
    QCOMPARE(ExportHtml(text, QStringLiteral("doc"), false).unclosedDecoration, unclosed);
}

void TestHtmlExport::tables_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("calc");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one table then text")
        << "A\tB\n1\t2\nend" << true
        << TStart + "A" + TCell + "B" + TRow + "1" + TCell + "2" + TEnd + "end";
    QTest::newRow("text, table, text, table")
        << "x\na\tb\ny\nc\td\n" << true
        << "x<br> \n" + TStart + "a" + TCell + "b" + TEnd + "y<br> \n" + TStart + "c" + TCell
               + "d" + TEnd;
    QTest::newRow("line ending in TAB: empty last cell")
        << "a\t\nb\t" << true << TStart + "a" + TCell + TRow + "b" + TCell + TEnd;
    QTest::newRow("table at the very end") << "a\tb" << true << TStart + "a" + TCell + "b" + TEnd;
    QTest::newRow("comment line inside a table is dropped")
        << "a\tb\n%c\n1\t2" << true
        << TStart + "a" + TCell + "b" + TRow + "1" + TCell + "2" + TEnd;
    QTest::newRow("comment line after a table")
        << "a\tb\n%c" << true << TStart + "a" + TCell + "b" + TEnd;
    QTest::newRow("empty line ends a table")
        << "a\tb\n\nc\td" << true
        << TStart + "a" + TCell + "b" + TEnd + "<br> \n" + TStart + "c" + TCell + "d" + TEnd;
    QTest::newRow("heading in a cell keeps its closing tag")
        << "\\h2 a\tb\nx" << true << TStart + "<h2> a" + TCell + "b<br> </h2>" + TEnd + "x";
    QTest::newRow("no tables outside calculation mode")
        << "a\tb\n1\t2" << false << "a\tb<br> \n1\t2";
}

void TestHtmlExport::tables()
{
    QFETCH(QString, text);
    QFETCH(bool, calc);
    QFETCH(QString, expected);
    QCOMPARE(BodyOf(text, calc), expected);
}

void TestHtmlExport::paths_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("calc");
    QTest::newRow("zel") << "/d/doc.zel" << "/d/doc.html" << true;
    QTest::newRow("upper-case ZEL") << "/d/doc.ZEL" << "/d/doc.html" << true;
    QTest::newRow("tex") << "/d/doc.tex" << "/d/doc.html" << false;
    QTest::newRow("two dots keep the first") << "/d/a.b.txt" << "/d/a.b.html" << false;
    QTest::newRow("no extension") << "/d/notes" << "/d/notes.html" << false;
    QTest::newRow("zel as part of a name") << "/d/zel.txt" << "/d/zel.html" << false;
}

void TestHtmlExport::paths()
{
    QFETCH(QString, document);
    QFETCH(QString, html);
    QFETCH(bool, calc);
    QCOMPARE(HtmlPathFor(document), html);
    QCOMPARE(IsCalcDocument(document), calc);
}

void TestHtmlExport::randomTextsKeepPlainLines()
{
    // Markup pieces at random with plain lines between them: every plain line after the last
    // directive (which removes what is before it) must still be readable in the page.
    const QString alphabet = QStringLiteral("\\h{}%\t\n -=titlebgcolorrgbvyBI");
    QRandomGenerator random(20261205);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        QStringList plain;
        const int pieces = random.bounded(1, 6);
        for (int p = 0; p < pieces; ++p) {
            const int length = random.bounded(0, 40);
            for (int i = 0; i < length; ++i)
                text += alphabet[random.bounded(alphabet.size())];
            if (random.bounded(3) == 0)
                text += alphabet.mid(random.bounded(alphabet.size()));
            const QString line = QStringLiteral("plain %1 %2").arg(round).arg(p);
            text += QLatin1Char('\n') + line + QLatin1Char('\n');
            plain << line;
        }
        const qsizetype lastDirective =
            std::max(text.lastIndexOf(QLatin1String("\\title=")),
                     text.lastIndexOf(QLatin1String("\\bgcolor=")));
        for (const bool calc : {false, true}) {
            const QString page = ExportHtml(text, QStringLiteral("doc"), calc).page;
            QVERIFY(page.endsWith(End));
            const QString stripped = StripTags(page);
            for (const QString &line : plain) {
                if (text.indexOf(line) < lastDirective)
                    continue;
                if (!stripped.contains(line))
                    QFAIL(qPrintable(QStringLiteral("lost \"%1\" of %2").arg(line, text)));
            }
        }
    }
}

void TestHtmlExport::randomTextsAsStepByStep()
{
    const QStringList pieces = {
        QStringLiteral("\\"), QStringLiteral("h"), QStringLiteral("2"), QStringLiteral(" "),
        QStringLiteral("r"), QStringLiteral("y"), QStringLiteral("B"), QStringLiteral("{"),
        QStringLiteral("}"), QStringLiteral("{\\"), QStringLiteral("\\h"), QStringLiteral("\n"),
        QStringLiteral("\n"), QStringLiteral("%"), QStringLiteral("\t"), QStringLiteral("-"),
        QStringLiteral("\\-"), QStringLiteral("\\title="), QStringLiteral("\\bgcolor="),
        QStringLiteral("<br>"), QStringLiteral("x"), QStringLiteral("g"), QStringLiteral("v"),
        QStringLiteral("b"), QStringLiteral("I"), QStringLiteral("<hr>")};
    QRandomGenerator random(5122026);
    for (int round = 0; round < 40000; ++round) {
        QString text;
        for (int i = random.bounded(0, 30); i > 0; --i)
            text += pieces[random.bounded(pieces.size())];
        const bool calc = random.bounded(2) == 0;
        bool expectUnclosed = false;
        const QString expected = Literal(text, QStringLiteral("doc"), calc, &expectUnclosed);
        const HtmlPage got = ExportHtml(text, QStringLiteral("doc"), calc);
        if (got.page != expected || got.unclosedDecoration != expectUnclosed) {
            QString shown = text;
            shown.replace(u'\n', QStringLiteral("\\n")).replace(u'\t', QStringLiteral("\\t"));
            qWarning("text: %s", qPrintable(shown));
            QCOMPARE(got.page, expected);
            QCOMPARE(got.unclosedDecoration, expectUnclosed);
        }
    }
}

void TestHtmlExport::fileExport_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("calc");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("error");
    const QString unclosed = MsgText(Msg::HtmlUnclosedDecoration, false) + "\n";
    QTest::newRow("zel in calculation mode by its name")
        << "t.zel" << QByteArray("a\tb\r\n") << false << 0 << TStart + "a" + TCell + "b" + TEnd
        << "";
    QTest::newRow("txt with --calc") << "t.txt" << QByteArray("a\tb") << true << 0
                                     << TStart + "a" + TCell + "b" + TEnd << "";
    QTest::newRow("txt without --calc") << "t.txt" << QByteArray("a\tb") << false << 0
                                        << "a\tb" << "";
    QTest::newRow("Shift_JIS text decoded")
        << "s.txt" << QByteArray::fromHex("93fa967b8cea82cc95b68f9182c582b7") << false << 0
        << QString::fromUtf8("日本語の文書です") << "";
    QTest::newRow("unclosed decoration reported, page written")
        << "u.txt" << QByteArray("{\\r x") << false << 0 << "{\\r x" << unclosed;
    QTest::newRow("missing file") << "" << QByteArray() << false << 1 << "" << "?";
    QTest::newRow("html document is not overwritten")
        << "p.html" << QByteArray("keep") << false << 1 << "" << "?";
    QTest::newRow("page cannot be written") << "blocked.txt" << QByteArray("keep") << false << 1
                                            << "" << "?";
}

void TestHtmlExport::fileExport()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, calc);
    QFETCH(int, status);
    QFETCH(QString, body);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString path = dir.filePath(name.isEmpty() ? QStringLiteral("missing.txt") : name);
    if (!name.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    if (name.startsWith(QLatin1String("blocked"))) // a folder where the page would go
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("blocked.html")));
    QString err;
    QTextStream errStream(&err);
    QCOMPARE(ExportHtmlFile(path, calc, false, errStream), status);
    errStream.flush();
    const QString htmlPath = HtmlPathFor(path);
    if (status != 0) {
        QVERIFY(!err.isEmpty());
        if (!name.isEmpty()) { // the document itself is untouched
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), bytes);
        }
        if (name.isEmpty())
            QVERIFY(!QFile::exists(htmlPath));
        return;
    }
    QCOMPARE(err, error);
    QFile f(htmlPath);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(f.readAll());
    const QString title = QFileInfo(path).completeBaseName();
    QCOMPARE(page, Header + title + AfterTitle + Body + body + End);
}

QTEST_GUILESS_MAIN(TestHtmlExport)
#include "tst_htmlexport.moc"
