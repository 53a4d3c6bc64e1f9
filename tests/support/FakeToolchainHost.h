#pragma once

#include "toolchain/ToolchainHost.h"
#include "toolchain/AnotherFile.h"
#include "toolchain/ToolSettings.h"

#include <QList>
#include <QStringList>

#include <optional>

// The window as the TeX commands see it, scripted: a document that is saved or not, a first
// line, and dialogs that answer as told. Every log-pane refresh and dialog is recorded.
class FakeToolchainHost : public ToolchainHost {
public:
    enum class SaveAnswer { Yes, No, Cancel };
    DocumentFiles files;
    bool modified = false;
    SaveAnswer saveAnswer = SaveAnswer::Yes;
    int savePrompts = 0;
    QString firstLine;
    QStringList logPaneTexts;
    int focusRequests = 0;
    int busyCalls = 0;
    QList<PaperDialogValues> paperShown;
    std::optional<PaperDialogValues> paperAnswer; // empty: Cancel
    QStringList optionsShown;
    std::optional<QString> optionsAnswer; // empty: Cancel
    int neverAnswer = 0;

    const DocumentFiles &Files() const override { return files; }
    bool IsModified() const override { return modified; }
    bool SaveModified() override;
    QString FirstLine() const override { return firstLine; }
    void RefreshLogPane(const QString &logText) override { logPaneTexts << logText; }
    void FocusEditor() override { ++focusRequests; }
    void SetBusy(bool) override { ++busyCalls; }
    void KeepFileTime(qint64) override {}
    bool PaperSizeDialog(PaperDialogValues &values) override;
    bool MakeIndexOptionsDialog(QString &options, int &neverShow) override;
};
