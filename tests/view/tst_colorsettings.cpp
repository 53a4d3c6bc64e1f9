#include "app/SettingsStore.h"
#include "view/ColorSettings.h"

#include <QtTest>

namespace {
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

class TestColorSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savedColoursReadBack();
    void storedValuesAreColorrefs();
    void sameUserStringTwiceSharesOneColour();
    void resets_data();
    void resets();
};

void TestColorSettings::savedColoursReadBack()
{
    MemorySettingsStore store;
    SaveColorSettings(store, Edited(), EditedCustom());
    QCOMPARE(LoadViewColors(store), Edited());
    QCOMPARE(LoadCustomColors(store), EditedCustom());
}

void TestColorSettings::storedValuesAreColorrefs()
{
    MemorySettingsStore store;
    SaveColorSettings(store, Edited(), EditedCustom());
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
}

void TestColorSettings::sameUserStringTwiceSharesOneColour()
{
    MemorySettingsStore store;
    ViewColors c = DefaultViewColors();
    c.userStrings[1] = QStringLiteral("xx");
    c.userColors[1] = Rgb(1, 0, 0);
    c.userStrings[6] = QStringLiteral("xx");
    c.userColors[6] = Rgb(0, 0, 7);
    SaveColorSettings(store, c, DefaultCustomColors());
    const ViewColors back = LoadViewColors(store);
    QCOMPARE(back.userColors[1], Rgb(0, 0, 7));
    QCOMPARE(back.userColors[6], Rgb(0, 0, 7));
}

void TestColorSettings::resets_data()
{
    QTest::addColumn<int>("which"); // 0 text&back, 1 characters, 2 custom, 3 all
    QTest::addColumn<bool>("textBackReset");
    QTest::addColumn<bool>("charactersReset");
    QTest::addColumn<bool>("customReset");
    QTest::newRow("text and back") << 0 << true << false << false;
    QTest::newRow("character colours") << 1 << false << true << false;
    QTest::newRow("custom colours") << 2 << false << false << true;
    QTest::newRow("all") << 3 << true << true << true;
}

void TestColorSettings::resets()
{
    QFETCH(int, which);
    QFETCH(bool, textBackReset);
    QFETCH(bool, charactersReset);
    QFETCH(bool, customReset);
    MemorySettingsStore store;
    SaveColorSettings(store, Edited(), EditedCustom());
    ViewColors colors = Edited();
    CustomColors custom = EditedCustom();
    switch (which) {
    case 0: ResetTextAndBack(store, colors); break;
    case 1: ResetCharacterColors(store, colors); break;
    case 2: ResetCustomColors(store, custom); break;
    default: ResetAllColors(store, colors, custom); break;
    }
    const ViewColors defaults = DefaultViewColors();
    const ViewColors edited = Edited();
    // The values being edited and the store agree at once.
    const ViewColors stored = LoadViewColors(store);
    for (const ViewColors *c : {static_cast<const ViewColors *>(&colors), &stored}) {
        QCOMPARE(c->text, textBackReset ? defaults.text : edited.text);
        QCOMPARE(c->back, textBackReset ? defaults.back : edited.back);
        QCOMPARE(c->symbols, charactersReset ? defaults.symbols : edited.symbols);
        QCOMPARE(c->userStrings, charactersReset ? defaults.userStrings : edited.userStrings);
        QCOMPARE(c->userColors, charactersReset ? defaults.userColors : edited.userColors);
    }
    QCOMPARE(custom, customReset ? DefaultCustomColors() : EditedCustom());
    QCOMPARE(LoadCustomColors(store), customReset ? DefaultCustomColors() : EditedCustom());
    QCOMPARE(store.Keys("ColorTB").isEmpty(), textBackReset);
    QCOMPARE(store.Keys("Colors").isEmpty(), charactersReset);
}

QTEST_APPLESS_MAIN(TestColorSettings)
#include "tst_colorsettings.moc"
