#include "res/Commands.h"
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

const MenuEntry *FindItem(std::span<const MenuEntry> menu, int id)
{
    const auto it = std::find_if(menu.begin(), menu.end(), [id](const MenuEntry &e) {
        return e.kind == MenuEntryKind::Item && e.id == id;
    });
    return it == menu.end() ? nullptr : &*it;
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
    void topLevelPopups_data();
    void topLevelPopups();
    void languageMenuOffersTheOtherLanguage_data();
    void languageMenuOffersTheOtherLanguage();
    void exactItemTexts_data();
    void exactItemTexts();
    void acceleratorKeysAreValidAndUnique_data();
    void acceleratorKeysAreValidAndUnique();
    void acceleratorBindings_data();
    void acceleratorBindings();
    void toolbars_data();
    void toolbars();
    void prompts_data();
    void prompts();
    void promptTablesHoldTheirLanguage_data();
    void promptTablesHoldTheirLanguage();
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

void TestResources::topLevelPopups_data()
{
    QTest::addColumn<Res>("res");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("en main menu")
        << Res::MainMenu << true
        << QStringList{"RFList(&R)", "File(&F)", "Edit(&E)", "View(&V)", "Move/Split(&M)",
                       "TeX(&T)", "Help(&H)", "Language", "Calculation"};
    QTest::newRow("ja main menu (half-width katakana)")
        << Res::MainMenu << false
        << QStringList{"RFList(&R)", "ﾌｧｲﾙ(&F)", "編集(&E)", "表示(&V)", "移動･分割(&M)",
                       "TeX(&T)", "ﾍﾙﾌﾟ(&H)", "Language", "表計算"};
    QTest::newRow("en TeX context") << Res::ContextTeX << true << QStringList{"TeX"};
    QTest::newRow("ja TeX context") << Res::ContextTeX << false << QStringList{"TeX"};
    QTest::newRow("en calculation context")
        << Res::ContextCalc << true << QStringList{"Calculation"};
    QTest::newRow("ja calculation context") << Res::ContextCalc << false << QStringList{"表計算"};
}

void TestResources::topLevelPopups()
{
    QFETCH(Res, res);
    QFETCH(bool, english);
    QFETCH(QStringList, titles);
    QStringList actual;
    for (const MenuEntry &e : Menu(res, english)) {
        if (e.depth == 0) {
            QCOMPARE(e.kind, MenuEntryKind::Popup);
            actual << QString::fromUtf8(e.text);
        }
    }
    QCOMPARE(actual, titles);
}

void TestResources::languageMenuOffersTheOtherLanguage_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("text");
    QTest::newRow("ja offers English") << false << QStringLiteral("To English");
    QTest::newRow("en offers Japanese") << true << QStringLiteral("To Japanese");
}

void TestResources::languageMenuOffersTheOtherLanguage()
{
    QFETCH(bool, english);
    QFETCH(QString, text);
    const auto menu = MenuTable(MenuResource::Main, english);
    qsizetype language = -1;
    for (size_t i = 0; i < menu.size(); ++i)
        if (menu[i].depth == 0 && QString::fromUtf8(menu[i].text) == QLatin1String("Language"))
            language = static_cast<qsizetype>(i);
    QVERIFY(language >= 0);
    const auto children = ChildrenOf(menu, language);
    QCOMPARE(children.size(), 1);
    QCOMPARE(children[0]->kind, MenuEntryKind::Item);
    QCOMPARE(QString::fromUtf8(children[0]->text), text);
    QCOMPARE(children[0]->id, IdOf(Cmd::SwitchLanguage, english));
    // Nothing else in the menu bar switches the language.
    int switches = 0;
    for (const MenuEntry &e : menu)
        switches += CommandForId(e.id) == Cmd::SwitchLanguage ? 1 : 0;
    QCOMPARE(switches, 1);
}

void TestResources::exactItemTexts_data()
{
    QTest::addColumn<Res>("res");
    QTest::addColumn<bool>("english");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    const auto row = [](const char *name, Res r, bool en, int id, const char *text) {
        QTest::newRow(name) << r << en << id << QString::fromUtf8(text);
    };
    row("en Print Seup typo", Res::MainMenu, true, 57613, "Print Seup (&R)");
    row("en main-menu Undo Forward", Res::MainMenu, true, 32995, "Undo Forward (&Y) \tCtrl+&Y");
    row("en context Undo Foward typo", Res::ContextTeX, true, 32995, "Undo Foward (&Y) \tCtrl+&Y");
    row("en Serch in Google typo", Res::ContextTeX, true, 33097,
        "Serch in Google (&G) \tCtrl+&G");
    row("en equnarray* with trailing space", Res::MainMenu, true, 33031, "equnarray* ");
    row("en Atl+Lfet typo", Res::MainMenu, true, 32826,
        "To Line Head (&L) \tCtrl+Left / Atl+Lfet");
    row("en Add comment double space", Res::MainMenu, true, 32833, "Add %:%  Comment");
    row("en context Add semicolon", Res::ContextTeX, true, 32833, "Add %;%");
    row("en Round Off double space", Res::MainMenu, true, 33068,
        "Round Off to ?  decimal place(s)");
    row("en quoted ZEL", Res::MainMenu, true, 33067, "Calculation Mode \"ZEL\"");
    row("en context calculation off", Res::ContextCalc, true, 33067, "Off the Calculation Mode");
    row("en Insert Brank Sels typo", Res::ContextCalc, true, 33108, "Insert Brank Sels");
    row("en Dervations typo", Res::ContextCalc, true, 33059, "Dervations");
    row("en quoted linear transform", Res::ContextCalc, true, 33092,
        "Linear Trans. \"A->C, B->D\" to Bottom");
    row("en About", Res::MainMenu, true, 57666, "About Orrindale (&A)");
    row("en web page", Res::MainMenu, true, 32952, "Web page of Orrindale");
    row("en disabled PDF make", Res::ContextTeX, true, 32785, "PDF (make) \tCtrl+&P");
    row("en disabled ISpell", Res::ContextTeX, true, 32795, "ISpell ( &I ) \tCtrl+&I");
    row("en disabled Change Icons", Res::MainMenu, true, 33121, "Change Icons");
    row("en no space before tab", Res::MainMenu, true, 32885, "Physical Line No. (&P)\tCtrl+3");
    row("ja home page names the product", Res::MainMenu, false, 32951,
        "Velloquin のホームページ");
    row("ja double percent", Res::MainMenu, false, 32821, "行頭に %% 付加");
    row("ja context double percent", Res::ContextTeX, false, 32822, "%% 削除");
    row("ja half-width recent file", Res::MainMenu, false, 57616, "最近使ったﾌｧｲﾙ");
    row("ja TeX-PDF full-width brackets", Res::MainMenu, false, 32928,
        "TeX-PDF (&D or &P) （表示まで） \tCtrl+&D_or_Ctrl+&P");
    row("ja Atl+Left typo", Res::MainMenu, false, 32809, "行頭移動 (&L) \tCtrl+Left / Atl+Left");
    row("ja full-width one", Res::MainMenu, false, 32812, "１画面上へ移動 (&B) \tPgUp / Ctrl+Up");
    row("ja half-width dot tabular", Res::MainMenu, false, 33023, "tabular 表組み･文中");
    row("ja arrows and double space", Res::ContextCalc, false, 33050,
        "列を一次変換 A→C, B→D  し、前（左）へ");
    row("ja ISpell without space", Res::ContextTeX, false, 32789, "ISpell( &I ) \tCtrl+&I");
    row("ja Log row no space before tab", Res::ContextTeX, false, 32778, "Log 横\tCtrl+&L");
    row("ja HTML export in the file menu", Res::MainMenu, false, 33014,
        "HTML ファイルに変換 (&H)");
    row("ja context calculation off", Res::ContextCalc, false, 32953, "表計算モードの解除");
}

void TestResources::exactItemTexts()
{
    QFETCH(Res, res);
    QFETCH(bool, english);
    QFETCH(int, id);
    QFETCH(QString, text);
    const MenuEntry *e = FindItem(Menu(res, english), id);
    QVERIFY(e);
    QCOMPARE(QString::fromUtf8(e->text), text);
}

void TestResources::acceleratorKeysAreValidAndUnique_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<int>("count");
    QTest::newRow("ja") << false << 42;
    QTest::newRow("en without Alt+H") << true << 41;
}

void TestResources::acceleratorKeysAreValidAndUnique()
{
    QFETCH(bool, english);
    QFETCH(int, count);
    const auto table = AccelTable(english);
    QCOMPARE(static_cast<int>(table.size()), count);
    QSet<QString> keys;
    for (const AccelEntry &a : table) {
        const QString key = QString::fromLatin1(a.key);
        const QKeySequence seq = QKeySequence::fromString(key, QKeySequence::PortableText);
        QVERIFY2(seq.count() == 1 && seq[0].key() != Qt::Key_unknown, a.key);
        // Round-trips, so the text is the canonical portable spelling.
        QCOMPARE(seq.toString(QKeySequence::PortableText), key);
        QVERIFY2(!keys.contains(key), a.key);
        keys.insert(key);
    }
}

void TestResources::acceleratorBindings_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("japaneseId");
    QTest::addColumn<int>("englishId");
    const auto row = [](const char *key, int ja, int en) {
        QTest::newRow(key) << QString::fromLatin1(key) << ja << en;
    };
    row("Ctrl+1", 32771, 32781);
    row("Ctrl+4", 32884, 32887);
    row("Ctrl+B", 32855, 32857);
    row("Ctrl+D", 32928, 32930);
    row("Ctrl+P", 32928, 32832);
    row("Ctrl+T", 33044, 33045);
    row("Ctrl+M", 33044, 33045);
    row("Alt+H", 33014, 0);
    row("Ctrl+I", 32789, 32795);
    row("Ctrl+K", 32777, 32786);
    row("Ctrl+L", 32778, 32790);
    row("Ctrl+Q", 57665, 57667);
    row("Ctrl+R", 32845, 32858);
    row("Ctrl+W", 32875, 32876);
    row("Ctrl+Y", 32996, 32995);
    row("Ctrl+Z", 32992, 32994);
    row("F1", 32853, 32854);
    row("F2", 32845, 32858);
    row("Esc", 32906, 32907);
    row("Ins", 32987, 32987);
    row("Home", 32806, 32820);
    row("End", 32807, 32824);
    row("Alt+Up", 32806, 32820);
    row("Alt+Down", 32807, 32824);
    row("Ctrl+Up", 32812, 32828);
    row("Ctrl+Down", 32813, 32829);
    row("PgUp", 32812, 32828);
    row("PgDown", 32813, 32829);
    row("Ctrl+Left", 32809, 32826);
    row("Alt+Left", 32809, 32826);
    row("Alt+Right", 32810, 32827);
    row("Ctrl+U unbound", 0, 0);
    row("Ctrl+Home unbound", 0, 0);
}

void TestResources::acceleratorBindings()
{
    QFETCH(QString, key);
    QFETCH(int, japaneseId);
    QFETCH(int, englishId);
    const QString keyText = key.section(QLatin1Char(' '), 0, 0);
    for (bool english : {false, true}) {
        int found = 0;
        for (const AccelEntry &a : AccelTable(english))
            if (QString::fromLatin1(a.key) == keyText)
                found = a.id;
        QCOMPARE(found, english ? englishId : japaneseId);
    }
}

void TestResources::toolbars_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<int>("which");
    QTest::addColumn<QList<int>>("ids");
    QTest::addColumn<QStringList>("toolTips"); // one per button; "" for separators

    // A separator is written as 0 with an empty tool tip.
    QTest::newRow("en main toolbar (Print Preview tip from the toolbar)")
        << true << int(ToolbarResource::Main)
        << QList<int>{57611, 57612, 0,     57614, 0,     32903, 32876, 0,     32994, 32995,
                      0,     32874, 0,     57638, 57639, 57648, 0,     57608, 57610, 0,
                      32794, 0,     32782, 32781, 0,     32854, 32858, 0,     32860, 0,
                      32866, 0,     32791, 0,     57667, 32803, 33114, 32816}
        << QStringList{"New File", "Open", "", "Save", "", "New Window", "Open Window", "",
                       "Undo (Back)", "Undo (Forward)", "", "Restore Window", "", "Cut", "Copy",
                       "Paste", "", "Print", "Print Preview", "", "Description", "",
                       "Split Column", "Split Row", "", "Find", "Replace", "", "Repeat F/R", "",
                       "Delete Backup", "", "Line Jump", "", "Exit", "", "Calculator",
                       "Read-Write"};
    QTest::newRow("ja main toolbar")
        << false << int(ToolbarResource::Main)
        << QList<int>{57600, 57601, 0,     57603, 0,     32902, 32875, 0,     32992, 32996,
                      0,     32873, 0,     57635, 57634, 57637, 0,     57607, 57609, 0,
                      32788, 0,     32772, 32771, 0,     32853, 32845, 0,     32859, 0,
                      32865, 0,     32779, 0,     57665, 0,     32934, 33113, 32801}
        << QStringList{"新規ﾌｧｲﾙ", "開く", "", "保存", "", "別窓新規", "別窓で開く", "",
                       "元に戻す", "先へ戻す", "", "ウィンドウ復元", "", "切り取り", "ｺﾋﾟｰ",
                       "貼り付け", "", "印刷", "印刷ﾌﾟﾚﾋﾞｭｰ", "", "説明書表示", "", "縦分割",
                       "横分割", "", "検索", "置換", "", "再検索・再置換", "",
                       "バックアップ削除", "", "指定行ジャンプ", "", "終了", "", "コマンド",
                       "電卓", "読取り切替"};
    QTest::newRow("en TeX bar")
        << true << int(ToolbarResource::TeX)
        << QList<int>{32930, 33045, 32832, 32803, 32786, 0, 32790, 32803, 0, 32803, 32830, 32831}
        << QStringList{"TeX-PDF", "TeX-mPDF", "Show PDF", "", "Log Column", "", "Log Row", "",
                       "", "", "Reg Another File", "UnRegistry"};
    QTest::newRow("ja TeX bar")
        << false << int(ToolbarResource::TeX)
        << QList<int>{32928, 33044, 32819, 32803, 0, 32777, 0, 32778, 0, 32803, 32814, 32815}
        << QStringList{"TeX-PDF(Ctrl+D or Ctrl+P)", "TeX-mPDF(Ctrl+T or Ctrl+M)", "PDF表示", "",
                       "", "Log 縦", "", "Log 横", "", "", "TeX処理の別ファイル登録",
                       "別ファイル解除"};
}

void TestResources::toolbars()
{
    QFETCH(bool, english);
    QFETCH(int, which);
    QFETCH(QList<int>, ids);
    QFETCH(QStringList, toolTips);
    QCOMPARE(ids.size(), toolTips.size());
    const auto table = ToolbarTable(static_cast<ToolbarResource>(which), english);
    QCOMPARE(QList<int>(table.begin(), table.end()), ids);
    for (qsizetype i = 0; i < ids.size(); ++i)
        QCOMPARE(ToolTipOf(ids[i], english), toolTips[i]);
}

void TestResources::prompts_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("statusTip");
    QTest::addColumn<QString>("toolTip");
    const auto row = [](const char *name, bool en, int id, const char *status, const char *tip) {
        QTest::newRow(name) << en << id << QString::fromUtf8(status) << QString::fromUtf8(tip);
    };
    row("en tool tip overridden by the toolbar", true, 57610, "Display full pages",
        "Print Preview");
    row("en backslash C is text", true, 32941, "Open the command prompt window (cmd.exe)\\Ccommand",
        "");
    row("en backslash ampersand is text", true, 33013,
        "Change the top \\& left margin to 100 (default). ", "");
    row("en trailing space before the tool tip", true, 32794, "Show Descriptikon ",
        "Description");
    row("en quotes inside", true, 32909,
        "Create TeX input file; \"input_tex.mme\" by the opened TeX file.", "");
    row("en Rpw typo", true, 32790, "Show Log file by Split Rpw Ctrl+L", "Log Row");
    row("en semicolon is not a separator", true, 57667,
        "Quit the application; prompts to save documents Ctrl+Q", "Exit");
    row("en recent file (shared id)", true, 57616, "Open this Recent File", "");
    row("en disabled ISpell keeps its prompt", true, 32795, "Execute Spell Checker Ctrl+I",
        "ISpell");
    row("en no prompt for a Japanese id", true, 32780, "", "");
    row("en no prompt for shared margin 200", true, 33010, "", "");
    row("en no prompt at all", true, 32918, "", "");
    row("ja percent signs", false, 32821, "選択範囲の行頭に %% をつけてコメント行にする。",
        "%% 付加");
    row("ja home page names the product", false, 32951, "Velloquin のホームページを開きます。",
        "");
    row("ja shared margin 300 twice", false, 33012, "左と上の印刷余白を 300 に変更します。", "");
    row("ja mixed-language switch", false, 32825,
        "Change to English Version; Available from the next time 英語版に替えます。再起動後有効",
        "");
    row("ja half-width katakana", false, 57664, "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示",
        "プログラム情報");
    row("ja double closing bracket", false, 33044,
        "TeX のコンパイルから PDF の作成まで。（表示はしない。））", "TeX-mPDF(Ctrl+T or Ctrl+M)");
    row("ja PGAE typo", false, 32813, "1画面下へ移動 VK_PGAE_DOWN", "");
    row("ja no prompt for an English id", false, 32792, "", "");
    row("ja no prompt for the recent file", false, 57616, "", "");
}

void TestResources::prompts()
{
    QFETCH(bool, english);
    QFETCH(int, id);
    QFETCH(QString, statusTip);
    QFETCH(QString, toolTip);
    QCOMPARE(StatusTipOf(id, english), statusTip);
    QCOMPARE(ToolTipOf(id, english), toolTip);
    const QString prompt = PromptString(id, english);
    QCOMPARE(prompt.section(QLatin1Char('\n'), 0, 0), statusTip);
    QVERIFY(prompt.count(QLatin1Char('\n')) <= 1);
}

void TestResources::promptTablesHoldTheirLanguage_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<int>("count");
    QTest::newRow("ja") << false << 136;
    QTest::newRow("en") << true << 77;
}

// A prompt filed under the wrong language never shows: its id is not used there.
void TestResources::promptTablesHoldTheirLanguage()
{
    QFETCH(bool, english);
    QFETCH(int, count);
    const QSet<int> ids = AllIdsOfLanguage(english);
    const auto prompts = english ? EnglishPrompts() : JapanesePrompts();
    QCOMPARE(static_cast<int>(prompts.size()), count);
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

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
