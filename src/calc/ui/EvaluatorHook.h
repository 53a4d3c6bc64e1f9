#pragma once

#include "calc/ExpressionEvaluator.h"

#include <QObject>

class COrrindaleView;
class QKeyEvent;
struct AppContext;

// The expression evaluator of one view: when Enter is released after it typed a line break,
// the line it finished is evaluated and completed in one edit that one Undo takes back. An
// Enter that the input method or the completion list used up, or one typed in a read-only
// view, evaluates nothing.
class CEvaluatorHook : public QObject {
    Q_OBJECT
public:
    CEvaluatorHook(COrrindaleView &view, AppContext &context);

    // From the view's key-release handler.
    void OnKeyUp(QKeyEvent *e);
    ExpressionEvaluator &Evaluator() { return m_evaluator; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool Composing() const;

    COrrindaleView &m_view;
    AppContext &m_context;
    ExpressionEvaluator m_evaluator;
    // An Enter went down that the editor itself was to handle, with the caret (or the start of
    // the selection it replaces) at m_nEnterAt.
    bool m_bEnterDown = false;
    int m_nEnterAt = -1;
};
