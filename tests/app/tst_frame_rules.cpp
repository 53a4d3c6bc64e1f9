#include "app/CaretMemory.h"
#include "app/CommandLine.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/WindowPlacement.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using Entries = QMap<QString, int>;

namespace {
// 1920 x 1080 screen: default 1600 x 1053; caption 23; minimum track size 112 x 27.
ScreenMetrics FullHd()
{
    ScreenMetrics m;
    m.screenWidth = 1920;
    m.screenHeight = 1080;
    m.captionHeight = 23;
    m.minTrackWidth = 112;
    m.minTrackHeight = 27;
    return m;
}

const QString S = QString::fromLatin1(Sections::Settings);

QRect Stored(const SettingsStore &store, const char *x, const char *y, const char *w,
             const char *h)
{
    return QRect(store.GetInt(S, QString::fromLatin1(x), -1),
                 store.GetInt(S, QString::fromLatin1(y), -1),
                 store.GetInt(S, QString::fromLatin1(w), -1),
                 store.GetInt(S, QString::fromLatin1(h), -1));
}

QRect StoredWnd(const SettingsStore &store)
{
    return Stored(store, Keys::WndX, Keys::WndY, Keys::WndW, Keys::WndH);
}

QRect StoredWndDef(const SettingsStore &store)
{
    return Stored(store, Keys::WndDefX, Keys::WndDefY, Keys::WndDefW, Keys::WndDefH);
}

void StoreRect(SettingsStore &store, const char *x, const char *y, const char *w, const char *h,
               const QRect &r)
{
    store.WriteInt(S, QString::fromLatin1(x), r.x());
    store.WriteInt(S, QString::fromLatin1(y), r.y());
    store.WriteInt(S, QString::fromLatin1(w), r.width());
    store.WriteInt(S, QString::fromLatin1(h), r.height());
}

const QString Caret = QString::fromLatin1(Sections::Caret);
const QString CaretTemp = QString::fromLatin1(Sections::CaretTemp);
const QString Recent = QString::fromLatin1(Sections::RecentFiles);

Entries SectionContents(const SettingsStore &store, const QString &section)
{
    Entries e;
    for (const QString &k : store.Keys(section))
        e.insert(k, store.GetInt(section, k, -999));
    return e;
}

void SetRecent(SettingsStore &store, const QMap<int, QString> &slots)
{
    for (auto it = slots.cbegin(); it != slots.cend(); ++it)
        store.WriteString(Recent, RecentFileKey(it.key()), it.value());
}
} // namespace

// Window placement and caret memory: the rules the main frame applies at start and at close.
// Caret memory runs on an INI file because its keys are file paths.
class TestFrameRules : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_n = 0;
    std::unique_ptr<SettingsStore> NewStore()
    {
        const QString path = m_dir.filePath(QStringLiteral("f%1.ini").arg(++m_n));
        return std::make_unique<IniSettingsStore>(path);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void defaultRect_data()
    {
        QTest::addColumn<int>("screenWidth");
        QTest::addColumn<int>("screenHeight");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("1920x1080") << 1920 << 1080 << QRect(0, 0, 1600, 1053);
        QTest::newRow("1366x768 truncates the width") << 1366 << 768 << QRect(0, 0, 1138, 741);
        QTest::newRow("1025x600 truncates the width") << 1025 << 600 << QRect(0, 0, 854, 573);
    }
    void defaultRect()
    {
        QFETCH(int, screenWidth);
        QFETCH(int, screenHeight);
        QFETCH(QRect, expected);
        ScreenMetrics m;
        m.screenWidth = screenWidth;
        m.screenHeight = screenHeight;
        QCOMPARE(DefaultWindowRect(m), expected);
    }

    void initialRect_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QRect>("storedRect"); // null: nothing stored
        QTest::addColumn<QRect>("expected");
        const QRect stored(40, 50, 900, 700);
        // W = 1600, H = 1053, C = 23.
        QTest::newRow("viewer") << QStringList{"-w0", "-m0", "ReadMe.log"} << stored
                                << QRect(320, 25, 1600, 1028);
        QTest::newRow("second window ignores stored") << QStringList{"-w1"} << stored
                                                      << QRect(23, 23, 1600, 1030);
        QTest::newRow("viewer wins over second window") << QStringList{"-w0", "-w1"} << QRect()
                                                        << QRect(320, 25, 1600, 1028);
        QTest::newRow("viewer wins, reversed order") << QStringList{"-w1", "-w0"} << stored
                                                     << QRect(320, 25, 1600, 1028);
        QTest::newRow("plain start, nothing stored") << QStringList{} << QRect()
                                                     << QRect(0, 0, 1600, 1053);
        QTest::newRow("plain start with a file uses stored") << QStringList{"a.tex"} << stored
                                                             << stored;
        QTest::newRow("stored off-screen position kept")
            << QStringList{} << QRect(-8, -8, 1936, 1056) << QRect(-8, -8, 1936, 1056);
    }
    void initialRect()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QRect, storedRect);
        QFETCH(QRect, expected);
        MemorySettingsStore store;
        if (!storedRect.isNull())
            StoreRect(store, Keys::WndX, Keys::WndY, Keys::WndW, Keys::WndH, storedRect);
        // The restored rectangle is a different thing and must not leak in.
        StoreRect(store, Keys::WndDefX, Keys::WndDefY, Keys::WndDefW, Keys::WndDefH,
                  QRect(1, 2, 3, 4));
        QCOMPARE(InitialWindowRect(CommandLineSwitches::Parse(arguments), FullHd(), store),
                 expected);
    }

    void initialRectPartlyStored()
    {
        MemorySettingsStore store;
        store.WriteInt(S, QString::fromLatin1(Keys::WndX), 100);
        store.WriteInt(S, QString::fromLatin1(Keys::WndH), 500);
        QCOMPARE(InitialWindowRect(CommandLineSwitches{}, FullHd(), store),
                 QRect(100, 0, 1600, 500));
    }

    // Close stores the rectangle, or the defaults when it is not worth keeping; the next start
    // without switches opens where the window was left.
    void storeOnClose_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QRect>("expected");
        const QRect def(0, 0, 1600, 1053);
        // 5 * 27 = 135 rows and 3 * 112 = 336 columns are the limits.
        QTest::newRow("normal") << QRect(10, 20, 800, 600) << QRect(10, 20, 800, 600);
        QTest::newRow("minimised") << QRect(-32000, -32000, 160, 27) << def;
        QTest::newRow("height at the limit") << QRect(5, 5, 800, 135) << def;
        QTest::newRow("height just above") << QRect(5, 5, 800, 136) << QRect(5, 5, 800, 136);
        QTest::newRow("width at the limit") << QRect(5, 5, 336, 600) << def;
        QTest::newRow("width just above") << QRect(5, 5, 337, 600) << QRect(5, 5, 337, 600);
        QTest::newRow("empty") << QRect() << def;
    }
    void storeOnClose()
    {
        QFETCH(QRect, rect);
        QFETCH(QRect, expected);
        MemorySettingsStore store;
        StoreRect(store, Keys::WndX, Keys::WndY, Keys::WndW, Keys::WndH, QRect(7, 7, 777, 777));
        QCOMPARE(IsTooSmallToStore(rect, FullHd()), expected != rect);
        StoreWindowRect(store, rect, FullHd());
        QCOMPARE(StoredWnd(store), expected);
        QVERIFY(StoredWndDef(store) == QRect(-1, -1, -1, -1)); // untouched
        QCOMPARE(InitialWindowRect(CommandLineSwitches{}, FullHd(), store), expected);
    }

    void restoredRect()
    {
        MemorySettingsStore store;
        StoreRect(store, Keys::WndX, Keys::WndY, Keys::WndW, Keys::WndH, QRect(9, 9, 999, 999));
        QCOMPARE(RestoredWindowRect(FullHd(), store), QRect(0, 0, 1600, 1053));
        StoreRect(store, Keys::WndDefX, Keys::WndDefY, Keys::WndDefW, Keys::WndDefH,
                  QRect(30, 40, 1000, 800));
        QCOMPARE(RestoredWindowRect(FullHd(), store), QRect(30, 40, 1000, 800));
    }

    void setWindow_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QRect>("expected");
        const QRect def(0, 0, 1600, 1053);
        QTest::newRow("big enough") << QRect(30, 40, 1000, 800) << true
                                    << QRect(30, 40, 1000, 800);
        QTest::newRow("smallest accepted") << QRect(0, 0, 337, 136) << true
                                           << QRect(0, 0, 337, 136);
        QTest::newRow("too low") << QRect(30, 40, 1000, 135) << false << def;
        QTest::newRow("too narrow") << QRect(30, 40, 336, 800) << false << def;
        QTest::newRow("minimised") << QRect(-32000, -32000, 160, 27) << false << def;
    }
    void setWindow()
    {
        QFETCH(QRect, rect);
        QFETCH(bool, accepted);
        QFETCH(QRect, expected);
        MemorySettingsStore store;
        StoreRect(store, Keys::WndDefX, Keys::WndDefY, Keys::WndDefW, Keys::WndDefH,
                  QRect(5, 5, 555, 555));
        QCOMPARE(StoreRestoredRect(store, rect, FullHd()), accepted);
        QCOMPARE(StoredWndDef(store), expected);
        QCOMPARE(RestoredWindowRect(FullHd(), store), expected);
        QVERIFY(StoredWnd(store) == QRect(-1, -1, -1, -1)); // untouched
    }

    void cancelStoresDefaults()
    {
        MemorySettingsStore store;
        StoreRect(store, Keys::WndDefX, Keys::WndDefY, Keys::WndDefW, Keys::WndDefH,
                  QRect(30, 40, 1000, 800));
        StoreDefaultRestoredRect(store, FullHd());
        QCOMPARE(StoredWndDef(store), QRect(0, 0, 1600, 1053));
    }

    // ---- caret memory ------------------------------------------------------------------

    void recentFiles_data()
    {
        QTest::addColumn<QStringList>("slots"); // "n=path"
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("none") << QStringList{} << QStringList{};
        QTest::newRow("two") << QStringList{"1=/a.tex", "2=C:\\b.tex"}
                             << QStringList{"/a.tex", "C:\\b.tex"};
        QTest::newRow("stops at the first gap") << QStringList{"1=/a.tex", "2=/b.tex", "4=/d.tex"}
                                                << QStringList{"/a.tex", "/b.tex"};
        QTest::newRow("first slot empty") << QStringList{"2=/b.tex"} << QStringList{};
        QStringList full, fullExpected;
        for (int i = 1; i <= 17; ++i) {
            full << QStringLiteral("%1=/f%1.tex").arg(i);
            if (i <= 16)
                fullExpected << QStringLiteral("/f%1.tex").arg(i);
        }
        QTest::newRow("sixteen at most") << full << fullExpected;
    }
    void recentFiles()
    {
        QFETCH(QStringList, slots);
        QFETCH(QStringList, expected);
        auto store = NewStore();
        for (const QString &s : slots) {
            const qsizetype eq = s.indexOf(QLatin1Char('='));
            store->WriteString(Recent, RecentFileKey(s.left(eq).toInt()), s.mid(eq + 1));
        }
        QCOMPARE(RecentFiles(*store), expected);
    }

    void storeCaret_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("top");
        QTest::addColumn<bool>("kept");
        QTest::newRow("unix path") << QStringLiteral("/home/a/b.tex") << 120 << 4 << true;
        QTest::newRow("caret at start forgets") << QStringLiteral("/home/a/b.tex") << 0 << 3
                                                << false;
        QTest::newRow("negative forgets") << QStringLiteral("/home/a/b.tex") << -1 << 3 << false;
    }
    void storeCaret()
    {
        QFETCH(QString, path);
        QFETCH(int, caret);
        QFETCH(int, top);
        QFETCH(bool, kept);
        auto store = NewStore();
        StoreCaretMemory(*store, path, 50, 7);
        StoreCaretMemory(*store, QStringLiteral("/other.tex"), 8, 2);
        StoreCaretMemory(*store, path, caret, top);

        const CaretMemoryEntry e = ReadCaretMemory(*store, path);
        QCOMPARE(e.caret, kept ? caret : 0);
        QCOMPARE(e.topLine, kept ? top : 0);
        QCOMPARE(store->Contains(Caret, path + QLatin1String("cL")), kept);
        QCOMPARE(store->Contains(Caret, path + QLatin1String("cH")), kept);
        QCOMPARE(ReadCaretMemory(*store, QStringLiteral("/other.tex")).caret, 8);
    }

    void pruneToRecentFiles_data()
    {
        QTest::addColumn<QStringList>("recent");
        QTest::addColumn<Entries>("before");
        QTest::addColumn<Entries>("after");

        QTest::newRow("unlisted files are forgotten")
            << QStringList{"/a.tex", "/b.tex"}
            << Entries{{"/a.texcL", 10}, {"/a.texcH", 1}, {"/b.texcL", 20}, {"/b.texcH", 2},
                       {"/old.texcL", 30}, {"/old.texcH", 3}}
            << Entries{{"/a.texcL", 10}, {"/a.texcH", 1}, {"/b.texcL", 20}, {"/b.texcH", 2}};
        QTest::newRow("no listed file has memory: section left alone")
            << QStringList{"/a.tex"}
            << Entries{{"/old.texcL", 30}, {"/old.texcH", 3}, {"/a.texcH", 4}}
            << Entries{{"/old.texcL", 30}, {"/old.texcH", 3}, {"/a.texcH", 4}};
        QTest::newRow("zero offset does not count and is dropped")
            << QStringList{"/a.tex", "/b.tex"}
            << Entries{{"/a.texcL", 0}, {"/a.texcH", 5}, {"/b.texcL", 7}, {"/b.texcH", 1},
                       {"/old.texcL", 30}}
            << Entries{{"/b.texcL", 7}, {"/b.texcH", 1}};
        QTest::newRow("negative offset alone leaves the section")
            << QStringList{"/a.tex"} << Entries{{"/a.texcL", -4}, {"/old.texcL", 30}}
            << Entries{{"/a.texcL", -4}, {"/old.texcL", 30}};
        QTest::newRow("missing first line becomes 0")
            << QStringList{"/a.tex"} << Entries{{"/a.texcL", 12}, {"/old.texcL", 30}}
            << Entries{{"/a.texcL", 12}, {"/a.texcH", 0}};
        QTest::newRow("empty recent list leaves the section")
            << QStringList{} << Entries{{"/old.texcL", 30}} << Entries{{"/old.texcL", 30}};
        QTest::newRow("path keys with backslashes")
            << QStringList{"C:\\doc\\a.tex"}
            << Entries{{"C:\\doc\\a.texcL", 3}, {"C:\\doc\\a.texcH", 1}, {"C:\\doc\\z.texcL", 9}}
            << Entries{{"C:\\doc\\a.texcL", 3}, {"C:\\doc\\a.texcH", 1}};
    }
    void pruneToRecentFiles()
    {
        QFETCH(QStringList, recent);
        QFETCH(Entries, before);
        QFETCH(Entries, after);
        auto store = NewStore();
        for (int i = 0; i < recent.size(); ++i)
            store->WriteString(Recent, RecentFileKey(i + 1), recent[i]);
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            store->WriteInt(Caret, it.key(), it.value());

        PruneCaretMemoryToRecentFiles(*store);
        QCOMPARE(SectionContents(*store, Caret), after);
        QVERIFY(store->Keys(CaretTemp).isEmpty());
    }

    // A scratch section left over from an interrupted start must neither survive nor leak.
    void pruneIgnoresStaleScratch()
    {
        auto store = NewStore();
        SetRecent(*store, {{1, QStringLiteral("/a.tex")}});
        store->WriteInt(Caret, QStringLiteral("/a.texcL"), 5);
        store->WriteInt(CaretTemp, QStringLiteral("/gone.texcL"), 99);
        PruneCaretMemoryToRecentFiles(*store);
        QCOMPARE(SectionContents(*store, Caret),
                 (Entries{{"/a.texcL", 5}, {"/a.texcH", 0}}));
        QVERIFY(store->Keys(CaretTemp).isEmpty());
    }

    void pruneMissingFiles_data()
    {
        QTest::addColumn<QStringList>("recent"); // "+name" exists, "-name" is missing
        QTest::addColumn<QStringList>("remembered");
        QTest::addColumn<QStringList>("forgotten");
        QTest::newRow("missing listed file forgotten")
            << QStringList{"+a.tex", "-b.tex", "+c.tex"} << QStringList{"a.tex", "c.tex"}
            << QStringList{"b.tex"};
        QTest::newRow("all present") << QStringList{"+a.tex", "+b.tex"}
                                     << QStringList{"a.tex", "b.tex"} << QStringList{};
        QTest::newRow("unlisted missing file kept")
            << QStringList{"+a.tex"} << QStringList{"a.tex", "gone.tex"} << QStringList{};
        QTest::newRow("japanese name") << QStringList{QString::fromUtf8("-論文.tex"), "+a.tex"}
                                       << QStringList{"a.tex"}
                                       << QStringList{QString::fromUtf8("論文.tex")};
    }
    void pruneMissingFiles()
    {
        QFETCH(QStringList, recent);
        QFETCH(QStringList, remembered);
        QFETCH(QStringList, forgotten);
        QTemporaryDir docs;
        QVERIFY(docs.isValid());
        auto store = NewStore();
        const auto full = [&](const QString &name) { return docs.filePath(name); };
        for (int i = 0; i < recent.size(); ++i) {
            const QString name = recent[i].mid(1);
            if (recent[i].startsWith(QLatin1Char('+'))) {
                QFile f(full(name));
                QVERIFY(f.open(QIODevice::WriteOnly));
            }
            store->WriteString(Recent, RecentFileKey(i + 1), full(name));
        }
        for (const QString &name : remembered + forgotten)
            StoreCaretMemory(*store, full(name), 10, 2);

        PruneCaretMemoryOfMissingFiles(*store);
        for (const QString &name : remembered)
            QCOMPARE(ReadCaretMemory(*store, full(name)).caret, 10);
        for (const QString &name : forgotten) {
            QVERIFY(!store->Contains(Caret, full(name) + QLatin1String("cL")));
            QVERIFY(!store->Contains(Caret, full(name) + QLatin1String("cH")));
        }
    }
};

QTEST_GUILESS_MAIN(TestFrameRules)
#include "tst_frame_rules.moc"
