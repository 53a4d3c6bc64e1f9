#include "toolchain/HeadlessCompile.h"

#include "app/Launcher.h"
#include "app/Prompter.h"
#include "app/TextFile.h"
#include "res/Messages.h"
#include "toolchain/AnotherFile.h"
#include "toolchain/CToolchain.h"
#include "toolchain/ToolLookup.h"
#include "toolchain/ToolchainHost.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {
void Say(QIODevice &err, const QString &text)
{
    err.write(text.toUtf8() + '\n');
}

// Messages are written out and answered with the button a box would have focused.
class StreamPrompter : public Prompter {
public:
    explicit StreamPrompter(QIODevice &err)
        : m_err(err)
    {
    }
    MsgAnswer Message(const MessageRequest &request) override
    {
        Say(m_err, request.text);
        static const QList<MsgAnswer> okCancel{MsgAnswer::Ok, MsgAnswer::Cancel};
        static const QList<MsgAnswer> yesNoCancel{MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel};
        switch (request.buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::OkCancel:
            return okCancel.value(request.defaultButton, MsgAnswer::Ok);
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel:
            return yesNoCancel.value(request.defaultButton, MsgAnswer::Yes);
        }
        return MsgAnswer::Ok;
    }
    // No one is there to pick a file or a font: the dialogs count as cancelled.
    QString OpenFileName(const QString &, const QString &) override { return QString(); }
    QString SaveFileName(const QString &, const QString &) override { return QString(); }
    bool ChooseFont(LogFont &) override { return false; }

private:
    QIODevice &m_err;
};

// Each program runs with its input closed and its output passed on as it comes, after a line
// with the command. That line is written once the program has started: whoever reads our output
// wakes up for it, and written before, it competes with the program's start for the processor.
class StreamLauncher : public Launcher {
public:
    explicit StreamLauncher(QIODevice &err)
        : m_err(err)
    {
    }
    int RunAndWait(const QString &program, const QStringList &arguments,
                   const QString &workDir) override
    {
        QProcess process;
        process.setWorkingDirectory(workDir);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(program, arguments);
        Say(m_err, ShownCommand(program, arguments));
        if (!process.waitForStarted())
            return -1;
        while (process.waitForReadyRead(-1))
            m_err.write(process.readAll());
        process.waitForFinished(-1);
        m_err.write(process.readAll());
        if (process.exitStatus() != QProcess::NormalExit)
            return process.exitCode() != 0 ? process.exitCode() : 1;
        return process.exitCode();
    }
    // The chain only runs programs and waits for them; nothing is opened beside it.
    bool StartDetached(const QString &, const QStringList &, const QString &) override
    {
        return false;
    }
    bool Open(const QString &) override { return false; }

private:
    QIODevice &m_err;
};

// The file as saved on disk stands for the document; no pane, no cursor, no dialog.
class FileHost : public ToolchainHost {
public:
    FileHost(const DocumentFiles &files, const QString &firstLine)
        : m_files(files)
        , m_firstLine(firstLine)
    {
    }
    const DocumentFiles &Files() const override { return m_files; }
    bool IsModified() const override { return false; }
    bool SaveModified() override { return true; }
    QString FirstLine() const override { return m_firstLine; }
    void RefreshLogPane(const QString &) override {}
    void FocusEditor() override {}
    void SetBusy(bool) override {}
    void KeepFileTime(qint64) override {}
    bool PaperSizeDialog(PaperDialogValues &) override { return false; }
    bool MakeIndexOptionsDialog(QString &, int &) override { return false; }

private:
    DocumentFiles m_files;
    QString m_firstLine;
};
} // namespace

int CompileToPdfWithoutWindow(const QString &file, SettingsStore &store, bool english,
                              QIODevice &err)
{
    const QString edited = QDir::cleanPath(QFileInfo(file).absoluteFilePath());
    const LoadResult loaded = LoadFirstLine(edited);
    if (loaded.error != LoadError::None) {
        Say(err, LoadErrorMessage(loaded, edited, english));
        return 1;
    }
    const DocumentFiles files = DocumentFiles::Read(store, edited);
    const TargetPieces &target = files.target;
    if (!ToolchainCommandEnabled(target.ext)) {
        Say(err, MsgText(Msg::TeXRunNotTeXFile, english).arg(edited));
        return 1;
    }

    FileHost host(files, loaded.text);
    StreamPrompter prompter(err);
    StreamLauncher launcher(err);
    // The stored programs; no one is there to be asked for options or a paper size.
    ToolSettings settings;
    settings.Load(store);
    settings.makeIndexNoAsk = 1;
    settings.skipPaperDialog = 1;
    CToolchain tools(host, launcher, prompter, store, settings, english);

    // A PDF left from an earlier run does not count.
    const QString pdf = target.With(".pdf");
    const QDateTime before = QFileInfo(pdf).lastModified();
    const bool made = tools.TeXPdfMake() == 1 && QFileInfo::exists(pdf)
                      && QFileInfo(pdf).lastModified() != before;
    Say(err, MsgText(made ? Msg::TeXRunPdfMade : Msg::TeXRunNoPdf, english).arg(pdf));
    return made ? 0 : 1;
}
