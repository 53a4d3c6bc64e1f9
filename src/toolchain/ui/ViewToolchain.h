#pragma once

#include "app/ui/CommandRouter.h"
#include "toolchain/CToolchain.h"
#include "toolchain/ToolchainHost.h"

#include <QObject>

#include <functional>

class COrrindaleView;
struct AppContext;

// The TeX commands of one editor view, over the process's tool settings: the view, its
// document with its files and its sibling log pane are what the toolchain reaches through its
// host.
class CViewToolchain : public QObject, public ToolchainHost {
    Q_OBJECT
public:
    // The view's own instance, made on first use and kept as long as the view.
    static CViewToolchain *Of(COrrindaleView *view, AppContext &context);

    CToolchain &Tools() { return m_tools; }

    const DocumentFiles &Files() const override;
    bool IsModified() const override;
    bool SaveModified() override;
    QString FirstLine() const override;
    void RefreshLogPane(const QString &logText) override;
    void FocusEditor() override;
    void SetBusy(bool busy) override;
    void KeepFileTime(qint64 seconds) override;
    bool PaperSizeDialog(PaperDialogValues &values) override;
    bool MakeIndexOptionsDialog(QString &options, int &neverShow) override;

private:
    CViewToolchain(COrrindaleView *view, AppContext &context);

    COrrindaleView *m_pView;
    CToolchain m_tools;
};

// Enabled exactly when the view's compile target is a TeX source. Every command that works on
// the compile target uses this rule.
CommandState ToolchainCommandState(const COrrindaleView *view);

// What the window adds around each TeX command: the words the compiler gets besides the
// target's name (SyncTeX while the window shows the PDF), and a call when the command ended.
struct ToolchainWatch {
    std::function<QString()> compilerOptions;
    std::function<void()> ended;
};

// Binds the TeX commands (compile, DVI, PDF, paper size, MakeIndex options, the choosers) to
// the active view of the window.
void RegisterToolchainCommands(CommandRouter &router, AppContext &context,
                               const ToolchainWatch &watch = {});
