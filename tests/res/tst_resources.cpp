#include "res/Commands.h"
#include "res/Messages.h"
#include "res/Resources.h"

#include <QKeySequence>
#include <QSet>
#include <QTest>

#include <algorithm>

namespace {
enum class Res { MainMenu, ContextTeX, ContextCalc, Accelerators, MainToolbar, TeXToolbar };

const Res kAllResources[] = {Res::MainMenu,     Res::ContextTeX,  Res::ContextCalc,
                             Res::Accelerators, Res::MainToolbar, Res::TeXToolbar};

const char *NameOf(Res r)
{
    switch (r) {
    case Res::MainMenu:
        return "main menu";
    case Res::ContextTeX:
        return "TeX context menu";
    case Res::ContextCalc:
        return "calculation context menu";
    case Res::Accelerators:
        return "accelerators";
    case Res::MainToolbar:
        return "main toolbar";
    case Res::TeXToolbar:
        return "TeX bar";
    }
    return "";
}

std::span<const MenuEntry> Menu(Res r, bool english)
{
    switch (r) {
    case Res::MainMenu:
        return MenuTable(MenuResource::Main, english);
    case Res::ContextTeX:
        return MenuTable(MenuResource::ContextTeX, english);
    case Res::ContextCalc:
        return MenuTable(MenuResource::ContextCalc, english);
    default:
        return {};
    }
}

// Every id the resource uses, separators left out.
QList<int> IdsIn(Res r, bool english)
{
    QList<int> ids;
    switch (r) {
    case Res::Accelerators:
        for (const AccelEntry &a : AccelTable(english))
            ids << a.id;
        break;
    case Res::MainToolbar:
    case Res::TeXToolbar:
        for (int id : ToolbarTable(r == Res::MainToolbar ? ToolbarResource::Main
                                                         : ToolbarResource::TeX,
                                   english))
            if (id != 0)
                ids << id;
        break;
    default:
        for (const MenuEntry &e : Menu(r, english))
            if (e.kind == MenuEntryKind::Item)
                ids << e.id;
        break;
    }
    return ids;
}

QSet<int> AllIdsOfLanguage(bool english)
{
    QSet<int> ids;
    for (Res r : kAllResources)
        for (int id : IdsIn(r, english))
            ids.insert(id);
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

// Ids that deliberately have no command, and the language whose resources use them.
bool IsNoCommandIdOf(int id, bool english)
{
    switch (id) {
    case 32776: // PDF (make)
    case 32789: // ISpell
        return !english;
    case 32785:
    case 32795:
    case 33121: // Change Icons
        return english;
    case 32803: // toolbar buttons of both languages
        return true;
    default:
        return false;
    }
}

// The entries directly inside the popup at index `popup`.
QList<const MenuEntry *> ChildrenOf(std::span<const MenuEntry> menu, qsizetype popup)
{
    QList<const MenuEntry *> children;
    const int depth = menu[popup].depth;
    for (size_t i = popup + 1; i < menu.size() && menu[i].depth > depth; ++i)
        if (menu[i].depth == depth + 1)
            children << &menu[i];
    return children;
}

QString Lang(bool english)
{
    return english ? QStringLiteral("en") : QStringLiteral("ja");
}

QSet<Cmd> Cmds(std::initializer_list<Cmd> list)
{
    return QSet<Cmd>(list.begin(), list.end());
}
} // namespace

Q_DECLARE_METATYPE(Res)

class TestResources : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void idsBelongToTheirLanguage_data();
    void idsBelongToTheirLanguage();
    void everyCommandIsReachable_data();
    void everyCommandIsReachable();
    void menusOfBothLanguagesReachSameCommands_data();
    void menusOfBothLanguagesReachSameCommands();
    void texContextMenusHaveTheSameShape();
    void menuStructure_data();
    void menuStructure();
    void acceleratorKeysAreValidAndUnique();
    void toolbarButtonsHaveToolTips_data();
    void toolbarButtonsHaveToolTips();
    void promptTablesHoldTheirLanguage_data();
    void promptTablesHoldTheirLanguage();
    void everyMessageHasAText_data();
    void everyMessageHasAText();
};

void TestResources::idsBelongToTheirLanguage_data()
{
    QTest::addColumn<Res>("res");
    QTest::addColumn<bool>("english");
    for (bool english : {false, true})
        for (Res r : kAllResources)
            QTest::addRow("%s %s", qPrintable(Lang(english)), NameOf(r)) << r << english;
}

// A Japanese id in an English table (or the reverse) would reach the right handler but
// show the other language's prompt, so every id must be its command's id in this language.
void TestResources::idsBelongToTheirLanguage()
{
    QFETCH(Res, res);
    QFETCH(bool, english);
    const QList<int> ids = IdsIn(res, english);
    QVERIFY(!ids.isEmpty());
    for (int id : ids) {
        if (id >= RecentFileFirstId && id <= RecentFileLastId)
            continue;
        const auto cmd = CommandForId(id);
        if (!cmd) {
            QVERIFY2(IsNoCommandIdOf(id, english), qPrintable(QString::number(id)));
            continue;
        }
        QVERIFY2(IdOf(*cmd, english) == id,
                 qPrintable(QStringLiteral("%1 is not %2's id in this language")
                                .arg(id)
                                .arg(QString::fromLatin1(IdsOf(*cmd).name))));
    }
}

void TestResources::everyCommandIsReachable_data()
{
    QTest::addColumn<bool>("english");
    QTest::newRow("ja") << false;
    QTest::newRow("en") << true;
}

void TestResources::everyCommandIsReachable()
{
    QFETCH(bool, english);
    const QSet<int> ids = AllIdsOfLanguage(english);
    for (const CommandIds &c : AllCommands()) {
        const int id = english ? c.englishId : c.japaneseId;
        if (id != 0)
            QVERIFY2(ids.contains(id), c.name);
    }
}

void TestResources::menusOfBothLanguagesReachSameCommands_data()
{
    QTest::addColumn<Res>("res");
    QTest::addColumn<QSet<Cmd>>("japaneseOnly");
    QTest::newRow("main menu") << Res::MainMenu
                               << Cmds({Cmd::HtmlExport, Cmd::HtmlManual, Cmd::HtmlMessage,
                                        Cmd::RightClickMenu});
    QTest::newRow("TeX context menu") << Res::ContextTeX << QSet<Cmd>();
    QTest::newRow("calculation context menu") << Res::ContextCalc << Cmds({Cmd::RangeSelect});
    QTest::newRow("main toolbar") << Res::MainToolbar << Cmds({Cmd::CommandPrompt});
    QTest::newRow("TeX bar") << Res::TeXToolbar << QSet<Cmd>();
}

void TestResources::menusOfBothLanguagesReachSameCommands()
{
    QFETCH(Res, res);
    QFETCH(QSet<Cmd>, japaneseOnly);
    const QSet<Cmd> japanese = CommandsIn(res, false);
    const QSet<Cmd> english = CommandsIn(res, true);
    QCOMPARE(QSet<Cmd>(english).subtract(japanese), QSet<Cmd>());
    QCOMPARE(QSet<Cmd>(japanese).subtract(english), japaneseOnly);
}

// The two TeX context menus differ only in language: same items, same places.
void TestResources::texContextMenusHaveTheSameShape()
{
    const auto ja = MenuTable(MenuResource::ContextTeX, false);
    const auto en = MenuTable(MenuResource::ContextTeX, true);
    QCOMPARE(ja.size(), en.size());
    for (size_t i = 0; i < ja.size(); ++i) {
        QCOMPARE(ja[i].kind, en[i].kind);
        QCOMPARE(ja[i].depth, en[i].depth);
        QCOMPARE(CommandForId(ja[i].id), CommandForId(en[i].id));
    }
}

void TestResources::menuStructure_data()
{
    QTest::addColumn<Res>("res");
    QTest::addColumn<bool>("english");
    for (bool english : {false, true})
        for (Res r : {Res::MainMenu, Res::ContextTeX, Res::ContextCalc})
            QTest::addRow("%s %s", qPrintable(Lang(english)), NameOf(r)) << r << english;
}

void TestResources::menuStructure()
{
    QFETCH(Res, res);
    QFETCH(bool, english);
    const auto menu = Menu(res, english);
    QVERIFY(!menu.empty());
    QCOMPARE(menu[0].depth, 0);
    for (size_t i = 0; i < menu.size(); ++i) {
        const MenuEntry &e = menu[i];
        const QString where = QStringLiteral("entry %1").arg(i);
        QVERIFY2(e.text != nullptr, qPrintable(where));
        const QString text = QString::fromUtf8(e.text);
        // Every backslash of the sources is an escape, never text.
        QVERIFY2(!text.contains(QLatin1Char('\\')), qPrintable(where));
        QVERIFY2(text.count(QLatin1Char('\t')) <= 1, qPrintable(where));
        switch (e.kind) {
        case MenuEntryKind::Item:
            QVERIFY2(e.id != 0 && !text.isEmpty(), qPrintable(where));
            QVERIFY2(e.depth > 0, qPrintable(where));
            break;
        case MenuEntryKind::Popup:
            QVERIFY2(e.id == 0 && !text.isEmpty(), qPrintable(where));
            QVERIFY2(!ChildrenOf(menu, i).isEmpty(), qPrintable(where + " is an empty popup"));
            break;
        case MenuEntryKind::Separator:
            QVERIFY2(e.id == 0 && e.depth > 0, qPrintable(where));
            break;
        }
        if (i > 0) {
            const MenuEntry &prev = menu[i - 1];
            QVERIFY2(e.depth <= prev.depth + 1, qPrintable(where + " jumps in depth"));
            if (e.depth == prev.depth + 1)
                QVERIFY2(prev.kind == MenuEntryKind::Popup, qPrintable(where + " has no popup"));
        }
    }
    // Separators only ever stand between two entries of the same popup.
    for (size_t p = 0; p < menu.size(); ++p) {
        if (menu[p].kind != MenuEntryKind::Popup)
            continue;
        const auto children = ChildrenOf(menu, p);
        const QString where = QString::fromUtf8(menu[p].text);
        QVERIFY2(children.front()->kind != MenuEntryKind::Separator, qPrintable(where));
        QVERIFY2(children.back()->kind != MenuEntryKind::Separator, qPrintable(where));
        for (qsizetype c = 1; c < children.size(); ++c)
            QVERIFY2(children[c]->kind != MenuEntryKind::Separator
                         || children[c - 1]->kind != MenuEntryKind::Separator,
                     qPrintable(where + " has two separators in a row"));
    }
}

void TestResources::acceleratorKeysAreValidAndUnique()
{
    for (bool english : {false, true}) {
        QSet<QString> keys;
        for (const AccelEntry &a : AccelTable(english)) {
            const QString key = QString::fromLatin1(a.key);
            const QKeySequence seq = QKeySequence::fromString(key, QKeySequence::PortableText);
            QVERIFY2(seq.count() == 1 && seq[0].key() != Qt::Key_unknown, a.key);
            // Round-trips, so the text is the canonical portable spelling.
            QCOMPARE(seq.toString(QKeySequence::PortableText), key);
            QVERIFY2(!keys.contains(key), a.key);
            keys.insert(key);
        }
    }
}

void TestResources::toolbarButtonsHaveToolTips_data()
{
    QTest::addColumn<Res>("res");
    QTest::addColumn<bool>("english");
    for (bool english : {false, true})
        for (Res r : {Res::MainToolbar, Res::TeXToolbar})
            QTest::addRow("%s %s", qPrintable(Lang(english)), NameOf(r)) << r << english;
}

// A button without a tool tip is a blank square to the user; 32803 is the spacer button.
void TestResources::toolbarButtonsHaveToolTips()
{
    QFETCH(Res, res);
    QFETCH(bool, english);
    for (int id : IdsIn(res, english))
        if (id != 32803)
            QVERIFY2(!ToolTipOf(id, english).isEmpty(), qPrintable(QString::number(id)));
}

void TestResources::promptTablesHoldTheirLanguage_data()
{
    QTest::addColumn<bool>("english");
    QTest::newRow("ja") << false;
    QTest::newRow("en") << true;
}

// A prompt filed under the wrong language never shows: its id is not used there.
void TestResources::promptTablesHoldTheirLanguage()
{
    QFETCH(bool, english);
    const QSet<int> ids = AllIdsOfLanguage(english);
    const auto prompts = english ? EnglishPrompts() : JapanesePrompts();
    QSet<int> seen;
    for (const PromptEntry &p : prompts) {
        const QString where = QString::number(p.id);
        QVERIFY2(!seen.contains(p.id), qPrintable(where + " twice"));
        seen.insert(p.id);
        QVERIFY2(ids.contains(p.id), qPrintable(where + " is not used by this language"));
        const QString text = QString::fromUtf8(p.text);
        const bool ascii = std::all_of(text.cbegin(), text.cend(),
                                       [](QChar c) { return c.unicode() < 0x80; });
        QVERIFY2(ascii == english, qPrintable(where + " is in the other language"));
    }
    // The framework's own prompts are there.
    for (int id : {57600, 57601, 57603, 57604, 57606, 57607, 57609, 57634, 57635, 57637, 57642,
                   57664, 57665}) {
        const int own = english ? IdOf(*CommandForId(id), true) : id;
        QVERIFY2(!PromptString(own, english).isEmpty(), qPrintable(QString::number(own)));
    }
}

void TestResources::everyMessageHasAText_data()
{
    QTest::addColumn<bool>("english");
    QTest::newRow("ja") << false;
    QTest::newRow("en") << true;
}

// A message missing from a table would show an empty box; those that exist in Japanese only
// show their Japanese text in the English interface too.
void TestResources::everyMessageHasAText()
{
    QFETCH(bool, english);
    for (int i = 0; i < static_cast<int>(Msg::Count); ++i)
        QVERIFY2(!MsgText(static_cast<Msg>(i), english).isEmpty(), qPrintable(QString::number(i)));
    for (Msg japaneseOnly : {Msg::CalcNoRange, Msg::EvalMissingParen, Msg::HtmlReturnQuestion})
        QCOMPARE(MsgText(japaneseOnly, english), MsgText(japaneseOnly, false));
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
