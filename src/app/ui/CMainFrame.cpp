#include "app/ui/CMainFrame.h"

#include "app/CaretMemory.h"
#include "app/Launcher.h"
#include "app/Prompter.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/StatusTexts.h"
#include "app/TeXFile.h"
#include "app/TextFile.h"
#include "app/ui/AppContext.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CPaneSplitter.h"
#include "app/ui/CommandRouter.h"
#include "app/ui/HelpMenuCommands.h"
#include "app/ui/LockKeyPanes.h"
#include "app/ui/MenuBuilder.h"
#include "app/ui/PaneCommands.h"
#include "app/ui/RecoveryController.h"
#include "calc/ui/CalcCommands.h"
#include "calc/ui/HtmlExportCommands.h"
#include "calc/ui/TableEditCommands.h"
#include "input/ui/InputCommands.h"
#include "preview/ui/PreviewCommands.h"
#include "res/Messages.h"
#include "toolchain/ui/ViewToolchain.h"
#include "view/ui/EditingCommands.h"
#include "view/ui/FindReplaceBars.h"
#include "view/ui/FindReplaceController.h"
#include "view/ui/ViewCommands.h"
#include "view/ui/ViewPrinter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolBar>

CMainFrame::CMainFrame(AppContext &context, QWidget *parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_bEnglish(ReadSetting(*context.store, Keys::English))
    , m_strExePath(context.programPath)
{
    PruneCaretMemoryToRecentFiles(*context.store);

    setGeometry(InitialWindowRect(context.switches, Metrics(), *context.store));

    m_pRouter = new CommandRouter(this);
    m_pDoc = new COrrindaleDoc(context, this);
    m_pRecovery = new CRecoveryController(*m_pDoc, context, this);
    m_pSplitter = new QSplitter(this);
    setCentralWidget(m_pSplitter);
    m_pPanes = new CPaneSplitter(
        context, m_pSplitter, m_pDoc, [this] { return CreatePane(); }, this);
    COrrindaleView *first = m_pPanes->CreateFirstPane();
    m_pRouter->SetViewProvider([this] { return GetActiveView(); });

    CreateBars();
    RegisterCommands();
    // Panes made later by the split commands get the same accelerators.
    m_accelerators = InstallAccelerators(this, m_bEnglish, *m_pRouter);
    first->SetAccelerators(m_pRouter, m_accelerators);

    connect(m_pDoc, &COrrindaleDoc::TitleChanged, this, &CMainFrame::UpdateTitle);
    connect(m_pDoc, &COrrindaleDoc::ModifiedChanged, m_pRouter, &CommandRouter::ScheduleRefresh);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s == Qt::ApplicationActive && !isMinimized())
            CheckFileChanged();
    });
    setAcceptDrops(true);
    UpdateTitle();
    m_pRouter->RefreshActions();
}

CMainFrame::~CMainFrame() = default;

ScreenMetrics CMainFrame::Metrics() const
{
    ScreenMetrics m;
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(1280, 1024);
    m.screenWidth = size.width();
    m.screenHeight = size.height();
    m.captionHeight = std::max(18, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    m.minTrackWidth = 112; // the smallest window the platform lets a person make
    m.minTrackHeight = m.captionHeight;
    return m;
}

COrrindaleView *CMainFrame::GetActiveView() const
{
    return m_pPanes->ActivePane();
}

COrrindaleView *CMainFrame::CreatePane()
{
    auto *view = new COrrindaleView(m_context, m_pDoc);
    view->SetAccelerators(m_pRouter, m_accelerators);
    view->setOverwriteMode(!m_bInsertMode);
    connect(view, &COrrindaleView::LogLineShown, this, [this] { m_bLogJump = true; });
    connect(view, &QPlainTextEdit::cursorPositionChanged, this, &CMainFrame::UpdateStatusPanes);
    connect(view, &QPlainTextEdit::textChanged, this, &CMainFrame::UpdateStatusPanes);
    connect(view, &QPlainTextEdit::cursorPositionChanged, m_pRouter,
            &CommandRouter::ScheduleRefresh);
    connect(view, &COrrindaleView::FocusGained, this, &CMainFrame::UpdateStatusPanes);
    // A new layout moves the caret's row without moving the caret; the layout is done once
    // the event that changed it is over.
    connect(view, &COrrindaleView::Relaid, this, &CMainFrame::UpdateStatusPanes,
            Qt::QueuedConnection);
    return view;
}

void CMainFrame::CreateBars()
{
    const bool english = m_bEnglish;
    BuildMenuBar(menuBar(), english, *m_pRouter);
    // The recent-file list replaces its placeholder item each time the menu opens.
    for (QAction *top : menuBar()->actions()) {
        QMenu *menu = top->menu();
        if (!menu)
            continue;
        for (QAction *a : menu->actions()) {
            if (ActionId(a) == RecentFileFirstId) {
                m_pRecentMenu = menu;
                m_pRecentPlaceholder = a;
            }
        }
    }
    if (m_pRecentMenu)
        connect(m_pRecentMenu, &QMenu::aboutToShow, this, &CMainFrame::RebuildRecentMenu);

    m_pMainToolBar = new QToolBar(QStringLiteral("Main"), this);
    m_pMainToolBar->setObjectName(QStringLiteral("0xE800"));
    m_pMainToolBar->setMovable(false);
    m_pMainToolBar->setIconSize(QSize(16, 16));
    FillToolbar(m_pMainToolBar, ToolbarResource::Main, english, *m_pRouter);
    addToolBar(Qt::TopToolBarArea, m_pMainToolBar);

    m_pTeXBar = new QToolBar(QStringLiteral("TeX"), this);
    m_pTeXBar->setObjectName(QStringLiteral("106"));
    m_pTeXBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_pTeXBar->setIconSize(QSize(16, 16));
    m_pTeXBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    FillToolbar(m_pTeXBar, ToolbarResource::TeX, english, *m_pRouter);
    addToolBar(Qt::LeftToolBarArea, m_pTeXBar);

    // Status bar: message pane, line pane, size pane, CAP, NUM, OVR.
    auto pane = [this](const QString &sizing) {
        auto *label = new QLabel(this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(sizing));
        statusBar()->addPermanentWidget(label);
        return label;
    };
    m_pLinePane = pane(QStringLiteral("Line No., Column No. and Characters No. "));
    m_pLinePane->setObjectName(QStringLiteral("59143"));
    m_pSizePane = pane(QStringLiteral("All bites No. "));
    m_pSizePane->setObjectName(QStringLiteral("59145"));
    // The lock keys: greyed while off, hidden where the platform cannot tell their state.
    m_pCapPane = pane(QStringLiteral("CAP"));
    m_pCapPane->setText(QStringLiteral("CAP"));
    m_pCapPane->setObjectName(QStringLiteral("59137"));
    m_pNumPane = pane(QStringLiteral("NUM"));
    m_pNumPane->setText(QStringLiteral("NUM"));
    m_pNumPane->setObjectName(QStringLiteral("59138"));
    new CLockKeyPanes(m_pCapPane, m_pNumPane, this);
    m_pInsertPane = pane(QStringLiteral(" INS "));
    m_pInsertPane->setObjectName(QStringLiteral("59140"));

    // Find and replace bars: docked at the top, movable to the bottom, hidden until asked for.
    m_pFindBar = new CFindBar(english, this);
    m_pReplaceBar = new CReplaceBar(english, this);
    m_pFindBarHost = new QToolBar(QStringLiteral("Find"), this);
    m_pFindBarHost->setObjectName(QStringLiteral("107"));
    m_pReplaceBarHost = new QToolBar(QStringLiteral("Replace"), this);
    m_pReplaceBarHost->setObjectName(QStringLiteral("108"));
    for (QToolBar *host : {m_pFindBarHost, m_pReplaceBarHost}) {
        host->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
        addToolBarBreak(Qt::TopToolBarArea);
        addToolBar(Qt::TopToolBarArea, host);
    }
    m_pFindBarHost->addWidget(m_pFindBar);
    m_pReplaceBarHost->addWidget(m_pReplaceBar);
    m_pFindBarHost->hide();
    m_pReplaceBarHost->hide();
    FillHistories();

    if (m_context.switches.viewer) {
        m_pTeXBar->hide();
        statusBar()->hide();
        m_pMainToolBar->hide();
        menuBar()->hide();
        menuBar()->setNativeMenuBar(false);
        m_bTeXBarShown = 0;
    }
}

void CMainFrame::FillHistories()
{
    SettingsStore &store = *m_context.store;
    for (int i = 0; i < Keys::HistoryMax; ++i) {
        const QString text = store.GetString(SectionName(Sections::Find), HistoryKey(i));
        if (text.isEmpty())
            break;
        m_pFindBar->m_pSearch->insertItem(i, text);
        m_pReplaceBar->m_pSearch->insertItem(i, text);
    }
    for (int i = 0; i < Keys::HistoryMax; ++i) {
        const QString text = store.GetString(SectionName(Sections::Replace), HistoryKey(i));
        if (text.isEmpty())
            break;
        m_pReplaceBar->m_pReplacement->insertItem(i, text);
    }
    for (QComboBox *combo :
         {m_pFindBar->m_pSearch, m_pReplaceBar->m_pSearch, m_pReplaceBar->m_pReplacement})
        combo->setCurrentIndex(-1);
}

void CMainFrame::StoreHistories()
{
    SettingsStore &store = *m_context.store;
    for (int i = 0; i < m_pFindBar->m_pSearch->count(); ++i)
        store.WriteString(SectionName(Sections::Find), HistoryKey(i),
                          m_pFindBar->m_pSearch->itemText(i));
    for (int i = 0; i < m_pReplaceBar->m_pReplacement->count(); ++i)
        store.WriteString(SectionName(Sections::Replace), HistoryKey(i),
                          m_pReplaceBar->m_pReplacement->itemText(i));
}

void CMainFrame::RegisterCommands()
{
    CommandRouter &r = *m_pRouter;
    const auto checked = [](bool on) { return CommandState{true, on}; };

    r.SetHandler(Cmd::FileNew, [this] { OnFileNew(); });
    r.SetHandler(Cmd::FileOpen, [this] { OnFileOpen(); });
    r.SetHandler(Cmd::NewWindow, [this] { OnNewWindow(); });
    r.SetHandler(Cmd::OpenWindow, [this] { OnOpenWindow(); });
    r.SetHandler(
        Cmd::FileSave,
        [this] {
            m_bTeXBarDecided = 0;
            if (m_bEnglish)
                m_pDoc->SaveEnglish();
            else
                m_pDoc->DoFileSave();
        },
        [this] {
            // The English Save is greyed while there is nothing to save.
            return CommandState{!m_bEnglish || m_pDoc->IsModified(), false};
        });
    r.SetHandler(Cmd::FileSaveAs, [this] {
        m_bTeXBarDecided = 0;
        m_pDoc->DoSaveAs();
    });
    r.SetHandler(Cmd::AppExit, [this] { close(); });
    r.SetHandler(Cmd::SwitchLanguage, [this] {
        m_context.appEnglish = m_context.appEnglish ? 0 : 1;
        WriteSetting(*m_context.store, Keys::English, m_context.appEnglish);
        // Nothing else changes before the next start; the user is told so.
        statusBar()->showMessage(MsgText(m_context.appEnglish ? Msg::LanguageNextStartEnglish
                                                              : Msg::LanguageNextStartJapanese,
                                         m_bEnglish));
    });
    r.SetHandler(
        Cmd::TeXBar, [this] { OnTeXBar(); },
        [this, checked] { return checked(m_pTeXBar->isVisible()); });
    r.SetHandler(Cmd::RestoreWindow, [this] { OnRestoreWindow(); });
    r.SetHandler(Cmd::SetWindow, [this] { OnSetWindow(); });
    r.SetHandler(Cmd::InsertMode, [this] { OnInsertMode(); });
    r.SetHandler(
        Cmd::BackupMode, [this] { m_pDoc->ToggleBackupMode(); },
        [this, checked] { return checked(m_pDoc->BackupMode()); });
    r.SetViewHandler(
        Cmd::DeleteBackup, [](COrrindaleView &v) { v.OnDeleteBackup(); },
        [](const COrrindaleView &v) {
            const QString dir = v.Files().edited.dir;
            return CommandState{!dir.isEmpty() && FolderHasBackups(dir), false};
        });
    r.SetViewHandler(Cmd::Font, [](COrrindaleView &v) { v.OnFont(); });
    r.SetViewHandler(Cmd::SelectAll, [](COrrindaleView &v) { v.selectAll(); });
    RegisterPaneCommands(*m_pPanes, m_context, r);
    RegisterToolchainCommands(r, m_context, InstallPreview(*this, m_context, r));
    RegisterViewCommands(r, m_context);
    RegisterEditingCommands(r, m_context, new CFindReplaceController(*this));
    RegisterCalcCommands(r, m_context);
    RegisterTableEditCommands(r, m_context);
    RegisterHtmlExportCommands(r, m_context);
    RegisterInputCommands(r, m_context, [this] { UpdateStatusPanes(); });
    RegisterHelpCommands(*this, m_context, r);
    CViewPrinter *printer = RegisterPrintCommands(*this, r, m_context);
    connect(printer, &CViewPrinter::PreviewShown, this, &CMainFrame::SetPreviewMode);
}

void CMainFrame::UpdateTitle()
{
    setWindowTitle(QStringLiteral("%1 - %2").arg(m_pDoc->Title(), QString::fromLatin1(AppCaption)));
}

QString CMainFrame::OpenFilter() const
{
    const QFileInfo current(m_pDoc->PathName());
    const QString ext =
        current.suffix().isEmpty() ? QString() : QLatin1Char('.') + current.suffix();
    if (IsTeXExtension(ext) || !m_strTeXFile.isEmpty())
        return QStringLiteral(
            "TeX files (*.tex)|*.tex|TeX/Text files (*.tex;*.txt)|*.tex;*.txt|Log/MME/Backup "
            "files (*log;*.mme;*.bak)|*log;*.mme;*.bak|Zel files (*.zel )|*.zel|All files "
            "(*.*)|*.*||");
    if (ext == QLatin1String(".ZEL") || ext == QLatin1String(".zel"))
        return QStringLiteral(
            "Zel files (*.zel )|*.zel|TeX/Text files (*.tex;*.txt)|*.tex;*.txt|Log/MME/Backup "
            "files (*.log;*.mme;*.bak)|*.log;*.mme;*.bak|All files (*.*)|*.*||");
    return QStringLiteral(
        "Text/TeX/Log/MME/Backup/Zel files "
        "(*.txt;*.tex;*.log;*.mme;*.bak;*.zel)|*.txt;*.tex;*.log;*.mme;*.bak;*.zel|All files "
        "(*.*)|*.*||");
}

bool CMainFrame::OpenDocumentFile(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!m_pDoc->OnOpenDocument(absolute))
        return false;
    // Every file opened gets its own TeX-bar decision at the next status update.
    m_bTeXBarDecided = 0;
    GetActiveView()->OnInitialUpdate();
    UpdateStatusPanes();
    m_pRecovery->OfferCopies(absolute);
    return true;
}

void CMainFrame::NewDocument(const QString &path)
{
    m_pDoc->OnNewDocument(path);
    m_bTeXBarDecided = 0;
    GetActiveView()->OnInitialUpdate();
    UpdateStatusPanes();
    m_pRecovery->OfferCopies(path); // untitled: what untitled windows that died left
}

void CMainFrame::OnFileNew()
{
    if (!m_pDoc->SaveModified())
        return;
    StoreCaret();
    m_pPanes->Unsplit();
    m_bTeXBarDecided = 0;
    m_pDoc->OnNewDocument();
    m_pDoc->UpdateAllViews(Hint::NewFile);
}

void CMainFrame::OnFileOpen()
{
    const QFileInfo current(m_pDoc->PathName());
    m_strExt = current.suffix().isEmpty() ? QString() : QLatin1Char('.') + current.suffix();
    const QString path = m_context.prompter->OpenFileName(OpenFilter(), current.absolutePath());
    if (path.isEmpty())
        return;
    m_strExt = QFileInfo(path).suffix();
    if (!m_pDoc->SaveModified())
        return;
    if (m_pDoc->IsModified())
        m_pDoc->SetModifiedFlag(false); // the user chose to discard the changes
    else
        StoreCaret();
    m_pPanes->Unsplit();
    m_strPrevTeXFile = m_strTeXFile;
    m_strTeXFile = m_context.store->GetString(SectionName(Sections::TeXFile),
                                              QFileInfo(path).absoluteFilePath());
    ShowTeXBar(m_strExt == QLatin1String("tex") || m_strExt == QLatin1String("TEX")
               || !m_strTeXFile.isEmpty());
    OpenDocumentFile(path);
}

void CMainFrame::RebuildRecentMenu()
{
    const QStringList files = RecentFiles(*m_context.store);
    for (QAction *a : m_pRecentMenu->actions()) {
        if (a != m_pRecentPlaceholder) {
            m_pRecentMenu->removeAction(a);
            a->deleteLater();
        }
    }
    m_pRecentPlaceholder->setVisible(files.isEmpty());
    m_pRecentPlaceholder->setEnabled(false);
    for (int i = 0; i < files.size(); ++i) {
        // Long paths are shortened in the middle to 30 characters, as the list shows them.
        QString shown = files[i];
        if (shown.size() > 30)
            shown = shown.left(3) + QStringLiteral("...") + shown.right(24);
        auto *action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), m_pRecentMenu);
        action->setStatusTip(StatusTipOf(RecentFileFirstId, m_bEnglish));
        connect(action, &QAction::triggered, this, [this, i] { OnRecentFile(i); });
        m_pRecentMenu->addAction(action);
    }
}

void CMainFrame::OnRecentFile(int index)
{
    const QStringList files = RecentFiles(*m_context.store);
    if (index < 0 || index >= files.size())
        return;
    if (!m_pDoc->SaveModified())
        return; // the recent file is not opened
    if (m_pDoc->IsModified())
        m_pDoc->SetModifiedFlag(false);
    else
        StoreCaret();
    m_pPanes->Unsplit();
    m_bTeXBarDecided = 0;
    OpenDocumentFile(files[index]);
}

void CMainFrame::OnNewWindow()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool started =
        m_context.launcher->StartDetached(m_strExePath, {QStringLiteral("-w1")}, QString());
    QApplication::restoreOverrideCursor();
    if (!started)
        m_context.prompter->Notice(MsgText(Msg::NewWindowFailed, m_bEnglish));
}

void CMainFrame::OnOpenWindow()
{
    const QString path = m_context.prompter->OpenFileName(
        OpenFilter(), QFileInfo(m_pDoc->PathName()).absolutePath());
    if (path.isEmpty())
        return;
    const QFileInfo chosen(path);
    // The name goes as one argument, so names with spaces reach the new window whole.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool started = m_context.launcher->StartDetached(
        m_strExePath, {QStringLiteral("-w1"), chosen.fileName()}, chosen.absolutePath());
    QApplication::restoreOverrideCursor();
    if (!started)
        m_context.prompter->Notice(MsgText(Msg::OpenWindowFailed, m_bEnglish));
}

void CMainFrame::ShowTeXBar(bool show)
{
    if (show == (m_bTeXBarShown != 0))
        return;
    m_pTeXBar->setVisible(show);
    m_bTeXBarShown = show ? 1 : 0;
}

void CMainFrame::OnTeXBar()
{
    m_bTeXBarShown = m_bTeXBarShown ? 0 : 1;
    m_pTeXBar->setVisible(m_bTeXBarShown);
}

void CMainFrame::OnRestoreWindow()
{
    if (isMaximized())
        showNormal();
    setGeometry(RestoredWindowRect(Metrics(), *m_context.store));
}

void CMainFrame::OnSetWindow()
{
    const MsgAnswer answer =
        m_context.prompter->Ask(MsgText(Msg::SetWindowQuestion, m_bEnglish), MsgButtons::OkCancel);
    if (answer != MsgAnswer::Ok) {
        StoreDefaultRestoredRect(*m_context.store, Metrics());
        return;
    }
    if (!StoreRestoredRect(*m_context.store, geometry(), Metrics()))
        m_context.prompter->Notice(MsgText(Msg::WindowTooSmall, m_bEnglish));
}

void CMainFrame::OnInsertMode()
{
    m_bInsertMode = !m_bInsertMode;
    for (COrrindaleView *view : m_pSplitter->findChildren<COrrindaleView *>())
        view->setOverwriteMode(!m_bInsertMode);
    UpdateStatusPanes();
}

void CMainFrame::StoreCaret()
{
    const QString path = m_pDoc->PathName();
    if (path.isEmpty())
        return;
    COrrindaleView *view = GetActiveView();
    int caret = view->SelectionStart();
    if (m_pPanes->PaneCount() > 1 && view == m_pPanes->Pane(0) && view->isReadOnly()) {
        // The log pane has no caret of this file: the editor's first visible line stands in.
        view = m_pPanes->Pane(1);
        m_pPanes->SetActivePane(view);
        caret = view->document()->findBlockByNumber(view->FirstVisibleLine()).position();
    }
    StoreCaretMemory(*m_context.store, path, caret, view->FirstVisibleLine());
}

void CMainFrame::SetPreviewMode(bool on)
{
    m_bPreview = on ? 1 : 0;
    UpdateStatusPanes();
}

void CMainFrame::CheckFileChanged()
{
    // Activation and a change of window state can both arrive while the question is up.
    if (m_bCheckingFile)
        return;
    const QScopedValueRollback<bool> guard(m_bCheckingFile, true);
    const QString path = m_pDoc->PathName();
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    const qint64 onDisk = FileTimeOf(path);
    if (m_pDoc->FileTime() >= onDisk)
        return;
    const MsgAnswer answer = m_context.prompter->Ask(MsgText(Msg::FileChangedQuestion, m_bEnglish),
                                                     MsgButtons::YesNo, MsgIcon::Exclamation);
    if (answer != MsgAnswer::Yes)
        return; // nothing recorded: the question comes again next time
    m_pDoc->SetFileTime(onDisk);
    if (m_pDoc->OnOpenDocument(path))
        m_pDoc->UpdateAllViews(Hint::Reloaded);
}

void CMainFrame::DecideTeXBar()
{
    const QString path = m_pDoc->PathName();
    m_strTeXFile = m_context.store->GetString(SectionName(Sections::TeXFile), path);
    if (m_bTeXBarDecided || m_context.switches.viewer)
        return;
    const QFileInfo info(path);
    const QString ext = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    ShowTeXBar(IsTeXExtension(ext) || !m_strTeXFile.isEmpty());
    m_bTeXBarDecided = 1;
}

void CMainFrame::UpdateStatusPanes()
{
    COrrindaleView *view = GetActiveView();
    m_pInsertPane->setText(InsertPaneText(m_bInsertMode, m_bEnglish));
    if (m_bPreview) {
        m_pLinePane->setText(MsgText(Msg::StatusPreview, m_bEnglish));
        return;
    }
    if (view->isReadOnly()) {
        if (m_bLogJump) {
            m_bLogJump = false;
            DecideTeXBar();
        }
        return;
    }
    m_pSizePane->setText(SizePaneText(view->document()->characterCount() - 1, m_bEnglish));
    // Lines and columns are those of the display, as the edit control counts them: with word
    // wrap a long line is several lines here.
    // Asking for the caret's place lays its line out first when a new layout is pending.
    const QRect caret = view->cursorRect(view->textCursor());
    const int s = view->textCursor().selectionStart();
    const QTextBlock block = view->document()->findBlock(s);
    int row = block.firstLineNumber();
    int rowStart = block.position();
    if (const QTextLayout *layout = block.layout(); layout && layout->lineCount() > 0) {
        const QTextLine line = layout->lineForTextPosition(s - block.position());
        if (line.isValid()) {
            row += line.lineNumber();
            rowStart += line.textStart();
        }
    }
    const QRect client = view->viewport()->rect();
    // The column and offset follow the caret only while it is visible.
    if (caret.x() >= 0 && caret.x() < client.right() && caret.y() + 2 >= 1
        && caret.y() + 2 < client.bottom()) {
        m_nLastCol = s - rowStart;
        m_nLastCharPos = s;
    }
    // The Japanese pane counts the characters up to the selection start wherever it is.
    m_pLinePane->setText(
        LinePaneText(row, m_nLastCol, m_bEnglish ? m_nLastCharPos : s, m_bEnglish));
    DecideTeXBar();
}

void CMainFrame::closeEvent(QCloseEvent *e)
{
    if (!m_bPreview) {
        StoreCaret();
        StoreHistories();
        const QRect r = isMinimized() ? QRect() : geometry();
        StoreWindowRect(*m_context.store, r, Metrics());
    }
    if (!m_pDoc->SaveModified()) {
        e->ignore();
        return;
    }
    e->accept();
}

void CMainFrame::changeEvent(QEvent *e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && !isMinimized())
        CheckFileChanged();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent *e)
{
    const QList<QUrl> urls = e->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    if (!m_pDoc->SaveModified())
        return;
    if (m_pDoc->IsModified())
        m_pDoc->SetModifiedFlag(false);
    else
        StoreCaret();
    m_pPanes->Unsplit();
    m_bTeXBarDecided = 0;
    OpenDocumentFile(urls.first().toLocalFile());
    e->acceptProposedAction();
}
