#pragma once

// Every text the program says in a message box or a status pane, in both languages. The
// tables are Messages_ja.cpp and Messages_en.cpp; a few low-level messages have one text that
// both tables carry.

#include <QString>

enum class Msg {
    // Window and frame.
    UntitledTitle,
    SetWindowQuestion,
    WindowTooSmall,
    FileChangedQuestion,
    NewWindowFailed,
    OpenWindowFailed,
    // Help texts, web page and update check.
    DescriptionFailed,
    UpdateFound,
    UpdateNoBrowser,
    UpdateNewest,
    UpdateUnreachable,
    UpdateNotVersion,
    // Document.
    BackupFailed,
    DeleteBackupAskMode,
    DeleteBackupAskFile,
    DeleteBackupSummaryEach,
    DeleteBackupSummaryAll,
    DeleteBackupFailed,
    OpenMissing,
    OpenFolder,
    OpenUnreadable,
    OpenBinary,
    OpenTooLarge,
    OpenUndecodable,
    SaveReadOnly,
    SaveFailed,
    RecoveryQuestion,
    RecoveryUnreadable,
    SaveAsTitle,
    // Status bar.
    StatusInsert,
    StatusOverwrite,
    StatusBytes,
    StatusKiloBytes,
    StatusLine,
    StatusPreview,
    AskToSave,
    AllFilesFilter,
    // Helper programs.
    WinTpicMissing,
    TerminalMissing,
    // Command line.
    Usage,
    WindowLibraryFailed,
    // TeX tools: compile, BibTeX, MakeIndex, DVI and PDF, choosers, their dialogs.
    CompilerCannotRun,
    CompilerHint,
    CompilerFailedAfterChoice,
    LaTeXWarnings,
    WarningCaption,
    BibTeXError,
    BibTeXCannotRun,
    BibTeXHint,
    MakeIndexError,
    MakeIndexCannotRun,
    MakeIndexHint,
    DviOpenFailed,
    PdfMakeRetry,
    PdfMakeFailed,
    PdfOpenFailed,
    ChangeCompilerQuestion,
    ChooseDviPdfQuestion,
    ChooseBibTeXQuestion,
    ChooseMakeIndexQuestion,
    ProgramFilter,
    ConsoleTitle,
    ConsoleInput,
    ConsoleSend,
    ConsoleStop,
    ConsoleClose,
    TargetNameUnreadable,
    TeXRunNotTeXFile,
    TeXRunPdfMade,
    TeXRunNoPdf,
    MakeIndexOptionsTitle,
    MakeIndexOptionsNote,
    MakeIndexOptionsExample,
    MakeIndexOptionsMore,
    MakeIndexOptionsMenuNote,
    MakeIndexOptionsNever,
    PaperSizeTitle,
    PaperSizeNote,
    PaperSizeMenuNote,
    PaperSizeDontShow,
    PaperSizeNextTime,
    PaperSizeAnyMore,
    // Text commands.
    RemoveCommentLinesQuestion,
    TabStopsTo4Question,
    TabStopsTo8Question,
    WebSearchFailed,
    // Calculation mode.
    CalcNoRange,
    CalcCaution,
    CalcReselectEnd,
    CalcDenominatorZero,
    CalcSameBounds,
    CalcIntegerNeeded,
    // Table commands.
    TableRowsInvalid,
    TableSizeInvalid,
    // Expressions typed into the text.
    EvalMissingParen,
    EvalVariableUndefined,
    EvalManInExponent,
    EvalManInBase,
    EvalExponentNotInteger,
    // HTML export.
    HtmlUnclosedDecoration,
    HtmlReturnQuestion,
    HtmlOverDocument,
    // The command list file and completion.
    MakeInputQuestion,
    MakeInputDone,
    ChangeInputQuestion,
    MmeFilter,
    MinimumLettersTitle,
    MinimumLettersText,
    MinimumLettersCancel,
    // Printing.
    PrinterDefaultsFailed,
    PrinterDcFailed,
    PrintNotStarted,
    Count
};

QString MsgText(Msg id, bool english);
