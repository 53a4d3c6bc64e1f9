#pragma once

#include "FrameFixture.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "view/UndoHistory.h"

#include <functional>

// A main window showing one file, with the editor's commands at hand.
struct EditorFixture {
    FrameFixture f;
    std::unique_ptr<CMainFrame> frame;
    COrrindaleView *view = nullptr;

    explicit EditorFixture(const QByteArray &content, bool english = false, bool shown = false);
    // The same over a file of the given name (its extension decides the document's kind); pass
    // the name as a QString, a bare literal would be taken for the content.
    EditorFixture(const QString &name, const QByteArray &content, bool english = false,
                  bool shown = false);
    bool Run(Cmd cmd) { return frame->Router()->Execute(IdsOf(cmd).japaneseId); }
    CommandState State(Cmd cmd) const { return frame->Router()->StateOf(cmd); }
    bool Enabled(Cmd cmd) const { return State(cmd).enabled; }
    QString Text() const { return view->toPlainText(); }
    const UndoHistory &History() const;
    void Select(int from, int to);
    QPair<int, int> Selection() const;

    // Pane state that no command sets directly, kept here so that it changes in one place.
    void UseCommandList(const QString &path);
    void SetTabWidth(int width);
    void SetColors(const ViewColors &colors);
    ViewColors Colors() const;
};

// Acts on the next modal dialog from inside its event loop; closes it if it is still open.
void WhenModal(const std::function<void(QWidget *)> &act);
