#include "support/Columns.h"
#include "res/Commands.h"
#include "res/Messages.h"
#include "res/Resources.h"

#include <QKeySequence>
#include <QtTest>

#include <algorithm>

namespace {
enum class Res { MainMenu, ContextTeX, ContextCalc, Accelerators, MainToolbar, TeXToolbar };
const Res kAll[] = {Res::MainMenu, Res::ContextTeX, Res::ContextCalc, Res::Accelerators, Res::MainToolbar, Res::TeXToolbar};
const char *const kNames[] = {"main menu", "TeX context menu", "calculation context menu", "accelerators", "main toolbar", "TeX bar"};

std::span<const MenuEntry> Menu(Res r, bool english) { return r <= Res::ContextCalc ? MenuTable(MenuResource(int(r)), english) : std::span<const MenuEntry>(); }

// Every id the resource uses, separators left out.
QList<int> IdsIn(Res r, bool english)
{
    QList<int> ids;
    if (r == Res::Accelerators)
        for (const AccelEntry &a : AccelTable(english))
            ids << a.id;
    else if (r == Res::MainToolbar || r == Res::TeXToolbar)
        for (int id : ToolbarTable(r == Res::MainToolbar ? ToolbarResource::Main : ToolbarResource::TeX, english))
            if (id != 0)
                ids << id;
    for (const MenuEntry &e : Menu(r, english))
        if (e.kind == MenuEntryKind::Item)
            ids << e.id;
    return ids;
}

QSet<Cmd> CommandsIn(Res r, bool english)
{
    QSet<Cmd> cmds;
    for (int id : IdsIn(r, english))
        if (const auto cmd = CommandForId(id))
            cmds.insert(*cmd);
    return cmds;
}

// Ids that deliberately have no command in the language whose resources use them: PDF (make)
// and ISpell in Japanese, Change Icons in English, the toolbar spacer in both.
bool IsNoCommandIdOf(int id, bool english)
{
    return id == 32803 || ((id == 32776 || id == 32789) && !english) || ((id == 32785 || id == 32795 || id == 33121) && english);
}

// The entries directly inside the popup at index `popup`.
QList<const MenuEntry *> ChildrenOf(std::span<const MenuEntry> menu, size_t popup)
{
    QList<const MenuEntry *> children;
    for (size_t i = popup + 1; i < menu.size() && menu[i].depth > menu[popup].depth; ++i)
        if (menu[i].depth == menu[popup].depth + 1)
            children << &menu[i];
    return children;
}
} // namespace

Q_DECLARE_METATYPE(Res)

class TestResources : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachResource_data()
    {
        Columns<Res, bool>({"res", "english"});
        for (bool english : {false, true})
            for (Res r : kAll)
                QTest::addRow("%s %s", english ? "en" : "ja", kNames[int(r)]) << r << english;
    }
    // A Japanese id in an English table (or the reverse) would reach the right handler but show
    // the other language's prompt; a button without a tool tip is a blank square.
    void eachResource()
    {
        QFETCH(Res, res);
        QFETCH(bool, english);
        const QList<int> ids = IdsIn(res, english);
        QVERIFY(!ids.isEmpty());
        const bool toolbar = res == Res::MainToolbar || res == Res::TeXToolbar;
        for (int id : ids) {
            const QString where = QString::number(id);
            if (toolbar && id != 32803)
                QVERIFY2(!ToolTipOf(id, english).isEmpty(), qPrintable(where));
            if (id >= RecentFileFirstId && id <= RecentFileLastId)
                continue;
            const auto cmd = CommandForId(id);
            QVERIFY2(cmd ? IdOf(*cmd, english) == id : IsNoCommandIdOf(id, english), qPrintable(where));
        }
        const auto menu = Menu(res, english);
        for (size_t i = 0; i < menu.size(); ++i) {
            const MenuEntry &e = menu[i];
            const QString text = QString::fromUtf8(e.text);
            const QString where = QStringLiteral("entry %1").arg(i);
            // Every backslash of the sources is an escape, never text.
            QVERIFY2(!text.contains(u'\\') && text.count(u'\t') <= 1, qPrintable(where));
            QVERIFY2(e.kind == MenuEntryKind::Separator || !text.isEmpty(), qPrintable(where));
            QVERIFY2((e.kind == MenuEntryKind::Item) == (e.id != 0), qPrintable(where));
            QVERIFY2(e.kind == MenuEntryKind::Popup || e.depth > 0, qPrintable(where));
            const int prevDepth = i ? menu[i - 1].depth : -1;
            QVERIFY2(e.depth <= prevDepth + 1, qPrintable(where + " jumps in depth"));
            if (i && e.depth == prevDepth + 1)
                QVERIFY2(menu[i - 1].kind == MenuEntryKind::Popup, qPrintable(where));
            if (e.kind != MenuEntryKind::Popup)
                continue;
            // A popup holds something; separators stand only between two entries.
            const auto children = ChildrenOf(menu, i);
            QVERIFY2(!children.isEmpty(), qPrintable(text));
            for (qsizetype c = 0; c < children.size(); ++c)
                QVERIFY2(children[c]->kind != MenuEntryKind::Separator || (c > 0 && c + 1 < children.size()
                                 && children[c - 1]->kind != MenuEntryKind::Separator), qPrintable(text));
        }
    }

    void bothLanguagesReachTheSameCommands_data()
    {
        Columns<Res, QList<Cmd>>({"res", "japaneseOnly"});
        QTest::newRow("main menu") << Res::MainMenu << QList<Cmd>{Cmd::HtmlExport, Cmd::HtmlManual, Cmd::HtmlMessage, Cmd::RightClickMenu};
        QTest::newRow("TeX context menu") << Res::ContextTeX << QList<Cmd>{};
        QTest::newRow("calculation context menu") << Res::ContextCalc << QList<Cmd>{Cmd::RangeSelect};
        QTest::newRow("main toolbar") << Res::MainToolbar << QList<Cmd>{Cmd::CommandPrompt};
        QTest::newRow("TeX bar") << Res::TeXToolbar << QList<Cmd>{};
    }
    void bothLanguagesReachTheSameCommands()
    {
        QFETCH(Res, res);
        QFETCH(QList<Cmd>, japaneseOnly);
        const QSet<Cmd> japanese = CommandsIn(res, false);
        const QSet<Cmd> english = CommandsIn(res, true);
        QCOMPARE(QSet<Cmd>(english).subtract(japanese), QSet<Cmd>());
        QCOMPARE(QSet<Cmd>(japanese).subtract(english), QSet<Cmd>(japaneseOnly.begin(), japaneseOnly.end()));
        // The two TeX context menus differ only in language: same items, same places.
        const auto ja = MenuTable(MenuResource::ContextTeX, false);
        const auto en = MenuTable(MenuResource::ContextTeX, true);
        QCOMPARE(ja.size(), en.size());
        for (size_t i = 0; i < ja.size(); ++i)
            QVERIFY(ja[i].kind == en[i].kind && ja[i].depth == en[i].depth && CommandForId(ja[i].id) == CommandForId(en[i].id));
    }

    void eachLanguage_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("ja") << false;
        QTest::newRow("en") << true;
    }
    void eachLanguage()
    {
        QFETCH(bool, english);
        QSet<int> ids;
        for (Res r : kAll)
            for (int id : IdsIn(r, english))
                ids.insert(id);
        for (const CommandIds &c : AllCommands())
            if (const int id = english ? c.englishId : c.japaneseId)
                QVERIFY2(ids.contains(id), c.name);
        // Accelerator keys are canonical portable spellings, each once.
        QSet<QString> keys;
        for (const AccelEntry &a : AccelTable(english)) {
            const QString key = QString::fromLatin1(a.key);
            const QKeySequence seq = QKeySequence::fromString(key, QKeySequence::PortableText);
            QVERIFY2(seq.count() == 1 && seq[0].key() != Qt::Key_unknown, a.key);
            QCOMPARE(seq.toString(QKeySequence::PortableText), key);
            QVERIFY2(!keys.contains(key), a.key);
            keys.insert(key);
        }
        // A prompt filed under the wrong language never shows: its id is not used there.
        QSet<int> seen;
        for (const PromptEntry &p : english ? EnglishPrompts() : JapanesePrompts()) {
            const QString where = QString::number(p.id);
            QVERIFY2(!seen.contains(p.id) && ids.contains(p.id), qPrintable(where));
            seen.insert(p.id);
            const QString text = QString::fromUtf8(p.text);
            QVERIFY2(std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; }) == english, qPrintable(where));
        }
        // The framework's own prompts are there.
        for (int id : {57600, 57601, 57603, 57604, 57606, 57607, 57609, 57634, 57635, 57637, 57642, 57664, 57665}) {
            const int own = english ? IdOf(*CommandForId(id), true) : id;
            QVERIFY2(!PromptString(own, english).isEmpty(), qPrintable(QString::number(own)));
        }
        // A missing message would show an empty box; the Japanese-only ones show in Japanese.
        for (int i = 0; i < int(Msg::Count); ++i)
            QVERIFY2(!MsgText(Msg(i), english).isEmpty(), qPrintable(QString::number(i)));
        for (Msg japaneseOnly : {Msg::CalcNoRange, Msg::EvalMissingParen, Msg::HtmlReturnQuestion})
            QCOMPARE(MsgText(japaneseOnly, english), MsgText(japaneseOnly, false));
    }
};

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
