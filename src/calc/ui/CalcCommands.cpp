#include "calc/ui/CalcCommands.h"

#include "app/AppSettings.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/ui/AppContext.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "calc/LineCalculation.h"
#include "calc/ui/CalcController.h"
#include "calc/ui/CalcDialogs.h"

namespace {

struct Side {
    Cmd cmd;
    bool before;
};

LinearParams ReadLinear(const SettingsStore &store)
{
    return {ReadSetting(store, Keys::Num1), ReadSetting(store, Keys::Num),
            ReadSetting(store, Keys::Num2), ReadSetting(store, Keys::Num3)};
}

void WriteLinear(SettingsStore &store, const LinearParams &p)
{
    WriteSetting(store, Keys::Num1, p.m);
    WriteSetting(store, Keys::Num, p.n);
    WriteSetting(store, Keys::Num2, p.p);
    WriteSetting(store, Keys::Num3, p.q);
}

MapParams ReadMap(const SettingsStore &store)
{
    return {ReadSetting(store, Keys::TransA), ReadSetting(store, Keys::TransB),
            ReadSetting(store, Keys::TransC), ReadSetting(store, Keys::TransD)};
}

void WriteMap(SettingsStore &store, const MapParams &p)
{
    WriteSetting(store, Keys::TransA, p.a);
    WriteSetting(store, Keys::TransB, p.b);
    WriteSetting(store, Keys::TransC, p.c);
    WriteSetting(store, Keys::TransD, p.d);
}

// The transform of the current column (ofColumn) or row, after the dialog of its formula.
template <typename Dialog, typename Params>
void RunTransform(COrrindaleView &view, AppContext &context, Params params, bool ofColumn,
                  bool before, void (*store)(SettingsStore &, const Params &))
{
    Dialog dialog(view.Settings().English() != 0, params, *context.prompter, view.window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    params = dialog.Params();
    CCalcController &calc = *view.CalcController();
    calc.RefreshSelection();
    const Transform f = [params](double x) { return params.Apply(x); };
    calc.Apply(ofColumn ? TransformColumn(calc.Input(), f, before)
                        : TransformRow(calc.Input(), f, before));
    store(*context.store, params);
}

void RunArithmetic(COrrindaleView &view, AppContext &context, bool columns, bool before)
{
    CCalcController &calc = *view.CalcController();
    calc.RefreshSelection();
    const TableInput in = calc.Input();
    const auto [first, second] =
        columns ? ArithmeticColumnsDefaults(in) : ArithmeticRowsDefaults(in);
    const IntSetting &key = columns ? Keys::SisokuR : Keys::SisokuG;
    CArithmeticDialog dialog(
        view.Settings().English() != 0,
        columns ? CArithmeticDialog::Kind::Columns : CArithmeticDialog::Kind::Rows, first, second,
        ReadSetting(*context.store, key), *context.prompter, view.window());
    if (dialog.exec() != QDialog::Accepted || dialog.First() == dialog.Second())
        return;
    calc.Apply(columns
                   ? ArithmeticOfColumns(in, dialog.First(), dialog.Second(), dialog.Op(), before)
                   : ArithmeticOfRows(in, dialog.First(), dialog.Second(), dialog.Op(), before));
    WriteSetting(*context.store, key, int(dialog.Op()));
}

} // namespace

void RegisterCalcCommands(CommandRouter &router, AppContext &context)
{
    using View = COrrindaleView;

    router.SetViewHandler(
        Cmd::CalcMode, [](View &v) { v.CalcController()->ToggleCalcMode(); },
        [](const View &v) {
            return CommandState{true, v.Options().calcMode};
        });
    router.SetViewHandler(Cmd::TableWidth, [](View &v) {
        CTableWidthDialog dialog(v.Settings().English() != 0, v.Options().tabWidth, v.window());
        if (dialog.exec() == QDialog::Accepted)
            v.CalcController()->SetTableWidth(dialog.TabWidth());
    });
    router.SetViewHandler(Cmd::RoundOff, [&context](View &v) {
        // The dialog shows the stored choice, where a first start has none.
        const int stored = ReadSetting(*context.store, Keys::Sho, 0);
        CRoundOffDialog dialog(v.Settings().English() != 0, stored, v.window());
        if (dialog.exec() != QDialog::Accepted)
            return;
        v.SetRoundIndex(dialog.Decimals());
        WriteSetting(*context.store, Keys::Sho, dialog.Decimals());
    });
    router.SetViewHandler(
        Cmd::RangeSelect, [](View &v) { v.CalcController()->ToggleTwoClickSelect(); },
        [](const View &v) {
            return CommandState{true, v.CalcController()->TwoClickSelectArmed()};
        });

    // Totals: a new row of column totals needs two rows, a new column of row totals two
    // columns.
    struct Total {
        Cmd cmd;
        bool mean;
        bool ofColumns;
        bool before;
    };
    const Total totals[] = {
        {Cmd::SumColumnTop, false, true, true}, {Cmd::SumColumnBottom, false, true, false},
        {Cmd::MeanColumnTop, true, true, true}, {Cmd::MeanColumnBottom, true, true, false},
        {Cmd::SumRowLeft, false, false, true},  {Cmd::SumRowRight, false, false, false},
        {Cmd::MeanRowLeft, true, false, true},  {Cmd::MeanRowRight, true, false, false},
    };
    for (const Total &t : totals) {
        router.SetViewHandler(
            t.cmd,
            [t](View &v) {
                CCalcController &calc = *v.CalcController();
                calc.Apply(TotalsOfRange(calc.Input(), t.mean, t.ofColumns, t.before));
            },
            [t](const View &v) {
                const CellRange r = v.CalcController()->Range();
                const bool enabled = t.ofColumns ? r.Width() >= 1 && r.Height() >= 2
                                                 : r.Width() >= 2 && r.Height() >= 1;
                return CommandState{enabled, false};
            });
    }

    // Transforms of one column need a range of at most one column, of one row at most one row.
    const auto oneColumn = [](const View &v) {
        const CellRange r = v.CalcController()->Range();
        return CommandState{r.lastCol - r.firstCol < 1, false};
    };
    const auto oneRow = [](const View &v) {
        const CellRange r = v.CalcController()->Range();
        return CommandState{r.lastRow - r.firstRow < 1, false};
    };
    using Updater = CommandRouter::ViewUpdater;
    for (const Side s : {Side{Cmd::LinearColumnLeft, true}, Side{Cmd::LinearColumnRight, false},
                         Side{Cmd::LinearRowTop, true}, Side{Cmd::LinearRowBottom, false}}) {
        const bool ofColumn = s.cmd == Cmd::LinearColumnLeft || s.cmd == Cmd::LinearColumnRight;
        router.SetViewHandler(
            s.cmd,
            [&context, s, ofColumn](View &v) {
                RunTransform<CLinearDialog>(v, context, ReadLinear(*context.store), ofColumn,
                                            s.before, &WriteLinear);
            },
            ofColumn ? Updater(oneColumn) : Updater(oneRow));
    }
    for (const Side s : {Side{Cmd::MapColumnLeft, true}, Side{Cmd::MapColumnRight, false},
                         Side{Cmd::MapRowTop, true}, Side{Cmd::MapRowBottom, false}}) {
        const bool ofColumn = s.cmd == Cmd::MapColumnLeft || s.cmd == Cmd::MapColumnRight;
        router.SetViewHandler(
            s.cmd,
            [&context, s, ofColumn](View &v) {
                RunTransform<CMapDialog>(v, context, ReadMap(*context.store), ofColumn, s.before,
                                         &WriteMap);
            },
            ofColumn ? Updater(oneColumn) : Updater(oneRow));
    }

    for (const Side s : {Side{Cmd::ArithColumnsLeft, true}, Side{Cmd::ArithColumnsRight, false},
                         Side{Cmd::ArithRowsTop, true}, Side{Cmd::ArithRowsBottom, false}}) {
        const bool columns = s.cmd == Cmd::ArithColumnsLeft || s.cmd == Cmd::ArithColumnsRight;
        router.SetViewHandler(s.cmd, [&context, s, columns](View &v) {
            RunArithmetic(v, context, columns, s.before);
        });
    }
}
