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
        row("atoi of nothing", CAtoi(u""), 0);
        row("atoi of letters", CAtoi(u"abc"), 0);
        row("atoi after blanks, with sign", CAtoi(u"\t\n-13"), -13);
        row("atoi stops at a blank", CAtoi(u"3 4"), 3);
        row("atoi blank after the sign", CAtoi(u"- 5"), 0);
        row("atoi full-width digits are no digits", CAtoi(u"１２"), 0);
        row("atoi smallest int", CAtoi(u"-2147483648"), INT_MIN);
        row("atoi too large saturates", CAtoi(u"99999999999999999999"), INT_MAX);
        row("atoi too small saturates", CAtoi(u"-99999999999999999999"), INT_MIN);
    }
    void rules() { CompareRule(); }

    // Before each row: tab 16, columns 3, font unset (-99), margin 2.
    void zelLine_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<bool>("isSettingsLine");
        QTest::addColumn<QList<int>>("expected"); // tab, columns, font, margin
        const QString printer = QString::fromUtf8("\t印刷設定：表幅・フォント・段組・余白\t%% 行は印刷されません。");
        QTest::newRow("printer line") << "%% TAB=12\tFont=-20\tCOL=2\tMargin=4" + printer << true << QList<int>{12, 2, -20, 4};
        QTest::newRow("smallest values") << "%% TAB=4\tFont=0\tCOL=1\tMargin=1\t" << true << QList<int>{4, 1, 0, 1};
        QTest::newRow("tab 20") << "% TAB=20\t" << true << QList<int>{20, 3, -99, 2};
        QTest::newRow("tab 10 ignored") << "% TAB=10\t" << true << QList<int>{16, 3, -99, 2};
        QTest::newRow("tab with blank ignored") << "% TAB= 12\t" << true << QList<int>{16, 3, -99, 2};
        QTest::newRow("col 4") << "% COL=4\t" << true << QList<int>{16, 4, -99, 2};
        QTest::newRow("margin 5 ignored") << "% Margin=5\t" << true << QList<int>{16, 3, -99, 2};
        QTest::newRow("font not a number is 0") << "% Font=abc\t" << true << QList<int>{16, 3, 0, 2};
        QTest::newRow("font like atoi") << "% Font= -7pt\t" << true << QList<int>{16, 3, -7, 2};
        QTest::newRow("last key without TAB ignored") << "%% TAB=4\tCOL=2\tMargin=3" << true << QList<int>{4, 2, -99, 2};
        QTest::newRow("keys in any order") << "%Margin=3\tCOL=1\tTAB=16\tFont=9\t" << true << QList<int>{16, 1, 9, 3};
        QTest::newRow("key names are case-sensitive") << "% tab=12\tcol=2\tfont=9\tmargin=3\t" << true << QList<int>{16, 3, -99, 2};
        QTest::newRow("no percent sign") << "TAB=12\tCOL=2\t" << false << QList<int>{16, 3, -99, 2};
        QTest::newRow("keys on the next row do not count") << "% settings\nTAB=12\tCOL=2\t" << true << QList<int>{16, 3, -99, 2};
        QTest::newRow("TAB on the next row does not end the value") << "% TAB=12\nx\t" << true << QList<int>{16, 3, -99, 2};
    }
    void zelLine()
    {
        QFETCH(QString, row);
        QFETCH(bool, isSettingsLine);
        QFETCH(QList<int>, expected);
        ZelSettings s{16, 3, -99, false, 2};
        QCOMPARE(ReadZelSettingsLine(row, s), isSettingsLine);
        QCOMPARE((QList<int>{s.tabWidth, s.printColumns, s.printFontHeight, s.printMargin}), expected);
        QCOMPARE(s.printFontHeightSet, expected[2] != -99);
    }

    // ---- fonts ---------------------------------------------------------------------------

    void loadLogFont_data()
    {
        QTest::addColumn<QStringList>("stored"); // "Key=value"
        QTest::addColumn<LogFont>("before");
        QTest::addColumn<LogFont>("expected");
        const LogFont old{-12, 400, 1, 34, 1, "Old"};
        QTest::newRow("defaults replace previous fields") << QStringList{} << old << Defaults;
        QTest::newRow("height 0 keeps the other fields") << QStringList{"Height=0", "Weight=100", "FaceName=X"} << old << LogFont{0, 400, 1, 34, 1, "Old"};
        QTest::newRow("all stored") << QStringList{"Height=-20", "Weight=400", "Italic=1", "PitchAndFamily=2", "CharSet=0", "FaceName=" + Mincho} << LogFont{} << LogFont{-20, 400, 1, 2, 0, Mincho};
        QTest::newRow("wrong type reads as default") << QStringList{"Height=abc", "Weight=7x"} << LogFont{} << Defaults;
        QTest::newRow("face name cut to 31 characters") << QStringList{"FaceName=" + QString(40, 'x')} << LogFont{} << LogFont{-16, 700, 0, 49, 128, QString(31, 'x')};
        QTest::newRow("face name of 31 characters kept") << QStringList{"FaceName=" + QString(31, QChar(0x660E))} << LogFont{} << LogFont{-16, 700, 0, 49, 128, QString(31, QChar(0x660E))};
        QTest::newRow("cut never splits a surrogate pair") << QStringList{"FaceName=" + QString(30, 'x') + QString::fromUtf8("𠮷𠮷")} << LogFont{} << LogFont{-16, 700, 0, 49, 128, QString(30, 'x')};
    }
    void loadLogFont()
    {
        QFETCH(QStringList, stored);
        QFETCH(LogFont, before);
        QFETCH(LogFont, expected);
        MemorySettingsStore store;
        for (const QString &s : stored)
            store.WriteString(FontSection, s.section(QLatin1Char('='), 0, 0), s.section(QLatin1Char('='), 1));
        store.WriteInt(QString::fromLatin1(Sections::PrintFont), QString::fromLatin1(Keys::FontHeight), -99);
        LoadLogFont(store, FontSection, before);
        QCOMPARE(before.faceName, expected.faceName);
        QVERIFY(before == expected);
    }

    void saveLogFont_data()
    {
        QTest::addColumn<LogFont>("saved");
        QTest::addColumn<LogFont>("font");
        QTest::addColumn<QStringList>("written"); // "Height" first when written
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
