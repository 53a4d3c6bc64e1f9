#include "support/Columns.h"
#include "app/SettingsStore.h"
#include "view/ColorSettings.h"
#include "view/Coloring.h"
#include "view/Gutter.h"
#include "view/ViewColors.h"

#include <QtTest>

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

using Users = std::pair<QStringList, QList<unsigned>>; // user strings and their colours
ViewColors With(const Users &users)
{
    ViewColors colors = DefaultViewColors();
    for (int i = 0; i < users.first.size(); ++i)
        colors.userStrings[i] = users.first[i], colors.userColors[i] = users.second[i];
    return colors;
}
// The spans of a text, with user strings and their colours, marks only when asked for.
QStringList Spans(const QString &text, bool tex, const Users &users = {}, bool marks = false)
{
    return Describe(text, ComputePaintSpans(text, tex, With(users), marks));
}
// The same coloured line by line, as a repaint of some rows does.
QStringList ByLines(const QString &text)
{
    LineSpanCache cache;
    QList<PaintSpan> spans;
    for (qsizetype from = 0, to; from < text.size(); from = to) {
        to = text.indexOf(u'\n', from) < 0 ? text.size() : text.indexOf(u'\n', from) + 1;
        for (PaintSpan s : cache.Spans(text.mid(from, to - from), true, DefaultViewColors()))
            s.start += from, spans << s;
    }
    SortIntoPaintOrder(spans);
    return Describe(text, spans);
}
// A line's spans from a cache that coloured it before with the user strings before.
QStringList Recoloured(const QString &line, const Users &before, bool tex, const Users &users)
{
    LineSpanCache cache;
    cache.Spans(line, true, With(before));
    return Describe(line, cache.Spans(line, tex, With(users)));
}

// Whether a colour stored under key, and a user string without a colour (light grey), read back.
bool StoredColour(const QString &key, int index)
{
    QTemporaryDir dir;
    IniSettingsStore(dir.filePath("v.ini")).WriteInt("Colors", key, 0x123456);
    IniSettingsStore store(dir.filePath("v.ini"));
    store.WriteString("Colors", "Str3", "重要");
    ViewColors expected = DefaultViewColors();
    expected.symbols[index] = 0x123456;
    expected.userStrings[2] = QStringLiteral("重要");
    return LoadViewColors(store) == expected;
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
    void rules_data()
    {
        RuleColumns();
        Rule("tex document: tex", IsTeXDocument(".tex", ""), true);
        Rule("tex document: ZEL", IsTeXDocument(".ZEL", ""), true);
        Rule("tex document: mixed case Tex is not", IsTeXDocument(".Tex", ""), false);
        Rule("tex document: txt with a tex main file", IsTeXDocument(".txt", ".tex"), true);
        Rule("tex document: sty with a TEX main file", IsTeXDocument(".sty", ".TEX"), true);
        Rule("tex document: txt with a zel main file is not", IsTeXDocument(".txt", ".zel"), false);
        Rule("tex document: no extension", IsTeXDocument("", ""), false);
        Rule("name end: the text end", CommandNameEnd("\\alpha", 0), 6);
        Rule("name end: space", CommandNameEnd("\\it x", 0), 3);
        for (const char *stop : {"_", "^", "=", ",", "/", "&"})
            Rule(stop, CommandNameEnd(QStringLiteral("\\a%1b").arg(QLatin1String(stop)), 0), 2);
        Rule("name end: digits and letters go on", CommandNameEnd("\\a1b@c", 0), 6);
        Rule("name end: star goes on", CommandNameEnd("\\section*{", 0), 9);
        Rule("name end: bare backslash before a brace", CommandNameEnd("\\{", 0), 1);
        Rule("gutter width: logical counts lines", GutterSizingText(2, 5, 40), "  5:");
        Rule("gutter width: physical at least the rows", GutterSizingText(1, 5, 40), "  40:");
        const QList<bool> wrapped{true, false, true, true, false};
        Rule("gutter: none", GutterLabels(0, true, 0, 1, wrapped, 5), {});
        Rule("gutter: physical numbers every row from the top", GutterLabels(1, true, 7, 3, wrapped, 4), {"8:", "9:", "10:", "11:"});
        Rule("gutter: physical numbers rows below the text", GutterLabels(1, true, 0, 1, {true}, 3), {"1:", "2:", "3:"});
        Rule("gutter: logical without wrap counts rows", GutterLabels(2, false, 4, 5, wrapped, 2), {"5:", "6:"});
        Rule("gutter: logical, wrapped line numbered on its first row only", GutterLabels(2, true, 0, 1, wrapped, 5), {"1:", "", "2:", "3:", ""});
        Rule("gutter: logical, top row inside a line gets no number", GutterLabels(2, true, 5, 4, {false, true, false}, 3), {"", "5:", ""});
        Rule("gutter: logical, rows past the text stay empty", GutterLabels(2, true, 0, 9, {true}, 3), {"9:", "", ""});
        Rule("end mark: empty text", EofPlacement(0, false, 10, 400), EofPlace::None);
        Rule("end mark: at the right edge still fits", EofPlacement(5, false, 400, 400), EofPlace::AfterText);
        Rule("end mark: past the right edge", EofPlacement(5, false, 401, 400), EofPlace::NextRow);
        Rule("end mark: the text ends with a line break", EofPlacement(5, true, 100, 400), EofPlace::NextRow);
        QStringList cells{"  A"};
        for (char c = 'B'; c <= 'Z'; ++c)
            cells << QStringLiteral(" ") + QLatin1Char(c);
        Rule("header letters stand over the columns", HeaderRowText(), cells.join(u'\t') + u'\t');
        const unsigned grey = Rgb(192, 192, 192);
        Rule("spans: command with its name, brace apart", Spans("\\section{Intro}", true), {"{@8:{", "}@14:}", "\\@0:\\section"});
        Rule("spans: comment to the line end, brace inside it left out", Spans("a % b {c}\nd", true), {"%@2:% b {c}"});
        Rule("spans: escaped percent is no comment", Spans("50\\% {x}", true), {"{@5:{", "}@7:}", "\\@2:\\", "%@3:%"});
        Rule("spans: comment ends at its line, next line coloured", Spans("%c\n$x$", true), {"$@3:$", "$@5:$", "%@0:%c"});
        Rule("spans: percent at the very start is a comment", Spans("%{", true), {"%@0:%{"});
        Rule("spans: comment with no line end runs to the text end", Spans("x %$ y", true), {"%@2:%$ y"});
        Rule("spans: only the last percent decides", Spans("% a \\% {", true), {"{@7:{", "%@0:% a \\% {"});
        Rule("spans: display math pair over the brackets", Spans("\\[x\\]", true), {"\\@0:\\", "\\@3:\\", "[@1:[", "]@4:]", "\\[@0:\\[", "\\]@3:\\]"});
        Rule("spans: parentheses and dollars", Spans("$(a)$", true), {"$@0:$", "$@4:$", "(@1:(", ")@3:)"});
        Rule("spans: name stops at a line break", Spans("\\foo\nbar", true), {"\\@0:\\foo"});
        Rule("spans: name stops at the next backslash", Spans("\\\\item", true), {"\\@0:\\", "\\@1:\\item"});
        Rule("spans: txt: every occurrence, percent alone", Spans("% {a}\\b", false), {"{@2:{", "}@4:}", "\\@5:\\", "%@0:%"});
        Rule("spans: txt: escaped percent still coloured", Spans("\\%", false), {"\\@0:\\", "%@1:%"});
        Rule("spans: plain words paint nothing", Spans("plain words", true), {});
        Rule("spans: marks come first in their order", Spans("a\tb\u3000c\nd\te\n", true, {}, true), {"LF@5:\n", "LF@9:\n", "TAB@1:\t", "TAB@7:\t", "WS@3:\u3000"});
        Rule("user strings: user string after symbols, comment last", Spans("abc {x} % abc", true, {{"abc"}, {grey}}), {"{@4:{", "}@6:}", "U1@0:abc", "U1@10:abc", "%@8:% abc"});
        Rule("user strings: empty strings skipped, numbering kept", Spans("xyxy", true, {{"", "xy"}, {grey, grey}}), {"U2@0:xy", "U2@2:xy"});
        Rule("user strings: string of the text colour skipped", Spans("ab cd", true, {{"ab", "cd"}, {0u, grey}}), {"U2@3:cd"});
        Rule("user strings: occurrences do not overlap", Spans("aaa", true, {{"aa"}, {grey}}), {"U1@0:aa"});
        const QString mixed = "\\section{a} % {b}\n\t$x$\u3000\\[y\\]\n50\\% (z) \\foo\n%{\n\\";
        Rule("lines: coloured one by one as the whole text", ByLines(mixed), Spans(mixed, true, {}, true));
        Rule("lines: a user string over a line break needs the whole text", ColorsLineByLine(With({{"a\nb"}, {grey}})), false);
        Rule("cache: recoloured as another kind of document", Recoloured("% {a}", {}, false, {}), Spans("% {a}", false));
        Rule("cache: a new user string", Recoloured("ab {c}", {}, true, {{"ab"}, {grey}}), Spans("ab {c}", true, {{"ab"}, {grey}}));
        Rule("cache: a user string now of the text colour", Recoloured("ab", {{"ab"}, {grey}}, true, {{"ab"}, {0u}}), {});
        // On an INI file, because the keys hold backslashes the file must keep apart.
        Rule("stored colour: dollar", StoredColour("$", 0), true);
        Rule("stored colour: backslash", StoredColour("\\", 4), true);
        Rule("stored colour: display math open", StoredColour("\\[", 9), true);
    }
    void rules() { CompareRule(); }

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
    void resets_data()
    {
        // which: 0 text&back, 1 characters, 2 custom, 3 all
        Columns<int, bool, bool, bool>({"which", "textBack", "characters", "custom"});
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
            expected.symbols = defaults.symbols, expected.userStrings = defaults.userStrings, expected.userColors = defaults.userColors;
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
