#include "input/ui/CompletionController.h"

#include "app/AppSettings.h"
#include "app/SettingsKeys.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/StatusMessage.h"
#include "input/CommandList.h"
#include "input/Completion.h"
#include "input/ui/CompletionPopup.h"
#include "res/Messages.h"
#include "view/ui/UndoController.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>

namespace {
bool IsAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
           || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool IsEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The character a key types into the editor; a null QChar for keys that type nothing (Shift,
// arrows, Ctrl+letter commands).
QChar TypedCharacter(const QKeyEvent *e)
{
    const Qt::KeyboardModifiers m = e->modifiers() & ~Qt::KeypadModifier;
    if (m == Qt::ControlModifier || m == (Qt::ControlModifier | Qt::ShiftModifier))
        return {};
    const QString text = e->text();
    if (text.size() != 1 || !text.at(0).isPrint())
        return {};
    return text.at(0);
}
} // namespace

CCompletionController::CCompletionController(COrrindaleView *view, SettingsStore &store)
    : QObject(view)
    , m_pView(view)
    , m_store(store)
{
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
}

CCompletionController::~CCompletionController()
{
    delete m_pPopup.data();
}

int CCompletionController::Caret() const
{
    return m_pView->textCursor().position();
}

QString CCompletionController::TextBetween(int from, int to) const
{
    QTextCursor c(m_pView->document());
    const int last = m_pView->document()->characterCount() - 1;
    c.setPosition(std::clamp(from, 0, last));
    c.setPosition(std::clamp(to, 0, last), QTextCursor::KeepAnchor);
    return c.selectedText();
}

int CCompletionController::WordEnd() const
{
    // The typed name never runs past its line, so the line is all that needs looking at.
    const QTextBlock block = m_pView->document()->findBlock(m_nWordStart);
    if (!block.isValid())
        return m_nWordStart;
    return block.position() + TypedWordEnd(block.text(), m_nWordStart - block.position());
}

void CCompletionController::Disarm()
{
    ClosePopup();
    m_bArmed = false;
    m_nBraceAt = -1;
}

bool CCompletionController::KeyPress(QKeyEvent *e)
{
    if (!m_pView->Options().inputSupport || m_pView->isReadOnly() || m_bComposing)
        return false;
    const int key = e->key();
    const QChar typed = TypedCharacter(e);

    if (typed == QLatin1Char('\\')) {
        ClosePopup();
        m_bArmed = true;
        // The list's window is made now, while the next letter is still to come.
        EnsurePopup();
        return false;
    }
    // A "{" typed right after a chosen name that ends in one is already there.
    const int braceAt = std::exchange(m_nBraceAt, -1);
    if (typed == QLatin1Char('{') && braceAt == Caret() && !m_pView->textCursor().hasSelection()
        && m_pView->document()->characterAt(braceAt - 1) == QLatin1Char('{'))
        return true;
    if (IsEnter(key) && m_bPopupOpen) {
        // What was typed is the range, unless the text changed under the list in ways its keys
        // do not follow (undo, paste, an input method), and anything typed past it.
        const QListWidgetItem *selected = m_pPopup->currentItem();
        const QString word = TextBetween(m_nRangeStart, std::max(m_nRangeEnd, Caret()));
        if (selected && TextBetween(m_nRangeStart, m_nRangeEnd) == m_strRangeText
            && EnterTakesName(word, selected->text())) {
            InsertSelected();
            return true; // the Enter makes no new line
        }
        Disarm();
        return false; // a miss: the Enter breaks the line as it does without the list
    }
    if (key == Qt::Key_Tab && m_bPopupOpen) {
        InsertSelected(); // Tab chooses even after a miss
        return true;
    }

    bool opened = false;
    if (m_bArmed) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z && IsAsciiLetter(typed)) {
            // The letter's case follows Shift and CapsLock, as the typed text does.
            m_nWordStart = Caret();
            m_bArmed = false;
            OpenPopup(QString(typed));
            opened = true;
        } else if (key == Qt::Key_Right) {
            m_nWordStart = Caret();
            const QChar next = m_pView->document()->characterAt(m_nWordStart);
            if (IsAsciiLetter(next)) {
                m_bArmed = false;
                OpenPopup(QString(next), false);
                opened = true;
            }
        } else if (IsEnter(key) || key == Qt::Key_Backspace || key == Qt::Key_Left
                   || key == Qt::Key_Up || key == Qt::Key_Down || !typed.isNull()) {
            m_bArmed = false;
        }
    }
    if (!m_bPopupOpen || opened || IsEnter(key))
        return false;

    const int caret = Caret();
    const int delta = caret - m_nWordStart;
    m_nWordEnd = WordEnd();
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        m_pPopup->MoveSelection(key == Qt::Key_Down);
        return true; // the caret stays
    case Qt::Key_Right:
        if (delta >= 1 && caret < m_nWordEnd)
            Reselect(Move::Right);
        else
            Disarm(); // at the start of the name, or leaving it
        return false;
    case Qt::Key_Left:
        if (delta >= 2) {
            Reselect(Move::Back);
        } else {
            Disarm();
            m_bArmed = delta == 1; // back behind the backslash: the next letter reopens
        }
        return false;
    case Qt::Key_Backspace:
        m_nWordEnd -= 1;
        if (delta >= 2) {
            Reselect(Move::Back);
        } else {
            Disarm();
            m_bArmed = delta == 1;
        }
        return false;
    case Qt::Key_Home:
    case Qt::Key_End:
        Disarm(); // the caret leaves the typed name
        return false;
    default:
        break;
    }
    if (!typed.isNull() && delta >= 1) {
        if (m_nMissCount < 3) {
            Reselect(Move::Character, typed);
            m_nWordEnd += 1;
        } else {
            Disarm();
        }
    }
    return false;
}

void CCompletionController::OpenPopup(const QString &prefix, bool letterPending)
{
    const QString content = ReadCommandList(m_pView->Settings().CommandListPath());
    if (content.isEmpty())
        return;
    if (m_bPopupOpen) {
        ClosePopup();
        return;
    }
    const QString entries = CompletionEntries(content);
    CompletionNames found =
        FindCompletionNames(entries, prefix, m_pView->Settings().Input().minimum + 2);
    if (found.names.isEmpty()) {
        Disarm();
        return;
    }
    if (m_pView->Settings().Input().abc)
        SortNamesAbc(found.names);

    EnsurePopup();
    m_pPopup->setFont(m_pView->font());
    m_pPopup->clear();
    m_pPopup->addItems(found.names);
    m_names = found.names;

    const QRect cursor = m_pView->cursorRect();
    const QMargins margins = TextMargins();
    const int caretX = cursor.x() + margins.left();
    const int caretY = cursor.y() + margins.top();
    const int clientHeight = m_pView->viewport()->height() + margins.top();
    int height = PopupListHeight(static_cast<int>(found.names.size()), m_pPopup->CreatedHeight());
    height = FitPopupHeight(height, caretY, m_pView->LineHeight(), clientHeight);
    m_pPopup->resize(PopupListWidth(found.longest) + 2 * m_pPopup->frameWidth(),
                     height + 2 * m_pPopup->frameWidth());

    m_nRangeStart = m_nWordStart;
    m_nRangeEnd = m_nWordStart;
    m_strRangeText.clear();
    m_nMissCount = 0;
    PositionPopup(caretX, caretY);
    m_pPopup->show();
    m_bPopupOpen = true;
    // The key that opened the list selects its first match at once.
    if (letterPending)
        Reselect(Move::Character, prefix.at(0));
    else
        Reselect(Move::Right);
}

QMargins CCompletionController::TextMargins() const
{
    const QRect text = m_pView->viewport()->geometry();
    const QRect all = m_pView->contentsRect();
    return {text.left() - all.left(), text.top() - all.top(), 0, 0};
}

void CCompletionController::EnsurePopup()
{
    // One list window serves every opening; making a window each time would be felt.
    if (m_pPopup)
        return;
    m_pPopup = new CCompletionPopup(m_pView);
    // Queued: the list is emptied by the insertion, not inside its own mouse handler.
    connect(m_pPopup, &CCompletionPopup::Chosen, this, &CCompletionController::InsertSelected,
            Qt::QueuedConnection);
    m_pPopup->ensurePolished();
    m_pPopup->winId();
}

void CCompletionController::PositionPopup(int caretX, int caretY)
{
    const QMargins margins = TextMargins();
    const QRect viewport = m_pView->viewport()->geometry();
    const QPoint origin = viewport.topLeft() - QPoint(margins.left(), margins.top());
    const PopupPlace place = PlacePopup(caretX, caretY, m_pView->LineHeight(), m_pPopup->width(),
                                        m_pPopup->height(), viewport.right() + 1 - origin.x(),
                                        viewport.bottom() + 1 - origin.y(), margins.left());
    m_pPopup->move(m_pView->mapToGlobal(origin + QPoint(place.x, place.y)));
}

void CCompletionController::Reselect(Move move, QChar typed)
{
    if (!m_bPopupOpen)
        return;
    const int caret = Caret();
    int end = 0;
    QString word;
    switch (move) {
    case Move::Character:
        end = caret + 1;
        word = TextBetween(m_nRangeStart, caret) + typed;
        break;
    case Move::Right:
        end = caret + 1;
        word = TextBetween(m_nRangeStart, end);
        break;
    case Move::Back:
        end = caret - 1;
        word = TextBetween(m_nRangeStart, end);
        break;
    }
    m_nRangeEnd = end;
    m_strRangeText = word;
    if (m_nRangeStart >= end)
        return;
    const int row = FirstNameStartingWith(m_names, word);
    if (row < 0) {
        ++m_nMissCount;
        return;
    }
    m_pPopup->setCurrentRow(row);
    m_pPopup->scrollToItem(m_pPopup->currentItem(), QAbstractItemView::PositionAtTop);
}

void CCompletionController::ClosePopup()
{
    if (m_pPopup && m_bPopupOpen) {
        m_pPopup->hide();
        m_pPopup->clear();
    }
    m_names.clear();
    m_bPopupOpen = false;
    m_nMissCount = 0;
}

void CCompletionController::InsertSelected()
{
    QListWidgetItem *selected = m_bPopupOpen ? m_pPopup->currentItem() : nullptr;
    int braceAt = -1;
    // The text may have changed under the open list in ways its keys do not follow (undo,
    // paste, a replace); then the range no longer holds the typed name and writing over it
    // would overwrite the user's text.
    if (selected && TextBetween(m_nRangeStart, m_nRangeEnd) != m_strRangeText)
        selected = nullptr;
    if (selected) {
        const CompletionInsertion insertion = InsertionFor(selected->text());
        if (!insertion.text.isEmpty()) {
            const int last = m_pView->document()->characterCount() - 1;
            const int start = std::clamp(m_nRangeStart, 0, last);
            const int end = std::clamp(m_nRangeEnd, start, last);
            {
                CUndoGroup group(m_pView);
                QTextCursor c = m_pView->textCursor();
                c.setPosition(start);
                c.setPosition(end, QTextCursor::KeepAnchor);
                c.insertText(insertion.text);
                c.setPosition(start + insertion.caret);
                m_pView->setTextCursor(c);
            }
            m_pView->ensureCursorVisible();
            braceAt = insertion.brace ? start + insertion.caret : -1;
        }
    }
    m_pView->setFocus();
    Disarm();
    m_nBraceAt = braceAt;
}

void CCompletionController::OnTeXInput()
{
    // Esc pressed elsewhere in the window (a bar's box) only brings the keyboard back.
    const QWidget *focus = QApplication::focusWidget();
    if (focus && focus->window() == m_pView->window()
        && !qobject_cast<const COrrindaleView *>(focus)) {
        m_pView->setFocus();
        return;
    }
    if (m_bPopupOpen) {
        Disarm();
        return;
    }
    const bool on = !m_pView->Options().inputSupport;
    m_pView->SetInputSupport(on);
    m_bArmed = false;
    WriteSetting(m_store, Keys::Input, on ? 1 : 0);
    ShowStatusMessage(m_pView, MsgText(on ? Msg::InputSupportOn : Msg::InputSupportOff,
                                       m_pView->Settings().English()));
}

bool CCompletionController::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::InputMethod: {
        // While the input method composes, the keys belong to it, not to completion.
        const auto *im = static_cast<QInputMethodEvent *>(event);
        m_bComposing = !im->preeditString().isEmpty();
        if (m_bComposing)
            Disarm();
        break;
    }
    case QEvent::FocusOut:
        if (watched == m_pView
            && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            Disarm();
        break;
    case QEvent::KeyPress:
        // Seen before the window's accelerators take these keys: the caret leaves the name.
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (m_bPopupOpen)
                Disarm();
            break;
        default:
            break;
        }
        break;
    case QEvent::MouseButtonPress: // the caret goes elsewhere
    case QEvent::Hide:
        Disarm();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
