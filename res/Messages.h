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
    // Command line.
    Usage,
    // Text commands.
    RemoveCommentLinesQuestion,
    TabStopsTo4Question,
    TabStopsTo8Question,
    WebSearchFailed,
    Count
};

QString MsgText(Msg id, bool english);
