#include "toolchain/ui/ViewToolchain.h"

#include "app/AppSettings.h"
#include "app/ui/AppContext.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CPaneSplitter.h"
#include "toolchain/ui/ToolDialogs.h"

#include <QApplication>
#include <QScrollBar>
#include <QTextBlock>

CViewToolchain::CViewToolchain(COrrindaleView *view, AppContext &context)
    : QObject(view)
    , m_pView(view)
    , m_tools(*this, *context.launcher, *context.prompter, *context.store,
              context.settings->Tools(), context.settings->English())
{
    setObjectName(QStringLiteral("ViewToolchain"));
}

CViewToolchain *CViewToolchain::Of(COrrindaleView *view, AppContext &context)
{
    auto *existing = view->findChild<CViewToolchain *>(QStringLiteral("ViewToolchain"),
                                                       Qt::FindDirectChildrenOnly);
    return existing ? existing : new CViewToolchain(view, context);
}

const DocumentFiles &CViewToolchain::Files() const
{
    return m_pView->GetDocument()->Files();
}

bool CViewToolchain::IsModified() const
{
    return m_pView->GetDocument()->IsModified();
}

bool CViewToolchain::SaveModified()
{
    return m_pView->GetDocument()->SaveModified();
}

QString CViewToolchain::FirstLine() const
{
    const QTextBlock first = m_pView->document()->firstBlock();
    return first.next().isValid() ? first.text() + QLatin1Char('\n') : first.text();
}

void CViewToolchain::RefreshLogPane(const QString &logText)
{
    CPaneSplitter *panes = m_pView->Panes();
    COrrindaleView *log = panes ? panes->LogPane() : nullptr;
    if (!log)
        return;
    COrrindaleView *other = panes->OtherPane(*log);
    log->setPlainText(logText);
    m_pView->GetDocument()->UpdateAllViews(Hint::LogPane, other);
    // Down by the log's length and half a page, which brings its end into view.
    const int h = log->LineHeight();
    const int n = log->viewport()->height() / (2 * h);
    QScrollBar *bar = log->verticalScrollBar();
    bar->setValue(bar->value() + log->LineCount() + n - 3);
}

void CViewToolchain::FocusEditor()
{
    if (m_pView->Options().lineNumberMode != 0)
        m_pView->setFocus();
}

void CViewToolchain::SetBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void CViewToolchain::KeepFileTime(qint64 seconds)
{
    m_pView->GetDocument()->SetFileTime(seconds);
}

bool CViewToolchain::PaperSizeDialog(PaperDialogValues &values)
{
    CPaperSizeDialog dialog(m_pView->Settings().English(), values, m_pView->window());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.Values();
    return true;
}

bool CViewToolchain::MakeIndexOptionsDialog(QString &options, int &neverShow)
{
    CMakeIndexOptionsDialog dialog(m_pView->Settings().English(), options, neverShow,
                                   m_pView->window());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options = dialog.Options();
    neverShow = dialog.NeverShow();
    return true;
}

CommandState ToolchainCommandState(const COrrindaleView *view)
{
    return CommandState{view && ToolchainCommandEnabled(view->Files().target.ext), false};
}

void RegisterToolchainCommands(CommandRouter &router, AppContext &context,
                               const ToolchainWatch &watch)
{
    // Each command with whether it follows the target's type (the choosers do not).
    const struct {
        Cmd cmd;
        std::function<void(CToolchain &)> command;
        bool targetRule;
    } commands[] = {
        {Cmd::TeXCompile, [](CToolchain &t) { t.CompileTarget(); }, true},
        {Cmd::DviShow, [](CToolchain &t) { t.ShowDvi(); }, true},
        {Cmd::PdfShow, [](CToolchain &t) { t.ShowPdf(); }, true},
        {Cmd::TeXPdfShow, [](CToolchain &t) { t.TeXPdfShow(); }, true},
        {Cmd::TeXPdfMake, [](CToolchain &t) { t.TeXPdfMake(); }, true},
        {Cmd::PdfPaperSize, [](CToolchain &t) { t.PaperSizeDialog(); }, true},
        {Cmd::MakeIndexOptions, [](CToolchain &t) { t.MakeIndexOptions(); }, true},
        {Cmd::ChangeCompiler, [](CToolchain &t) { t.ChangeCompiler(); }, false},
        {Cmd::SelectDviPdf, [](CToolchain &t) { t.ChooseDviPdf(); }, false},
        {Cmd::SelectBibTeX, [](CToolchain &t) { t.ChooseBibTeX(); }, false},
        {Cmd::SelectMakeIndex, [](CToolchain &t) { t.ChooseMakeIndex(); }, false},
    };
    for (const auto &c : commands) {
        CommandRouter::ViewUpdater update;
        if (c.targetRule)
            update = [](const COrrindaleView &view) { return ToolchainCommandState(&view); };
        router.SetViewHandler(
            c.cmd,
            [&context, command = c.command, watch](COrrindaleView &view) {
                CToolchain &tools = CViewToolchain::Of(&view, context)->Tools();
                tools.SetCompilerOptions(watch.compilerOptions ? watch.compilerOptions()
                                                               : QString());
                command(tools);
                if (watch.ended)
                    watch.ended();
            },
            update);
    }
}
