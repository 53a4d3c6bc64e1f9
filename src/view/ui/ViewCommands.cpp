#include "view/ui/ViewCommands.h"

#include "app/AppSettings.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/ui/AppContext.h"
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

void LineJump(COrrindaleView &active, LineJumpMemory &memory)
{
    COrrindaleView *target = &active;
    if (target->isReadOnly()) {
        // From the log pane the jump goes to the document beside it.
        if (COrrindaleView *other = OtherPane(*target)) {
            target = other;
            target->setFocus();
        }
    }
    CLineJumpDialog dialog(target->Settings().English(), memory.line, memory.logical,
                           active.window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    memory.line = dialog.Line();
    memory.logical = dialog.Logical();
    JumpToLine(*target, memory.line, memory.logical);
}
} // namespace

void RegisterViewCommands(CommandRouter &router, AppContext &context)
{
    SettingsStore &store = *context.store;
    using View = COrrindaleView;
    CAppSettings *settings = context.settings;

    router.SetViewHandler(
        Cmd::Coloring,
        [&store](View &v) {
            v.SetColoring(!v.Options().coloring);
            WriteSetting(store, Keys::Enter, v.Options().coloring ? 1 : 0);
            v.GetDocument()->UpdateAllViews(Hint::Initial);
        },
        [](const View &v) {
            return CommandState{true, v.Options().coloring};
        });
    router.SetViewHandler(
        Cmd::PhysicalLineNo,
        [&store](View &v) {
            WriteSetting(store, Keys::Line, v.Options().lineNumberMode == 0 ? 1 : 0);
            RepaintAll(v);
        },
        [](const View &v) {
            return CommandState{true, v.Options().lineNumberMode == 1};
        });
    router.SetViewHandler(
        Cmd::LogicalLineNo,
        [&store](View &v) {
            if (v.Options().calcMode)
                return;
            WriteSetting(store, Keys::Line, v.Options().lineNumberMode == 2 ? 0 : 2);
            RepaintAll(v);
        },
        [](const View &v) {
            return CommandState{true, v.Options().lineNumberMode == 2};
        });
    router.SetViewHandler(Cmd::SetColor, [&context](View &v) { SetColors(v, context); });

    router.SetViewHandler(Cmd::ToHead, &ToHead);
    router.SetViewHandler(Cmd::ToEnd, &ToEnd);
    router.SetViewHandler(Cmd::ToLineHead, &ToLineHead);
    router.SetViewHandler(Cmd::ToLineEnd, &ToLineEnd);
    router.SetViewHandler(Cmd::PageDown, &PageDown);
    router.SetViewHandler(Cmd::PageUp, &PageUp);
    router.SetViewHandler(
        Cmd::CaretPosition,
        [settings](View &) {
            EditorSettings editor = settings->Editor();
            editor.caretColumn = editor.caretColumn ? 0 : 1;
            settings->SetEditor(editor);
        },
        [settings](const View &) {
            return CommandState{true, settings->Editor().caretColumn != 0};
        });
    router.SetViewHandler(
        Cmd::RightClickMenu, [](View &v) { v.SetRightClickMenu(!v.Options().rightClickMenu); },
        [](const View &v) {
            return CommandState{true, v.Options().rightClickMenu};
        });

    auto memory = std::make_shared<LineJumpMemory>();
    router.SetViewHandler(Cmd::LineJump, [memory](View &v) { LineJump(v, *memory); });
}
