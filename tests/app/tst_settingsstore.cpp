#include "app/SettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Both backends run the same rows; the INI rows also read back through a second store on the
// same file, as a second process of the program would.
class TestSettingsStore : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_fileNumber = 0;

    QString NewIniPath() { return m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_fileNumber)); }

    std::unique_ptr<SettingsStore> Open(const QString &backend, QString *iniPath = nullptr)
    {
        if (backend == QLatin1String("memory"))
            return std::make_unique<MemorySettingsStore>();
        const QString path = NewIniPath();
        if (iniPath)
            *iniPath = path;
        return std::make_unique<IniSettingsStore>(path);
    }

    void AddBackendRows(const char *name)
    {
        for (const char *backend : {"memory", "ini"})
            QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(backend),
                                                                 QLatin1String(name))))
                << QString::fromLatin1(backend);
    }

    // The store itself, or for INI a second store on the same file, as another process reads it.
    static const SettingsStore *ReadBack(const QString &backend, const SettingsStore &written,
                                         const QString &path,
                                         std::unique_ptr<SettingsStore> &reopened)
    {
        if (backend != QLatin1String("ini"))
            return &written;
        reopened = std::make_unique<IniSettingsStore>(path);
        return reopened.get();
    }

    void WriteRawIni(const QString &path, const QByteArray &text)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void absentValuesReadAsDefaults_data()
    {
        QTest::addColumn<QString>("backend");
        AddBackendRows("empty store");
    }
    void absentValuesReadAsDefaults()
    {
        QFETCH(QString, backend);
        auto store = Open(backend);
        QCOMPARE(store->GetInt("Settings", "wndW", 1600), 1600);
        QCOMPARE(store->GetInt("Settings", "wndX", -3), -3);
        QCOMPARE(store->GetString("Settings", "TeX", "platex"), QStringLiteral("platex"));
        QVERIFY(store->GetString("Settings", "InstDir").isEmpty());
        QVERIFY(!store->Contains("Settings", "wndW"));
        QVERIFY(store->Keys("Settings").isEmpty());
    }

    void keysRoundTrip_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        const QList<std::pair<const char *, QStringList>> rows = {
            {"unix path", {"Caret", "/home/a/b.texcL"}},
            {"windows path", {"TeXFile", "C:\\x\\y.tex"}},
            {"symbol backslash bracket", {"Colors", "\\["}},
            {"symbol backslash", {"Colors", "\\"}},
            {"leading and doubled slashes", {"Caret", "//srv//x.tex"}},
            {"japanese path", {"Caret", QString::fromUtf8("/home/太郎/論文 第1章.texcH")}},
            {"section with spaces", {"Recent File List", "File1"}},
        };
        for (const auto &[name, v] : rows) {
            for (const char *backend : {"memory", "ini"})
                QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(backend),
                                                                     QLatin1String(name))))
                    << QString::fromLatin1(backend) << v[0] << v[1];
        }
    }
    void keysRoundTrip()
    {
        QFETCH(QString, backend);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QString path;
        auto store = Open(backend, &path);
        store->WriteInt(section, key, 4711);
        store->WriteString(section, key + QLatin1String("S"), QStringLiteral("text"));

        QCOMPARE(store->GetInt(section, key, 0), 4711);
        QCOMPARE(store->GetString(section, key + QLatin1String("S")), QStringLiteral("text"));
        QStringList listed = store->Keys(section);
        listed.sort();
        QCOMPARE(listed, (QStringList{key, key + QLatin1String("S")}));

        if (backend == QLatin1String("ini")) {
            IniSettingsStore other(path);
            QCOMPARE(other.GetInt(section, key, 0), 4711);
            QCOMPARE(other.GetString(section, key + QLatin1String("S")), QStringLiteral("text"));
            QStringList again = other.Keys(section);
            again.sort();
            QCOMPARE(again, listed);
        }
    }

    // Keys that differ only in the characters the backend has to escape must stay apart.
    void escapedKeysStayDistinct_data()
    {
        QTest::addColumn<QString>("backend");
        AddBackendRows("slash, backslash and their escapes");
    }
    void escapedKeysStayDistinct()
    {
        QFETCH(QString, backend);
        QString path;
        auto store = Open(backend, &path);
        const QStringList keys = {"a/b", "a\\b", "a%2Fb", "a%5Cb", "a%b", "a", "a%25b", "a%"};
        for (int i = 0; i < keys.size(); ++i)
            store->WriteInt("Colors", keys[i], i + 1);
        std::unique_ptr<SettingsStore> reopened;
        const SettingsStore *reader = ReadBack(backend, *store, path, reopened);
        for (int i = 0; i < keys.size(); ++i)
            QCOMPARE(reader->GetInt("Colors", keys[i], 0), i + 1);
        QCOMPARE(reader->Keys("Colors").size(), keys.size());
        QVERIFY(reader->Keys("a").isEmpty()); // "a/b" did not open a group "a"
    }

    void stringValuesRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("comma and space") << QStringLiteral("a, b,c");
        QTest::newRow("leading and trailing blanks") << QStringLiteral("  spaced  ");
        QTest::newRow("at sign first") << QStringLiteral("@Variant(x)");
        QTest::newRow("quotes") << QStringLiteral("\"q\" 'r'");
        QTest::newRow("japanese") << QString::fromUtf8("ＭＳ ゴシック");
        QTest::newRow("number text") << QStringLiteral("0012");
    }
    void stringValuesRoundTrip()
    {
        QFETCH(QString, value);
        const QString path = NewIniPath();
        IniSettingsStore(path).WriteString("Find", "List0", value);
        const IniSettingsStore other(path);
        QCOMPARE(other.GetString("Find", "List0"), value);
    }

    void emptyStringIsAValue_data()
    {
        QTest::addColumn<QString>("backend");
        AddBackendRows("written then emptied");
    }
    void emptyStringIsAValue()
    {
        QFETCH(QString, backend);
        QString path;
        auto store = Open(backend, &path);
        store->WriteString("Settings", "MkIdxOpt", "-s myindex");
        store->WriteString("Settings", "MkIdxOpt", QString());
        std::unique_ptr<SettingsStore> reopened;
        const SettingsStore *reader = ReadBack(backend, *store, path, reopened);
        QVERIFY(reader->Contains("Settings", "MkIdxOpt"));
        QCOMPARE(reader->GetString("Settings", "MkIdxOpt", "-s myindex"), QString());
        QCOMPARE(reader->Keys("Settings"), QStringList{"MkIdxOpt"});
    }

    void deleteValueAndSection_data()
    {
        QTest::addColumn<QString>("backend");
        AddBackendRows("caret section");
    }
    void deleteValueAndSection()
    {
        QFETCH(QString, backend);
        QString path;
        auto store = Open(backend, &path);
        store->WriteInt("Caret", "/a.texcL", 5);
        store->WriteInt("Caret", "/a.texcH", 2);
        store->WriteInt("CaretTemp", "/a.texcL", 5);
        store->WriteInt("Settings", "Line", 1);

        store->DeleteValue("Caret", "/a.texcH");
        QCOMPARE(store->Keys("Caret"), QStringList{"/a.texcL"});
        store->DeleteValue("Caret", "/never.texcL"); // absent: no harm
        store->DeleteSection("Caret");
        store->DeleteSection("NoSuchSection");

        std::unique_ptr<SettingsStore> reopened;
        const SettingsStore *reader = ReadBack(backend, *store, path, reopened);
        QVERIFY(reader->Keys("Caret").isEmpty());
        QCOMPARE(reader->GetInt("Caret", "/a.texcL", 0), 0);
        QCOMPARE(reader->GetInt("CaretTemp", "/a.texcL", 0), 5);
        QCOMPARE(reader->GetInt("Settings", "Line", 0), 1);
    }

    // Values edited by hand in the INI file: whatever is not a whole number is the default.
    void handWrittenIntValues_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<int>("expected");
        QTest::newRow("letters") << QByteArray("abc") << 77;
        QTest::newRow("decimal fraction") << QByteArray("1.5") << 77;
        QTest::newRow("empty") << QByteArray("") << 77;
        QTest::newRow("far too large") << QByteArray("99999999999") << 77;
        QTest::newRow("negative") << QByteArray("-27") << -27;
        QTest::newRow("blanks around") << QByteArray("  42  ") << 42;
        QTest::newRow("dword max reads as -1") << QByteArray("4294967295") << -1;
    }
    void handWrittenIntValues()
    {
        QFETCH(QByteArray, raw);
        QFETCH(int, expected);
        const QString path = NewIniPath();
        WriteRawIni(path, "[Settings]\nwndX=" + raw + "\nwndY=5\n");
        const IniSettingsStore store(path);
        QCOMPARE(store.GetInt("Settings", "wndX", 77), expected);
        QCOMPARE(store.GetInt("Settings", "wndY", 77), 5);
    }

    void wrongTypeInMemory()
    {
        MemorySettingsStore store;
        store.WriteString("Settings", "Line", "abc");
        store.WriteString("Settings", "Enter", "12x");
        QCOMPARE(store.GetInt("Settings", "Line", 3), 3);
        QCOMPARE(store.GetInt("Settings", "Enter", 1), 1);
        store.WriteInt("Settings", "TabStops", 12);
        QCOMPARE(store.GetString("Settings", "TabStops"), QStringLiteral("12"));
    }

    // Two processes write the same file: neither may lose nor revive the other's values.
    void twoWritersOnOneFile()
    {
        const QString path = NewIniPath();
        IniSettingsStore first(path);
        IniSettingsStore second(path);
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

        QCOMPARE(SettingsStore::DefaultFilePath(), dir + QLatin1String("/Velloquin.ini"));
        {
            auto store = SettingsStore::OpenDefault();
            store->WriteInt("Settings", "English", 1);
        }
        QVERIFY(QFileInfo(dir + QLatin1String("/Velloquin.ini")).isFile());
        QCOMPARE(IniSettingsStore(dir + QLatin1String("/Velloquin.ini"))
                     .GetInt("Settings", "English", 0),
                 1);

        qunsetenv("VELLOQUIN_CONFIG_DIR");
        QVERIFY(!SettingsStore::DefaultFilePath().startsWith(dir));
        QVERIFY(SettingsStore::DefaultFilePath().endsWith(QLatin1String("/Velloquin.ini")));
        if (!saved.isNull())
            qputenv("VELLOQUIN_CONFIG_DIR", saved);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
