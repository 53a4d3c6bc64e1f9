#include "view/ui/FindReplaceController.h"

#include "app/AppSettings.h"
#include "app/SettingsKeys.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "view/FindReplace.h"
#include "view/ui/FindReplaceBars.h"
#include "view/ui/UndoController.h"
#include "view/ui/ViewNavigator.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolBar>

namespace {
QString SelectedText(const COrrindaleView *view)
{
    return view->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}
} // namespace

void PutOnTopOfHistory(QComboBox *combo, const QString &text, bool matchCase)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    combo->clear();
    combo->addItems(AddToHistory(items, text, matchCase, Keys::HistoryMax));
    combo->setCurrentIndex(0);
}

CFindReplaceController::CFindReplaceController(CMainFrame &frame)
    : QObject(&frame)
    , m_frame(frame)
{
    CFindBar *find = frame.FindBar();
    CReplaceBar *replace = frame.ReplaceBar();
    connect(find->m_pNext, &QPushButton::clicked, this, [this] { Next(true); });
    connect(find->m_pPrev, &QPushButton::clicked, this, [this] { Next(false); });
    connect(replace->m_pFindNext, &QPushButton::clicked, this, [this] { Next(true); });
    connect(replace->m_pFindPrev, &QPushButton::clicked, this, [this] { Next(false); });
    connect(replace->m_pReplace, &QPushButton::clicked, this, &CFindReplaceController::Replace);
    connect(replace->m_pReplaceAll, &QPushButton::clicked, this,
            &CFindReplaceController::ReplaceAll);
    for (QPushButton *b : {find->m_pRecord, replace->m_pRecord})
        connect(b, &QPushButton::clicked, this, &CFindReplaceController::RecordPosition);
    for (QPushButton *b : {find->m_pBackToStart, replace->m_pBackToStart})
        connect(b, &QPushButton::clicked, this, &CFindReplaceController::BackToStart);
    for (QPushButton *b : {find->m_pClose, replace->m_pClose})
        connect(b, &QPushButton::clicked, this, &CFindReplaceController::CloseBar);
    // The replace bar's undo buttons are the Undo commands.
    const auto run = [this](Cmd cmd) {
        m_frame.Router()->Execute(IdOf(cmd, View()->Settings().English() != 0));
    };
    connect(replace->m_pUndo, &QPushButton::clicked, this, [run] { run(Cmd::Undo); });
    connect(replace->m_pUndoForward, &QPushButton::clicked, this, [run] { run(Cmd::UndoForward); });
    // Enter in a search box searches on; in the replacement box it replaces. The keys come to
    // the box itself, which has the focus for its line edit and passes them on directly.
    for (QComboBox *combo : {find->m_pSearch, replace->m_pSearch, replace->m_pReplacement}) {
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
    }
    // The undo buttons are greyed exactly when their commands are. A change of the text is
    // looked at once every pane has had it: the snapshot may be taken by a pane that hears of
    // the change after this does.
    connect(frame.GetDocument()->TextDocument(), &QTextDocument::contentsChanged, this,
            &CFindReplaceController::RefreshUndoButtons, Qt::QueuedConnection);
    connect(frame.Router(), &CommandRouter::CommandExecuted, this,
            &CFindReplaceController::RefreshUndoButtons);
    connect(frame.ReplaceBarHost(), &QToolBar::visibilityChanged, this,
            &CFindReplaceController::RefreshUndoButtons);
    // A bar hidden another way (the window's toolbar menu) counts as closed.
    for (QToolBar *host : {frame.FindBarHost(), frame.ReplaceBarHost()})
        connect(host, &QToolBar::visibilityChanged, this, [this] {
            if (Host(1)->isHidden() && Host(2)->isHidden())
                m_nBarMode = 0;
        });
    // Choosing from a list leads on to the next thing to fill in or press.
    connect(find->m_pSearch, &QComboBox::activated, find->m_pNext,
            [find] { find->m_pNext->setFocus(); });
    connect(replace->m_pSearch, &QComboBox::activated, replace->m_pReplacement,
            [replace] { replace->m_pReplacement->setFocus(); });
    connect(replace->m_pReplacement, &QComboBox::activated, replace->m_pFindNext,
            [replace] { replace->m_pFindNext->setFocus(); });
}

void CFindReplaceController::RefreshUndoButtons()
{
    CReplaceBar *bar = m_frame.ReplaceBar();
    bar->m_pUndo->setEnabled(m_frame.Router()->StateOf(Cmd::Undo).enabled);
    bar->m_pUndoForward->setEnabled(m_frame.Router()->StateOf(Cmd::UndoForward).enabled);
}

bool CFindReplaceController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return QObject::eventFilter(watched, event);
    QComboBox *replacement = m_frame.ReplaceBar()->m_pReplacement;
    if (watched == replacement || watched == replacement->lineEdit())
        Replace();
    else
        Next(m_bForward);
    return true; // the key is used up here, not passed on to the box or the bar
}

COrrindaleView *CFindReplaceController::View() const
{
    return m_frame.Router()->ActiveView();
}

QToolBar *CFindReplaceController::Host(int mode) const
{
    return mode == 1 ? m_frame.FindBarHost() : m_frame.ReplaceBarHost();
}

void CFindReplaceController::OpenBar(int mode)
{
    QToolBar *other = Host(mode == 1 ? 2 : 1);
    QToolBar *wanted = Host(mode);
    if (!other->isHidden())
        other->hide();
    wanted->setVisible(wanted->isHidden());
    COrrindaleView *view = View();
    if (wanted->isHidden()) {
        m_nBarMode = 0;
        view->setFocus();
        return;
    }
    m_nBarMode = mode;
    // The recorded first line stays as it was; only the selection is taken anew.
    const QTextCursor c = view->textCursor();
    m_nRecordedStart = c.selectionStart();
    m_nRecordedEnd = c.selectionEnd();
    const QString selected = SelectedText(view);
    QComboBox *combo = mode == 1 ? m_frame.FindBar()->m_pSearch : m_frame.ReplaceBar()->m_pSearch;
    if (!selected.isEmpty()) {
        combo->setEditText(selected);
        if (mode == 1)
            m_frame.FindBar()->m_pNext->setFocus();
        else
            m_frame.ReplaceBar()->m_pFindNext->setFocus();
    } else {
        // As the platform's combo boxes do on focus: typing replaces the last search text.
        combo->setFocus();
        combo->lineEdit()->selectAll();
    }
}

void CFindReplaceController::CloseBar()
{
    Host(1)->hide();
    Host(2)->hide();
    m_nBarMode = 0;
    View()->setFocus();
}

void CFindReplaceController::Next(bool forward)
{
    m_bForward = forward;
    m_nLastOperation = 1;
    Search(forward);
}

void CFindReplaceController::AddSearchHistory(const QString &text)
{
    PutOnTopOfHistory(m_frame.FindBar()->m_pSearch, text, false);
    PutOnTopOfHistory(m_frame.ReplaceBar()->m_pSearch, text, true);
}

void CFindReplaceController::Search(bool forward)
{
    if (m_nBarMode == 0)
        return;
    const bool findBar = m_nBarMode == 1;
    const QString text = findBar ? m_frame.FindBar()->m_pSearch->currentText()
                                 : m_frame.ReplaceBar()->m_pSearch->currentText();
    if (text.isEmpty())
        return;
    m_strSearch = text;
    const bool matchCase = findBar ? m_frame.FindBar()->m_pMatchCase->isChecked()
                                   : m_frame.ReplaceBar()->m_pMatchCase->isChecked();
    COrrindaleView *view = View();
    QTextCursor c = view->textCursor();
    const std::optional<TextMatch> match =
        FindInText(DocumentText(view->document()), text, c.selectionStart(), c.selectionEnd(),
                   forward, matchCase);
    if (match) {
        c.setPosition(match->start);
        c.setPosition(match->start + match->length, QTextCursor::KeepAnchor);
        view->setTextCursor(c);
        QScrollBar *bar = view->verticalScrollBar();
        // Rows as the widget lays them out: the glyph height of "M" would count too many.
        const int rowHeight = std::max(1, view->cursorRect().height());
        const int rows = std::max(1, view->viewport()->height() / rowHeight);
        const int caretRow = DisplayLineOf(*view, c.position());
        bar->setValue(bar->value() + MatchScrollLines(caretRow, bar->value(), rows));
        if (!m_frame.FindBar()->m_pContinuity->isChecked())
            view->setFocus();
    } else {
        // The next search starts again from the other end.
        QApplication::beep();
        c.movePosition(forward ? QTextCursor::Start : QTextCursor::End);
        view->setTextCursor(c);
        view->ensureCursorVisible();
    }
    AddSearchHistory(text);
}

bool CFindReplaceController::SelectSearchText(const QString &what)
{
    if (SelectedText(View()) == what)
        return true;
    Search(m_bForward);
    if (SelectedText(View()) == m_strSearch)
        return true;
    Search(m_bForward);
    return SelectedText(View()) == m_strSearch;
}

bool CFindReplaceController::TakeReplaceTexts()
{
    CReplaceBar *bar = m_frame.ReplaceBar();
    const QString what = m_strSearch.isEmpty() ? bar->m_pSearch->currentText() : m_strSearch;
    if (what.isEmpty())
        return false;
    m_strSearch = what;
    m_strReplacement = bar->m_pReplacement->currentText();
    return true;
}

void CFindReplaceController::Replace()
{
    if (!TakeReplaceTexts())
        return;
    const QString &what = m_strSearch;
    CReplaceBar *bar = m_frame.ReplaceBar();
    if (SelectSearchText(what) && m_strReplacement != m_strSearch) {
        COrrindaleView *view = View();
        QTextCursor c = view->textCursor();
        c.insertText(m_strReplacement);
        view->setTextCursor(c);
        Search(m_bForward);
    }
    if (!m_strReplacement.isEmpty())
        PutOnTopOfHistory(bar->m_pReplacement, m_strReplacement, true);
    m_nLastOperation = 2;
}

void CFindReplaceController::ReplaceAll()
{
    if (!TakeReplaceTexts())
        return;
    const QString &what = m_strSearch;
    CReplaceBar *bar = m_frame.ReplaceBar();
    COrrindaleView *view = View();
    const int caret = view->textCursor().position();
    const int top = view->FirstVisibleLine();
    if (SelectSearchText(what) && m_strReplacement != m_strSearch) {
        QTextDocument *doc = view->document();
        const QString text = DocumentText(doc);
        const ReplaceAllResult result = ReplaceAllInText(text, m_strSearch, m_strReplacement);
        // One snapshot for the whole replacement, recorded through the update hint.
        {
            CUndoGroup group(view, CUndoGroup::End::CallerRecords);
            ReplaceDocumentText(doc, text, result.text);
        }
        view->ScrollToLine(top);
        QTextCursor c = view->textCursor();
        c.setPosition(std::clamp(caret, 0, doc->characterCount() - 1));
        view->setTextCursor(c);
        view->ensureCursorVisible();
        view->GetDocument()->UpdateAllViews(Hint::ReplaceAll);
        RefreshUndoButtons();
    }
    if (!m_strReplacement.isEmpty())
        PutOnTopOfHistory(bar->m_pReplacement, m_strReplacement, true);
    m_nLastOperation = 2;
}

void CFindReplaceController::OnRepeat()
{
    if (m_nLastOperation == 1) {
        OpenBar(1);
        Search(m_bForward);
    } else if (m_nLastOperation == 2) {
        OpenBar(2);
        Replace();
    }
}

void CFindReplaceController::RecordPosition()
{
    COrrindaleView *view = View();
    const QTextCursor c = view->textCursor();
    m_nRecordedStart = c.selectionStart();
    m_nRecordedEnd = c.selectionEnd();
    m_nRecordedTop = view->FirstVisibleLine();
}

void CFindReplaceController::BackToStart()
{
    COrrindaleView *view = View();
    view->setFocus();
    view->ScrollToLine(m_nRecordedTop);
    const int last = view->document()->characterCount() - 1;
    QTextCursor c = view->textCursor();
    c.setPosition(std::clamp(m_nRecordedStart, 0, last));
    c.setPosition(std::clamp(m_nRecordedEnd, 0, last), QTextCursor::KeepAnchor);
    view->setTextCursor(c);
    view->ensureCursorVisible();
}
