#pragma once

#include <QString>
#include <QtGlobal>

struct DocumentFiles;
struct PaperDialogValues;

// What the TeX commands need from the window they run in: the document and its files, the log
// pane, the wait cursor and the two small dialogs of their own.
class ToolchainHost {
public:
    virtual ~ToolchainHost() = default;

    // The edited file and the compile target.
    virtual const DocumentFiles &Files() const = 0;
    virtual bool IsModified() const = 0;
    // The save prompt (Yes saves, No keeps the changes); false on Cancel or a failed save.
    virtual bool SaveModified() = 0;
    // The text's first line, including its line break when there is one.
    virtual QString FirstLine() const = 0;
    // Shows logText in the log pane when the window has one.
    virtual void RefreshLogPane(const QString &logText) = 0;
    // Gives the editor the keyboard focus when it shows line numbers.
    virtual void FocusEditor() = 0;
    virtual void SetBusy(bool busy) = 0;
    // The edited file's modification time (whole seconds) just after a save or a run, which
    // the window compares later to notice changes made by other programs.
    virtual void KeepFileTime(qint64 seconds) = 0;
    // The dialogs; false on Cancel.
    virtual bool PaperSizeDialog(PaperDialogValues &values) = 0;
    virtual bool MakeIndexOptionsDialog(QString &options, int &neverShow) = 0;
};
