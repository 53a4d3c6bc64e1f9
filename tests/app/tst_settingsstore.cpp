#include "support/Columns.h"
#include "app/Settings.h"
#include "app/SettingsStore.h"
#include "toolchain/ToolSettings.h"

#include <QtTest>

// A settings group loads its defaults from an empty store and reads back what it saved.
using GroupCheck = std::function<bool(SettingsStore &)>;
template <typename T>
GroupCheck RoundTrip(void (*change)(T &))
{
    return [change](SettingsStore &store) {
        T loaded, changed;
        loaded.Load(store);
        const bool defaults = loaded == T();
        change(changed);
        changed.Save(store);
        loaded.Load(store);
        return defaults && loaded == changed && !(changed == T());
    };
}

// Both backends run the same rows; the INI rows read back through a second store on the same
// file, as another process of the program would.
class TestSettingsStore : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_n = 0;
    QString NewIniPath() { return m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_n)); }

private Q_SLOTS:
    void roundTrip_data()
    {
        Columns<bool, QString, QString>({"ini", "section", "key"});
        const QList<std::pair<const char *, QStringList>> rows = {
            {"unix path", {"Caret", "/home/a/b.texcL"}},
            {"windows path", {"TeXFile", "C:\\x\\y.tex"}},
            {"symbol backslash bracket", {"Colors", "\\["}},
            {"leading and doubled slashes", {"Caret", "//srv//x.tex"}},
            {"japanese path", {"Caret", QString::fromUtf8("/home/太郎/論文 第1章.texcH")}},
            {"section with spaces", {"Recent File List", "File1"}},
        };
        for (const bool ini : {false, true})
            for (const auto &[name, v] : rows)
                QTest::addRow("%s: %s", ini ? "ini" : "memory", name) << ini << v[0] << v[1];
    }
    // Values and keys come back as written; keys that differ only in what the backend escapes
    // stay apart; an empty string is a value; deleting leaves other sections alone.
    void roundTrip()
    {
        QFETCH(bool, ini);
        QFETCH(QString, section);
        QFETCH(QString, key);
        const QString path = NewIniPath();
        std::unique_ptr<SettingsStore> store = ini ? std::unique_ptr<SettingsStore>(new IniSettingsStore(path)) : std::make_unique<MemorySettingsStore>();
        QCOMPARE(store->GetInt(section, key, -3), -3);
        QCOMPARE(store->GetString(section, key, "platex"), QStringLiteral("platex"));
        QVERIFY(!store->Contains(section, key));
        const QStringList escapes = {"a/b", "a\\b", "a%2Fb", "a%5Cb", "a%b", "a", "a%25b", "a%"};
        store->WriteInt(section, key, 4711);
        store->WriteString(section, key + "S", "text");
        store->WriteString(section, key + "E", "-s myindex");
        store->WriteString(section, key + "E", QString());
        for (int i = 0; i < escapes.size(); ++i)
            store->WriteInt("Colors", escapes[i], i + 1);
        store->WriteInt("CaretTemp", "/a.texcL", 5);
        store->WriteInt("Gone", "x", 1);
        store->WriteInt("Gone", "y", 1);
        store->DeleteValue("Gone", "x");
        QCOMPARE(store->Keys("Gone"), QStringList{"y"});
        store->DeleteValue("Gone", "never"); // absent: no harm
        store->DeleteSection("Gone");
        store->DeleteSection("NoSuchSection");

        const std::unique_ptr<SettingsStore> other = ini ? std::make_unique<IniSettingsStore>(path) : nullptr;
        const SettingsStore &r = ini ? *other : *store;
        QCOMPARE(r.GetInt(section, key, 0), 4711);
        QCOMPARE(r.GetString(section, key + "S"), QStringLiteral("text"));
        QVERIFY(r.Contains(section, key + "E"));
        QCOMPARE(r.GetString(section, key + "E", "default"), QString());
        QStringList listed = r.Keys(section), expected{key, key + "E", key + "S"};
        if (section == "Colors")
            expected += escapes;
        listed.sort();
        expected.sort();
        QCOMPARE(listed, expected);
        for (int i = 0; i < escapes.size(); ++i)
            QCOMPARE(r.GetInt("Colors", escapes[i], 0), i + 1);
        QVERIFY(r.Keys("a").isEmpty()); // "a/b" did not open a group "a"
        QVERIFY(r.Keys("Gone").isEmpty());
        QCOMPARE(r.GetInt("CaretTemp", "/a.texcL", 0), 5);
    }

    // String values come back as written; hand-edited int values that are no whole number read
    // as the default (77).
    void rules_data()
    {
        RuleColumns();
        const auto again = [this](const QString &value) {
            const QString path = NewIniPath();
            IniSettingsStore(path).WriteString("Find", "List0", value);
            return IniSettingsStore(path).GetString("Find", "List0");
        };
        for (const char *value : {"a, b,c", "  spaced  ", "@Variant(x)", "\"q\" 'r'", "ＭＳ ゴシック", "0012"})
            Rule(value, again(value), value);
        const auto edited = [this](const QByteArray &raw) {
            const QString path = NewIniPath();
            WriteBytes(path, "[Settings]\nwndX=" + raw + "\nwndY=5\n");
            const IniSettingsStore store(path);
            return QList<int>{store.GetInt("Settings", "wndX", 77), store.GetInt("Settings", "wndY", 77)};
        };
        Rule("hand-written: letters", edited("abc"), {77, 5});
        Rule("hand-written: decimal fraction", edited("1.5"), {77, 5});
        Rule("hand-written: empty", edited(""), {77, 5});
        Rule("hand-written: far too large", edited("99999999999"), {77, 5});
        Rule("hand-written: negative", edited("-27"), {-27, 5});
        Rule("hand-written: blanks around", edited("  42  "), {42, 5});
        Rule("hand-written: dword max reads as -1", edited("4294967295"), {-1, 5});
        MemorySettingsStore memory;
        memory.WriteString("Settings", "Line", "1.5");
        memory.WriteInt("Settings", "TabStops", 12);
        Rule("in memory: a text that is no whole number", memory.GetInt("Settings", "Line", 77), 77);
        Rule("in memory: a number as text", memory.GetString("Settings", "TabStops"), "12");
    }
    void rules() { CompareRule(); }

    // Two processes write the same file: neither may lose nor revive the other's values.
    void twoWritersOnOneFile()
    {
        const QString path = NewIniPath();
        IniSettingsStore first(path), second(path);
        first.WriteInt("Caret", "/a.texcL", 1);
        first.WriteInt("Caret", "/b.texcL", 2);
        second.WriteInt("Caret", "/c.texcL", 3);
        second.DeleteValue("Caret", "/a.texcL");
        first.WriteInt("Settings", "wndX", 9);
        const IniSettingsStore third(path);
        QVERIFY(!third.Contains("Caret", "/a.texcL"));
        QCOMPARE(third.GetInt("Caret", "/b.texcL", 0), 2);
        QCOMPARE(third.GetInt("Caret", "/c.texcL", 0), 3);
        QCOMPARE(third.GetInt("Settings", "wndX", 0), 9);
    }

    void configDirMovesFile()
    {
        const QByteArray saved = qgetenv("VELLOQUIN_CONFIG_DIR");
        const QString dir = m_dir.filePath(QString::fromUtf8("設定/nested"));
        qputenv("VELLOQUIN_CONFIG_DIR", dir.toUtf8());
        QCOMPARE(SettingsStore::DefaultFilePath(), dir + "/Velloquin.ini");
        SettingsStore::OpenDefault()->WriteInt("Settings", "English", 1);
        QCOMPARE(IniSettingsStore(dir + "/Velloquin.ini").GetInt("Settings", "English", 0), 1);
        qunsetenv("VELLOQUIN_CONFIG_DIR");
        QVERIFY(!SettingsStore::DefaultFilePath().startsWith(dir));
        QVERIFY(SettingsStore::DefaultFilePath().endsWith("/Velloquin.ini"));
        if (!saved.isNull())
            qputenv("VELLOQUIN_CONFIG_DIR", saved);
    }

    void settingsGroups_data()
    {
        QTest::addColumn<GroupCheck>("check");
        QTest::newRow("tools") << RoundTrip<ToolSettings>([](ToolSettings &t) {
            t.compiler = "/tl/bin/uplatex", t.makeIndexOptions = "-r", t.pdfPaper = 6;
            t.neverPaperDialog = t.skipPaperDialog = 1; });
        QTest::newRow("input") << RoundTrip<InputSettings>([](InputSettings &i) { i.commandList = "/l.mme"; i.minimum = 5; });
        QTest::newRow("print") << RoundTrip<PrintSettings>([](PrintSettings &p) { p.columns = 3; });
        QTest::newRow("editor") << RoundTrip<EditorSettings>([](EditorSettings &e) { e.caretColumn = 0; });
        QTest::newRow("paper dialog reset while allowed") << GroupCheck([](SettingsStore &s) {
            s.WriteInt("Settings", "PdfSizeNo", 7);
            ToolSettings::ResetPaperDialog(s);
            ToolSettings t;
            t.Load(s);
            return t.pdfPaper == 1 && !t.skipPaperDialog;
        });
        QTest::newRow("only changed values written") << GroupCheck([](SettingsStore &s) {
            const InputSettings before;
            InputSettings now = before;
            now.abc = 1 - before.abc;
            s.WriteInt("Settings", "Minimum", 4); // another window's choice since
            now.Save(s, &before);
            InputSettings read;
            read.Load(s);
            return read.abc == now.abc && read.minimum == 4;
        });
        QTest::newRow("list in the data folder") << GroupCheck([](SettingsStore &) { return InputSettings().CommandListPath("/d") == "/d/input_tex.mme"; });
        QTest::newRow("no printer font stored") << GroupCheck([](SettingsStore &s) { return LoadPrintFont(s).height == 0 && LoadPrintFont(s).weight == 700; });
    }
    void settingsGroups()
    {
        QFETCH(GroupCheck, check);
        MemorySettingsStore store;
        QVERIFY(check(store));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
