#include "app/CaretMemory.h"
#include "app/CommandLine.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/SplitRules.h"
#include "app/WindowPlacement.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using Entries = QMap<QString, int>;
using Slots = QMap<int, QString>; // recent-file slot → path

namespace {
// 1920 x 1080 screen: default 1600 x 1053; caption 23; minimum track size 112 x 27.
const ScreenMetrics FullHd{1920, 1080, 23, 112, 27};
const QRect Default(0, 0, 1600, 1053);
const QString S = QString::fromLatin1(Sections::Settings);
const QString Caret = QString::fromLatin1(Sections::Caret);
const QString Recent = QString::fromLatin1(Sections::RecentFiles);
using Rect4 = std::array<const char *, 4>;
const Rect4 Wnd{Keys::WndX, Keys::WndY, Keys::WndW, Keys::WndH};
const Rect4 WndDef{Keys::WndDefX, Keys::WndDefY, Keys::WndDefW, Keys::WndDefH};

QRect Stored(const SettingsStore &store, const Rect4 &k)
{
    const auto v = [&](int i) { return store.GetInt(S, QString::fromLatin1(k[i]), -1); };
    return QRect(v(0), v(1), v(2), v(3));
}

void Store(SettingsStore &store, const Rect4 &k, const QRect &r)
{
    const int values[] = {r.x(), r.y(), r.width(), r.height()};
    for (int i = 0; i < 4; ++i)
        store.WriteInt(S, QString::fromLatin1(k[i]), values[i]);
}

Entries SectionContents(const SettingsStore &store, const QString &section)
{
    Entries e;
    for (const QString &k : store.Keys(section))
        e.insert(k, store.GetInt(section, k, -999));
    return e;
}

// The window rectangle of a start with these arguments and this rectangle stored (null: none).
QRect Initial(const QStringList &arguments, const QRect &stored)
{
    MemorySettingsStore store;
    if (!stored.isNull())
        Store(store, Wnd, stored);
    Store(store, WndDef, QRect(1, 2, 3, 4)); // the restored rectangle must not leak in
    return InitialWindowRect(CommandLineSwitches::Parse(arguments), FullHd, store);
}

// What closing a window of this rectangle stores, checked against the next start.
QRect Closed(const QRect &rect)
{
    MemorySettingsStore store;
    Store(store, Wnd, QRect(7, 7, 777, 777));
    StoreWindowRect(store, rect, FullHd);
    const QRect stored = Stored(store, Wnd);
    const bool consistent = IsTooSmallToStore(rect, FullHd) == (stored != rect) && Stored(store, WndDef) == QRect(-1, -1, -1, -1)
        && InitialWindowRect(CommandLineSwitches{}, FullHd, store) == stored;
    return consistent ? stored : QRect();
}

// What Set Window stores for this rectangle (null: the defaults asked for), as Restore Window
// reads it; null when the answer or the untouched rectangle is wrong.
QRect Set(const QRect &rect, bool accepted)
{
    MemorySettingsStore store;
    if (RestoredWindowRect(FullHd, store) != Default)
        return QRect();
    Store(store, WndDef, QRect(5, 5, 555, 555));
    if (rect.isNull())
        StoreDefaultRestoredRect(store, FullHd);
    else if (StoreRestoredRect(store, rect, FullHd) != accepted)
        return QRect();
    const QRect stored = Stored(store, WndDef);
    return RestoredWindowRect(FullHd, store) == stored && Stored(store, Wnd) == QRect(-1, -1, -1, -1) ? stored : QRect();
}

// The switches found, as "w0 w1 m0 help version html:<file> calc file:<file>".
QString Switches(const QStringList &arguments)
{
    const CommandLineSwitches sw = CommandLineSwitches::Parse(arguments);
    QStringList on;
    for (const auto &[set, name] : {std::pair{sw.viewer, "w0"}, {sw.secondWindow, "w1"}, {sw.noLineNumbers, "m0"}, {sw.help, "help"}, {sw.version, "version"}, {sw.htmlCalc, "calc"}})
        if (set)
            on << QLatin1String(name);
    if (!sw.htmlFile.isEmpty())
        on << "html:" + sw.htmlFile;
    if (!sw.file.isEmpty())
        on << "file:" + sw.file;
    return on.join(' ');
}

void SetRecent(SettingsStore &store, const QStringList &files)
{
    for (int i = 0; i < files.size(); ++i)
        store.WriteString(Recent, RecentFileKey(i + 1), files[i]);
}
} // namespace

// The command line, window placement, caret memory and the pane arithmetic: the rules the main
// frame applies.
// Caret memory runs on an INI file because its keys are file paths.
class TestFrameRules : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_n = 0;
    std::unique_ptr<SettingsStore> NewStore()
    {
        return std::make_unique<IniSettingsStore>(m_dir.filePath(QStringLiteral("f%1.ini").arg(++m_n)));
    }

private Q_SLOTS:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("switches");
        QTest::newRow("nothing") << QStringList{} << "";
        QTest::newRow("open window, blanks around") << QStringList{"", "-w1", "", "b.tex"} << "w1 file:b.tex";
        QTest::newRow("help text viewer") << QStringList{"-w0", "-m0", "ReadMe.log"} << "w0 m0 file:ReadMe.log";
        QTest::newRow("both, reversed, file first") << QStringList{"x.tex", "-w1", "-m0", "-w0"} << "w0 w1 m0 file:x.tex";
        QTest::newRow("switches glued in one word") << QStringList{"-w0-m0"} << "w0 m0";
        QTest::newRow("switch inside a file name") << QStringList{"notes-m0.tex"} << "m0 file:notes-m0.tex";
        QTest::newRow("first file wins") << QStringList{"one.tex", "two.tex"} << "file:one.tex";
        QTest::newRow("unknown flag skipped") << QStringList{"-x", "c.zel"} << "file:c.zel";
        QTest::newRow("upper case is not a switch") << QStringList{"-W0", "-M0"} << "";
        QTest::newRow("absolute path after switch") << QStringList{"-w0", "/tmp/x.tex"} << "w0 file:/tmp/x.tex";
        QTest::newRow("--help") << QStringList{"--help"} << "help";
        QTest::newRow("-h") << QStringList{"-h"} << "help";
        QTest::newRow("--version with file") << QStringList{"a.tex", "--version"} << "version file:a.tex";
        QTest::newRow("help text is a file name") << QStringList{"help"} << "file:help";
        QTest::newRow("html: file") << QStringList{"--html", "a.zel"} << "html:a.zel";
        QTest::newRow("html: file, --calc") << QStringList{"--html", "a.txt", "--calc"} << "calc html:a.txt";
        QTest::newRow("html: --calc before the file") << QStringList{"--html", "--calc", "a.txt"} << "calc html:a.txt";
        QTest::newRow("html: file that looks like a switch") << QStringList{"--html", "-w0"} << "html:-w0";
        QTest::newRow("html: no file is usage") << QStringList{"--html"} << "help";
        QTest::newRow("html: only --calc is usage") << QStringList{"--html", "--calc"} << "help calc";
        QTest::newRow("--calc without --html") << QStringList{"a.txt", "--calc"} << "file:a.txt";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, switches);
        QCOMPARE(Switches(arguments), switches);
    }

    void resolveFile_data()
    {
        QTest::addColumn<QString>("got");
        QTest::addColumn<QString>("expected");
        const auto resolved = [](const QStringList &arguments, const char *dir) { return CommandLineSwitches::Parse(arguments).ResolveFile(dir); };
        QTest::newRow("no file") << resolved({"-w1"}, "/home/u") << QString();
        QTest::newRow("relative") << resolved({"a.tex"}, "/home/u/doc") << "/home/u/doc/a.tex";
        QTest::newRow("relative with dot dot") << resolved({"../b.tex"}, "/home/u/doc") << "/home/u/b.tex";
        QTest::newRow("relative subfolder with dot") << resolved({"./sub/./c.tex"}, "/home/u/") << "/home/u/sub/c.tex";
        QTest::newRow("absolute ignores working folder") << resolved({"-w0", "/tmp/x.tex"}, "/home/u") << "/tmp/x.tex";
    }
    void resolveFile()
    {
        QFETCH(QString, got);
        QFETCH(QString, expected);
        QCOMPARE(got, expected);
    }

    // Where the window opens, what closing stores, and Set Window / Restore Window.
    void placement_data()
    {
        QTest::addColumn<QRect>("got");
        QTest::addColumn<QRect>("expected");
        const QRect stored(40, 50, 900, 700), viewer(320, 25, 1600, 1028), offScreen(-8, -8, 1936, 1056);
        QTest::newRow("default on 1366x768 truncates the width") << DefaultWindowRect({1366, 768}) << QRect(0, 0, 1138, 741);
        QTest::newRow("viewer") << Initial({"-w0", "-m0", "ReadMe.log"}, stored) << viewer;
        QTest::newRow("second window ignores stored") << Initial({"-w1"}, stored) << QRect(23, 23, 1600, 1030);
        QTest::newRow("viewer wins over second window") << Initial({"-w1", "-w0"}, stored) << viewer;
        QTest::newRow("plain start, nothing stored") << Initial({}, QRect()) << Default;
        QTest::newRow("plain start with a file uses stored") << Initial({"a.tex"}, stored) << stored;
        QTest::newRow("stored off-screen position kept") << Initial({}, offScreen) << offScreen;
        MemorySettingsStore partly;
        partly.WriteInt(S, QString::fromLatin1(Keys::WndX), 100);
        partly.WriteInt(S, QString::fromLatin1(Keys::WndH), 500);
        QTest::newRow("keys missing from the store are the defaults") << InitialWindowRect({}, FullHd, partly) << QRect(100, 0, 1600, 500);
        // Closing: 5 * 27 = 135 rows and 3 * 112 = 336 columns are too small to keep.
        QTest::newRow("closed normal") << Closed(QRect(10, 20, 800, 600)) << QRect(10, 20, 800, 600);
        QTest::newRow("closed minimised") << Closed(QRect(-32000, -32000, 160, 27)) << Default;
        QTest::newRow("closed at the height limit") << Closed(QRect(5, 5, 800, 135)) << Default;
        QTest::newRow("closed just above it") << Closed(QRect(5, 5, 800, 136)) << QRect(5, 5, 800, 136);
        QTest::newRow("closed at the width limit") << Closed(QRect(5, 5, 336, 600)) << Default;
        QTest::newRow("closed just above it") << Closed(QRect(5, 5, 337, 600)) << QRect(5, 5, 337, 600);
        QTest::newRow("set: smallest accepted") << Set(QRect(0, 0, 337, 136), true) << QRect(0, 0, 337, 136);
        QTest::newRow("set: too low") << Set(QRect(30, 40, 1000, 135), false) << Default;
        QTest::newRow("set: too narrow") << Set(QRect(30, 40, 336, 800), false) << Default;
        QTest::newRow("set: the defaults asked for") << Set(QRect(), false) << Default;
    }
    void placement()
    {
        QFETCH(QRect, got);
        QFETCH(QRect, expected);
        QCOMPARE(got, expected);
    }

    // ---- caret memory ------------------------------------------------------------------

    void recentFiles_data()
    {
        QTest::addColumn<Slots>("listed");
        QTest::addColumn<QStringList>("expected");
        Slots full;
        for (int i = 1; i <= 17; ++i)
            full.insert(i, QStringLiteral("/f%1.tex").arg(i));
        QTest::newRow("stops at the first gap") << Slots{{1, "/a.tex"}, {2, "C:\\b.tex"}, {4, "/d.tex"}} << QStringList{"/a.tex", "C:\\b.tex"};
        QTest::newRow("first slot empty") << Slots{{2, "/b.tex"}} << QStringList{};
        QTest::newRow("sixteen at most") << full << QStringList(full.values().mid(0, 16));
    }
    void recentFiles()
    {
        QFETCH(Slots, listed);
        QFETCH(QStringList, expected);
        auto store = NewStore();
        for (auto it = listed.cbegin(); it != listed.cend(); ++it)
            store->WriteString(Recent, RecentFileKey(it.key()), it.value());
        QCOMPARE(RecentFiles(*store), expected);
    }

    void storeCaret()
    {
        const QString path = QStringLiteral("/home/a/b.tex"), other = QStringLiteral("/other.tex");
        auto store = NewStore();
        StoreCaretMemory(*store, other, 8, 2);
        for (const int caret : {120, 0, -1}) { // an offset below 1 forgets the file
            StoreCaretMemory(*store, path, 50, 7);
            StoreCaretMemory(*store, path, caret, 4);
            QCOMPARE(ReadCaretMemory(*store, path).caret, qMax(caret, 0));
            QCOMPARE(ReadCaretMemory(*store, path).topLine, caret > 0 ? 4 : 0);
            QCOMPARE(store->Contains(Caret, path + QLatin1String("cH")), caret > 0);
        }
        QCOMPARE(ReadCaretMemory(*store, other).caret, 8);
    }

    void pruneToRecentFiles_data()
    {
        QTest::addColumn<QStringList>("recent");
        QTest::addColumn<Entries>("before");
        QTest::addColumn<Entries>("after");
        QTest::newRow("unlisted files are forgotten") << QStringList{"/a.tex", "/b.tex"}
            << Entries{{"/a.texcL", 10}, {"/a.texcH", 1}, {"/b.texcL", 20}, {"/b.texcH", 2}, {"/old.texcL", 30}, {"/old.texcH", 3}}
            << Entries{{"/a.texcL", 10}, {"/a.texcH", 1}, {"/b.texcL", 20}, {"/b.texcH", 2}};
        QTest::newRow("no listed file has memory: section left alone") << QStringList{"/a.tex"}
            << Entries{{"/old.texcL", 30}, {"/a.texcH", 4}} << Entries{{"/old.texcL", 30}, {"/a.texcH", 4}};
        QTest::newRow("zero offset does not count and is dropped") << QStringList{"/a.tex", "/b.tex"}
            << Entries{{"/a.texcL", 0}, {"/a.texcH", 5}, {"/b.texcL", 7}, {"/b.texcH", 1}, {"/old.texcL", 30}}
            << Entries{{"/b.texcL", 7}, {"/b.texcH", 1}};
        QTest::newRow("negative offset alone leaves the section") << QStringList{"/a.tex"}
            << Entries{{"/a.texcL", -4}, {"/old.texcL", 30}} << Entries{{"/a.texcL", -4}, {"/old.texcL", 30}};
        QTest::newRow("missing first line becomes 0") << QStringList{"C:\\doc\\a.tex"}
            << Entries{{"C:\\doc\\a.texcL", 12}, {"C:\\doc\\z.texcL", 9}} << Entries{{"C:\\doc\\a.texcL", 12}, {"C:\\doc\\a.texcH", 0}};
        QTest::newRow("empty recent list leaves the section") << QStringList{} << Entries{{"/old.texcL", 30}} << Entries{{"/old.texcL", 30}};
    }
    void pruneToRecentFiles()
    {
        QFETCH(QStringList, recent);
        QFETCH(Entries, before);
        QFETCH(Entries, after);
        auto store = NewStore();
        SetRecent(*store, recent);
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            store->WriteInt(Caret, it.key(), it.value());
        // A scratch section left over from an interrupted start must neither survive nor leak.
        const QString scratch = QString::fromLatin1(Sections::CaretTemp);
        store->WriteInt(scratch, QStringLiteral("/gone.texcL"), 99);
        PruneCaretMemoryToRecentFiles(*store);
        QCOMPARE(SectionContents(*store, Caret), after);
        if (after != before)
            QVERIFY(store->Keys(scratch).isEmpty());
    }

    void pruneMissingFiles()
    {
        QTemporaryDir docs;
        auto store = NewStore();
        const auto full = [&](const char *name) { return docs.filePath(QString::fromUtf8(name)); };
        for (const char *name : {"a.tex", "c.tex"})
            QVERIFY(QFile(full(name)).open(QIODevice::WriteOnly));
        SetRecent(*store, {full("a.tex"), full("論文.tex"), full("c.tex")});
        for (const char *name : {"a.tex", "論文.tex", "c.tex", "unlisted.tex"})
            StoreCaretMemory(*store, full(name), 10, 2);
        PruneCaretMemoryOfMissingFiles(*store);
        for (const char *name : {"a.tex", "c.tex", "unlisted.tex"})
            QCOMPARE(ReadCaretMemory(*store, full(name)).caret, 10);
        QVERIFY(!store->Contains(Caret, full("論文.tex") + QLatin1String("cL")));
        QVERIFY(!store->Contains(Caret, full("論文.tex") + QLatin1String("cH")));
    }

    // ---- panes: heights and widths in pixels, rows in display rows -----------------------

    void splitRules_data()
    {
        QTest::addColumn<int>("got");
        QTest::addColumn<int>("expected");
        QTest::newRow("unsplit: the log pane goes though the editor is active") << PaneToRemove(true, 1) << 0;
        QTest::newRow("unsplit: the inactive second pane goes") << PaneToRemove(false, 0) << 1;
        QTest::newRow("unsplit: the inactive first pane goes") << PaneToRemove(false, 1) << 0;
        QTest::newRow("half rows") << HalfRows(700, 18) << 19;
        QTest::newRow("half rows of a negative area") << HalfRows(-5, 18) << 0;
        QTest::newRow("half rows without a line height") << HalfRows(100, 0) << 2;
        QTest::newRow("row split height") << RowSplitFirstHeight(19, 18) << 337;
        QTest::newRow("row split never below the smallest pane") << RowSplitFirstHeight(0, 18) << 10;
        QTest::newRow("column split width") << ColumnSplitFirstWidth(900) << 432;
        QTest::newRow("column split of a narrow window") << ColumnSplitFirstWidth(20) << 10;
        QTest::newRow("log column width") << LogColumnFirstWidth(900) << 447;
        QTest::newRow("log row height") << LogRowFirstHeight(19, 18) << 228;
        QTest::newRow("log column shows the end") << LogColumnTopRow(100, 19) << 61;
        QTest::newRow("short log column from the start") << LogColumnTopRow(10, 19) << 0;
        QTest::newRow("log row shows the end") << LogRowTopRow(100, 1080, 18) << 78;
        QTest::newRow("short log row from the start") << LogRowTopRow(5, 1080, 18) << 0;
        QTest::newRow("equal halves") << EqualHalf(761) << 380;
        QTest::newRow("halves never below the smallest pane") << EqualHalf(15) << 10;
    }
    void splitRules()
    {
        QFETCH(int, got);
        QFETCH(int, expected);
        QCOMPARE(got, expected);
    }
};

QTEST_GUILESS_MAIN(TestFrameRules)
#include "tst_frame_rules.moc"
