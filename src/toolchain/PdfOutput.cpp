#include "toolchain/CToolchain.h"

#include "app/Launcher.h"
#include "app/Prompter.h"
#include "app/SettingsKeys.h"
#include "res/Messages.h"
#include "toolchain/ToolchainHost.h"

#include <QFileInfo>

namespace {
// The wait cursor around opening a file with its associated program.
bool OpenBusy(ToolchainHost &host, Launcher &launcher, const QString &path)
{
    host.SetBusy(true);
    const bool opened = launcher.Open(path);
    host.SetBusy(false);
    return opened;
}
} // namespace

int CToolchain::FindDviPdfInDefaultFolders(const QString &option)
{
    for (const QString &folder : m_compilerFolders) {
        const QString full = folder + ExecutableName(m_s.dviPdf);
        const int r = RunTool(full, Target().base, option);
        if (r == -1)
            continue;
        m_s.dviPdf = full;
        WriteSetting(m_store, Keys::DviPdf, full);
        return r;
    }
    return -1;
}

void CToolchain::ShowDvi()
{
    if (m_host.IsModified()) {
        if (!m_host.SaveModified())
            return;
        if (!m_host.IsModified()) {
            StoreEditedFileTime();
            if (!CompileTarget())
                return;
        }
    }
    const QString dvi = TargetFile(".dvi");
    if (!QFileInfo::exists(dvi)) {
        if (m_host.IsModified() || !CompileTarget())
            return;
    }
    if (!OpenBusy(m_host, m_launcher, dvi))
        m_prompter.Notice(Text(Msg::DviOpenFailed).arg(QFileInfo(dvi).fileName()));
}

int CToolchain::MakePdf()
{
    int result = 0;
    const QString dvi = TargetFile(".dvi");
    if (!QFileInfo::exists(dvi))
        result = CompileTarget();
    const auto finish = [&] {
        if (m_s.pdfMadeOnce == 0 && result != 0) {
            m_s.pdfMadeOnce = 1;
            WriteSetting(m_store, Keys::Acr, 1);
        }
        return result;
    };
    if (!QFileInfo::exists(dvi) && result != 1)
        return finish();
    if (m_s.skipPaperDialog == 0 && !PaperSizeDialog())
        return finish();

    const QString option = PaperOption(m_s.pdfPaper);
    SetCurrentDir(Target().dir);
    int r = RunTool(m_s.dviPdf, Target().base, option);
    if (r == -1) {
        r = FindDviPdfInDefaultFolders(option);
        if (r == -1) {
            ChooseDviPdf();
            return finish();
        }
    }
    if (r == 0) {
        result = 1;
        return finish();
    }
    // A viewer holding the PDF open is the usual reason; one retry once it is closed.
    if (AskOk(Msg::PdfMakeRetry)) {
        if (RunTool(m_s.dviPdf, Target().base, option) == 0) {
            result = 1;
            return finish();
        }
    }
    Notice(Msg::PdfMakeFailed);
    if (m_s.pdfMadeOnce == 0)
        ChooseDviPdf();
    return finish();
}

void CToolchain::ShowPdf()
{
    const QString pdf = TargetFile(".pdf");
    int made = 0;
    if (!QFileInfo::exists(pdf))
        made = MakePdf();
    if (!QFileInfo::exists(pdf) && made != 1)
        return;
    if (!OpenBusy(m_host, m_launcher, pdf))
        m_prompter.Notice(Text(Msg::PdfOpenFailed).arg(QFileInfo(pdf).fileName()));
}

int CToolchain::TeXPdfMake()
{
    return CompileTarget() == 1 ? MakePdf() : 0;
}

void CToolchain::TeXPdfShow()
{
    if (CompileTarget() && MakePdf())
        ShowPdf();
}
