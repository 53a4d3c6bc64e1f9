#include "res/Messages.h"

#include "res/MessageTable.h"

namespace {
constexpr MessageEntry kEnglish[] = {
    {Msg::UntitledTitle, "Untitled"},
    {Msg::SetWindowQuestion,
     "Set the position and the size of restored window to the present window. \n If you push "
     "Cancel, then the default settings are restored."},
    {Msg::WindowTooSmall,
     "The present window is too small !! Try again more bigger window !!\n Reset to the default."},
    {Msg::FileChangedQuestion,
     "This file is edited in others and is updated. \nWould you like to open again?"},
    {Msg::NewWindowFailed, "Failed to open the another new file"},
    {Msg::OpenWindowFailed, "Failed to open the another file"},
    {Msg::LanguageNextStartEnglish, "The menus and messages will be in English from the next start."},
    {Msg::LanguageNextStartJapanese, "The menus and messages will be in Japanese from the next start."},
    {Msg::DescriptionFailed, "Failed to show the description"},
    {Msg::UpdateFound, "Found a new version of Velloquin."},
    {Msg::UpdateNoBrowser, "Cannot execute \"internet Browser\""},
    {Msg::UpdateNewest, "This \"Velloquin\" is the newest version!!\nVersion %1"},
    {Msg::UpdateUnreachable,
     "The update information could not be fetched from\n%1\n(%2)\nCheck the network "
     "connection and try again later."},
    {Msg::UpdateNotVersion,
     "The answer from\n%1\nis not a version file, so no newer version was looked for."},
    {Msg::UpdateChecking, "Looking for a newer version at\n%1"},
    {Msg::BrowserOpenFailed,
     "Could not open %1: no web browser is set. Choose one as the default web browser in the "
     "desktop's settings, or with: xdg-settings set default-web-browser BROWSER.desktop"},
    {Msg::BackupFailed, "Failed to make the back up file !!"},
    {Msg::DeleteBackupAskMode,
     "Delete all backup file of the current folder\n%1\nDo you want to check each deleting "
     "files? \nIf you choose \"No\", then delete all file with no check."},
    {Msg::DeleteBackupAskFile, "Is it OK to delete the file\n%1"},
    {Msg::DeleteBackupSummaryEach, "Deleted %1-backup files of the folder\n%2"},
    {Msg::DeleteBackupSummaryAll,
     "Succeeded to delete all backup files (%1 files) of the folder\n%2"},
    {Msg::DeleteBackupFailed, "Failed to delete backup files"},
    {Msg::OpenMissing, "The file does not exist:\n%1"},
    {Msg::OpenFolder, "This is a folder, not a file:\n%1"},
    {Msg::OpenUnreadable, "The file cannot be read:\n%1\n%2"},
    {Msg::OpenBinary, "This file is not a text file (it holds NUL bytes) and was not opened:\n%1"},
    {Msg::OpenTooLarge, "This file is too large to open (%2 MB; at most 64 MB):\n%1"},
    {Msg::OpenUndecodable,
     "The characters of this file are in no encoding the program knows; it was not opened:\n%1"},
    {Msg::SaveReadOnly,
     "The file or its folder is read-only; nothing was saved:\n%1\nUse \"Save as\" to save it "
     "elsewhere."},
    {Msg::SaveFailed,
     "The file could not be saved; the file on disk is unchanged:\n%1\n%2"},
    {Msg::RecoveryQuestion,
     "Unsaved text of\n%1\nwas kept when Velloquin last ended without saving it (%2).\n"
     "Do you want to restore it?\nIf you choose \"No\", the kept text is deleted."},
    {Msg::RecoveryUnreadable,
     "The kept unsaved text could not be read, so nothing of it was restored:\n%1\n(%2)\n"
     "The file is left where it is."},
    {Msg::SaveAsTitle, "Save as"},
    {Msg::StatusInsert, " INS"},
    {Msg::StatusOverwrite, "OVR"},
    {Msg::StatusBytes, "%1 byte"},
    {Msg::StatusKiloBytes, "%1.%2 KB"},
    {Msg::StatusLine, " %1. %2. [ %3 char's]"},
    {Msg::StatusPreview, "Preview Mode"},
    {Msg::AskToSave, "Save changes to %1?"},
    {Msg::AllFilesFilter, "All files (*.*)|*.*||"},
    {Msg::WinTpicMissing, "Failed to find WinTpic (wtpic.exe) !\n Please install as [%1]"},
    {Msg::TerminalMissing,
     "No command prompt could be started: no terminal program was found.\nInstall one (for example xterm) or name it in the environment variable TERMINAL."},
    {Msg::Usage,
     "Usage: velloquin [-w0] [-w1] [-m0] [--line N] [FILE]\n"
     "\n"
     "  FILE        the document to open (relative to the working folder)\n"
     "  -w0         viewer window: no menu, toolbars, status bar\n"
     "  -w1         second window: placed below the caption, stored rectangle not used\n"
     "  -m0         no line numbers in this window\n"
     "  --line N    put the caret on line N of FILE\n"
     "  --merge-commands LIST DOC...\n"
     "              count the TeX commands of each DOC into the command list file LIST\n"
     "              (input_tex.mme) and save it; no window is opened\n"
     "  --eval LINE [--eval LINE...] [--round N]\n"
     "              print each LINE as Enter leaves it when typed into the text: a line\n"
     "              ending in \"=\" gets its value, a formula with x1, x2, ... is kept for\n"
     "              the value lines \"x1=3, x2=4\" after it; N decimals (default: the\n"
     "              stored rounding); messages go to standard error; no window is opened\n"
     "  --html FILE [--calc]\n"
     "              write FILE's HTML page beside it (FILE.html without FILE's extension),\n"
     "              with tables in calculation mode (--calc, or a .zel FILE); no window\n"
     "  --tex FILE  compile FILE.tex as TeX-PDF (make) does, with the stored settings: the\n"
     "              programs' output and the messages go to standard error, every question\n"
     "              takes its default answer, TeX stops at the first error; exit status 0\n"
     "              when the PDF was made, 1 otherwise; no window\n"
     "  --help      print this text and exit\n"
     "  --version   print the version and exit\n"},
    {Msg::WindowLibraryFailed,
     "The editor's window cannot be opened: %1 could not be loaded.\n%2\n"
     "The switches that need no window (velloquin --help) still work. Please reinstall."},
    {Msg::CompilerCannotRun,
     "Can't execute a TeX compiler \"%1\" !! \nThe PATH may not be set or TeX may not be "
     "installed!! \nIf you installed TeX, then please choose by yourself. \nIf you push Cancel, "
     "then the default is restored; \"platex.exe\" with no path."},
    {Msg::CompilerHint,
     "You can also choose TeX by \"Help\"->\"Settings\"->\"Change TeX compiler\" in the menu. "},
    {Msg::CompilerFailedAfterChoice,
     "Can't execute a TeX compiler \"%1\" !! You can also choose TeX by \"Help\"->\"Settings\"->"
     "\"Change TeX compiler\" in the menu. "},
    {Msg::LaTeXWarnings,
     "Succeeded to compile!!\nHowever \"LaTeX Warning\"'s are there!!\n(Not \"Font Warning\") "
     "\nCheck the log file!!"},
    {Msg::WarningCaption, "Warning!!"},
    {Msg::BibTeXError,
     "There are some errors !! E.g. Selected \"bibtex.exe\" instead of \"jbibtex.exe\". \nAlso "
     "check the bibliography in DVI file."},
    {Msg::BibTeXCannotRun, "Can't execute BibTeX !!"},
    {Msg::BibTeXHint,
     "You can also choose BibTeX (\"jbibtex.exe\") by \n\"Help\"->\"Settings\"->\"Choose "
     "BibTeX\" in the menu. \nIf it does not work, then use \"Command Prompt Window\" !! "},
    {Msg::MakeIndexError,
     "There are some errors !! E.g. Selected \"makeindex.exe\" instead of \"mendex.exe\"."},
    {Msg::MakeIndexCannotRun, "Can't execute MakeIndex (mendex.exe) !!"},
    {Msg::MakeIndexHint,
     "You can also choose MakeIndex (\"mendex.exe\") by \n\"Help\"->\"Settings\"->\"Choose "
     "MakeIndex\" in the menu. \nIf it does not work, then use \"Command Prompt Window\" !! "},
    {Msg::DviOpenFailed,
     "Cannot open the DVI file \"%1\": no program is set to open DVI files.\nChoose a DVI "
     "viewer as the default application for DVI files in the desktop's settings, or with\n"
     "xdg-mime default VIEWER.desktop application/x-dvi\n\"TeX-PDF\" makes a PDF instead."},
    {Msg::PdfMakeRetry,
     "Cannot make a PDF file. \nIf Acrobat (Adobe Reader) is executing, \nthen Close it and "
     "push \"OK\" button."},
    {Msg::PdfMakeFailed, "Cannot make a PDF file"},
    {Msg::PdfOpenFailed,
     "Cannot open the PDF file \"%1\": no program is set to open PDF files.\nChoose a PDF "
     "viewer as the default application for PDF files in the desktop's settings, or with\n"
     "xdg-mime default VIEWER.desktop application/pdf"},
    {Msg::ChangeCompilerQuestion,
     "Change TeX compiler. You can choose Exe file if you push OK. \nIf you push Cancel, then "
     "the default is restored; \"platex.exe\". \nAnother TeX may be found in %1 ... etc."},
    {Msg::ChooseDviPdfQuestion,
     "If cannot make PDF, then push OK. \nFind and choose the program file \"dvipdfmx.exe\". "
     "\nIt may be found in %1 ... etc.\n If you push Cancel, then the default is restored. "},
    {Msg::ChooseBibTeXQuestion,
     "If it failed to execute BibTeX, then jbibtex.exe file may not be specified. \nFind and "
     "select jbibtex.exe or bibtex.exe. \nIf you push Cancel, then the default is restored; "
     "\"(j)bibtex.exe\" with no path."},
    {Msg::ChooseMakeIndexQuestion,
     "If it failed to execute MakeIndex, then mendex.exe file may not be specified. \nFind and "
     "select mendex.exe or makeindex.exe. \nIf you push Cancel, then the default is restored; "
     "\"mendex.exe\" with no path."},
#ifdef Q_OS_WIN
    {Msg::ProgramFilter, "Exe files (*.exe)|*.exe||"},
#else
    {Msg::ProgramFilter, "Programs (*)|*||"},
#endif
    {Msg::ConsoleTitle, "%1 - running"},
    {Msg::ConsoleInput, "Answer to the program:"},
    {Msg::ConsoleSend, "Send"},
    {Msg::ConsoleStop, "Stop"},
    {Msg::ConsoleClose, "Close"},
    {Msg::ConsoleStopped, "%1 was stopped as you asked (x or Stop)."},
    {Msg::TargetNameUnreadable,
     "TeX cannot read the file name \"%1\".\nPlease rename the file without double quotes, "
     "\"%\", \"~\", \"\\\" and control characters."},
    {Msg::TeXRunNotTeXFile, "%1 is not a TeX document (.tex): nothing compiled."},
    {Msg::TeXRunPdfMade, "%1 was made."},
    {Msg::TeXRunNoPdf, "%1 was not made."},
    {Msg::MakeIndexOptionsTitle, "MakeIndex のオプション"},
    {Msg::MakeIndexOptionsNote,
     "Input options of MakeIndex (mendex.exe) \n(Ex.) If you want to use an index style; "
     "myindex.ist, input as follows: "},
    {Msg::MakeIndexOptionsExample, "-s myindex"},
    {Msg::MakeIndexOptionsMore, "(The other options by \"mendex -?\" in Command Line. "},
    {Msg::MakeIndexOptionsMenuNote,
     "Changeable also by [Opt of MkIndex] of [TeX] in the menu. "},
    {Msg::MakeIndexOptionsNever, "Never show this message automatically. "},
    {Msg::PaperSizeTitle, "PDF Paper Size"},
    {Msg::PaperSizeNote, "Choose a paper size from the following: \n(Default is A4.)"},
    {Msg::PaperSizeMenuNote, "Changeable also by [PDF paper] of [TeX] in the menu. "},
    {Msg::PaperSizeDontShow, "Don't show this dialog to make [PDF]"},
    {Msg::PaperSizeNextTime, "to the next time. (Reset settings in the time.) "},
    {Msg::PaperSizeAnyMore, "any more. (Save settings.)"},
    {Msg::RemoveCommentLinesQuestion, "Remove all comment lines (lines starting %)"},
    {Msg::TabStopsTo4Question, "Change Tab Stops from 8 (default) to 4."},
    {Msg::TabStopsTo8Question, "Restore Tab Stops from 4 to 8 (default)."},
    {Msg::WebSearchFailed,
     "No web browser could be started for the search:\n%1\nChoose one as the default web "
     "browser in the desktop's settings, or with\nxdg-settings set default-web-browser "
     "BROWSER.desktop"},
    {Msg::CalcDenominatorZero, "n and q must be integers other than 0."},
    {Msg::CalcSameBounds, "A and B must be different."},
    {Msg::CalcIntegerNeeded, "Please enter an integer."},
    {Msg::TableRowsInvalid, "Enter row numbers from 1, the first row not after the last."},
    {Msg::TableSizeInvalid, "Enter 1 or more rows and columns."},
    // The calculation range messages, the messages of expressions typed into the text, the
    // decoration message and the question after an HTML export exist in Japanese only: they
    // have no entry here.
    {Msg::HtmlOverDocument,
     "The HTML file %1 is the document itself and is not overwritten.\n"
     "Rename the document before converting it."},
    {Msg::MakeInputQuestion,
     "Create the auxiliary file; \"input_tex.mme\". \nThe list is \"Frequency\" order, \nbut in "
     "\"View\" you can change to \"ABC\" order."},
    {Msg::MakeInputDone,
     "Succeeded to create the auxiliary file \"input_tex.mme\". It will be shown. \nPlease save "
     "it!! Edit according to the description, if you need."},
    {Msg::ChangeInputQuestion,
     "Change the TeX input auxiliary file \"input_tex.mme\". \nChoose a file, if you put the file "
     "in another folder than \"%1\" or if you change the file name. \nIf you push Cancel, then "
     "the default is restored; \"%2\"."},
    {Msg::MmeFilter, "Mme files (*.mme)|*.mme||"},
    {Msg::MinimumLettersTitle, "Minimum Letter Number "},
    {Msg::MinimumLettersText,
     "Choose the minimum  letter number of TeX commands. \n(Default is 4 letters.)"},
    {Msg::MinimumLettersCancel, "CANCEL"},
    {Msg::InputSupportOn, "TeX input (completion of command names) is on."},
    {Msg::InputSupportOff, "TeX input (completion of command names) is off. Esc turns it on."},
    {Msg::PrinterDefaultsFailed, "Failed to get device defaults!"},
    {Msg::PrinterDcFailed, "Failed to get printer DC"},
    {Msg::PrintNotStarted, "Printing could not be started."},
    {Msg::PreviewTitle, "PDF Preview"},
    {Msg::PreviewNoPdf, "There is no PDF yet: %1\nMake it with TeX-PDF (Ctrl+T)."},
    {Msg::PreviewBrokenPdf,
     "The PDF %1 cannot be read (it is being written or is broken); the last good pages stay."},
    {Msg::PreviewNoSyncTeX,
     "The PDF has no SyncTeX data: compile again while the preview is shown."},
    {Msg::PreviewStaleSyncTeX,
     "The SyncTeX data is older than the PDF: compile again while the preview is shown."},
    {Msg::PreviewNoPlace, "Line %1 has no place in the PDF."},
    {Msg::PreviewFitWidth, "Fit width"},
    {Msg::PreviewFitPage, "Fit page"},
    {Msg::PreviewPageOf, "%1 / %2"},
    {Msg::PreviewPreviousPage, "Previous page"},
    {Msg::PreviewNextPage, "Next page"},
};
} // namespace

const MessageEntry *EnglishMessages(int &count)
{
    count = static_cast<int>(std::size(kEnglish));
    return kEnglish;
}
