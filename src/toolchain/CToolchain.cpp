#include "toolchain/CToolchain.h"

#include "app/Launcher.h"
#include "app/Prompter.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/TextFile.h"
#include "res/Messages.h"
#include "toolchain/ToolchainHost.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void ReadWholeFile(const QString &path, QByteArray &text)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return;
    text = file.readAll();
}

bool LogShowsErrorStop(const QByteArray &log)
{
    return log.contains("\n? x") || log.contains("\n? X")
           || log.contains("End of file on the terminal!");
}

QString PaperOption(int index)
{
    static const char *const options[PaperSizeCount] = {
        " -p a3 ",     "",           " -p a5 ",     " -p a6 ",      " -l ",
        " -p b3 ",     " -p b4 ",    " -p  b5",     " -p b6 ",      " -p b5var ",
        " -p letter ", " -p legal ", " -p ledger ", " -p tabloid ",
    };
    if (index < 0 || index >= PaperSizeCount)
        return QString();
    return QString::fromLatin1(options[index]);
}

CToolchain::CToolchain(ToolchainHost &host, Launcher &launcher, Prompter &prompter,
                       SettingsStore &store, ToolSettings &settings, bool english)
    : m_host(host)
    , m_launcher(launcher)
    , m_prompter(prompter)
    , m_store(store)
    , m_s(settings)
    , m_english(english)
    , m_compilerFolders(DefaultToolFolders(ToolFolderOrder::CompilerFirst))
    , m_auxiliaryFolders(DefaultToolFolders(ToolFolderOrder::AuxiliaryFirst))
{
}

void CToolchain::SetToolFolders(const QStringList &compilerFirst, const QStringList &auxiliaryFirst)
{
    m_compilerFolders = compilerFirst;
    m_auxiliaryFolders = auxiliaryFirst;
}

int CToolchain::RunTool(const QString &command, const QString &file, const QString &options)
{
    const QString platform = PlatformCommand(command);
    QString program;
    if (m_lookup) {
        program = m_lookup(platform);
    } else {
        QStringList folders;
        if (!m_s.texInstDir.isEmpty())
            folders << m_s.texInstDir;
        folders << m_compilerFolders << SearchPathFolders(qEnvironmentVariable("PATH"));
        program = FindProgram(platform, folders);
    }
    // Started only by its absolute path: a bare name would let the process start search the
    // working folder, which is the document's.
    if (program.isEmpty())
        return -1;
    return m_launcher.RunAndWait(program, ToolArguments(options, file), m_strCurrentDir);
}

int CToolchain::RunCompiler(const QString &command)
{
    return RunTool(command, Target().base, m_strCompilerOptions);
}

const TargetPieces &CToolchain::Target() const
{
    return m_host.Files().target;
}

QString CToolchain::EditedPath() const
{
    return m_host.Files().editedPath;
}

QString CToolchain::TargetFile(const char *ext) const
{
    return Target().With(ext);
}

QByteArray CToolchain::ReadLog() const
{
    QByteArray log;
    ReadWholeFile(QDir(m_strCurrentDir).filePath(Target().base + QStringLiteral(".log")), log);
    return log;
}

QString CToolchain::Text(Msg id) const
{
    return MsgText(id, m_english);
}

void CToolchain::Notice(Msg id)
{
    m_prompter.Notice(Text(id));
}

bool CToolchain::AskOk(Msg id)
{
    QString text = Text(id);
    // The choosers' questions name the folders the programs are looked for in.
    if (id == Msg::ChangeCompilerQuestion || id == Msg::ChooseDviPdfQuestion) {
        QStringList folders = m_compilerFolders;
        if (!m_s.texInstDir.isEmpty())
            folders.prepend(m_s.texInstDir);
        text = text.arg(u'"' + folders.join(QStringLiteral("\", \"")) + u'"');
    }
    return m_prompter.Ask(text, MsgButtons::OkCancel) == MsgAnswer::Ok;
}

void CToolchain::StoreEditedFileTime()
{
    const QString edited = EditedPath();
    if (!edited.isEmpty() && QFileInfo::exists(edited))
        m_host.KeepFileTime(FileTimeOf(edited));
}

// Choosers.

void CToolchain::ChangeCompiler()
{
    if (!AskOk(Msg::ChangeCompilerQuestion)) {
        m_s.compiler = QString::fromUtf8(Keys::TeX.defaultValue);
        DeleteSetting(m_store, Keys::TeX);
        return;
    }
    ChooseCompiler();
}

int CToolchain::ChooseCompiler()
{
    if (!m_s.texInstDir.isEmpty())
        SetCurrentDir(m_s.texInstDir);
    const QString path = m_prompter.OpenFileName(Text(Msg::ProgramFilter), m_strCurrentDir);
    if (path.isEmpty()) {
        m_s.compiler = QString::fromUtf8(Keys::TeX.defaultValue);
        DeleteSetting(m_store, Keys::TeX);
        return 0;
    }
    m_s.compiler = path;
    WriteSetting(m_store, Keys::TeX, path);
    const QString prefix = path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (prefix != m_s.texInstDir) {
        m_s.texInstDir = prefix;
        WriteSetting(m_store, Keys::TeXInstDir, prefix);
    }
    if (path.contains(QLatin1String("latex"))) {
        // The other programs of the same distribution live beside its compiler.
        m_s.dviPdf = prefix + QStringLiteral("dvipdfmx");
        WriteSetting(m_store, Keys::DviPdf, m_s.dviPdf);
        const bool japanese = path.contains(QLatin1String("platex"));
        m_s.bibTeX = prefix + (japanese ? QStringLiteral("jbibtex") : QStringLiteral("bibtex"));
        m_s.makeIndex =
            prefix + (japanese ? QStringLiteral("mendex") : QStringLiteral("makeindex"));
        WriteSetting(m_store, Keys::Bib, m_s.bibTeX);
        WriteSetting(m_store, Keys::MkIdx, m_s.makeIndex);
    }
    return 1;
}

int CToolchain::ChooseProgram(QString &command, const StringSetting &setting, Msg question)
{
    const QString path = AskOk(question)
                             ? m_prompter.OpenFileName(Text(Msg::ProgramFilter), m_strCurrentDir)
                             : QString();
    if (path.isEmpty()) {
        command = QString::fromUtf8(setting.defaultValue);
        DeleteSetting(m_store, setting);
        return 0;
    }
    command = path;
    WriteSetting(m_store, setting, path);
    return 1;
}

int CToolchain::ChooseDviPdf()
{
    return ChooseProgram(m_s.dviPdf, Keys::DviPdf, Msg::ChooseDviPdfQuestion);
}

int CToolchain::ChooseBibTeX()
{
    return ChooseProgram(m_s.bibTeX, Keys::Bib, Msg::ChooseBibTeXQuestion);
}

int CToolchain::ChooseMakeIndex()
{
    return ChooseProgram(m_s.makeIndex, Keys::MkIdx, Msg::ChooseMakeIndexQuestion);
}

// Dialogs.

bool CToolchain::MakeIndexOptions()
{
    // The dialog proposes a style file while nothing is stored; the run itself starts empty.
    QString options = ReadSetting(m_store, Keys::MkIdxOpt);
    if (!m_store.Contains(SectionName(Keys::MkIdxOpt.section),
                          QString::fromLatin1(Keys::MkIdxOpt.key)))
        options = QStringLiteral("-s myindex");
    int never = ReadSetting(m_store, Keys::MkIdxNvr);
    if (!m_host.MakeIndexOptionsDialog(options, never))
        return false;
    m_s.makeIndexOptions = options;
    m_s.makeIndexNoAsk = never ? 1 : 0;
    WriteSetting(m_store, Keys::MkIdxOpt, options);
    WriteSetting(m_store, Keys::MkIdxNvr, m_s.makeIndexNoAsk);
    return true;
}

bool CToolchain::PaperSizeDialog()
{
    PaperDialogValues values;
    values.nShow = ReadSetting(m_store, Keys::PdfNShow) != 0 ? 1 : 0;
    values.neShow = ReadSetting(m_store, Keys::PdfNeShow) != 0 ? 1 : 0;
    values.sizeNo = ReadSetting(m_store, Keys::PdfSizeNo);
    if (!m_host.PaperSizeDialog(values))
        return false;
    m_s.pdfPaper = values.sizeNo;
    m_s.skipPaperDialog = values.nShow;
    m_s.neverPaperDialog = values.neShow;
    WriteSetting(m_store, Keys::PdfNShow, values.nShow);
    WriteSetting(m_store, Keys::PdfNeShow, values.neShow);
    WriteSetting(m_store, Keys::PdfSizeNo, values.sizeNo);
    // Either box keeps the dialog away until the program ends.
    m_s.skipPaperDialog = values.nShow + values.neShow;
    return true;
}
