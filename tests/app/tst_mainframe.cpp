#include "support/FrameFixture.h"
#include "app/Globals.h"
#include "app/SettingsKeys.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "app/ui/FontMapping.h"
#include "app/WindowPlacement.h"
#include "res/Commands.h"
#include "res/Messages.h"
#include "res/Resources.h"
#include "view/ui/FindReplaceBars.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <utime.h>

namespace {
// The items of a menu bar in order, as (depth, text, id) lines, separators as "-".
void Flatten(const QList<QAction *> &actions, int depth, QStringList &out)
{
    for (QAction *a : actions) {
        if (a->isSeparator())
            out << QStringLiteral("%1 -").arg(depth);
        else if (a->menu()) {
            out << QStringLiteral("%1 [%2]").arg(depth).arg(a->text());
            Flatten(a->menu()->actions(), depth + 1, out);
        } else
            out << QStringLiteral("%1 %2 %3").arg(depth).arg(a->text()).arg(ActionId(a));
    }
}

QStringList TableLines(std::span<const MenuEntry> table)
{
    QStringList out;
    for (const MenuEntry &e : table) {
        if (e.kind == MenuEntryKind::Separator)
            out << QStringLiteral("%1 -").arg(e.depth);
        else if (e.kind == MenuEntryKind::Popup)
            out << QStringLiteral("%1 [%2]").arg(e.depth).arg(QString::fromUtf8(e.text));
        else
            out << QStringLiteral("%1 %2 %3").arg(e.depth).arg(QString::fromUtf8(e.text)).arg(e.id);
    }
    return out;
}

QList<QAction *> AllMenuActions(QMenuBar *bar)
{
    QList<QAction *> out;
    std::function<void(const QList<QAction *> &)> walk = [&](const QList<QAction *> &list) {
        for (QAction *a : list) {
            if (a->menu())
                walk(a->menu()->actions());
            else if (!a->isSeparator())
                out << a;
        }
    };
    walk(bar->actions());
    return out;
}

// A window in the given language, as the next start builds it.
std::unique_ptr<CMainFrame> MakeFrame(FrameFixture &f, bool english)
{
    f.store->WriteInt(QStringLiteral("Settings"), QStringLiteral("English"), english);
    f.Restart();
    return f.MakeFrame();
}

void SetFileTime(const QString &path, qint64 seconds)
{
    utimbuf times{static_cast<time_t>(seconds), static_cast<time_t>(seconds)};
    utime(QFile::encodeName(path).constData(), &times);
}
} // namespace

class TestMainFrame : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menusAndKeysFollowTheTables_data();
    void menusAndKeysFollowTheTables();
    void editorKeysGoToAccelerators_data();
    void editorKeysGoToAccelerators();
    void bothIdsReachOneHandler();
    void switchLanguageTakesEffectAtRestart();
    void viewerWindowHasNoBars();
    void barsStartHiddenWithHistories();
    void closeStoresRectHistoriesAndCaret();
    void sizePaneTexts_data();
    void sizePaneTexts();
    void englishSaveGreyedWhileUnmodified();
    void saveWritesUtf8AndKeepsBackup();
    void saveFailureKeepsTextModified();
    void checkFileChangedAsksAgainAfterNo();
    void openRefusesBadFiles_data();
    void openRefusesBadFiles();
    void recentFileCancelledKeepsDocument();
    void zelSettingsLine_data();
    void zelSettingsLine();
    void logFilesAreReadOnly();
    void noLineNumbersSwitch();
    void texBarFollowsTheDocument_data();
    void texBarFollowsTheDocument();
    void insertKeyTogglesOverwrite();
    void newAndOpenWindowStartTheProgram();
    void setWindowStoresOrResets_data();
    void setWindowStoresOrResets();
    void backupModeTogglesAndIsChecked();
    void untitledSaveGoesToSaveAs_data();
    void untitledSaveGoesToSaveAs();
    void newAskedToSaveKeepsTextOnCancel();
    void openFilterFollowsTheDocument_data();
    void openFilterFollowsTheDocument();
    void fontCommandStoresAndApplies();
    void missingFaceFallsBackToCjkMonospace();
    void linePaneCountsDisplayRows();
};

void TestMainFrame::menusAndKeysFollowTheTables_data()
{
    QTest::addColumn<bool>("english");
    QTest::newRow("japanese") << false;
    QTest::newRow("english") << true;
}

void TestMainFrame::menusAndKeysFollowTheTables()
{
    QFETCH(bool, english);
    FrameFixture f;
    auto frame = MakeFrame(f, english);
    QStringList shown;
    Flatten(frame->menuBar()->actions(), 0, shown);
    QCOMPARE(shown, TableLines(MenuTable(MenuResource::Main, english)));
    // Tool tips come from the prompt strings of the same language.
    for (QAction *a : frame->MainToolBar()->actions())
        if (!a->isSeparator())
            QCOMPARE(a->toolTip(), ToolTipOf(ActionId(a), english));
    // Every key of the language's table reaches its command.
    QHash<QString, int> bound;
    for (QAction *a : frame->actions())
        if (!a->shortcut().isEmpty())
            bound.insert(a->shortcut().toString(QKeySequence::PortableText), ActionId(a));
    for (const AccelEntry &a : AccelTable(english))
        QVERIFY2(bound.value(QString::fromLatin1(a.key)) == a.id, a.key);

    // Items that no command answers are disabled, on toolbars too; the rest is live.
    frame->Router()->RefreshActions();
    int enabled = 0;
    for (QAction *a : AllMenuActions(frame->menuBar())) {
        const std::optional<Cmd> cmd = CommandForId(ActionId(a));
        if (!cmd || !frame->Router()->IsHandled(*cmd))
            QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
        else if (a->isEnabled())
            ++enabled;
    }
    QVERIFY(enabled >= 10);
    for (QToolBar *bar : {frame->MainToolBar(), frame->TeXBar()})
        for (QAction *a : bar->actions())
            if (ActionId(a) == 32803)
                QVERIFY(!a->isEnabled());
    QVERIFY(frame->Router()->StateOf(Cmd::SwitchLanguage).enabled);
}

void TestMainFrame::editorKeysGoToAccelerators_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("panes");
    // Log Column is offered for TeX files only; elsewhere its key must not reach the editor,
    // whose own Ctrl+K would delete to the end of the line.
    QTest::newRow("disabled command swallows its key") << "a.txt" << 1;
    QTest::newRow("enabled command runs in an inactive window") << "a.tex" << 2;
}

void TestMainFrame::editorKeysGoToAccelerators()
{
    QFETCH(QString, file);
    QFETCH(int, panes);
    FrameFixture f;
    f.WriteFile("a.log", "log\n");
    auto frame = f.MakeFrame();
    QVERIFY(frame->OpenDocumentFile(f.WriteFile(file, "first line\nsecond\n")));
    QVERIFY(!frame->isActiveWindow()); // as after a dialog closed without a window manager
    COrrindaleView *view = frame->GetActiveView();
    QTest::keyClick(view, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(frame->GetDocument()->TextDocument()->toPlainText(), "first line\nsecond\n");
    QCOMPARE(frame->findChildren<COrrindaleView *>().size(), panes);
}

void TestMainFrame::bothIdsReachOneHandler()
{
    FrameFixture f;
    auto frame = f.MakeFrame();
    QVERIFY(frame->OpenDocumentFile(f.WriteFile("a.tex", "x\n")));
    frame->show();
    QVERIFY(frame->TeXBar()->isVisible());
    QVERIFY(frame->Router()->Execute(IdsOf(Cmd::TeXBar).japaneseId));
    QVERIFY(!frame->TeXBar()->isVisible());
    QVERIFY(frame->Router()->Execute(IdsOf(Cmd::TeXBar).englishId));
    QVERIFY(frame->TeXBar()->isVisible());
    // An id no command answers does nothing.
    QVERIFY(!frame->Router()->Execute(32803));
}

void TestMainFrame::switchLanguageTakesEffectAtRestart()
{
    FrameFixture f;
    {
        auto frame = f.MakeFrame();
        QVERIFY(frame->Router()->Execute(32825)); // "To English"
        QCOMPARE(frame->menuBar()->actions().at(1)->text(), QStringLiteral("ﾌｧｲﾙ(&F)"));
        QCOMPARE(f.store->GetInt("Settings", "English", 0), 1);
    }
    f.Restart();
    auto frame = f.MakeFrame();
    QCOMPARE(frame->menuBar()->actions().at(1)->text(), QStringLiteral("File(&F)"));
    QCOMPARE(frame->GetDocument()->Title(), QStringLiteral("Untitled"));
}

void TestMainFrame::viewerWindowHasNoBars()
{
    FrameFixture f({QStringLiteral("-w1"), QStringLiteral("-w0"), QStringLiteral("-m0"),
                    QStringLiteral("ReadMe.log")});
    auto frame = f.MakeFrame();
    frame->show();
    QVERIFY(!frame->menuBar()->isVisible());
    QVERIFY(!frame->MainToolBar()->isVisible());
    QVERIFY(!frame->TeXBar()->isVisible());
    QVERIFY(!frame->statusBar()->isVisible());
}

void TestMainFrame::barsStartHiddenWithHistories()
{
    FrameFixture f;
    f.store->WriteString("Find", "List0", "\\section");
    f.store->WriteString("Find", "List1", "表");
    f.store->WriteString("Find", "List3", "after a gap");
    f.store->WriteString("Replace", "List0", "\\subsection");
    auto frame = f.MakeFrame();
    frame->show();
    QVERIFY(!frame->FindBar()->isVisible());
    QVERIFY(!frame->ReplaceBar()->isVisible());
    QVERIFY(!frame->FindBar()->m_pMatchCase->isChecked());
    QVERIFY(frame->FindBar()->m_pContinuity->isChecked());
    QVERIFY(frame->ReplaceBar()->m_pMatchCase->isChecked());
    QCOMPARE(frame->FindBar()->m_pSearch->count(), 2); // stops at the first empty value
    QCOMPARE(frame->FindBar()->m_pSearch->itemText(1), QStringLiteral("表"));
    QCOMPARE(frame->ReplaceBar()->m_pSearch->count(), 2);
    QCOMPARE(frame->ReplaceBar()->m_pReplacement->itemText(0), QStringLiteral("\\subsection"));
}

void TestMainFrame::closeStoresRectHistoriesAndCaret()
{
    FrameFixture f({QStringLiteral("-w0")});
    const QString path = f.WriteFile("a.tex", "line one\nline two\nline three\n");
    {
        auto frame = f.MakeFrame();
        QVERIFY(frame->OpenDocumentFile(path));
        frame->FindBar()->m_pSearch->addItem(QStringLiteral("needle"));
        frame->ReplaceBar()->m_pReplacement->addItem(QStringLiteral("thread"));
        QTextCursor c = frame->GetActiveView()->textCursor();
        c.setPosition(12);
        frame->GetActiveView()->setTextCursor(c);
        frame->setGeometry(50, 60, 700, 500);
        QVERIFY(frame->close());
        QCOMPARE(f.store->GetInt("Settings", "wndX", -1), frame->geometry().x());
        QCOMPARE(f.store->GetInt("Settings", "wndW", -1), 700);
    }
    QCOMPARE(f.store->GetString("Find", "List0"), QStringLiteral("needle"));
    QCOMPARE(f.store->GetString("Replace", "List0"), QStringLiteral("thread"));
    QCOMPARE(f.store->GetInt("Caret", path + "cL", 0), 12);
    // Reopening puts the caret back.
    f.Restart();
    auto frame = f.MakeFrame();
    QVERIFY(frame->OpenDocumentFile(path));
    QCOMPARE(frame->GetActiveView()->textCursor().position(), 12);
}

void TestMainFrame::sizePaneTexts_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<int>("characters");
    QTest::addColumn<QString>("text");
    QTest::newRow("1999 en") << true << 1999 << "1.9 KB";
    QTest::newRow("999 ja") << false << 999 << "999 バイト";
}

void TestMainFrame::sizePaneTexts()
{
    QFETCH(bool, english);
    QFETCH(int, characters);
    QFETCH(QString, text);
    FrameFixture f;
    auto frame = MakeFrame(f, english);
    frame->GetActiveView()->setPlainText(QString(characters, QLatin1Char('x')));
    frame->UpdateStatusPanes();
    QCOMPARE(frame->SizePane()->text(), text);
}

void TestMainFrame::englishSaveGreyedWhileUnmodified()
{
    for (const bool english : {false, true}) {
        FrameFixture f;
        auto frame = MakeFrame(f, english);
        QVERIFY(frame->OpenDocumentFile(f.WriteFile("a.tex", "abc\n")));
        const int save = IdOf(Cmd::FileSave, english);
        QCOMPARE(frame->Router()->StateOfId(save).enabled, !english);
        frame->GetActiveView()->insertPlainText(QStringLiteral("x"));
        QVERIFY(frame->Router()->StateOfId(save).enabled);
    }
}

void TestMainFrame::saveWritesUtf8AndKeepsBackup()
{
    FrameFixture f;
    QByteArray sjis("\x95\x5c\x83\x5c\r\nold\r\n", 10); // 表ソ in Shift_JIS with CR-LF
    const QString path = f.WriteFile("doc.tex", sjis);
    auto frame = f.MakeFrame();
    QVERIFY(frame->OpenDocumentFile(path));
    QCOMPARE(frame->GetActiveView()->toPlainText(), QStringLiteral("表ソ\nold\n"));
    frame->GetActiveView()->moveCursor(QTextCursor::End);
    // A no-break space is kept as it is, not written as a plain space.
    frame->GetActiveView()->insertPlainText(QStringLiteral("新\u00a0x"));
    QVERIFY(frame->Router()->Execute(57603)); // Japanese Save
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QStringLiteral("表ソ\nold\n新\u00a0x").toUtf8());
    QFile backup(path + ".bak");
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), sjis);
    QVERIFY(!frame->GetDocument()->IsModified());
    QVERIFY(f.prompter.messages.isEmpty());
}

void TestMainFrame::saveFailureKeepsTextModified()
{
    FrameFixture f;
    const QString path = f.WriteFile("ro.tex", "old\n");
    auto frame = f.MakeFrame();
    QVERIFY(frame->OpenDocumentFile(path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    frame->GetActiveView()->insertPlainText(QStringLiteral("new "));
    QVERIFY(!frame->GetDocument()->DoFileSave());
    QCOMPARE(f.prompter.messages.size(), 1);
    QVERIFY(f.prompter.messages.first().text.contains(path));
    QVERIFY(frame->GetDocument()->IsModified());
    QCOMPARE(frame->GetActiveView()->toPlainText(), QStringLiteral("new old\n"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("old\n"));
    QVERIFY(!QFileInfo::exists(path + ".bak"));
}

void TestMainFrame::checkFileChangedAsksAgainAfterNo()
{
    FrameFixture f;
    const QString path = f.WriteFile("c.tex", "first\n");
    SetFileTime(path, 1'000'000'000);
    auto frame = f.MakeFrame();
    QVERIFY(frame->OpenDocumentFile(path));
    frame->CheckFileChanged();
    QVERIFY(f.prompter.messages.isEmpty()); // unchanged on disk: no question

    f.WriteFile("c.tex", "second\n");
    SetFileTime(path, 1'000'000'100);
    const QString question = MsgText(Msg::FileChangedQuestion, false);
    f.prompter.answers << MsgAnswer::No << MsgAnswer::No << MsgAnswer::Yes;
    frame->CheckFileChanged();
    frame->CheckFileChanged();
    QCOMPARE(f.prompter.Texts(), QStringList({question, question}));
    QCOMPARE(f.prompter.messages.last().icon, MsgIcon::Exclamation);
    QCOMPARE(frame->GetActiveView()->toPlainText(), QStringLiteral("first\n"));
    frame->CheckFileChanged();
    QCOMPARE(frame->GetActiveView()->toPlainText(), QStringLiteral("second\n"));
    frame->CheckFileChanged();
    QCOMPARE(f.prompter.messages.size(), 3);
    // Saving from this window never makes the question come.
    frame->GetActiveView()->insertPlainText(QStringLiteral("x"));
    QVERIFY(frame->GetDocument()->DoFileSave());
    frame->CheckFileChanged();
    QCOMPARE(f.prompter.messages.size(), 3);
}

void TestMainFrame::openRefusesBadFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("binary") << "b.tex" << QByteArray("ab\0cd", 5);
    QTest::newRow("missing") << "" << QByteArray();
    QTest::newRow("folder") << "." << QByteArray();
}

void TestMainFrame::openRefusesBadFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    FrameFixture f;
    auto frame = f.MakeFrame();
    const QString good = f.WriteFile("good.tex", "kept\n");
    QVERIFY(frame->OpenDocumentFile(good));
    frame->GetActiveView()->insertPlainText(QStringLiteral("edit "));
    QString path = name.isEmpty() ? f.FilePath("nothing.tex") : f.FilePath(name);
    if (!bytes.isEmpty())
        path = f.WriteFile(name, bytes);
    QVERIFY(!frame->OpenDocumentFile(path));
    QCOMPARE(f.prompter.messages.size(), 1);
    QVERIFY(!f.prompter.messages.first().text.isEmpty());
    QCOMPARE(frame->GetActiveView()->toPlainText(), QStringLiteral("edit kept\n"));
    QCOMPARE(frame->GetDocument()->PathName(), good);
    QVERIFY(frame->GetDocument()->IsModified());
}

void TestMainFrame::recentFileCancelledKeepsDocument()
{
    FrameFixture f;
    const QString a = f.WriteFile("a.tex", "A\n");
    const QString b = f.WriteFile("b.tex", "B\n");
    auto frame = f.MakeFrame();
    QVERIFY(frame->OpenDocumentFile(b));
    QVERIFY(frame->OpenDocumentFile(a)); // the list is now a, b
    frame->GetActiveView()->insertPlainText(QStringLiteral("changed "));
    f.prompter.answers << MsgAnswer::Cancel;
    frame->OnRecentFile(1);
    QCOMPARE(frame->GetDocument()->PathName(), a);
    QCOMPARE(frame->GetActiveView()->toPlainText(), QStringLiteral("changed A\n"));
    f.prompter.answers << MsgAnswer::No; // discard the changes
    frame->OnRecentFile(1);
    QCOMPARE(frame->GetDocument()->PathName(), b);
    QVERIFY(!frame->GetDocument()->IsModified());
}

void TestMainFrame::zelSettingsLine_data()
{
    QTest::addColumn<QByteArray>("firstLine");
    QTest::addColumn<int>("tabWidth");
    QTest::newRow("12 accepted") << QByteArray("%% TAB=12\tFont=0\tCOL=1\tMargin=1\t") << 12;
    QTest::newRow("no settings line") << QByteArray("a\tb") << 8;
}

void TestMainFrame::zelSettingsLine()
{
    QFETCH(QByteArray, firstLine);
    QFETCH(int, tabWidth);
    FrameFixture f;
    auto frame = f.MakeFrame();
    QVERIFY(frame->OpenDocumentFile(f.WriteFile("t.zel", firstLine + "\n1\t2\n")));
    COrrindaleView *view = frame->GetActiveView();
    QCOMPARE(view->m_bCalcMode, 1);
    QCOMPARE(view->m_nTabWidth, tabWidth);
    QCOMPARE(view->m_nLineNumberMode, 1);
    QCOMPARE(view->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(f.store->GetInt("Settings", "Line", 0), 1);
    // A TeX file afterwards is back to text mode with word wrap.
    QVERIFY(frame->OpenDocumentFile(f.WriteFile("x.tex", "x\n")));
    QCOMPARE(view->m_bCalcMode, 0);
    QCOMPARE(view->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

void TestMainFrame::logFilesAreReadOnly()
{
    FrameFixture f;
    f.store->WriteInt("Settings", "Line", 2);
    auto frame = f.MakeFrame();
    QVERIFY(frame->OpenDocumentFile(f.WriteFile("a.log", "This is pTeX\n")));
    COrrindaleView *view = frame->GetActiveView();
    QVERIFY(view->isReadOnly());
    QCOMPARE(view->m_bColoring, 0);
    QCOMPARE(view->m_nLineNumberMode, 0);
    QVERIFY(frame->OpenDocumentFile(f.WriteFile("a.tex", "x\n")));
    QVERIFY(!view->isReadOnly());
    QCOMPARE(view->m_nLineNumberMode, 2);
}

void TestMainFrame::noLineNumbersSwitch()
{
    FrameFixture f({QStringLiteral("-m0")});
    f.store->WriteInt("Settings", "Line", 1);
    auto frame = f.MakeFrame();
    QVERIFY(frame->OpenDocumentFile(f.WriteFile("a.tex", "x\n")));
    QCOMPARE(frame->GetActiveView()->m_nLineNumberMode, 0);
    QCOMPARE(frame->GetActiveView()->m_nGutterWidth, 10);
}

void TestMainFrame::texBarFollowsTheDocument_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("registered");
    QTest::addColumn<bool>("shown");
    QTest::newRow("log hides") << "a.log" << false << false;
    QTest::newRow("tex shows") << "a.tex" << false << true;
    QTest::newRow("registered txt shows") << "a.txt" << true << true;
    QTest::newRow("plain txt hides") << "a.txt" << false << false;
}

void TestMainFrame::texBarFollowsTheDocument()
{
    QFETCH(QString, name);
    QFETCH(bool, registered);
    QFETCH(bool, shown);
    FrameFixture f;
    const QString path = f.WriteFile(name, "x\n");
    if (registered)
        f.store->WriteString("TeXFile", path, f.FilePath("main.tex"));
    auto frame = f.MakeFrame();
    frame->show();
    f.prompter.openAnswers << path;
    frame->OnFileOpen();
    QCOMPARE(frame->GetDocument()->PathName(), path);
    QCOMPARE(frame->TeXBar()->isVisible(), shown);
}

void TestMainFrame::insertKeyTogglesOverwrite()
{
    FrameFixture f; // Japanese: "挿入" / "上書"
    auto frame = f.MakeFrame();
    frame->UpdateStatusPanes();
    QCOMPARE(frame->InsertPane()->text(), QStringLiteral("挿入"));
    QVERIFY(frame->Router()->Execute(32987));
    QVERIFY(frame->GetActiveView()->overwriteMode());
    QCOMPARE(frame->InsertPane()->text(), QStringLiteral("上書"));
    QVERIFY(frame->Router()->Execute(32987));
    QCOMPARE(g_bInsertMode, 1);
}

void TestMainFrame::newAndOpenWindowStartTheProgram()
{
    FrameFixture f;
    auto frame = f.MakeFrame();
    QVERIFY(frame->Router()->Execute(32902)); // New Window
    const QString doc = f.WriteFile("my notes.tex", "x\n");
    f.prompter.openAnswers << doc;
    QVERIFY(frame->Router()->Execute(32875)); // Open Window
    QCOMPARE(f.launcher.calls.size(), 2);
    QCOMPARE(f.launcher.calls[0].program, f.context.programPath);
    QCOMPARE(f.launcher.calls[0].arguments, QStringList({"-w1"}));
    QCOMPARE(f.launcher.calls[1].arguments, QStringList({"-w1", "my notes.tex"}));
    QCOMPARE(f.launcher.calls[1].workDir, QFileInfo(doc).absolutePath());
    QVERIFY(f.prompter.messages.isEmpty());
    // A program that cannot be started is reported, in English in both languages.
    f.launcher.startResults << false << false;
    frame->OnNewWindow();
    f.prompter.openAnswers << doc;
    frame->OnOpenWindow();
    QCOMPARE(f.prompter.Texts(), QStringList({"Failed to open the another new file",
                                              "Failed to open the another file"}));
}

void TestMainFrame::setWindowStoresOrResets_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<int>("messages");
    QTest::newRow("ok, big enough") << int(MsgAnswer::Ok) << QSize(700, 500) << true << 1;
    QTest::newRow("ok, too small") << int(MsgAnswer::Ok) << QSize(200, 60) << false << 2;
    QTest::newRow("cancel") << int(MsgAnswer::Cancel) << QSize(700, 500) << false << 1;
}

void TestMainFrame::setWindowStoresOrResets()
{
    QFETCH(int, answer);
    QFETCH(QSize, size);
    QFETCH(bool, stored);
    QFETCH(int, messages);
    FrameFixture f;
    auto frame = f.MakeFrame();
    frame->setMinimumSize(1, 1);
    frame->setGeometry(QRect(QPoint(40, 50), size));
    f.prompter.answers << MsgAnswer(answer);
    QVERIFY(frame->Router()->Execute(32878));
    QCOMPARE(f.prompter.messages.size(), messages);
    QCOMPARE(f.prompter.messages.first().text, MsgText(Msg::SetWindowQuestion, false));
    QCOMPARE(f.prompter.messages.first().buttons, MsgButtons::OkCancel);
    const QRect defaults = DefaultWindowRect(frame->Metrics());
    const QRect expected = stored ? frame->geometry() : QRect(0, 0, defaults.width(), defaults.height());
    QCOMPARE(f.store->GetInt("Settings", "wndDefW", -1), expected.width());
    QCOMPARE(f.store->GetInt("Settings", "wndDefX", -1), expected.x());
    // Restore Window goes to what was stored.
    frame->setGeometry(10, 10, 300, 300);
    QVERIFY(frame->Router()->Execute(32874));
    QCOMPARE(frame->geometry().size(), expected.size());
}

void TestMainFrame::backupModeTogglesAndIsChecked()
{
    FrameFixture f;
    auto frame = f.MakeFrame();
    const QString path = f.WriteFile("b.tex", "one\n");
    QVERIFY(frame->OpenDocumentFile(path));
    QVERIFY(frame->Router()->StateOfId(32863).checked);
    QVERIFY(frame->Router()->Execute(32863));
    QVERIFY(!frame->Router()->StateOfId(32863).checked);
    QCOMPARE(f.store->GetInt("Settings", "Backup", -1), 0);
    frame->GetActiveView()->insertPlainText(QStringLiteral("x"));
    QVERIFY(frame->GetDocument()->DoFileSave());
    QVERIFY(!QFileInfo::exists(path + ".bak"));
    QVERIFY(!frame->Router()->StateOfId(32865).enabled); // Delete Backup: nothing to delete
}

void TestMainFrame::untitledSaveGoesToSaveAs_data()
{
    QTest::addColumn<bool>("english");
    QTest::newRow("japanese") << false;
    QTest::newRow("english") << true;
}

void TestMainFrame::untitledSaveGoesToSaveAs()
{
    QFETCH(bool, english);
    FrameFixture f;
    auto frame = MakeFrame(f, english);
    frame->GetActiveView()->insertPlainText(QStringLiteral("新しい文書\n"));
    const QString target = f.FilePath("new.tex");
    f.prompter.saveAnswers << target;
    QVERIFY(frame->Router()->Execute(IdOf(Cmd::FileSave, english)));
    QCOMPARE(f.prompter.saveFilters.size(), 1);
    QCOMPARE(frame->GetDocument()->PathName(), target);
    QCOMPARE(frame->GetDocument()->Title(), QStringLiteral("new.tex"));
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), QStringLiteral("新しい文書\n"));
    QVERIFY(!QFileInfo::exists(target + ".bak")); // a new name never makes a backup
    QCOMPARE(frame->GetActiveView()->m_strEditedPath, target); // the view followed the new name
}

void TestMainFrame::newAskedToSaveKeepsTextOnCancel()
{
    FrameFixture f;
    auto frame = f.MakeFrame();
    QVERIFY(frame->OpenDocumentFile(f.WriteFile("n.tex", "text\n")));
    frame->GetActiveView()->insertPlainText(QStringLiteral("more "));
    f.prompter.answers << MsgAnswer::Cancel;
    QVERIFY(frame->Router()->Execute(57600));
    QCOMPARE(f.prompter.messages.size(), 1);
    QCOMPARE(f.prompter.messages.first().buttons, MsgButtons::YesNoCancel);
    QCOMPARE(frame->GetActiveView()->toPlainText(), QStringLiteral("more text\n"));
    f.prompter.answers << MsgAnswer::No;
    QVERIFY(frame->Router()->Execute(57600));
    QCOMPARE(frame->GetActiveView()->toPlainText(), QString());
    QCOMPARE(frame->GetDocument()->Title(), QStringLiteral("無題"));
    QVERIFY(!frame->GetDocument()->IsModified());
}

void TestMainFrame::openFilterFollowsTheDocument_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("firstFilter");
    QTest::newRow("tex") << "a.tex" << "TeX files (*.tex)";
    QTest::newRow("zel") << "a.zel" << "Zel files (*.zel )";
    QTest::newRow("txt") << "a.txt" << "Text/TeX/Log/MME/Backup/Zel files (*.txt;*.tex;*.log;*.mme;*.bak;*.zel)";
}

void TestMainFrame::openFilterFollowsTheDocument()
{
    QFETCH(QString, name);
    QFETCH(QString, firstFilter);
    FrameFixture f;
    auto frame = f.MakeFrame();
    QVERIFY(frame->OpenDocumentFile(f.WriteFile(name, "x\n")));
    frame->OnFileOpen(); // cancelled: nothing happens
    QCOMPARE(f.prompter.openFilters.size(), 1);
    QCOMPARE(f.prompter.openFilters.first().section(QLatin1Char('|'), 0, 0), firstFilter);
    QCOMPARE(frame->GetDocument()->PathName(), f.FilePath(name));
}

void TestMainFrame::fontCommandStoresAndApplies()
{
    FrameFixture f;
    auto frame = f.MakeFrame();
    LogFont chosen;
    chosen.height = -20;
    chosen.weight = 400;
    chosen.pitchAndFamily = 49;
    chosen.charSet = 128;
    chosen.faceName = frame->GetActiveView()->font().family();
    f.prompter.fontAnswers << chosen;
    QVERIFY(frame->Router()->Execute(32780));
    QCOMPARE(f.store->GetInt("Font", "Height", 0), -20);
    QCOMPARE(f.store->GetInt("Font", "Weight", 0), 400);
    QCOMPARE(frame->GetActiveView()->font().pixelSize(), 20);
    // Cancel changes nothing.
    QVERIFY(frame->Router()->Execute(32780));
    QCOMPARE(frame->GetActiveView()->font().pixelSize(), 20);
}

void TestMainFrame::missingFaceFallsBackToCjkMonospace()
{
    LogFont stored; // the defaults a fresh profile reads
    stored.height = -16;
    stored.weight = 700;
    stored.pitchAndFamily = 49;
    stored.charSet = 128;
    stored.faceName = QStringLiteral("ＭＳ ゴシック");
    const QFont font = FontFromLogFont(stored);
    QCOMPARE(font.families().value(0), CjkMonospaceFamily());
    QCOMPARE(font.pixelSize(), 16);
    QVERIFY(font.bold());
    // The face a machine has is kept.
    stored.faceName = CjkMonospaceFamily();
    QCOMPARE(FontFromLogFont(stored).families().value(0), stored.faceName);
}

void TestMainFrame::linePaneCountsDisplayRows()
{
    FrameFixture f;
    auto frame = MakeFrame(f, true);
    frame->resize(500, 400);
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    COrrindaleView *view = frame->GetActiveView();
    view->setPlainText(QString(400, QLatin1Char('x')) + QStringLiteral("\nsecond"));
    QTextCursor c = view->textCursor();
    c.setPosition(399);
    view->setTextCursor(c);
    frame->UpdateStatusPanes();
    // The long first line wraps, so the caret at its end stands on a later display line.
    const int wrappedLine = frame->LinePane()->text().section(QLatin1Char('.'), 0, 0).toInt();
    QVERIFY2(wrappedLine > 1, qPrintable(frame->LinePane()->text()));
    QVERIFY(frame->LinePane()->text().endsWith(QStringLiteral("[ 399 char's]")));
    view->SetWordWrap(false, true);
    frame->UpdateStatusPanes();
    QVERIFY2(frame->LinePane()->text().startsWith(QStringLiteral(" 1. ")),
             qPrintable(frame->LinePane()->text()));
    c.setPosition(403); // "sec|ond"
    view->setTextCursor(c);
    frame->UpdateStatusPanes();
    QCOMPARE(frame->LinePane()->text(), QStringLiteral(" 2. 2. [ 403 char's]"));
}

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
