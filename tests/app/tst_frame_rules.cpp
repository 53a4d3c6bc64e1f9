#include "support/Columns.h"
#include "app/CaretMemory.h"
#include "app/CommandLine.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/SplitRules.h"
#include "app/WindowPlacement.h"

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

// The switches found, as "w0 w1 m0 help version calc html:<file> line:<n> file:<file>".
QString Switches(const QStringList &arguments)
{
    const CommandLineSwitches sw = CommandLineSwitches::Parse(arguments);
    QStringList on;
    for (const auto &[set, name] : {std::pair{sw.viewer, "w0"}, {sw.secondWindow, "w1"}, {sw.noLineNumbers, "m0"}, {sw.help, "help"}, {sw.version, "version"}, {sw.htmlCalc, "calc"}})
        if (set)
            on << QLatin1String(name);
    if (!sw.htmlFile.isEmpty())
        on << "html:" + sw.htmlFile;
    if (sw.line)
        on << "line:" + QString::number(sw.line);
    if (!sw.file.isEmpty())
        on << "file:" + sw.file;
    return on.join(' ');
}

void SetRecent(SettingsStore &store, const QStringList &files)
{
    for (int i = 0; i < files.size(); ++i)
        store.WriteString(Recent, RecentFileKey(i + 1), files[i]);
}

// The caret memory left after pruning it to the recent files. A scratch section left over from
// an interrupted start must neither survive nor leak. On an INI file, because the keys are paths.
Entries Pruned(const QStringList &recent, const Entries &before)
{
    QTemporaryDir dir;
    IniSettingsStore store(dir.filePath("f.ini"));
    SetRecent(store, recent);
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        store.WriteInt(Caret, it.key(), it.value());
    store.WriteInt(QString::fromLatin1(Sections::CaretTemp), QStringLiteral("/gone.texcL"), 99);
    PruneCaretMemoryToRecentFiles(store);
    const Entries after = SectionContents(store, Caret);
    return after == before || store.Keys(QString::fromLatin1(Sections::CaretTemp)).isEmpty() ? after : Entries{{"scratch left", 1}};
}

QStringList Recents(const Slots &listed)
{
    MemorySettingsStore store;
    for (auto it = listed.cbegin(); it != listed.cend(); ++it)
        store.WriteString(Recent, RecentFileKey(it.key()), it.value());
    return RecentFiles(store);
}
} // namespace

// The command line, window placement, caret memory and the pane arithmetic: the rules the main
// frame applies. Caret memory runs on an INI file because its keys are file paths.
class TestFrameRules : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_n = 0;
    std::unique_ptr<SettingsStore> NewStore()
    {
        return std::make_unique<IniSettingsStore>(m_dir.filePath(QStringLiteral("f%1.ini").arg(++m_n)));
    }

private Q_SLOTS:
    void rules_data()
    {
        RuleColumns();
        Rule("command line: nothing", Switches(QStringList{}), "");
        Rule("command line: open window, blanks around", Switches(QStringList{"", "-w1", "", "b.tex"}), "w1 file:b.tex");
        Rule("command line: both, reversed, file first", Switches(QStringList{"x.tex", "-w1", "-m0", "-w0"}), "w0 w1 m0 file:x.tex");
        Rule("command line: switches glued in one word are none", Switches(QStringList{"-w0-m0"}), "");
        Rule("command line: switch inside a file name", Switches(QStringList{"report-w0.tex"}), "file:report-w0.tex");
        Rule("command line: first file wins", Switches(QStringList{"one.tex", "two.tex"}), "file:one.tex");
        Rule("command line: unknown flag skipped", Switches(QStringList{"-x", "c.zel"}), "file:c.zel");
        Rule("command line: upper case is not a switch", Switches(QStringList{"-W0", "-M0"}), "");
        Rule("command line: --help", Switches(QStringList{"--help"}), "help");
        Rule("command line: -h", Switches(QStringList{"-h"}), "help");
        Rule("command line: --version with file", Switches(QStringList{"a.tex", "--version"}), "version file:a.tex");
        Rule("command line: help text is a file name", Switches(QStringList{"help"}), "file:help");
        Rule("command line: html: file", Switches(QStringList{"--html", "a.zel"}), "html:a.zel");
        Rule("command line: html: file, --calc", Switches(QStringList{"--html", "a.txt", "--calc"}), "calc html:a.txt");
        Rule("command line: html: --calc before the file", Switches(QStringList{"--html", "--calc", "a.txt"}), "calc html:a.txt");
        Rule("command line: html: file that looks like a switch", Switches(QStringList{"--html", "-w0"}), "html:-w0");
        Rule("command line: html: no file is usage", Switches(QStringList{"--html"}), "help");
        Rule("command line: html: only --calc is usage", Switches(QStringList{"--html", "--calc"}), "help calc");
        Rule("command line: the number after --line is no file", Switches(QStringList{"-w1", "--line", "12", "a.tex"}), "w1 line:12 file:a.tex");
        Rule("command line: --calc without --html", Switches(QStringList{"a.txt", "--calc"}), "file:a.txt");
        const auto resolved = [](const QStringList &arguments, const char *dir) { return CommandLineSwitches::Parse(arguments).ResolveFile(dir); };
        Rule("resolve: no file", resolved({"-w1"}, "/home/u"), QString());
        Rule("resolve: relative", resolved({"a.tex"}, "/home/u/doc"), "/home/u/doc/a.tex");
        Rule("resolve: absolute ignores working folder", resolved({"-w0", "/tmp/x.tex"}, "/home/u"), "/tmp/x.tex");
        QTemporaryDir tmp;
        const auto start = [&](const char *name) { return int(StartFileKind(tmp.filePath(name))); };
        WriteBytes(tmp.filePath("old.tex"), "x");
        Rule("start: an existing file opens", start("old.tex"), int(StartFile::Open));
        Rule("start: a new name in an existing folder is a new document", start("new.tex"), int(StartFile::New));
        Rule("start: a missing folder is reported by the open", start("missing/new.tex"), int(StartFile::Open));
        const QRect stored(40, 50, 900, 700), viewer(320, 25, 1600, 1028), offScreen(-8, -8, 1936, 1056);
        Rule("window: default on 1366x768 truncates the width", DefaultWindowRect({1366, 768}), QRect(0, 0, 1138, 741));
        Rule("window: viewer", Initial({"-w0", "-m0", "ReadMe.log"}, stored), viewer);
        Rule("window: second window ignores stored", Initial({"-w1"}, stored), QRect(23, 23, 1600, 1030));
        Rule("window: viewer wins over second window", Initial({"-w1", "-w0"}, stored), viewer);
        Rule("window: plain start, nothing stored", Initial({}, QRect()), Default);
        Rule("window: plain start with a file uses stored", Initial({"a.tex"}, stored), stored);
        Rule("window: stored off-screen position kept", Initial({}, offScreen), offScreen);
        MemorySettingsStore partly;
        partly.WriteInt(S, QString::fromLatin1(Keys::WndX), 100);
        partly.WriteInt(S, QString::fromLatin1(Keys::WndH), 500);
        Rule("window: keys missing from the store are the defaults", InitialWindowRect({}, FullHd, partly), QRect(100, 0, 1600, 500));
        // Closing: 5 * 27 = 135 rows and 3 * 112 = 336 columns are too small to keep.
        Rule("window: closed normal", Closed(QRect(10, 20, 800, 600)), QRect(10, 20, 800, 600));
        Rule("window: closed minimised", Closed(QRect(-32000, -32000, 160, 27)), Default);
        Rule("window: closed at the height limit", Closed(QRect(5, 5, 800, 135)), Default);
        Rule("window: closed just above it", Closed(QRect(5, 5, 800, 136)), QRect(5, 5, 800, 136));
        Rule("window: closed at the width limit", Closed(QRect(5, 5, 336, 600)), Default);
        Rule("window: closed just above it", Closed(QRect(5, 5, 337, 600)), QRect(5, 5, 337, 600));
        Rule("window: set: smallest accepted", Set(QRect(0, 0, 337, 136), true), QRect(0, 0, 337, 136));
        Rule("window: set: too low", Set(QRect(30, 40, 1000, 135), false), Default);
        Rule("window: set: too narrow", Set(QRect(30, 40, 336, 800), false), Default);
        Rule("window: set: the defaults asked for", Set(QRect(), false), Default);
        Rule("unsplit: the log pane goes though the editor is active", PaneToRemove(true, 1), 0);
        Rule("unsplit: the inactive second pane goes", PaneToRemove(false, 0), 1);
        Rule("unsplit: the inactive first pane goes", PaneToRemove(false, 1), 0);
        Rule("half rows", HalfRows(700, 18), 19);
        Rule("half rows of a negative area", HalfRows(-5, 18), 0);
        Rule("half rows without a line height", HalfRows(100, 0), 2);
        Rule("row split height", RowSplitFirstHeight(19, 18), 337);
        Rule("row split never below the smallest pane", RowSplitFirstHeight(0, 18), 10);
        Rule("column split width", ColumnSplitFirstWidth(900), 432);
        Rule("column split of a narrow window", ColumnSplitFirstWidth(20), 10);
        Rule("log column width", LogColumnFirstWidth(900), 447);
        Rule("log row height", LogRowFirstHeight(19, 18), 228);
        Rule("log column shows the end", LogColumnTopRow(100, 19), 61);
        Rule("short log column from the start", LogColumnTopRow(10, 19), 0);
        Rule("log row shows the end", LogRowTopRow(100, 1080, 18), 78);
        Rule("short log row from the start", LogRowTopRow(5, 1080, 18), 0);
        Rule("equal halves", EqualHalf(761), 380);
        Rule("halves never below the smallest pane", EqualHalf(15), 10);
        Slots full;
        for (int i = 1; i <= 17; ++i)
            full.insert(i, QStringLiteral("/f%1.tex").arg(i));
        Rule("recent files: stop at the first gap", Recents({{1, "/a.tex"}, {2, "C:\\b.tex"}, {4, "/d.tex"}}), {"/a.tex", "C:\\b.tex"});
        Rule("recent files: the first slot empty", Recents({{2, "/b.tex"}}), {});
        Rule("recent files: sixteen at most", Recents(full), full.values().mid(0, 16));
        Rule("prune: unlisted files are forgotten", Pruned({"/a.tex", "/b.tex"}, {{"/a.texcL", 10}, {"/a.texcH", 1}, {"/b.texcL", 20}, {"/b.texcH", 2}, {"/old.texcL", 30}, {"/old.texcH", 3}}), {{"/a.texcL", 10}, {"/a.texcH", 1}, {"/b.texcL", 20}, {"/b.texcH", 2}});
        Rule("prune: no listed file has memory: section left alone", Pruned({"/a.tex"}, {{"/old.texcL", 30}, {"/a.texcH", 4}}), {{"/old.texcL", 30}, {"/a.texcH", 4}});
        Rule("prune: zero offset does not count and is dropped", Pruned({"/a.tex", "/b.tex"}, {{"/a.texcL", 0}, {"/a.texcH", 5}, {"/b.texcL", 7}, {"/b.texcH", 1}, {"/old.texcL", 30}}), {{"/b.texcL", 7}, {"/b.texcH", 1}});
        Rule("prune: negative offset alone leaves the section", Pruned({"/a.tex"}, {{"/a.texcL", -4}, {"/old.texcL", 30}}), {{"/a.texcL", -4}, {"/old.texcL", 30}});
        Rule("prune: missing first line becomes 0", Pruned({"C:\\doc\\a.tex"}, {{"C:\\doc\\a.texcL", 12}, {"C:\\doc\\z.texcL", 9}}), {{"C:\\doc\\a.texcL", 12}, {"C:\\doc\\a.texcH", 0}});
        Rule("prune: empty recent list leaves the section", Pruned({}, {{"/old.texcL", 30}}), {{"/old.texcL", 30}});
    }
    void rules() { CompareRule(); }

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
};

QTEST_GUILESS_MAIN(TestFrameRules)
#include "tst_frame_rules.moc"
