#include "toolchain/CToolchain.h"

#include "app/Prompter.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/TextFile.h"
#include "res/Messages.h"
#include "toolchain/ToolchainHost.h"

#include <QFileInfo>

namespace {
// What a file looked like before the first pass.
struct FileSnapshot {
    bool existed = false;
    QByteArray text;
    qint64 time = 0;
};

FileSnapshot TextOf(const QString &path)
{
    FileSnapshot s;
    s.existed = QFileInfo::exists(path);
    ReadWholeFile(path, s.text);
    return s;
}

FileSnapshot TimeOf(const QString &path)
{
    FileSnapshot s;
    s.existed = QFileInfo::exists(path);
    s.time = s.existed ? FileTimeOf(path) : 0;
    return s;
}

// How many more passes the table of contents and the labels still need.
enum class ExtraPasses {
    None,
    One,
    UpToTwo
};

ExtraPasses DecideExtraPasses(bool tocBefore, const QByteArray &oldToc, bool tocNow,
                              const QByteArray &newToc, bool labels)
{
    if (tocBefore) {
        if (labels)
            return ExtraPasses::UpToTwo;
        return newToc != oldToc ? ExtraPasses::One : ExtraPasses::None;
    }
    if (tocNow && labels)
        return ExtraPasses::UpToTwo;
    return tocNow != labels ? ExtraPasses::One : ExtraPasses::None;
}
} // namespace

int CToolchain::FindCompilerInDefaultFolders()
{
    for (const QString &folder : m_compilerFolders) {
        const QString full = folder + ExecutableName(m_s.compiler);
        const int r = RunCompiler(full);
        if (r == -1)
            continue;
        m_s.compiler = full;
        m_s.texInstDir = folder;
        WriteSetting(m_store, Keys::TeXInstDir, folder);
        WriteSetting(m_store, Keys::TeX, full);
        return r;
    }
    return -1;
}

// A compiler that could not be started: the fixed folders, then the user's choice. 1 when a
// compiler ran (whatever it returned).
int CToolchain::CompilerFallback()
{
    const QString failed = m_s.compiler;
    if (FindCompilerInDefaultFolders() != -1)
        return 1;
    if (m_prompter.Ask(Text(Msg::CompilerCannotRun).arg(failed), MsgButtons::OkCancel)
        != MsgAnswer::Ok) {
        m_s.compiler = QString::fromUtf8(Keys::TeX.defaultValue);
        DeleteSetting(m_store, Keys::TeX);
        Notice(Msg::CompilerHint);
        return 0;
    }
    if (!ChooseCompiler()) {
        Notice(Msg::CompilerHint);
        return 0;
    }
    SetCurrentDir(Target().dir);
    if (RunCompiler(m_s.compiler) != -1)
        return 1;
    m_prompter.Notice(Text(Msg::CompilerFailedAfterChoice).arg(failed));
    return 0;
}

int CToolchain::FinishCompile(int result)
{
    // The pane shows the log as it is now, or nothing when there is none.
    QByteArray bytes;
    ReadWholeFile(TargetFile(".log"), bytes);
    QString text = DecodeText(bytes, GuessEncodingWithoutNkf(bytes));
    if (text.isNull())
        text = QString::fromLatin1(bytes);
    m_host.RefreshLogPane(text);
    m_host.FocusEditor();
    return result;
}

int CToolchain::CompileTarget()
{
    // A name TeX would misread is refused before anything is asked or run.
    if (!TeXCanReadName(Target().base)) {
        m_prompter.Notice(Text(Msg::TargetNameUnreadable).arg(Target().base));
        return 0;
    }

    // Only a saved text is compiled.
    if (m_host.IsModified())
        m_host.SaveModified();
    StoreEditedFileTime();
    if (m_host.IsModified())
        return FinishCompile(0);

    // A first line "% … name.exe" naming a TeX engine chooses the compiler for this window.
    const QString firstLine = m_host.FirstLine();
    if (firstLine.startsWith(QLatin1Char('%'))) {
        const QString name = CompilerFromFirstLine(firstLine);
        if (!name.isEmpty())
            m_s.compiler = m_s.texInstDir + ExecutableName(name);
        else
            m_s.compiler = ReadSetting(m_store, Keys::TeX);
    }

    // Plain TeX runs once and is not judged.
    SetCurrentDir(Target().dir);
    const QString base = Target().base;
    if (!m_s.compiler.contains(QLatin1String("latex"))) {
        if (RunCompiler(m_s.compiler) == -1)
            return CompilerFallback();
        return 1;
    }

    // What the passes will be judged against.
    const QString tocPath = TargetFile(".toc");
    const QString auxPath = TargetFile(".aux");
    const QString dviPath = TargetFile(".dvi");
    const QString idxPath = TargetFile(".idx");
    const FileSnapshot oldToc = TextOf(tocPath);
    const FileSnapshot oldAux = TextOf(auxPath);
    const FileSnapshot dviBefore = TimeOf(dviPath);
    const FileSnapshot idxBefore = TimeOf(idxPath);

    // The first pass.
    const int r1 = RunCompiler(m_s.compiler);
    if (r1 == -1 && !CompilerFallback())
        return 0;
    const auto pass = [&] { return RunCompiler(m_s.compiler); };

    // A run that wrote no newer DVI failed; the user reads why in the log.
    const FileSnapshot dviNow = TimeOf(dviPath);
    if (!dviNow.existed || (dviBefore.existed && dviNow.time <= dviBefore.time))
        return FinishCompile(0);

    // TeX stopped at an error that the user answered with X.
    QByteArray log = ReadLog();
    if (LogShowsErrorStop(log))
        return 0;

    // A missing or cited bibliography: BibTeX and one more pass.
    int r2 = -2;
    // TeX quotes a name with blanks in its log.
    bool runBibTeX = log.contains("No file " + base.toUtf8() + ".bbl")
                     || log.contains("No file \"" + base.toUtf8() + "\".bbl");
    QByteArray newAux;
    if (!runBibTeX) {
        if (r1 == 0)
            ReadWholeFile(auxPath, newAux);
        runBibTeX = newAux.contains("\\bibdata");
        if (!runBibTeX && oldAux.existed && newAux != oldAux.text)
            r2 = pass();
    }
    if (runBibTeX && RunBibTeX())
        r2 = pass();
    if (r2 == 0) {
        log = ReadLog();
        if (LogShowsErrorStop(log))
            return 0;
    }

    // A rewritten index file: MakeIndex and one more pass.
    const FileSnapshot idxNow = TimeOf(idxPath);
    if (idxNow.existed && (!idxBefore.existed || idxNow.time > idxBefore.time)) {
        if (RunMakeIndex() && pass() == 0) {
            log = ReadLog();
            if (LogShowsErrorStop(log))
                return 0;
        }
    }

    // The table of contents and the labels may still be settling.
    const bool tocNow = QFileInfo::exists(tocPath);
    QByteArray newToc;
    if (r1 == 0 && tocNow)
        ReadWholeFile(tocPath, newToc);
    log = ReadLog();
    bool warn = log.contains("LaTeX Warning");
    const bool labels = log.contains("Label(s)");
    if (LogShowsErrorStop(log))
        return 0;

    // Reruns while they still change something.
    int last = 0;
    switch (DecideExtraPasses(oldToc.existed, oldToc.text, tocNow, newToc, labels)) {
    case ExtraPasses::None:
        last = 0;
        break;
    case ExtraPasses::One:
        last = pass();
        warn = ReadLog().contains("LaTeX Warning");
        break;
    case ExtraPasses::UpToTwo: {
        const int r = pass();
        if (r != 0) {
            last = r;
            break;
        }
        QByteArray toc = oldToc.text;
        if (QFileInfo::exists(tocPath))
            ReadWholeFile(tocPath, toc);
        warn = ReadLog().contains("LaTeX Warning");
        if (toc == newToc) {
            last = 0;
            break;
        }
        last = pass();
        warn = ReadLog().contains("LaTeX Warning");
        break;
    }
    }

    if (last != 0)
        return FinishCompile(0);
    if (warn)
        m_prompter.Message({Text(Msg::LaTeXWarnings), Text(Msg::WarningCaption), MsgButtons::Ok,
                            MsgIcon::Exclamation, 0});
    return FinishCompile(1);
}
