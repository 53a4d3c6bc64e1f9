#include "view/Coloring.h"

#include <QtTest>

namespace {
// Each span as "<what>@<offset>:<painted text>", in painting order; marks as LF, TAB, WS and
// user strings as U1..U12.
QStringList Describe(const QString &text, const QList<PaintSpan> &spans)
{
    QStringList out;
    for (const PaintSpan &s : spans) {
        QString what;
        switch (s.kind) {
        case PaintKind::LineEnd: what = QStringLiteral("LF"); break;
        case PaintKind::Tab: what = QStringLiteral("TAB"); break;
        case PaintKind::WideSpace: what = QStringLiteral("WS"); break;
        case PaintKind::Symbol: what = QString::fromLatin1(SymbolKeys()[s.index]); break;
        case PaintKind::UserString: what = QStringLiteral("U%1").arg(s.index + 1); break;
        }
        out << QStringLiteral("%1@%2:%3").arg(what).arg(s.start).arg(text.mid(s.start, s.length));
    }
    return out;
}
} // namespace

class TestColoring : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void texDocumentByExtension_data();
    void texDocumentByExtension();
    void symbolsOfTeXText_data();
    void symbolsOfTeXText();
    void marksComeFirstInTheirOrder();
    void userStringsPaintBeforeComments_data();
    void userStringsPaintBeforeComments();
    void commandNameEnds_data();
    void commandNameEnds();
};

void TestColoring::texDocumentByExtension_data()
{
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("mainFile");
    QTest::addColumn<bool>("tex");
    QTest::newRow("tex") << ".tex" << "" << true;
    QTest::newRow("TEX") << ".TEX" << "" << true;
    QTest::newRow("zel") << ".zel" << "" << true;
    QTest::newRow("ZEL") << ".ZEL" << "" << true;
    QTest::newRow("mixed case Tex is not") << ".Tex" << "" << false;
    QTest::newRow("txt") << ".txt" << "" << false;
    QTest::newRow("txt with tex main file") << ".txt" << ".tex" << true;
    QTest::newRow("sty with TEX main file") << ".sty" << ".TEX" << true;
    QTest::newRow("txt with zel main file is not") << ".txt" << ".zel" << false;
    QTest::newRow("no extension") << "" << "" << false;
}

void TestColoring::texDocumentByExtension()
{
    QFETCH(QString, edited);
    QFETCH(QString, mainFile);
    QFETCH(bool, tex);
    QCOMPARE(IsTeXDocument(edited, mainFile), tex);
}

void TestColoring::symbolsOfTeXText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("tex");
    QTest::addColumn<QStringList>("spans");
    QTest::newRow("command with its name, brace apart")
        << "\\section{Intro}" << true
        << QStringList{"{@8:{", "}@14:}", "\\@0:\\section"};
    QTest::newRow("comment to the line end, brace inside it left out")
        << "a % b {c}\nd" << true << QStringList{"%@2:% b {c}"};
    QTest::newRow("escaped percent is no comment")
        << "50\\% {x}" << true << QStringList{"{@5:{", "}@7:}", "\\@2:\\", "%@3:%"};
    QTest::newRow("comment ends at its line, next line coloured")
        << "%c\n$x$" << true << QStringList{"$@3:$", "$@5:$", "%@0:%c"};
    QTest::newRow("percent at the very start is a comment")
        << "%{" << true << QStringList{"%@0:%{"};
    QTest::newRow("comment with no line end runs to the text end")
        << "x %$ y" << true << QStringList{"%@2:%$ y"};
    QTest::newRow("only the last percent decides: an escaped one opens no comment")
        << "% a \\% {" << true
        << QStringList{"{@7:{", "%@0:% a \\% {"};
    QTest::newRow("display math pair over the brackets")
        << "\\[x\\]" << true
        << QStringList{"\\@0:\\", "\\@3:\\", "[@1:[", "]@4:]", "\\[@0:\\[", "\\]@3:\\]"};
    QTest::newRow("parentheses and dollars")
        << "$(a)$" << true << QStringList{"$@0:$", "$@4:$", "(@1:(", ")@3:)"};
    QTest::newRow("name stops at a line break")
        << "\\foo\nbar" << true << QStringList{"\\@0:\\foo"};
    QTest::newRow("name stops at the next backslash")
        << "\\\\item" << true << QStringList{"\\@0:\\", "\\@1:\\item"};
    QTest::newRow("txt: every occurrence, percent alone")
        << "% {a}\\b" << false << QStringList{"{@2:{", "}@4:}", "\\@5:\\", "%@0:%"};
    QTest::newRow("txt: escaped percent still coloured")
        << "\\%" << false << QStringList{"\\@0:\\", "%@1:%"};
    QTest::newRow("plain words paint nothing") << "plain words" << true << QStringList{};
}

void TestColoring::symbolsOfTeXText()
{
    QFETCH(QString, text);
    QFETCH(bool, tex);
    QFETCH(QStringList, spans);
    QCOMPARE(Describe(text, ComputePaintSpans(text, tex, DefaultViewColors(), false)), spans);
}

void TestColoring::marksComeFirstInTheirOrder()
{
    const QString text = QString::fromUtf8("a\tb\u3000c\nd\te\n");
    QCOMPARE(Describe(text, ComputePaintSpans(text, true, DefaultViewColors())),
             (QStringList{"LF@5:\n", "LF@9:\n", "TAB@1:\t", "TAB@7:\t",
                          QString::fromUtf8("WS@3:\u3000")}));
}

void TestColoring::userStringsPaintBeforeComments_data()
{
    QTest::addColumn<QStringList>("users");
    QTest::addColumn<QList<unsigned>>("colours");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("spans");
    const unsigned grey = Rgb(192, 192, 192);
    QTest::newRow("user string after symbols, comment last")
        << QStringList{"abc"} << QList<unsigned>{grey} << "abc {x} % abc"
        << QStringList{"{@4:{", "}@6:}", "U1@0:abc", "U1@10:abc", "%@8:% abc"};
    QTest::newRow("empty strings skipped, numbering kept")
        << QStringList{"", "xy"} << QList<unsigned>{grey, grey} << "xyxy"
        << QStringList{"U2@0:xy", "U2@2:xy"};
    QTest::newRow("string of the text colour skipped")
        << QStringList{"ab", "cd"} << QList<unsigned>{0u, grey} << "ab cd"
        << QStringList{"U2@3:cd"};
    QTest::newRow("occurrences do not overlap")
        << QStringList{"aa"} << QList<unsigned>{grey} << "aaa" << QStringList{"U1@0:aa"};
}

void TestColoring::userStringsPaintBeforeComments()
{
    QFETCH(QStringList, users);
    QFETCH(QList<unsigned>, colours);
    QFETCH(QString, text);
    QFETCH(QStringList, spans);
    ViewColors colors = DefaultViewColors();
    for (int i = 0; i < users.size(); ++i) {
        colors.userStrings[i] = users[i];
        colors.userColors[i] = colours[i];
    }
    QCOMPARE(Describe(text, ComputePaintSpans(text, true, colors, false)), spans);
}

void TestColoring::commandNameEnds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("end");
    QTest::newRow("to the text end") << "\\alpha" << 6;
    QTest::newRow("space") << "\\it x" << 3;
    QTest::newRow("underscore") << "\\a_b" << 2;
    QTest::newRow("caret") << "\\a^b" << 2;
    QTest::newRow("equals") << "\\a=b" << 2;
    QTest::newRow("comma") << "\\a,b" << 2;
    QTest::newRow("slash") << "\\a/b" << 2;
    QTest::newRow("ampersand") << "\\a&b" << 2;
    QTest::newRow("digits and letters go on") << "\\a1b@c" << 6;
    QTest::newRow("star goes on") << "\\section*{" << 9;
    QTest::newRow("bare backslash before a brace") << "\\{" << 1;
}

void TestColoring::commandNameEnds()
{
    QFETCH(QString, text);
    QFETCH(int, end);
    QCOMPARE(CommandNameEnd(text, 0), end);
}

QTEST_APPLESS_MAIN(TestColoring)
#include "tst_coloring.moc"
