#include "app/SettingsStore.h"
#include "view/ColorSettings.h"
#include "view/Coloring.h"
#include "view/Gutter.h"
#include "view/ViewColors.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(EofPlace)

namespace {
// Each span as "<what>@<offset>:<painted text>", in painting order; marks as LF, TAB, WS and
// user strings as U1..U12.
QStringList Describe(const QString &text, const QList<PaintSpan> &spans)
{
    QStringList out;
    for (const PaintSpan &s : spans) {
        const char *marks[] = {"LF", "TAB", "WS"};
        const QString what = s.kind == PaintKind::Symbol ? QString::fromLatin1(SymbolKeys()[s.index])
            : s.kind == PaintKind::UserString ? QStringLiteral("U%1").arg(s.index + 1)
            : QString::fromLatin1(marks[s.kind == PaintKind::LineEnd ? 0 : s.kind == PaintKind::Tab ? 1 : 2]);
        out << QStringLiteral("%1@%2:%3").arg(what).arg(s.start).arg(text.mid(s.start, s.length));
    }
    return out;
}

ViewColors Edited()
{
    ViewColors c = DefaultViewColors();
    c.text = Rgb(1, 2, 3);
    c.back = Rgb(250, 250, 240);
    c.symbols[3] = Rgb(0, 128, 0);
    c.userStrings[0] = QStringLiteral("TODO");
    c.userColors[0] = Rgb(255, 128, 0);
    c.userStrings[4] = QStringLiteral("\\ref");
    c.userColors[4] = Rgb(10, 20, 30);
    return c;
}

CustomColors EditedCustom()
{
    CustomColors c = DefaultCustomColors();
    c[0] = Rgb(9, 9, 9);
    c[15] = Rgb(200, 0, 200);
    return c;
}
} // namespace

// What the text area paints: coloured symbols, marks, user strings, the gutter and the colours
// kept in the settings.
class TestColoring : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void texDocumentByExtension_data()
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
    void texDocumentByExtension()
    {
        QFETCH(QString, edited);
        QFETCH(QString, mainFile);
        QTEST(IsTeXDocument(edited, mainFile), "tex");
    }

    void spans_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("tex");
        QTest::addColumn<QStringList>("spans");
        QTest::newRow("command with its name, brace apart") << "\\section{Intro}" << true << QStringList{"{@8:{", "}@14:}", "\\@0:\\section"};
        QTest::newRow("comment to the line end, brace inside it left out") << "a % b {c}\nd" << true << QStringList{"%@2:% b {c}"};
        QTest::newRow("escaped percent is no comment") << "50\\% {x}" << true << QStringList{"{@5:{", "}@7:}", "\\@2:\\", "%@3:%"};
        QTest::newRow("comment ends at its line, next line coloured") << "%c\n$x$" << true << QStringList{"$@3:$", "$@5:$", "%@0:%c"};
        QTest::newRow("percent at the very start is a comment") << "%{" << true << QStringList{"%@0:%{"};
        QTest::newRow("comment with no line end runs to the text end") << "x %$ y" << true << QStringList{"%@2:%$ y"};
        QTest::newRow("only the last percent decides") << "% a \\% {" << true << QStringList{"{@7:{", "%@0:% a \\% {"};
        QTest::newRow("display math pair over the brackets") << "\\[x\\]" << true << QStringList{"\\@0:\\", "\\@3:\\", "[@1:[", "]@4:]", "\\[@0:\\[", "\\]@3:\\]"};
        QTest::newRow("parentheses and dollars") << "$(a)$" << true << QStringList{"$@0:$", "$@4:$", "(@1:(", ")@3:)"};
        QTest::newRow("name stops at a line break") << "\\foo\nbar" << true << QStringList{"\\@0:\\foo"};
        QTest::newRow("name stops at the next backslash") << "\\\\item" << true << QStringList{"\\@0:\\", "\\@1:\\item"};
        QTest::newRow("txt: every occurrence, percent alone") << "% {a}\\b" << false << QStringList{"{@2:{", "}@4:}", "\\@5:\\", "%@0:%"};
        QTest::newRow("txt: escaped percent still coloured") << "\\%" << false << QStringList{"\\@0:\\", "%@1:%"};
        QTest::newRow("plain words paint nothing") << "plain words" << true << QStringList{};
    }
    void spans()
    {
        QFETCH(QString, text);
        QFETCH(bool, tex);
        QTEST(Describe(text, ComputePaintSpans(text, tex, DefaultViewColors(), false)), "spans");
    }

    void marksComeFirstInTheirOrder()
    {
        const QString text = QString::fromUtf8("a\tb\u3000c\nd\te\n");
        QCOMPARE(Describe(text, ComputePaintSpans(text, true, DefaultViewColors())),
                 (QStringList{"LF@5:\n", "LF@9:\n", "TAB@1:\t", "TAB@7:\t", QString::fromUtf8("WS@3:\u3000")}));
    }

    void userStrings_data()
    {
        QTest::addColumn<QStringList>("users");
        QTest::addColumn<QList<unsigned>>("colours");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("spans");
        const unsigned grey = Rgb(192, 192, 192);
        QTest::newRow("user string after symbols, comment last") << QStringList{"abc"} << QList<unsigned>{grey} << "abc {x} % abc" << QStringList{"{@4:{", "}@6:}", "U1@0:abc", "U1@10:abc", "%@8:% abc"};
        QTest::newRow("empty strings skipped, numbering kept") << QStringList{"", "xy"} << QList<unsigned>{grey, grey} << "xyxy" << QStringList{"U2@0:xy", "U2@2:xy"};
        QTest::newRow("string of the text colour skipped") << QStringList{"ab", "cd"} << QList<unsigned>{0u, grey} << "ab cd" << QStringList{"U2@3:cd"};
        QTest::newRow("occurrences do not overlap") << QStringList{"aa"} << QList<unsigned>{grey} << "aaa" << QStringList{"U1@0:aa"};
    }
    void userStrings()
    {
        QFETCH(QStringList, users);
        QFETCH(QList<unsigned>, colours);
        QFETCH(QString, text);
        ViewColors colors = DefaultViewColors();
        for (int i = 0; i < users.size(); ++i) {
            colors.userStrings[i] = users[i];
            colors.userColors[i] = colours[i];
        }
        QTEST(Describe(text, ComputePaintSpans(text, true, colors, false)), "spans");
    }

    void commandNameEnds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("end");
        QTest::newRow("to the text end") << "\\alpha" << 6;
        QTest::newRow("space") << "\\it x" << 3;
        for (const char *stop : {"_", "^", "=", ",", "/", "&"})
            QTest::addRow("%s", stop) << QStringLiteral("\\a%1b").arg(QLatin1String(stop)) << 2;
        QTest::newRow("digits and letters go on") << "\\a1b@c" << 6;
        QTest::newRow("star goes on") << "\\section*{" << 9;
        QTest::newRow("bare backslash before a brace") << "\\{" << 1;
    }
    void commandNameEnds()
    {
        QFETCH(QString, text);
        QTEST(CommandNameEnd(text, 0), "end");
    }

    void gutterText_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("text");
        QTest::newRow("logical counts lines") << 2 << 5 << "  5:";
        QTest::newRow("physical at least the rows") << 1 << 5 << "  40:";
        QTest::newRow("physical with more lines") << 1 << 1200 << "  1200:";
    }
    void gutterText()
    {
        QFETCH(int, mode);
        QFETCH(int, lines);
        QTEST(GutterSizingText(mode, lines, 40), "text");
    }

    void gutterLabels_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<int>("firstDisplay");
        QTest::addColumn<int>("topNumber");
        QTest::addColumn<QList<bool>>("starts");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("labels");
        const QList<bool> wrapped{true, false, true, true, false};
        QTest::newRow("none") << 0 << true << 0 << 1 << wrapped << 5 << QStringList{};
        QTest::newRow("physical numbers every row from the top") << 1 << true << 7 << 3 << wrapped << 4 << QStringList{"8:", "9:", "10:", "11:"};
        QTest::newRow("physical numbers rows below the text") << 1 << true << 0 << 1 << QList<bool>{true} << 3 << QStringList{"1:", "2:", "3:"};
        QTest::newRow("logical without wrap counts rows") << 2 << false << 4 << 5 << wrapped << 2 << QStringList{"5:", "6:"};
        QTest::newRow("logical: wrapped line numbered on its first row only") << 2 << true << 0 << 1 << wrapped << 5 << QStringList{"1:", "", "2:", "3:", ""};
        QTest::newRow("logical: top row inside a line gets no number") << 2 << true << 5 << 4 << QList<bool>{false, true, false} << 3 << QStringList{"", "5:", ""};
        QTest::newRow("logical: rows past the text stay empty") << 2 << true << 0 << 9 << QList<bool>{true} << 3 << QStringList{"9:", "", ""};
    }
    void gutterLabels()
    {
        QFETCH(int, mode);
        QFETCH(bool, wrap);
        QFETCH(int, firstDisplay);
        QFETCH(int, topNumber);
        QFETCH(QList<bool>, starts);
        QFETCH(int, rows);
        QTEST(GutterLabels(mode, wrap, firstDisplay, topNumber, starts, rows), "labels");
    }

    void headerLettersStandOverColumns()
    {
        QStringList cells{"  A"};
        for (char c = 'B'; c <= 'Z'; ++c)
            cells << QStringLiteral(" ") + QLatin1Char(c);
        QCOMPARE(HeaderRowText(), cells.join(u'\t') + u'\t');
    }

    void eofPlacement_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("endsWithBreak");
        QTest::addColumn<int>("markRight");
        QTest::addColumn<EofPlace>("place");
        QTest::newRow("empty text") << 0 << false << 10 << EofPlace::None;
        QTest::newRow("behind the last character") << 5 << false << 100 << EofPlace::AfterText;
        QTest::newRow("at the right edge still fits") << 5 << false << 400 << EofPlace::AfterText;
        QTest::newRow("past the right edge") << 5 << false << 401 << EofPlace::NextRow;
        QTest::newRow("ends with a line break") << 5 << true << 100 << EofPlace::NextRow;
    }
    void eofPlacement()
    {
        QFETCH(int, length);
        QFETCH(bool, endsWithBreak);
        QFETCH(int, markRight);
        QTEST(EofPlacement(length, endsWithBreak, markRight, 400), "place");
    }

    void savedColoursReadBack()
    {
        MemorySettingsStore store;
        SaveColorSettings(store, Edited(), EditedCustom());
        QCOMPARE(LoadViewColors(store), Edited());
        QCOMPARE(LoadCustomColors(store), EditedCustom());
        // Stored as the platform's colour values (red in the low byte).
        QCOMPARE(store.GetInt("Colors", "%", -1), 0x008000);
        QCOMPARE(store.GetInt("Colors", "\\", -1), 16711680);
        QCOMPARE(store.GetInt("ColorTB", "TextColor", -1), 0x030201);
        QCOMPARE(store.GetString("Colors", "Str1"), QStringLiteral("TODO"));
        QCOMPARE(store.GetInt("Colors", "TODO", -1), 0x0080FF);
        QCOMPARE(store.GetInt("Colors", "\\ref", -1), 0x1E140A);
        QCOMPARE(store.GetInt("ColorCust", "CstClr15", -1), 0xC800C8);
        // An empty user string is stored as empty, with no colour under an empty key.
        QCOMPARE(store.GetString("Colors", "Str2", "x"), QString());
        QVERIFY(!store.Contains("Colors", ""));
        // The same user string twice shares one colour: the one saved last.
        ViewColors c = DefaultViewColors();
        c.userStrings[1] = c.userStrings[6] = QStringLiteral("xx");
        c.userColors[1] = Rgb(1, 0, 0);
        c.userColors[6] = Rgb(0, 0, 7);
        SaveColorSettings(store, c, DefaultCustomColors());
        QCOMPARE(LoadViewColors(store).userColors[1], Rgb(0, 0, 7));
    }

    // An INI file on disk, because the keys hold backslashes the file must keep apart.
    void storedColoursAreRead_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("index");
        QTest::newRow("dollar") << "$" << 0;
        QTest::newRow("backslash") << "\\" << 4;
        QTest::newRow("display math open") << "\\[" << 9;
        QTest::newRow("display math close") << "\\]" << 10;
    }
    void storedColoursAreRead()
    {
        QFETCH(QString, key);
        QFETCH(int, index);
        QTemporaryDir dir;
        IniSettingsStore(dir.filePath("v.ini")).WriteInt("Colors", key, 0x123456);
        IniSettingsStore store(dir.filePath("v.ini"));
        store.WriteString("Colors", "Str3", "重要");
        const ViewColors c = LoadViewColors(store);
        ViewColors expected = DefaultViewColors();
        expected.symbols[index] = 0x123456;
        expected.userStrings[2] = QStringLiteral("重要"); // no colour stored: light grey
        QCOMPARE(c, expected);
    }

    void resets_data()
    {
        QTest::addColumn<int>("which"); // 0 text&back, 1 characters, 2 custom, 3 all
        QTest::addColumn<bool>("textBack");
        QTest::addColumn<bool>("characters");
        QTest::addColumn<bool>("custom");
        QTest::newRow("text and back") << 0 << true << false << false;
        QTest::newRow("character colours") << 1 << false << true << false;
        QTest::newRow("custom colours") << 2 << false << false << true;
        QTest::newRow("all") << 3 << true << true << true;
    }
    void resets()
    {
        QFETCH(int, which);
        QFETCH(bool, textBack);
        QFETCH(bool, characters);
        QFETCH(bool, custom);
        MemorySettingsStore store;
        SaveColorSettings(store, Edited(), EditedCustom());
        ViewColors colors = Edited();
        CustomColors customs = EditedCustom();
        switch (which) {
        case 0: ResetTextAndBack(store, colors); break;
        case 1: ResetCharacterColors(store, colors); break;
        case 2: ResetCustomColors(store, customs); break;
        default: ResetAllColors(store, colors, customs); break;
        }
        // The values being edited and the store agree at once.
        ViewColors expected = Edited();
        const ViewColors defaults = DefaultViewColors();
        if (textBack)
            expected.text = defaults.text, expected.back = defaults.back;
        if (characters)
            expected.symbols = defaults.symbols, expected.userStrings = defaults.userStrings,
            expected.userColors = defaults.userColors;
        QCOMPARE(colors, expected);
        QCOMPARE(LoadViewColors(store), expected);
        QCOMPARE(customs, custom ? DefaultCustomColors() : EditedCustom());
        QCOMPARE(LoadCustomColors(store), customs);
        QCOMPARE(store.Keys("ColorTB").isEmpty(), textBack);
        QCOMPARE(store.Keys("Colors").isEmpty(), characters);
    }
};

QTEST_GUILESS_MAIN(TestColoring)
#include "tst_coloring.moc"
