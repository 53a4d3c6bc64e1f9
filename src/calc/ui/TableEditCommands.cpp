#include "calc/ui/TableEditCommands.h"

#include "app/AppSettings.h"
#include "app/SettingsKeys.h"
#include "app/ui/AppContext.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "calc/AreaEditing.h"
#include "calc/RowOrder.h"
#include "calc/ui/CalcController.h"
#include "calc/ui/TableDialogs.h"
#include "calc/ui/TableEdit.h"

#include <QTextCursor>

namespace {

// The remembered selection taken from the editor, for the commands that act on what is
// selected now rather than at the last mouse release.
void RefreshSelection(COrrindaleView &view)
{
    view.CalcController()->RefreshSelection();
}

TableInput InputOf(const COrrindaleView &view)
{
    return view.CalcController()->Input();
}

const AreaStore &StoreOf(const COrrindaleView &view)
{
    return view.CalcController()->Area();
}

void KeepStore(COrrindaleView &view, const AreaStore &store)
{
    view.CalcController()->SetArea(store);
}

// The result as one edit with one undo step; an unchanged text only gets its caret. Commands
// that fill cells one after another (deviation values, Clear Selected Area, Make a Table) have
// their final text computed first and written at once: the text, the caret after the last
// insertion and the single undo step are the same as cell by cell, at the cost of one edit.
void Show(COrrindaleView &view, const TableResult &result)
{
    if (result.changed)
        ApplyTableEdit(view, result.text, result.selStart);
    else
        PutTableCaret(view, result.selStart);
}

void SortRowsCommand(COrrindaleView &view, AppContext &context)
{
    const QTextCursor c = view.textCursor();
    const int s = c.selectionStart();
    const QString text = TableText(view);
    const RowBlock block = SelectedRowBlock(text, s, c.selectionEnd(), true);
    SettingsStore &store = *context.store;
    const bool english = view.Settings().English();
    CSortRowsDialog dialog(english, *context.prompter, block.column, block.firstRow + 1,
                           block.lastRow + 1, ReadSetting(store, Keys::Down) != 0,
                           ReadSetting(store, Keys::Value) != 0, view.window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    TableInput in = InputOf(view);
    in.selStart = s;
    const int top = view.FirstVisibleLine();
    const TableResult result = SortRows(in, dialog.Column(), dialog.FromRow(), dialog.ToRow(),
                                        dialog.Descending(), dialog.AsValues());
    Show(view, result);
    view.ScrollToLine(top);
    view.ensureCursorVisible();
    WriteSetting(store, Keys::Down, dialog.Descending() ? 1 : 0);
    WriteSetting(store, Keys::Value, dialog.AsValues() ? 1 : 0);
}

void RankingCommand(COrrindaleView &view, AppContext &context)
{
    const QTextCursor c = view.textCursor();
    const int s = c.selectionStart();
    const RowBlock block = SelectedRowBlock(TableText(view), s, c.selectionEnd(), false);
    const bool english = view.Settings().English();
    CRankingDialog dialog(english, *context.prompter, block.column, block.firstRow + 1,
                          block.lastRow + 1, ReadSetting(*context.store, Keys::Order) != 0,
                          view.window());
    if (dialog.exec() != QDialog::Accepted) {
        PutTableCaret(view, s);
        return;
    }
    TableInput in = InputOf(view);
    in.selStart = s;
    Show(view,
         NumberOrRankRows(in, dialog.Column(), dialog.FromRow(), dialog.ToRow(), dialog.Rank()));
}

void MakeTableCommand(COrrindaleView &view, AppContext &context)
{
    SettingsStore &store = *context.store;
    const bool english = view.Settings().English();
    CMakeTableDialog dialog(english, *context.prompter, ReadSetting(store, Keys::Gyo),
                            ReadSetting(store, Keys::Retu), ReadSetting(store, Keys::ABC) != 0,
                            ReadSetting(store, Keys::No), view.window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    RefreshSelection(view);
    Show(view, MakeTable(InputOf(view), dialog.Rows(), dialog.Columns(), dialog.Letters(),
                         TableNumbering(dialog.Numbering())));
    WriteSetting(store, Keys::ABC, dialog.Letters() ? 1 : 0);
    WriteSetting(store, Keys::Gyo, dialog.Rows());
    WriteSetting(store, Keys::Retu, dialog.Columns());
    WriteSetting(store, Keys::No, dialog.Numbering());
}

void CopyAreaCommand(COrrindaleView &view)
{
    AreaStore store = StoreOf(view);
    CopyArea(InputOf(view), store);
    KeepStore(view, store);
}

void DeleteAreaCommand(COrrindaleView &view)
{
    RefreshSelection(view);
    Show(view, DeleteSelectedArea(InputOf(view)));
}

void CopyColumnCommand(COrrindaleView &view)
{
    RefreshSelection(view);
    AreaStore store = StoreOf(view);
    CopyColumns(InputOf(view), store);
    KeepStore(view, store);
}

void DeleteColumnCommand(COrrindaleView &view)
{
    RefreshSelection(view);
    Show(view, DeleteColumns(InputOf(view)));
}

bool HasSelection(const COrrindaleView &view)
{
    return view.textCursor().hasSelection();
}

CommandState Enabled(bool on)
{
    return CommandState{on, false};
}

} // namespace

void RegisterTableEditCommands(CommandRouter &r, AppContext &context)
{
    using View = COrrindaleView;

    r.SetViewHandler(Cmd::SortRows, [&context](View &v) { SortRowsCommand(v, context); });
    r.SetViewHandler(Cmd::Ranking, [&context](View &v) { RankingCommand(v, context); });
    r.SetViewHandler(
        Cmd::Deviation,
        [](View &v) {
            RefreshSelection(v);
            Show(v, DeviationValues(InputOf(v)));
        },
        [](const View &v) {
            return Enabled(v.CalcController()->Range().firstCol
                           == v.CalcController()->Range().lastCol);
        });

    r.SetViewHandler(Cmd::CopyArea, &CopyAreaCommand);
    r.SetViewHandler(Cmd::CutArea, [](View &v) {
        CopyAreaCommand(v);
        DeleteAreaCommand(v);
    });
    r.SetViewHandler(
        Cmd::PasteArea,
        [](View &v) {
            RefreshSelection(v);
            Show(v, PasteArea(InputOf(v), StoreOf(v)));
        },
        [](const View &v) { return Enabled(StoreOf(v).nRows >= 2); });
    r.SetViewHandler(
        Cmd::PasteRepeat,
        [](View &v) {
            RefreshSelection(v);
            AreaStore store = StoreOf(v);
            const TableResult result = PasteAreaRepeated(InputOf(v), store);
            KeepStore(v, store);
            Show(v, result);
        },
        [](const View &v) {
            const CellRange rg = v.CalcController()->Range();
            const AreaStore &area = StoreOf(v);
            const bool stored = area.nRows > 0 && area.nCols > 0;
            return Enabled(stored && HasSelection(v) && (rg.Height() >= 2 || rg.Width() >= 2));
        });
    r.SetViewHandler(
        Cmd::ClearArea, [](View &v) { Show(v, ClearSelectedArea(InputOf(v))); },
        [](const View &v) {
            const CellRange &rg = v.CalcController()->Range();
            return Enabled(rg.Width() >= 1 && rg.Height() >= 1 && rg.Width() * rg.Height() >= 2);
        });
    r.SetViewHandler(Cmd::DeleteArea, &DeleteAreaCommand, [](const View &v) {
        return Enabled(v.CalcController()->Range().Height() >= 2);
    });
    const auto insertBlank = [](View &v) {
        RefreshSelection(v);
        Show(v, InsertBlankColumns(InputOf(v)));
    };
    r.SetViewHandler(Cmd::InsertBlankCells, insertBlank, [](const View &v) {
        const CellRange &rg = v.CalcController()->Range();
        return Enabled(rg.Width() >= 1 && rg.Height() >= 1 && (rg.Width() > 1 || rg.Height() > 1));
    });
    r.SetViewHandler(Cmd::InsertColumn, insertBlank);

    r.SetViewHandler(Cmd::DeleteColumn, &DeleteColumnCommand);
    r.SetViewHandler(Cmd::CopyColumn, &CopyColumnCommand);
    r.SetViewHandler(Cmd::CutColumn, [](View &v) {
        CopyColumnCommand(v);
        DeleteColumnCommand(v);
    });
    // Every change before the command is already in the undo history, so only the command's
    // own snapshot is recorded.
    r.SetViewHandler(
        Cmd::InsertCopiedColumn,
        [](View &v) {
            RefreshSelection(v);
            Show(v, InsertCopiedColumn(InputOf(v), StoreOf(v)));
        },
        [](const View &v) { return Enabled(!HasSelection(v)); });
    r.SetViewHandler(
        Cmd::MakeTable, [&context](View &v) { MakeTableCommand(v, context); },
        [](const View &v) { return Enabled(!HasSelection(v)); });
}
