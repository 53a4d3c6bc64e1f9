#include "res/Commands.h"

#include <QHash>

namespace {
constexpr CommandIds kCommands[] = {
    {Cmd::FileNew, 57600, 57611, "FileNew"},
    {Cmd::FileOpen, 57601, 57612, "FileOpen"},
    {Cmd::NewWindow, 32902, 32903, "NewWindow"},
    {Cmd::OpenWindow, 32875, 32876, "OpenWindow"},
    {Cmd::FileSave, 57603, 57614, "FileSave"},
    {Cmd::FileSaveAs, 57604, 57615, "FileSaveAs"},
    {Cmd::FilePrint, 57607, 57608, "FilePrint"},
    {Cmd::FilePrintPreview, 57609, 57610, "FilePrintPreview"},
    {Cmd::FilePrintSetup, 57606, 57613, "FilePrintSetup"},
    {Cmd::AppExit, 57665, 57667, "AppExit"},
    {Cmd::HtmlExport, 33014, 0, "HtmlExport"},
    {Cmd::Undo, 32992, 32994, "Undo"},
    {Cmd::UndoForward, 32996, 32995, "UndoForward"},
    {Cmd::Find, 32853, 32854, "Find"},
    {Cmd::Replace, 32845, 32858, "Replace"},
    {Cmd::RepeatFindReplace, 32859, 32860, "RepeatFindReplace"},
    {Cmd::Cut, 57635, 57638, "Cut"},
    {Cmd::Copy, 57634, 57639, "Copy"},
    {Cmd::Paste, 57637, 57648, "Paste"},
    {Cmd::SelectAll, 57642, 57649, "SelectAll"},
    {Cmd::Font, 32780, 32792, "Font"},
    {Cmd::PrinterFont, 32915, 32916, "PrinterFont"},
    {Cmd::PrintColumns1, 32988, 32988, "PrintColumns1"},
    {Cmd::PrintColumns2, 32989, 32989, "PrintColumns2"},
    {Cmd::PrintColumns3, 32990, 32990, "PrintColumns3"},
    {Cmd::PrintColumns4, 32991, 32991, "PrintColumns4"},
    {Cmd::PrintMargin100, 33008, 33013, "PrintMargin100"},
    {Cmd::PrintMargin200, 33010, 33010, "PrintMargin200"},
    {Cmd::PrintMargin300, 33011, 33011, "PrintMargin300"},
    {Cmd::PrintMargin400, 33012, 33012, "PrintMargin400"},
    {Cmd::PhysicalLineNo, 32883, 32885, "PhysicalLineNo"},
    {Cmd::LogicalLineNo, 32884, 32887, "LogicalLineNo"},
    {Cmd::Coloring, 32798, 32799, "Coloring"},
    {Cmd::SetColor, 32920, 32921, "SetColor"},
    {Cmd::TabStops, 32802, 32817, "TabStops"},
    {Cmd::WordWrap, 32861, 32862, "WordWrap"},
    {Cmd::RightClickMenu, 32811, 0, "RightClickMenu"},
    {Cmd::TeXBar, 32855, 32857, "TeXBar"},
    {Cmd::TeXInput, 32906, 32907, "TeXInput"},
    {Cmd::InputListOrder, 32910, 32911, "InputListOrder"},
    {Cmd::InputLetterNo, 32922, 32923, "InputLetterNo"},
    {Cmd::LineJump, 32779, 32791, "LineJump"},
    {Cmd::ToHead, 32806, 32820, "ToHead"},
    {Cmd::ToEnd, 32807, 32824, "ToEnd"},
    {Cmd::ToLineHead, 32809, 32826, "ToLineHead"},
    {Cmd::ToLineEnd, 32810, 32827, "ToLineEnd"},
    {Cmd::PageUp, 32812, 32828, "PageUp"},
    {Cmd::PageDown, 32813, 32829, "PageDown"},
    {Cmd::CaretPosition, 32926, 32927, "CaretPosition"},
    {Cmd::SplitRow, 32771, 32781, "SplitRow"},
    {Cmd::SplitColumn, 32772, 32782, "SplitColumn"},
    {Cmd::TeXPdfShow, 32928, 32930, "TeXPdfShow"},
    {Cmd::TeXPdfMake, 33044, 33045, "TeXPdfMake"},
    {Cmd::PdfShow, 32819, 32832, "PdfShow"},
    {Cmd::TeXCompile, 32774, 32783, "TeXCompile"},
    {Cmd::DviShow, 32775, 32784, "DviShow"},
    {Cmd::LogRow, 32778, 32790, "LogRow"},
    {Cmd::LogColumn, 32777, 32786, "LogColumn"},
    {Cmd::WinTpic, 32787, 32793, "WinTpic"},
    {Cmd::RegistAnotherFile, 32814, 32830, "RegistAnotherFile"},
    {Cmd::UnregistAnotherFile, 32815, 32831, "UnregistAnotherFile"},
    {Cmd::AddComment, 32821, 32833, "AddComment"},
    {Cmd::RemoveComment, 32822, 32834, "RemoveComment"},
    {Cmd::PdfPaperSize, 32917, 32918, "PdfPaperSize"},
    {Cmd::MakeIndexOptions, 32975, 32976, "MakeIndexOptions"},
    {Cmd::RemoveAllCommentLines, 33018, 33019, "RemoveAllCommentLines"},
    {Cmd::EnvEqnarrayStar, 33020, 33031, "EnvEqnarrayStar"},
    {Cmd::EnvEqnarray, 33021, 33033, "EnvEqnarray"},
    {Cmd::EnvEquation, 33022, 33032, "EnvEquation"},
    {Cmd::EnvEnumerate, 33028, 33034, "EnvEnumerate"},
    {Cmd::EnvItemize, 33029, 33035, "EnvItemize"},
    {Cmd::EnvArray, 33024, 33036, "EnvArray"},
    {Cmd::EnvTabular, 33023, 33037, "EnvTabular"},
    {Cmd::EnvCenter, 33025, 33038, "EnvCenter"},
    {Cmd::EnvFlushright, 33026, 33039, "EnvFlushright"},
    {Cmd::EnvFlushleft, 33027, 33040, "EnvFlushleft"},
    {Cmd::EnvDocument, 33030, 33041, "EnvDocument"},
    {Cmd::WebSearch, 33096, 33097, "WebSearch"},
    {Cmd::Description, 32788, 32794, "Description"},
    {Cmd::About, 57664, 57666, "About"},
    {Cmd::CommandPrompt, 32934, 32941, "CommandPrompt"},
    {Cmd::HtmlManual, 33015, 0, "HtmlManual"},
    {Cmd::HtmlMessage, 33016, 0, "HtmlMessage"},
    {Cmd::RestoreWindow, 32873, 32874, "RestoreWindow"},
    {Cmd::SetWindow, 32878, 32882, "SetWindow"},
    {Cmd::BackupMode, 32863, 32864, "BackupMode"},
    {Cmd::DeleteBackup, 32865, 32866, "DeleteBackup"},
    {Cmd::ChangeCompiler, 32823, 32835, "ChangeCompiler"},
    {Cmd::SelectDviPdf, 32932, 32933, "SelectDviPdf"},
    {Cmd::SelectBibTeX, 32942, 32943, "SelectBibTeX"},
    {Cmd::SelectMakeIndex, 32977, 32978, "SelectMakeIndex"},
    {Cmd::MakeInputFile, 32908, 32909, "MakeInputFile"},
    {Cmd::ChangeInputFile, 32944, 32945, "ChangeInputFile"},
    {Cmd::WebPage, 32951, 32952, "WebPage"},
    {Cmd::CheckUpdate, 32949, 32950, "CheckUpdate"},
    {Cmd::SwitchLanguage, 32825, 32838, "SwitchLanguage"},
    {Cmd::CalcMode, 32953, 33067, "CalcMode"},
    {Cmd::CalcHelp, 32969, 33095, "CalcHelp"},
    {Cmd::MakeTable, 32974, 33065, "MakeTable"},
    {Cmd::TableWidth, 32973, 33066, "TableWidth"},
    {Cmd::RoundOff, 32924, 33068, "RoundOff"},
    {Cmd::Calculator, 33113, 33114, "Calculator"},
    {Cmd::ReadWrite, 32801, 32816, "ReadWrite"},
    {Cmd::InsertMode, 32987, 32987, "InsertMode"},
    {Cmd::SortRows, 32960, 33058, "SortRows"},
    {Cmd::RangeSelect, 33118, 0, "RangeSelect"},
    {Cmd::CopyArea, 33005, 33069, "CopyArea"},
    {Cmd::CutArea, 33006, 33070, "CutArea"},
    {Cmd::PasteArea, 33007, 33071, "PasteArea"},
    {Cmd::PasteRepeat, 33057, 33072, "PasteRepeat"},
    {Cmd::ClearArea, 32961, 33074, "ClearArea"},
    {Cmd::DeleteArea, 32970, 33073, "DeleteArea"},
    {Cmd::InsertBlankCells, 33107, 33108, "InsertBlankCells"},
    {Cmd::SumColumnTop, 33052, 33075, "SumColumnTop"},
    {Cmd::SumColumnBottom, 32955, 33076, "SumColumnBottom"},
    {Cmd::MeanColumnTop, 33053, 33077, "MeanColumnTop"},
    {Cmd::MeanColumnBottom, 32957, 33078, "MeanColumnBottom"},
    {Cmd::LinearColumnLeft, 33049, 33079, "LinearColumnLeft"},
    {Cmd::LinearColumnRight, 32967, 33080, "LinearColumnRight"},
    {Cmd::MapColumnLeft, 33050, 33081, "MapColumnLeft"},
    {Cmd::MapColumnRight, 32958, 33082, "MapColumnRight"},
    {Cmd::ArithColumnsLeft, 33051, 33083, "ArithColumnsLeft"},
    {Cmd::ArithColumnsRight, 32971, 33084, "ArithColumnsRight"},
    {Cmd::SumRowLeft, 33047, 33085, "SumRowLeft"},
    {Cmd::SumRowRight, 32954, 33086, "SumRowRight"},
    {Cmd::MeanRowLeft, 33048, 33087, "MeanRowLeft"},
    {Cmd::MeanRowRight, 32956, 33088, "MeanRowRight"},
    {Cmd::LinearRowTop, 33054, 33089, "LinearRowTop"},
    {Cmd::LinearRowBottom, 32968, 33090, "LinearRowBottom"},
    {Cmd::MapRowTop, 33055, 33091, "MapRowTop"},
    {Cmd::MapRowBottom, 32959, 33092, "MapRowBottom"},
    {Cmd::ArithRowsTop, 33056, 33093, "ArithRowsTop"},
    {Cmd::ArithRowsBottom, 32972, 33094, "ArithRowsBottom"},
    {Cmd::Deviation, 32999, 33059, "Deviation"},
    {Cmd::InsertColumn, 32962, 33060, "InsertColumn"},
    {Cmd::DeleteColumn, 32963, 33061, "DeleteColumn"},
    {Cmd::CopyColumn, 32964, 33062, "CopyColumn"},
    {Cmd::CutColumn, 32965, 33063, "CutColumn"},
    {Cmd::InsertCopiedColumn, 32966, 33064, "InsertCopiedColumn"},
    {Cmd::Ranking, 33098, 33099, "Ranking"},
    {Cmd::PdfPreview, 33130, 33131, "PdfPreview"},
    {Cmd::ForwardSearch, 33132, 33133, "ForwardSearch"},
};
} // namespace

std::span<const CommandIds> AllCommands()
{
    return kCommands;
}

std::optional<Cmd> CommandForId(int id)
{
    static const QHash<int, Cmd> byId = [] {
        QHash<int, Cmd> map;
        for (const CommandIds &c : kCommands) {
            if (c.japaneseId)
                map.insert(c.japaneseId, c.cmd);
            if (c.englishId)
                map.insert(c.englishId, c.cmd);
        }
        return map;
    }();
    const auto it = byId.constFind(id);
    if (it == byId.cend())
        return std::nullopt;
    return *it;
}

const CommandIds &IdsOf(Cmd cmd)
{
    return kCommands[static_cast<int>(cmd)];
}

int IdOf(Cmd cmd, bool english)
{
    const CommandIds &ids = IdsOf(cmd);
    return english ? ids.englishId : ids.japaneseId;
}
