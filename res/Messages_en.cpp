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
    {Msg::SaveAsTitle, "Save as"},
    {Msg::StatusInsert, " INS"},
    {Msg::StatusOverwrite, "OVR"},
    {Msg::StatusBytes, "%1 byte"},
    {Msg::StatusKiloBytes, "%1.%2 KB"},
    {Msg::StatusLine, " %1. %2. [ %3 char's]"},
    {Msg::StatusPreview, "Preview Mode"},
    {Msg::AskToSave, "Save changes to %1?"},
    {Msg::AllFilesFilter, "All files (*.*)|*.*||"},
    {Msg::Usage,
     "Usage: velloquin [-w0] [-w1] [-m0] [FILE]\n"
     "\n"
     "  FILE        the document to open (relative to the working folder)\n"
     "  -w0         viewer window: no menu, toolbars, status bar\n"
     "  -w1         second window: placed below the caption, stored rectangle not used\n"
     "  -m0         no line numbers in this window\n"
     "  --help      print this text and exit\n"
     "  --version   print the version and exit\n"},
    {Msg::RemoveCommentLinesQuestion, "Remove all comment lines (lines starting %)"},
    {Msg::TabStopsTo4Question, "Change Tab Stops from 8 (default) to 4."},
    {Msg::TabStopsTo8Question, "Restore Tab Stops from 4 to 8 (default)."},
    {Msg::WebSearchFailed, "No web browser could be started for the search:\n%1"},
};
} // namespace

const MessageEntry *EnglishMessages(int &count)
{
    count = static_cast<int>(std::size(kEnglish));
    return kEnglish;
}
