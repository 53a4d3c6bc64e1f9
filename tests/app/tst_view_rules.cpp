#include "app/LogFont.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/StatusTexts.h"
#include "app/ZelSettings.h"

#include <QtTest>

#include <climits>

Q_DECLARE_METATYPE(LogFont)

namespace {
LogFont Font(int height, int weight, int italic, int pitch, int charSet, const QString &face)
{
    LogFont f;
    f.height = height;
    f.weight = weight;
    f.italic = italic;
    f.pitchAndFamily = pitch;
    f.charSet = charSet;
    f.faceName = face;
    return f;
}

const QString Gothic = QString::fromUtf8("ＭＳ ゴシック");
const QString Mincho = QString::fromUtf8("ＭＳ 明朝");
const QString FontSection = QString::fromLatin1(Sections::Font);

// The print-settings line as the printer writes it at the top of a ".zel" file.
QString PrinterLine(const QString &tab, const QString &font, const QString &col,
                    const QString &margin)
{
    return QStringLiteral("%% TAB=%1\tFont=%2\tCOL=%3\tMargin=%4\t")
               .arg(tab, font, col, margin)
           + QString::fromUtf8("印刷設定：表幅・フォント・段組・余白\t%% 行は印刷されません。");
}
} // namespace

// The rules the view applies when it shows a file: status texts, the ".zel" settings line and
// the stored fonts.
class TestViewRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sizePane_data()
    {
        QTest::addColumn<qsizetype>("characters");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("japanese");
        QTest::newRow("empty") << qsizetype(0) << "0 byte" << QString::fromUtf8("0 バイト");
        QTest::newRow("999") << qsizetype(999) << "999 byte" << QString::fromUtf8("999 バイト");
        QTest::newRow("1000") << qsizetype(1000) << "1.0 KB" << "1.0 KB";
        QTest::newRow("1999 truncates") << qsizetype(1999) << "1.9 KB" << "1.9 KB";
        QTest::newRow("12345") << qsizetype(12345) << "12.3 KB" << "12.3 KB";
        QTest::newRow("64 MiB") << qsizetype(67108864) << "67108.8 KB" << "67108.8 KB";
    }
    void sizePane()
    {
        QFETCH(qsizetype, characters);
        QFETCH(QString, english);
        QFETCH(QString, japanese);
        QCOMPARE(SizePaneText(characters, true), english);
        QCOMPARE(SizePaneText(characters, false), japanese);
    }

    void linePane_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("japanese");
        QTest::newRow("start of text") << 0 << 0 << 0 << " 1. 0. [ 0 char's]"
                                       << QString::fromUtf8("1 行, 0 列 [ 0 文字]");
        QTest::newRow("line shown one-based") << 41 << 7 << 1234 << " 42. 7. [ 1234 char's]"
                                              << QString::fromUtf8("42 行, 7 列 [ 1234 文字]");
        QTest::newRow("large numbers unchanged")
            << 99999 << 250 << 9999999 << " 100000. 250. [ 9999999 char's]"
            << QString::fromUtf8("100000 行, 250 列 [ 9999999 文字]");
    }
    void linePane()
    {
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(int, offset);
        QFETCH(QString, english);
        QFETCH(QString, japanese);
        QCOMPARE(LinePaneText(line, column, offset, true), english);
        QCOMPARE(LinePaneText(line, column, offset, false), japanese);
    }

    // ---- ".zel" settings line ------------------------------------------------------------

    void zelLine_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<bool>("isSettingsLine");
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("fontSet");
        QTest::addColumn<int>("font");
        QTest::addColumn<int>("margin");
        // Before each row: tab 16, columns 3, font unset (-99), margin 2.

        QTest::newRow("printer line") << PrinterLine("12", "-20", "2", "4") << true << 12 << 2
                                      << true << -20 << 4;
        QTest::newRow("printer line, smallest values") << PrinterLine("4", "0", "1", "1") << true
                                                       << 4 << 1 << true << 0 << 1;
        QTest::newRow("tab 20") << "% TAB=20\t" << true << 20 << 3 << false << -99 << 2;
        QTest::newRow("tab 10 ignored") << "% TAB=10\t" << true << 16 << 3 << false << -99 << 2;
        QTest::newRow("tab 0 ignored") << "% TAB=0\t" << true << 16 << 3 << false << -99 << 2;
        QTest::newRow("tab 012 ignored") << "% TAB=012\t" << true << 16 << 3 << false << -99
                                         << 2;
        QTest::newRow("tab with blank ignored") << "% TAB= 12\t" << true << 16 << 3 << false
                                                << -99 << 2;
        QTest::newRow("col 5 ignored") << "% COL=5\t" << true << 16 << 3 << false << -99 << 2;
        QTest::newRow("col 4") << "% COL=4\t" << true << 16 << 4 << false << -99 << 2;
        QTest::newRow("margin 5 ignored") << "% Margin=5\t" << true << 16 << 3 << false << -99
                                          << 2;
        QTest::newRow("margin 1") << "% Margin=1\t" << true << 16 << 3 << false << -99 << 1;
        QTest::newRow("font not a number is 0") << "% Font=abc\t" << true << 16 << 3 << true << 0
                                                << 2;
        QTest::newRow("font like atoi") << "% Font= -7pt\t" << true << 16 << 3 << true << -7
                                        << 2;
        QTest::newRow("key at the end without TAB ignored")
            << "%% TAB=12" << true << 16 << 3 << false << -99 << 2;
        QTest::newRow("last key without TAB ignored, others taken")
            << "%% TAB=4\tCOL=2\tMargin=3" << true << 4 << 2 << false << -99 << 2;
        QTest::newRow("font without TAB ignored") << "% Font=-24" << true << 16 << 3 << false
                                                  << -99 << 2;
        QTest::newRow("keys in any order") << "%Margin=3\tCOL=1\tTAB=16\tFont=9\t" << true << 16
                                           << 1 << true << 9 << 3;
        QTest::newRow("key names are case-sensitive") << "% tab=12\tcol=2\tfont=9\tmargin=3\t"
                                                      << true << 16 << 3 << false << -99 << 2;
        QTest::newRow("no percent sign") << "TAB=12\tCOL=2\t" << false << 16 << 3 << false << -99
                                         << 2;
        QTest::newRow("blank before percent sign") << " % TAB=12\t" << false << 16 << 3 << false
                                                   << -99 << 2;
        QTest::newRow("empty row") << "" << false << 16 << 3 << false << -99 << 2;
        QTest::newRow("percent only") << "%" << true << 16 << 3 << false << -99 << 2;
        QTest::newRow("keys on the next row do not count")
            << "% settings\nTAB=12\tCOL=2\t" << true << 16 << 3 << false << -99 << 2;
        QTest::newRow("TAB only on the next row does not end the value")
            << "% TAB=12\nx\t" << true << 16 << 3 << false << -99 << 2;
        QTest::newRow("plain comment line") << "% just a comment" << true << 16 << 3 << false
                                            << -99 << 2;
    }
    void zelLine()
    {
        QFETCH(QString, row);
        QFETCH(bool, isSettingsLine);
        QFETCH(int, tab);
        QFETCH(int, columns);
        QFETCH(bool, fontSet);
        QFETCH(int, font);
        QFETCH(int, margin);

        ZelSettings s;
        s.tabWidth = 16;
        s.printColumns = 3;
        s.printFontHeight = -99;
        s.printMargin = 2;
        QCOMPARE(ReadZelSettingsLine(row, s), isSettingsLine);
        QCOMPARE(s.tabWidth, tab);
        QCOMPARE(s.printColumns, columns);
        QCOMPARE(s.printFontHeightSet, fontSet);
        QCOMPARE(s.printFontHeight, font);
        QCOMPARE(s.printMargin, margin);
    }

    void cAtoi_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("letters") << "abc" << 0;
        QTest::newRow("digits") << "42" << 42;
        QTest::newRow("leading blanks") << "   42" << 42;
        QTest::newRow("tab and newline before sign") << "\t\n-13" << -13;
        QTest::newRow("plus sign") << "+7" << 7;
        QTest::newRow("stops at a letter") << "12abc" << 12;
        QTest::newRow("stops at a blank") << "3 4" << 3;
        QTest::newRow("blank after the sign") << "- 5" << 0;
        QTest::newRow("two signs") << "--5" << 0;
        QTest::newRow("full-width digits are no digits") << QString::fromUtf8("１２") << 0;
        QTest::newRow("largest int") << "2147483647" << INT_MAX;
        QTest::newRow("smallest int") << "-2147483648" << INT_MIN;
        QTest::newRow("too large saturates") << "99999999999999999999" << INT_MAX;
        QTest::newRow("too small saturates") << "-99999999999999999999" << INT_MIN;
    }
    void cAtoi()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(CAtoi(text), expected);
    }

    // ---- fonts ---------------------------------------------------------------------------

    void loadLogFont_data()
    {
        QTest::addColumn<QStringList>("stored"); // "Key=int" or "FaceName=text"
        QTest::addColumn<LogFont>("before");
        QTest::addColumn<LogFont>("expected");
        const LogFont previous = Font(-12, 400, 1, 34, 1, "Old");

        QTest::newRow("nothing stored gives the defaults")
            << QStringList{} << LogFont{} << Font(-16, 700, 0, 49, 128, Gothic);
        QTest::newRow("defaults replace previous fields")
            << QStringList{} << previous << Font(-16, 700, 0, 49, 128, Gothic);
        QTest::newRow("height 0 keeps the other fields")
            << QStringList{"Height=0", "Weight=100", "FaceName=Ignored"} << previous
            << Font(0, 400, 1, 34, 1, "Old");
        QTest::newRow("all stored")
            << QStringList{"Height=-20", "Weight=400", "Italic=1", "PitchAndFamily=2",
                           "CharSet=0", "FaceName=" + Mincho}
            << LogFont{} << Font(-20, 400, 1, 2, 0, Mincho);
        QTest::newRow("positive height") << QStringList{"Height=12"} << LogFont{}
                                         << Font(12, 700, 0, 49, 128, Gothic);
        QTest::newRow("wrong type reads as default")
            << QStringList{"Height=abc", "Weight=7x"} << LogFont{}
            << Font(-16, 700, 0, 49, 128, Gothic);
        QTest::newRow("face name cut to 31 characters")
            << QStringList{"FaceName=" + QString(40, QLatin1Char('x'))} << LogFont{}
            << Font(-16, 700, 0, 49, 128, QString(31, QLatin1Char('x')));
        QTest::newRow("face name of 31 characters kept")
            << QStringList{"FaceName=" + QString(31, QChar(0x660E))} << LogFont{}
            << Font(-16, 700, 0, 49, 128, QString(31, QChar(0x660E)));
        QTest::newRow("cut never splits a surrogate pair")
            << QStringList{"FaceName=" + QString(30, QLatin1Char('x'))
                           + QString::fromUtf8("𠮷𠮷")}
            << LogFont{} << Font(-16, 700, 0, 49, 128, QString(30, QLatin1Char('x')));
    }
    void loadLogFont()
    {
        QFETCH(QStringList, stored);
        QFETCH(LogFont, before);
        QFETCH(LogFont, expected);
        MemorySettingsStore store;
        for (const QString &s : stored) {
            const qsizetype eq = s.indexOf(QLatin1Char('='));
            store.WriteString(FontSection, s.left(eq), s.mid(eq + 1));
        }
        store.WriteInt(QString::fromLatin1(Sections::PrintFont),
                       QString::fromLatin1(Keys::FontHeight), -99);
        LogFont font = before;
        LoadLogFont(store, FontSection, font);
        QCOMPARE(font.height, expected.height);
        QCOMPARE(font.weight, expected.weight);
        QCOMPARE(font.italic, expected.italic);
        QCOMPARE(font.pitchAndFamily, expected.pitchAndFamily);
        QCOMPARE(font.charSet, expected.charSet);
        QCOMPARE(font.faceName, expected.faceName);
    }

    void saveLogFont_data()
    {
        QTest::addColumn<LogFont>("saved");
        QTest::addColumn<LogFont>("font");
        QTest::addColumn<QStringList>("written");
        const LogFont base = Font(-16, 700, 0, 49, 128, Gothic);

        QTest::newRow("unchanged writes nothing") << base << base << QStringList{};
        QTest::newRow("height only") << base << Font(-20, 700, 0, 49, 128, Gothic)
                                     << QStringList{"Height"};
        QTest::newRow("face name only") << base << Font(-16, 700, 0, 49, 128, Mincho)
                                        << QStringList{"FaceName"};
        QTest::newRow("weight and italic") << base << Font(-16, 400, 1, 49, 128, Gothic)
                                           << QStringList{"Weight", "Italic"};
        QTest::newRow("everything") << base << Font(-24, 400, 1, 2, 0, Mincho)
                                    << QStringList{"Height", "Weight", "Italic",
                                                   "PitchAndFamily", "CharSet", "FaceName"};
        QTest::newRow("height 0 writes only the height")
            << base << Font(0, 400, 1, 2, 0, Mincho) << QStringList{"Height"};
        QTest::newRow("height still 0 writes nothing")
            << Font(0, 700, 0, 49, 128, Gothic) << Font(0, 400, 1, 2, 0, Mincho)
            << QStringList{};
        QTest::newRow("from 0 to a font writes the fields that differ")
            << Font(0, 0, 0, 0, 0, QString()) << base
            << QStringList{"Height", "Weight", "PitchAndFamily", "CharSet", "FaceName"};
    }
    void saveLogFont()
    {
        QFETCH(LogFont, saved);
        QFETCH(LogFont, font);
        QFETCH(QStringList, written);
        MemorySettingsStore store;
        SaveLogFont(store, FontSection, font, saved);
        const QStringList keys = store.Keys(FontSection);
        if (!written.isEmpty())
            QCOMPARE(keys.first(), written.first()); // "Height" goes first when written
        QStringList sortedKeys = keys;
        sortedKeys.sort();
        written.sort();
        QCOMPARE(sortedKeys, written);
        QVERIFY(saved == font);
        if (written.contains(QLatin1String("FaceName")))
            QCOMPARE(store.GetString(FontSection, "FaceName"), font.faceName);
        if (written.contains(QLatin1String("Height")))
            QCOMPARE(store.GetInt(FontSection, "Height", 1), font.height);
    }

    // The font command saves over what the view loaded; the next start loads the same font.
    void saveThenLoadRoundTrip()
    {
        MemorySettingsStore store;
        LogFont loaded;
        LoadLogFont(store, FontSection, loaded);
        LogFont saved = loaded;
        const LogFont chosen = Font(-18, 400, 0, 49, 128, Mincho);
        SaveLogFont(store, FontSection, chosen, saved);
        QVERIFY(!store.Contains(FontSection, "Italic")); // equal to the loaded default
        LogFont next;
        LoadLogFont(store, FontSection, next);
        QVERIFY(next == chosen);
    }
};

QTEST_GUILESS_MAIN(TestViewRules)
#include "tst_view_rules.moc"
