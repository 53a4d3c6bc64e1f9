#include "support/Columns.h"
#include "app/LogFont.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/StatusTexts.h"
#include "app/ZelSettings.h"

#include <QtTest>

#include <climits>

Q_DECLARE_METATYPE(LogFont)

namespace {
const QString Gothic = QString::fromUtf8("ＭＳ ゴシック");
const QString Mincho = QString::fromUtf8("ＭＳ 明朝");
const QString FontSection = QString::fromLatin1(Sections::Font);
const LogFont Defaults{-16, 700, 0, 49, 128, Gothic};
QList<int> ZelRead(const QString &row)
{
    ZelSettings s{16, 3, -99, false, 2};
    const bool line = ReadZelSettingsLine(row, s);
    return s.printFontHeightSet == (s.printFontHeight != -99) ? QList<int>{line, s.tabWidth, s.printColumns, s.printFontHeight, s.printMargin} : QList<int>{-1};
}
// The font read from the stored "Key=value" entries over the one given.
LogFont Loaded(const QStringList &stored, LogFont font)
{
    MemorySettingsStore store;
    for (const QString &s : stored)
        store.WriteString(FontSection, s.section(u'=', 0, 0), s.section(u'=', 1));
    store.WriteInt(QString::fromLatin1(Sections::PrintFont), QString::fromLatin1(Keys::FontHeight), -99);
    LoadLogFont(store, FontSection, font);
    return font;
}
} // namespace

// The rules the view applies when it shows a file: status texts, the ".zel" settings line and
// the stored fonts.
class TestViewRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Status texts and the C runtime's atoi, one row each.
    void rules_data()
    {
        RuleColumns();
        const auto row = RuleRow;
        row("size empty", SizePaneText(0, true), "0 byte");
        row("size 999, Japanese", SizePaneText(999, false), "999 バイト");
        row("size 1000", SizePaneText(1000, true), "1.0 KB");
        row("size 1999 truncates", SizePaneText(1999, false), "1.9 KB");
        row("line pane, start of text", LinePaneText(0, 0, 0, true), " 1. 0. [ 0 char's]");
        row("line pane, Japanese", LinePaneText(41, 7, 1234, false), "42 行, 7 列 [ 1234 文字]");
        row("insert pane", InsertPaneText(true, false), "挿入");
        row("overwrite pane", InsertPaneText(false, true), "OVR");
        row("atoi of letters", CAtoi(u"abc"), 0);
        row("atoi after blanks, with sign", CAtoi(u"\t\n-13"), -13);
        row("atoi stops at a blank", CAtoi(u"3 4"), 3);
        row("atoi blank after the sign", CAtoi(u"- 5"), 0);
        row("atoi full-width digits are no digits", CAtoi(u"１２"), 0);
        row("atoi smallest int", CAtoi(u"-2147483648"), INT_MIN);
        row("atoi too large saturates", CAtoi(u"99999999999999999999"), INT_MAX);
        row("atoi too small saturates", CAtoi(u"-99999999999999999999"), INT_MIN);
        // stored: "Key=value"
        const LogFont old{-12, 400, 1, 34, 1, "Old"};
        Rule("load font: defaults replace previous fields", Loaded({}, old), Defaults);
        Rule("load font: height 0 keeps the other fields", Loaded({"Height=0", "Weight=100", "FaceName=X"}, old), LogFont{0, 400, 1, 34, 1, "Old"});
        Rule("load font: all stored", Loaded({"Height=-20", "Weight=400", "Italic=1", "PitchAndFamily=2", "CharSet=0", "FaceName=" + Mincho}, LogFont{}), LogFont{-20, 400, 1, 2, 0, Mincho});
        Rule("load font: wrong type reads as default", Loaded({"Height=abc", "Weight=7x"}, LogFont{}), Defaults);
        Rule("load font: face name cut to 31 characters", Loaded({"FaceName=" + QString(40, 'x')}, LogFont{}), LogFont{-16, 700, 0, 49, 128, QString(31, 'x')});
        Rule("load font: face name of 31 characters kept", Loaded({"FaceName=" + QString(31, QChar(0x660E))}, LogFont{}), LogFont{-16, 700, 0, 49, 128, QString(31, QChar(0x660E))});
        Rule("load font: cut never splits a surrogate pair", Loaded({"FaceName=" + QString(30, 'x') + QString::fromUtf8("𠮷𠮷")}, LogFont{}), LogFont{-16, 700, 0, 49, 128, QString(30, 'x')});
        // Before each row: tab 16, columns 3, font unset (-99), margin 2. Read: whether it is the
        // line, then tab, columns, font, margin.
        const QString printer = QString::fromUtf8("\t印刷設定：表幅・フォント・段組・余白\t%% 行は印刷されません。");
        Rule("zel line: printer line", ZelRead("%% TAB=12\tFont=-20\tCOL=2\tMargin=4" + printer), {1, 12, 2, -20, 4});
        Rule("zel line: smallest values", ZelRead("%% TAB=4\tFont=0\tCOL=1\tMargin=1\t"), {1, 4, 1, 0, 1});
        Rule("zel line: tab 20", ZelRead("% TAB=20\t"), {1, 20, 3, -99, 2});
        Rule("zel line: tab 10 ignored", ZelRead("% TAB=10\t"), {1, 16, 3, -99, 2});
        Rule("zel line: tab with blank ignored", ZelRead("% TAB= 12\t"), {1, 16, 3, -99, 2});
        Rule("zel line: col 4", ZelRead("% COL=4\t"), {1, 16, 4, -99, 2});
        Rule("zel line: margin 5 ignored", ZelRead("% Margin=5\t"), {1, 16, 3, -99, 2});
        Rule("zel line: font not a number is 0", ZelRead("% Font=abc\t"), {1, 16, 3, 0, 2});
        Rule("zel line: font like atoi", ZelRead("% Font= -7pt\t"), {1, 16, 3, -7, 2});
        Rule("zel line: last key without TAB ignored", ZelRead("%% TAB=4\tCOL=2\tMargin=3"), {1, 4, 2, -99, 2});
        Rule("zel line: keys in any order", ZelRead("%Margin=3\tCOL=1\tTAB=16\tFont=9\t"), {1, 16, 1, 9, 3});
        Rule("zel line: key names are case-sensitive", ZelRead("% tab=12\tcol=2\tfont=9\tmargin=3\t"), {1, 16, 3, -99, 2});
        Rule("zel line: no percent sign", ZelRead("TAB=12\tCOL=2\t"), {0, 16, 3, -99, 2});
        Rule("zel line: keys on the next row do not count", ZelRead("% settings\nTAB=12\tCOL=2\t"), {1, 16, 3, -99, 2});
        Rule("zel line: TAB on the next row does not end the value", ZelRead("% TAB=12\nx\t"), {1, 16, 3, -99, 2});
    }
    void rules() { CompareRule(); }

    void saveLogFont_data()
    {
        // written: "Height" first when written
        Columns<LogFont, LogFont, QStringList>({"saved", "font", "written"});
        QTest::newRow("unchanged writes nothing") << Defaults << Defaults << QStringList{};
        QTest::newRow("face name only") << Defaults << LogFont{-16, 700, 0, 49, 128, Mincho} << QStringList{"FaceName"};
        QTest::newRow("everything") << Defaults << LogFont{-24, 400, 1, 2, 0, Mincho} << QStringList{"Height", "Weight", "Italic", "PitchAndFamily", "CharSet", "FaceName"};
        QTest::newRow("height 0 writes only the height") << Defaults << LogFont{0, 400, 1, 2, 0, Mincho} << QStringList{"Height"};
        QTest::newRow("height still 0 writes nothing") << LogFont{0, 700, 0, 49, 128, Gothic} << LogFont{0, 400, 1, 2, 0, Mincho} << QStringList{};
        QTest::newRow("from 0 to a font writes the fields that differ") << LogFont{} << Defaults << QStringList{"Height", "Weight", "PitchAndFamily", "CharSet", "FaceName"};
    }
    void saveLogFont()
    {
        QFETCH(LogFont, saved);
        QFETCH(LogFont, font);
        QFETCH(QStringList, written);
        MemorySettingsStore store;
        SaveLogFont(store, FontSection, font, saved);
        QStringList keys = store.Keys(FontSection);
        if (!written.isEmpty())
            QCOMPARE(keys.first(), written.first());
        keys.sort();
        written.sort();
        QCOMPARE(keys, written);
        QVERIFY(saved == font);
        // The next start loads the font chosen.
        LogFont next;
        LoadLogFont(store, FontSection, next);
        if (font.height != 0)
            QVERIFY(next == font);
    }
};

QTEST_GUILESS_MAIN(TestViewRules)
#include "tst_view_rules.moc"
