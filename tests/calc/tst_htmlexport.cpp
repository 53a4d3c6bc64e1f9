#include "calc/HtmlExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
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
QString BodyOf(const QString &text, bool calc, bool *unclosed = nullptr)
{
    const HtmlPage result = ExportHtml(text, QStringLiteral("doc"), calc);
    if (unclosed)
        *unclosed = result.unclosedDecoration;
    const QString &page = result.page;
    const QString start = Header + QStringLiteral("doc") + AfterTitle + Body;
    if (!page.startsWith(start) || !page.endsWith(End))
        return QStringLiteral("(not a page) ") + page;
    return page.mid(start.size(), page.size() - start.size() - End.size());
}

// The conversion redone literally on a copy of the text, every search starting afresh, as
// slow as it is plain; the one-pass code must give the same body.
QString Literal(QString t, bool calc, bool *unclosed)
{
    for (qsizetype p; (p = t.indexOf(QStringLiteral("\n%"))) >= 0;) {
        const qsizetype e = t.indexOf(u'\n', p + 1);
        t.remove(p, (e < 0 ? t.size() : e) - p);
    }
    t.replace(QStringLiteral("\n"), QStringLiteral("<br> \n"));
    t.replace(QStringLiteral("\\-"), QStringLiteral("<hr>"));
    for (const char *rule : {"<hr><br>", "<hr> <br>", "<hr>  <br>"})
        t.replace(QLatin1String(rule), QStringLiteral("<hr>"));
    const QStringList rgb = {"252, 40, 104", "51, 255,  51", "102,  0, 204", "204, 51, 204",
                             "255, 204,  0"};
    const QString colours = QStringLiteral("rgbvy");
    for (qsizetype p = 0; (p = t.indexOf(QStringLiteral("\\h"), p)) >= 0 && p + 2 < t.size();) {
        const QString d = t.mid(p + 2, 1);
        const qsizetype k = p + 3 < t.size() ? colours.indexOf(t[p + 3]) : -1;
        const QString open = k >= 0 ? HeadingOpen(d, rgb[k]) : "<h" + d + ">";
        t.replace(p, k >= 0 ? 4 : 3, open);
        p = t.indexOf(u'\n', k >= 0 ? p + open.size() : p + 11);
        p = p < 0 ? t.size() : p;
        t.insert(p, "</h" + d + ">");
    }
    *unclosed = false;
    for (qsizetype p = 0; (p = t.indexOf(QStringLiteral("{\\"), p)) >= 0;) {
        const qsizetype sp = t.indexOf(u' ', p + 2);
        const qsizetype cl = sp < 0 ? -1 : t.indexOf(u'}', sp + 1);
        if (sp < 0 || cl < 0) {
            *unclosed = sp >= 0;
            break;
        }
        const QString letters = t.mid(p + 2, sp - p - 2);
        QString style;
        for (qsizetype k = 0; k < colours.size(); ++k) {
            if (letters.contains(colours[k]))
                style = QStringLiteral("color: rgb(%1); ").arg(rgb[k]);
        }
        style += (letters.contains(u'B') ? Bold : QString())
                 + (letters.contains(u'I') ? Italic : QString());
        t.replace(cl, 1, QStringLiteral("</span>"));
        t.replace(p, sp - p, Span(style));
    }
    if (!calc)
        return t;
    // Line by line: a line with a TAB is a row, its break and its "<br> " go.
    const QStringList lines = t.split(u'\n');
    QString o;
    bool inTable = false;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        QString line = lines[k];
        const bool row = line.contains(u'\t');
        if (row && k + 1 < lines.size() && line.endsWith(QStringLiteral("<br> ")))
            line.chop(5);
        o += row ? (inTable ? TRow : TStart) + line.replace(u'\t', TCell)
                 : (inTable ? TEnd : QString()) + line + (k + 1 < lines.size() ? "\n" : "");
        inTable = row;
    }
    return inTable ? o + TEnd : o;
}
} // namespace

class TestHtmlExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void page_data();
    void page();
    void directives_data();
    void directives();
    void body_data();
    void body();
    void paths_data();
    void paths();
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
    QTest::newRow("first line a comment: kept, and the header comment too")
        << "%first\n%second\nb" << false
        << "<!-- %first -->\n" + Header + "doc" + AfterTitle + Body + "%first<br> \nb" + End;
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
    QTest::newRow("title removes what is before it")
        << "pre\n\\title=T\nrest" << "T" << Body << "rest";
    QTest::newRow("empty title keeps the name, line goes")
        << "\\title=\nrest" << "doc" << Body << "rest";
    QTest::newRow("title without a line break changes nothing")
        << "a\n\\title=NoBreak" << "doc" << Body << "a\n\\title=NoBreak";
    QTest::newRow("background r") << "\\bgcolor=r\nx" << "doc" << red << "x";
    QTest::newRow("background g") << "\\bgcolor=g\nx" << "doc" << green << "x";
    QTest::newRow("background b") << "\\bgcolor=b\nx" << "doc" << blue << "x";
    QTest::newRow("background v has no colour") << "\\bgcolor=v\nx" << "doc" << Body << "x";
    QTest::newRow("background at the very end") << "x\n\\bgcolor=" << "doc" << Body
                                                << "x\n\\bgcolor=";
    QTest::newRow("background letter at the end") << "\\bgcolor=r" << "doc" << red
                                                  << "\\bgcolor=r";
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

void TestHtmlExport::body_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("calc");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("unclosed");
    const auto row = [](const char *name, const QString &text, const QString &expected,
                        bool calc = false, bool unclosed = false) {
        QTest::newRow(name) << text << calc << expected << unclosed;
    };
    const QString red = QStringLiteral("252, 40, 104");
    row("comment line goes", "a\n%c\nb", "a<br> \nb");
    row("comment as the last line goes", "a\n%end", "a");
    row("percent inside a line stays", "a % b\nc%", "a % b<br> \nc%");

    row("rule line has no break tag", "a\n\\-\nb", "a<br> \n<hr> \nb");
    row("rule with a space", "\\- \nb", "<hr> \nb");
    row("rule with two spaces", "\\-  \nb", "<hr> \nb");
    row("rule with three spaces keeps its break", "\\-   \nb", "<hr>   <br> \nb");
    row("rule inside a line", "a\\-b", "a<hr>b");

    row("coloured heading at the end", "\\h2r Results", HeadingOpen("2", red) + " Results</h2>");
    row("coloured heading closed at the end of its line", "\\h2r Results\nnext",
        HeadingOpen("2", red) + " Results<br> </h2>\nnext");
    row("plain heading", "\\h2 Results\nnext", "<h2> Results<br> </h2>\nnext");
    row("violet heading", "\\h3v T\nx", HeadingOpen("3", "204, 51, 204") + " T<br> </h3>\nx");
    row("short plain heading still closes on its line", "\\h1 A\nnext\nlast",
        "<h1> A<br> </h1>\nnext<br> \nlast");
    row("empty plain heading closes a line later", "\\h1 \nnext\nlast",
        "<h1> <br> \nnext<br> </h1>\nlast");
    row("two headings", "\\h1 One\n\\h2b Two\nend",
        "<h1> One<br> </h1>\n" + HeadingOpen("2", "102,  0, 204") + " Two<br> </h2>\nend");
    row("other letter after the level: plain", "\\hline\nx", "<hl>ine<br> </hl>\nx");

    row("decoration red bold", "{\\rB important} rest",
        Span(Red + Bold) + " important</span> rest");
    row("last colour in r g b v y order wins, not the last typed", "{\\ryg x}",
        Span(Yellow) + " x</span>");
    row("bold before italic", "{\\IbB a}", Span(Blue + Bold + Italic) + " a</span>");
    row("two decorations", "{\\r a} and {\\b b}",
        Span(Red) + " a</span> and " + Span(Blue) + " b</span>");
    row("nested decorations", "{\\r a {\\b b} c}",
        Span(Red) + " a " + Span(Blue) + " b</span> c</span>");
    row("decoration without a close", "{\\r no close", "{\\r no close", false, true);
    row("decorations converted so far stay, the rest unchanged", "{\\r a} then {\\b open",
        Span(Red) + " a</span> then {\\b open", false, true);
    row("decoration without a space: skipped", "{\\rnospace}", "{\\rnospace}");
    row("decoration closed on a later line", "{\\B a\nb}", Span(Bold) + " a<br> \nb</span>");

    row("text, table, text, table", "x\na\tb\ny\nc\td\n",
        "x<br> \n" + TStart + "a" + TCell + "b" + TEnd + "y<br> \n" + TStart + "c" + TCell + "d"
            + TEnd, true);
    row("line ending in TAB: empty last cell", "a\t\nb\t",
        TStart + "a" + TCell + TRow + "b" + TCell + TEnd, true);
    row("comment line inside a table is dropped", "a\tb\n%c\n1\t2",
        TStart + "a" + TCell + "b" + TRow + "1" + TCell + "2" + TEnd, true);
    row("empty line ends a table", "a\tb\n\nc\td",
        TStart + "a" + TCell + "b" + TEnd + "<br> \n" + TStart + "c" + TCell + "d" + TEnd, true);
    row("heading in a cell keeps its closing tag", "\\h2 a\tb\nx",
        TStart + "<h2> a" + TCell + "b<br> </h2>" + TEnd + "x", true);
}

void TestHtmlExport::body()
{
    QFETCH(QString, text);
    QFETCH(bool, calc);
    QFETCH(QString, expected);
    QFETCH(bool, unclosed);
    bool gotUnclosed = !unclosed;
    QCOMPARE(BodyOf(text, calc, &gotUnclosed), expected);
    QCOMPARE(gotUnclosed, unclosed);
}

void TestHtmlExport::paths_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("calc");
    QTest::newRow("zel") << "/d/doc.zel" << "/d/doc.html" << true;
    QTest::newRow("upper-case ZEL") << "/d/doc.ZEL" << "/d/doc.html" << true;
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

void TestHtmlExport::randomTextsAsStepByStep()
{
    const QStringList pieces = {"\\", "h", "2", " ", "r", "y", "B", "{", "}", "{\\", "\\h",
                                "\n", "\n", "%", "\t", "-", "\\-", "<br>", "x", "v", "I"};
    QRandomGenerator random(5122026);
    for (int round = 0; round < 10000; ++round) {
        QString text = QStringLiteral("x"); // no header comment, no directives
        for (int i = random.bounded(0, 30); i > 0; --i)
            text += pieces[random.bounded(pieces.size())];
        const bool calc = random.bounded(2) == 0;
        bool unclosed = false;
        const QString expected = Literal(text, calc, &unclosed);
        QString shown = text;
        shown.replace(u'\n', QStringLiteral("\\n")).replace(u'\t', QStringLiteral("\\t"));
        QVERIFY2(BodyOf(text, calc) == expected, qPrintable(shown));
        QVERIFY2(ExportHtml(text, "doc", calc).unclosedDecoration == unclosed, qPrintable(shown));
    }
}

void TestHtmlExport::fileExport_data()
{
    QTest::addColumn<QString>("name"); // empty: no such file
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("error"); // "?": some reason
    QTest::newRow("zel in calculation mode by its name")
        << "t.zel" << QByteArray("a\tb\r\n") << 0 << TStart + "a" + TCell + "b" + TEnd << "";
    QTest::newRow("txt not in calculation mode") << "t.txt" << QByteArray("a\tb") << 0 << "a\tb"
                                                 << "";
    QTest::newRow("Shift_JIS text decoded")
        << "s.txt" << QByteArray::fromHex("93fa967b8cea82cc95b68f9182c582b7") << 0
        << QString::fromUtf8("日本語の文書です") << "";
    QTest::newRow("unclosed decoration reported, page written")
        << "u.txt" << QByteArray("{\\r x") << 0 << "{\\r x"
        << QString::fromUtf8("文字修飾 {\\・・・に対応する終わりの } がありません。修正して下さい。\n");
    QTest::newRow("missing file") << "" << QByteArray() << 1 << "" << "?";
    QTest::newRow("html document is not overwritten") << "p.html" << QByteArray("keep") << 1
                                                      << "" << "?";
    QTest::newRow("page cannot be written") << "blocked.txt" << QByteArray("keep") << 1 << ""
                                            << "?";
}

void TestHtmlExport::fileExport()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
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
    QCOMPARE(ExportHtmlFile(path, false, false, errStream), status);
    errStream.flush();
    QFile f(status == 0 ? HtmlPathFor(path) : path);
    if (status != 0) { // the document, when there is one, is untouched
        QVERIFY(!err.isEmpty());
        QCOMPARE(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(), bytes);
        return;
    }
    QCOMPARE(err, error);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()), Header + QFileInfo(path).completeBaseName()
                                                 + AfterTitle + Body + body + End);
}

QTEST_GUILESS_MAIN(TestHtmlExport)
#include "tst_htmlexport.moc"
