#include "view/ui/ViewCommands.h"

#include "app/AppSettings.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/ui/AppContext.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "view/ui/ColorSettingsDialog.h"
#include "view/ui/LineJumpDialog.h"
#include "view/ui/ViewNavigator.h"

#include <memory>

namespace {
// The line-jump dialog shows the values of its last use.
struct LineJumpMemory {
    int line = 1;
    bool logical = false;
};

void RepaintAll(COrrindaleView &view)
{
    // Every pane re-reads the settings and lays out its gutter again.
    view.GetDocument()->UpdateAllViews(Hint::Initial);
    view.viewport()->update();
}

void SetColors(COrrindaleView &view, AppContext &context)
{
    CColorSettingsDialog dialog(*context.store, view.Settings().English(), view.window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    context.settings->SetColors(dialog.Colors(), dialog.Custom());
}

void LineJump(CMainFrame &frame, LineJumpMemory &memory)
{
    COrrindaleView *target = frame.GetActiveView();
    if (target->isReadOnly()) {
        // From the log pane the jump goes to the document beside it.
        if (COrrindaleView *other = OtherPane(*target)) {
            target = other;
            target->setFocus();
        }
    }
    CLineJumpDialog dialog(target->Settings().English(), memory.line, memory.logical, &frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    memory.line = dialog.Line();
    memory.logical = dialog.Logical();
    JumpToLine(*target, memory.line, memory.logical);
}
} // namespace

void RegisterViewCommands(CMainFrame &frame, CommandRouter &router, AppContext &context)
{
    const auto view = [&frame]() -> COrrindaleView & { return *frame.GetActiveView(); };
    SettingsStore &store = *context.store;
    CAppSettings *settings = context.settings;

    router.SetHandler(
        Cmd::Coloring,
        [view, &store] {
            COrrindaleView &v = view();
            v.m_bColoring = v.m_bColoring ? 0 : 1;
            WriteSetting(store, Keys::Enter, v.m_bColoring);
            v.viewport()->update();
            v.GetDocument()->UpdateAllViews(Hint::Initial);
        },
        [view] { return CommandState{true, view().m_bColoring != 0}; });
    router.SetHandler(
        Cmd::PhysicalLineNo,
        [view, &store] {
            COrrindaleView &v = view();
            WriteSetting(store, Keys::Line, v.m_nLineNumberMode == 0 ? 1 : 0);
            RepaintAll(v);
        },
        [view] { return CommandState{true, view().m_nLineNumberMode == 1}; });
    router.SetHandler(
        Cmd::LogicalLineNo,
        [view, &store] {
            COrrindaleView &v = view();
            if (v.m_bCalcMode)
                return;
            WriteSetting(store, Keys::Line, v.m_nLineNumberMode == 2 ? 0 : 2);
            RepaintAll(v);
        },
        [view] { return CommandState{true, view().m_nLineNumberMode == 2}; });
    router.SetHandler(Cmd::SetColor, [view, &context] { SetColors(view(), context); });

    router.SetHandler(Cmd::ToHead, [view] { ToHead(view()); });
    router.SetHandler(Cmd::ToEnd, [view] { ToEnd(view()); });
    router.SetHandler(Cmd::ToLineHead, [view] { ToLineHead(view()); });
    router.SetHandler(Cmd::ToLineEnd, [view] { ToLineEnd(view()); });
    router.SetHandler(Cmd::PageDown, [view] { PageDown(view()); });
    router.SetHandler(Cmd::PageUp, [view] { PageUp(view()); });
    router.SetHandler(
        Cmd::CaretPosition,
        [settings] {
            EditorSettings editor = settings->Editor();
            editor.caretColumn = editor.caretColumn ? 0 : 1;
            settings->SetEditor(editor);
        },
        [settings] { return CommandState{true, settings->Editor().caretColumn != 0}; });
    router.SetHandler(
        Cmd::RightClickMenu,
        [view] {
            COrrindaleView &v = view();
            v.m_bRightClickMenu = v.m_bRightClickMenu ? 0 : 1;
        },
        [view] { return CommandState{true, view().m_bRightClickMenu != 0}; });

    auto memory = std::make_shared<LineJumpMemory>();
    router.SetHandler(Cmd::LineJump, [&frame, memory] { LineJump(frame, *memory); });
}
