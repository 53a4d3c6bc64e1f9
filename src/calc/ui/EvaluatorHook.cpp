#include "calc/ui/EvaluatorHook.h"

#include "app/Prompter.h"
#include "app/ui/AppContext.h"
#include "app/ui/COrrindaleView.h"
#include "input/ui/CompletionController.h"
#include "view/ui/UndoController.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>

namespace {
bool IsEnter(const QKeyEvent *e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}
} // namespace

CEvaluatorHook::CEvaluatorHook(COrrindaleView &view, AppContext &context)
    : QObject(&view)
    , m_view(view)
    , m_context(context)
{
    // Seen before the view's own handling: whether the completion list is about to take the
    // Enter is known only then.
    view.installEventFilter(this);
}

bool CEvaluatorHook::Composing() const
{
    const CCompletionController *completion = m_view.Completion();
    return completion && completion->IsComposing();
}

bool CEvaluatorHook::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_view && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (IsEnter(key) && !key->isAutoRepeat()) {
            const CCompletionController *completion = m_view.Completion();
            m_bEnterDown =
                !m_view.isReadOnly() && !Composing() && !(completion && completion->IsPopupOpen());
            m_nEnterAt = m_view.textCursor().selectionStart();
        } else if (!IsEnter(key)) {
            m_bEnterDown = false;
        }
    }
    return QObject::eventFilter(watched, event);
}

void CEvaluatorHook::OnKeyUp(QKeyEvent *e)
{
    if (!IsEnter(e) || e->isAutoRepeat())
        return;
    const bool armed = m_bEnterDown;
    m_bEnterDown = false;
    if (!armed || m_view.isReadOnly() || Composing())
        return;
    // The caret must stand right after the line break the Enter typed; an Enter that typed
    // none (Ctrl+Enter) finished no line.
    const QTextCursor caret = m_view.textCursor();
    if (caret.hasSelection() || caret.positionInBlock() != 0 || caret.position() != m_nEnterAt + 1)
        return;
    const QTextBlock finished = caret.block().previous();
    if (!finished.isValid())
        return;

    const EvalOutcome outcome =
        m_evaluator.EvaluateEnteredLine(finished.text(), m_view.Options().roundIndex);
    for (const QString &message : outcome.messages)
        m_context.prompter->Notice(message);
    if (outcome.action == EvalOutcome::Action::None)
        return;

    // One edit of the finished line's text; the typed line break stays after it. A completed
    // line leaves the caret after that break, at the next line; a value line gets a break of
    // its own and the caret stays before the typed one, on the empty line that follows.
    const bool valueLine = outcome.action == EvalOutcome::Action::ValueLine;
    const QString replacement = valueLine ? outcome.text + u'\n' : outcome.text;
    CUndoGroup group(&m_view);
    QTextCursor edit(m_view.document());
    edit.setPosition(finished.position());
    edit.setPosition(finished.position() + finished.length() - 1, QTextCursor::KeepAnchor);
    edit.insertText(replacement);
    QTextCursor after = m_view.textCursor();
    after.setPosition(valueLine ? edit.position() : edit.position() + 1);
    m_view.setTextCursor(after);
    m_view.ensureCursorVisible();
}
