#include "app/SettingsStore.h"
#include "view/ViewColors.h"

#include <QTemporaryDir>
#include <QtTest>

class TestViewColors : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void storedColoursAreRead_data();
    void storedColoursAreRead();
    void userStringColourIsKeyedByItsText();
};

void TestViewColors::storedColoursAreRead_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("index");
    QTest::newRow("dollar") << "$" << 0;
    QTest::newRow("backslash") << "\\" << 4;
    QTest::newRow("display math open") << "\\[" << 9;
    QTest::newRow("display math close") << "\\]" << 10;
}

void TestViewColors::storedColoursAreRead()
{
    QFETCH(QString, key);
    QFETCH(int, index);
    // An INI file on disk, because the keys hold backslashes the file must keep apart.
    QTemporaryDir dir;
    {
        IniSettingsStore store(dir.filePath("v.ini"));
        store.WriteInt("Colors", key, 0x123456);
    }
    IniSettingsStore store(dir.filePath("v.ini"));
    const ViewColors c = LoadViewColors(store);
    QCOMPARE(c.symbols[index], 0x123456u);
    // The neighbours keep their defaults: "\" and "\[" are different keys.
    ViewColors others = c;
    others.symbols[index] = DefaultViewColors().symbols[index];
    QCOMPARE(others.symbols, DefaultViewColors().symbols);
}

void TestViewColors::userStringColourIsKeyedByItsText()
{
    QTemporaryDir dir;
    IniSettingsStore store(dir.filePath("v.ini"));
    store.WriteString("Colors", "Str1", "\\section");
    store.WriteInt("Colors", "\\section", 0x00AA00);
    store.WriteString("Colors", "Str3", "重要");
    const ViewColors c = LoadViewColors(store);
    QCOMPARE(c.userStrings[0], QStringLiteral("\\section"));
    QCOMPARE(c.userColors[0], 0x00AA00u);
    QVERIFY(c.userStrings[1].isEmpty());
    QCOMPARE(c.userStrings[2], QStringLiteral("重要"));
    QCOMPARE(c.userColors[2], 0xC0C0C0u); // no colour stored: light grey
}

QTEST_GUILESS_MAIN(TestViewColors)
#include "tst_viewcolors.moc"
