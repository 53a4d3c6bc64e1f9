#include "calc/ui/TableEditCommands.h"

#include "app/AppSettings.h"
#include "app/SettingsKeys.h"
#include "app/ui/AppContext.h"
#include "app/ui/CMainFrame.h"
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

AreaStore StoreOf(const COrrindaleView &view)
{
    return AreaStore{view.m_areaStore, view.m_nAreaRows, view.m_nAreaCols};
}

void KeepStore(COrrindaleView &view, const AreaStore &store)
{
    view.m_areaStore = store.rows;
    view.m_nAreaRows = store.nRows;
    view.m_nAreaCols = store.nCols;
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
    Show(view, NumberOrRankRows(in, dialog.Column(), dialog.FromRow(), dialog.ToRow(),
                                dialog.Rank()));
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

void RegisterTableEditCommands(CMainFrame &frame, CommandRouter &r, AppContext &context)
{
    const auto view = [&frame]() -> COrrindaleView & { return *frame.GetActiveView(); };
    const auto range = [view]() { return view().m_range; };

    r.SetHandler(Cmd::SortRows, [view, &context] { SortRowsCommand(view(), context); });
    r.SetHandler(Cmd::Ranking, [view, &context] { RankingCommand(view(), context); });
    r.SetHandler(
        Cmd::Deviation,
        [view] {
            RefreshSelection(view());
            Show(view(), DeviationValues(InputOf(view())));
        },
        [range] { return Enabled(range().firstCol == range().lastCol); });

    r.SetHandler(Cmd::CopyArea, [view] { CopyAreaCommand(view()); });
    r.SetHandler(Cmd::CutArea, [view] {
        CopyAreaCommand(view());
        DeleteAreaCommand(view());
    });
    r.SetHandler(
        Cmd::PasteArea,
        [view] {
            RefreshSelection(view());
            Show(view(), PasteArea(InputOf(view()), StoreOf(view())));
        },
        [view] { return Enabled(view().m_nAreaRows >= 2); });
    r.SetHandler(
        Cmd::PasteRepeat,
        [view] {
            RefreshSelection(view());
            AreaStore store = StoreOf(view());
            const TableResult result = PasteAreaRepeated(InputOf(view()), store);
            KeepStore(view(), store);
            Show(view(), result);
        },
        [view, range] {
            const CellRange rg = range();
            const bool stored = view().m_nAreaRows > 0 && view().m_nAreaCols > 0;
            return Enabled(stored && HasSelection(view())
                           && (rg.Height() >= 2 || rg.Width() >= 2));
        });
    r.SetHandler(
        Cmd::ClearArea, [view] { Show(view(), ClearSelectedArea(InputOf(view()))); },
        [range] {
            const CellRange rg = range();
            return Enabled(rg.Width() >= 1 && rg.Height() >= 1 && rg.Width() * rg.Height() >= 2);
        });
    r.SetHandler(Cmd::DeleteArea, [view] { DeleteAreaCommand(view()); },
                 [range] { return Enabled(range().Height() >= 2); });
    const auto insertBlank = [view] {
        RefreshSelection(view());
        Show(view(), InsertBlankColumns(InputOf(view())));
    };
    r.SetHandler(Cmd::InsertBlankCells, insertBlank, [range] {
        const CellRange rg = range();
        return Enabled(rg.Width() >= 1 && rg.Height() >= 1 && (rg.Width() > 1 || rg.Height() > 1));
    });
    r.SetHandler(Cmd::InsertColumn, insertBlank);

    r.SetHandler(Cmd::DeleteColumn, [view] { DeleteColumnCommand(view()); });
    r.SetHandler(Cmd::CopyColumn, [view] { CopyColumnCommand(view()); });
    r.SetHandler(Cmd::CutColumn, [view] {
        CopyColumnCommand(view());
        DeleteColumnCommand(view());
    });
    // Every change before the command is already in the undo history, so only the command's
    // own snapshot is recorded.
    r.SetHandler(
        Cmd::InsertCopiedColumn,
        [view] {
            RefreshSelection(view());
            Show(view(), InsertCopiedColumn(InputOf(view()), StoreOf(view())));
        },
        [view] { return Enabled(!HasSelection(view())); });
    r.SetHandler(Cmd::MakeTable, [view, &context] { MakeTableCommand(view(), context); },
                 [view] { return Enabled(!HasSelection(view())); });
}
