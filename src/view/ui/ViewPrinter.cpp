#include "view/ui/ViewPrinter.h"

#include "app/AppSettings.h"
#include "app/Prompter.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/TextFile.h"
#include "app/ui/AppContext.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "app/ui/FontMapping.h"
#include "res/Commands.h"
#include "res/Messages.h"
#include "view/ui/UndoController.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPageSetupDialog>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <cmath>

namespace {
// A paragraph is laid in pieces of this many characters, so that a page in the middle of one
// enormous line costs no more than a page anywhere else.
constexpr int ChunkChars = 8192;

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// Windows' MulDiv: a × b / c rounded half away from zero.
int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

bool DefaultPrintDialog(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}

int DefaultPreview(QPrinter &printer, int startPage, const std::function<void(QPrinter *)> &paint,
                   QWidget *parent)
{
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    auto *widget = dialog.findChild<QPrintPreviewWidget *>();
    if (!widget) {
        dialog.exec();
        return startPage;
    }
    // The pages are made when the dialog shows; only the first preview goes to the start page,
    // later ones (zoom, page setup) stay where the person has gone.
    bool placed = false;
    QObject::connect(widget, &QPrintPreviewWidget::previewChanged, &dialog, [&] {
        if (placed)
            return;
        placed = true;
        widget->setCurrentPage(startPage);
    });
    dialog.exec();
    return widget->currentPage();
}

std::unique_ptr<QPrinter> DefaultPrinter(CViewPrinter::PrinterFailure &failure)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        failure = CViewPrinter::PrinterFailure::NoDefaults;
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!printer->isValid()) {
        failure = CViewPrinter::PrinterFailure::NoDeviceContext;
        return nullptr;
    }
    failure = CViewPrinter::PrinterFailure::None;
    return printer;
}

// Puts the caret at index and shows its display row at the top of the pane.
void ShowAtTop(COrrindaleView &view, int index)
{
    QTextCursor c = view.textCursor();
    c.setPosition(std::clamp(index, 0, view.document()->characterCount() - 1));
    view.setTextCursor(c);
    const QTextBlock block = view.document()->findBlock(c.position());
    int row = block.firstLineNumber();
    if (const QTextLayout *layout = block.layout(); layout && layout->lineCount() > 0) {
        const QTextLine line = layout->lineForTextPosition(c.position() - block.position());
        if (line.isValid())
            row += line.lineNumber();
    }
    view.verticalScrollBar()->setValue(row);
}
} // namespace

int FitTextInColumn(const QString &text, int start, const PrintRect &column, const QFont &font,
                    qreal tabDistance, QPaintDevice *device, QPainter *painter)
{
    const int length = static_cast<int>(text.size());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    if (tabDistance > 0)
        option.setTabStopDistance(tabDistance);
    const qreal width = std::max(1, column.Width());
    qreal y = column.top;
    bool anyLine = false;
    int pos = start;
    int paragraphEnd = -1;
    while (pos < length) {
        if (paragraphEnd < pos) {
            paragraphEnd = static_cast<int>(text.indexOf(QLatin1Char('\n'), pos));
            if (paragraphEnd < 0)
                paragraphEnd = length;
        }
        const int chunkEnd = std::min(paragraphEnd, pos + ChunkChars);
        const bool wholeParagraph = chunkEnd == paragraphEnd;
        QTextLayout layout(text.mid(pos, chunkEnd - pos), font, device);
        layout.setTextOption(option);
        QList<QPointF> placed;
        int consumed = 0;
        bool full = false;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            // A column takes at least one line, however tall, so that the text moves on.
            if (anyLine && y + line.height() > column.bottom) {
                full = true;
                break;
            }
            const int lineEnd = line.textStart() + line.textLength();
            // The last line of a piece cut from a longer paragraph may be cut short: it is laid
            // again at the start of the next piece.
            if (!wholeParagraph && lineEnd >= chunkEnd - pos && line.textStart() > 0)
                break;
            line.setPosition(QPointF(0, 0));
            placed.append(QPointF(column.left, y));
            y += line.height();
            anyLine = true;
            consumed = lineEnd;
        }
        layout.endLayout();
        if (painter) {
            for (int i = 0; i < placed.size(); ++i)
                layout.lineAt(i).draw(painter, placed.at(i));
        }
        if (full)
            return pos + consumed;
        if (!wholeParagraph || consumed < chunkEnd - pos) {
            if (consumed == 0)
                return pos; // no line could be made: the page moves on by itself
            pos += consumed;
            continue;
        }
        // The whole paragraph fitted: its line break goes with it.
        pos = paragraphEnd < length ? paragraphEnd + 1 : length;
    }
    return pos;
}

struct CViewPrinter::Job {
    COrrindaleView *view = nullptr;
    PrintedText text;
    int tabWidth = 8;
    int margin = 1;
    int columns = 1;
    QList<PrintRect> laidColumns; // the columns the page starts were laid for
};

CViewPrinter::CViewPrinter(QWidget &window, AppContext &context)
    : QObject(&window)
    , m_window(window)
    , m_context(context)
{
    setObjectName(QStringLiteral("viewPrinter"));
    printDialog = [this](QPrinter &printer) { return DefaultPrintDialog(printer, &m_window); };
    previewDialog = [this](QPrinter &printer, int startPage,
                           const std::function<void(QPrinter *)> &paint) {
        return DefaultPreview(printer, startPage, paint, &m_window);
    };
    openDefaultPrinter = DefaultPrinter;
}

CViewPrinter::~CViewPrinter() = default;

QPrinter &CViewPrinter::Printer()
{
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>();
    return *m_pPrinter;
}

void CViewPrinter::WriteSettingsLine(COrrindaleView &view)
{
    const CAppSettings &settings = view.Settings();
    const QString line = ZelSettingsLineText(view.Options().tabWidth, settings.PrintFont().height,
                                             settings.Print().columns, settings.Print().margin);
    QTextDocument *doc = view.document();
    const QString current = DocumentText(doc);
    const SettingsLineEdit edit = WithSettingsLine(current, line);
    if (!edit.changed)
        return;
    COrrindaleDoc *document = view.GetDocument();
    const bool wasModified = document->IsModified();
    const int anchor = view.textCursor().anchor();
    const int position = view.textCursor().position();
    const int rows = doc->lineCount();
    const int scroll = view.verticalScrollBar()->value();
    view.UndoController()->RewriteText(edit.text);
    QTextCursor c = view.textCursor();
    c.setPosition(edit.Shift(anchor));
    c.setPosition(edit.Shift(position), QTextCursor::KeepAnchor);
    view.setTextCursor(c);
    // The rows on screen stay where they were, one row further down the text.
    if (scroll > 0)
        view.verticalScrollBar()->setValue(scroll + doc->lineCount() - rows);
    // An unmodified document stays unmodified: the line is saved with it at once.
    const QString path = document->PathName();
    if (wasModified)
        return;
    if (!path.isEmpty() && document->OnSaveDocument(path))
        document->SetFileTime(FileTimeOf(path));
    else
        document->SetModifiedFlag(true); // the line is still to be saved
}

CViewPrinter::Job CViewPrinter::Prepare(COrrindaleView &view)
{
    const bool calc = !view.IsLogPane() && IsCalcExtension(view.Files().edited.ext);
    if (calc)
        WriteSettingsLine(view);
    // The document is never changed for printing: the comment lines are left out of a copy, so
    // there is nothing to put back, whether the printing runs or is cancelled.
    const PrintSettings &print = view.Settings().Print();
    Job job{&view,
            PrintedText(DocumentText(view.document()), calc),
            view.Options().tabWidth,
            print.margin,
            print.columns,
            {}};
    return job;
}

QFont CViewPrinter::PrinterFont(const COrrindaleView &view, QPaintDevice *device) const
{
    // The printer font's height is in printer dots already; without one the screen font is
    // printed at the size it has on the screen.
    const CAppSettings &settings = view.Settings();
    if (settings.PrintFont().height != 0) {
        LogFont lf = settings.PrintFont();
        if (lf.faceName.isEmpty())
            lf.faceName = settings.ScreenFont().faceName;
        return FontFromLogFont(lf);
    }
    QFont font = view.font();
    const int screenDpi = std::max(1, view.logicalDpiY());
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, MulDiv(font.pixelSize(), device->logicalDpiY(), screenDpi)));
    return font;
}

void CViewPrinter::Paginate(Job &job, QPrinter &printer)
{
    const PrintRect area = DrawingArea(printer.width(), printer.height(), printer.printerName());
    const QList<PrintRect> columns = ColumnRects(area, job.margin, job.columns);
    if (columns == job.laidColumns)
        return;
    const QFont font = PrinterFont(*job.view, &printer);
    const qreal tab =
        QFontMetricsF(font, &printer).horizontalAdvance(QLatin1Char(' ')) * job.tabWidth;
    const QString &text = job.text.Text();
    WaitCursor wait;
    m_pages.Paginate(columns, static_cast<int>(text.size()),
                     [&](const PrintRect &column, int start) {
                         return FitTextInColumn(text, start, column, font, tab, &printer, nullptr);
                     });
    job.laidColumns = columns;
}

bool CViewPrinter::Render(Job &job, QPrinter &printer, bool wholeDocument)
{
    if (printer.resolution() != Resolution)
        printer.setResolution(Resolution);
    Paginate(job, printer);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QFont font = PrinterFont(*job.view, &printer);
    painter.setFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(Qt::black);
    const qreal tab =
        QFontMetricsF(font, &printer).horizontalAdvance(QLatin1Char(' ')) * job.tabWidth;
    const QString &text = job.text.Text();
    const int length = static_cast<int>(text.size());
    int from = 1;
    int to = m_pages.PageCount();
    if (!wholeDocument && printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::max(1, printer.fromPage());
        to = std::min(to, printer.toPage() > 0 ? printer.toPage() : to);
    }
    for (int page = from; page <= to; ++page) {
        if (page > from)
            printer.newPage();
        LayPage(job.laidColumns, m_pages.StartOf(page), length,
                [&](const PrintRect &column, int start) {
                    return FitTextInColumn(text, start, column, font, tab, &printer, &painter);
                });
    }
    return painter.end();
}

void CViewPrinter::OnFilePrint(COrrindaleView &active)
{
    COrrindaleView *view = &active;
    QPrinter &printer = Printer();
    printer.setResolution(Resolution);
    Job job = Prepare(*view);
    if (!printDialog(printer))
        return;
    if (!Render(job, printer, false))
        m_context.prompter->Notice(MsgText(Msg::PrintNotStarted, view->Settings().English()),
                                   MsgIcon::Exclamation);
    view->ensureCursorVisible();
}

void CViewPrinter::OnFilePrintPreview(COrrindaleView &view)
{
    ShowPreview(view);
}

void CViewPrinter::ShowPreview(COrrindaleView &view)
{
    QPrinter &printer = Printer();
    printer.setResolution(Resolution);
    Job job = Prepare(view);
    Paginate(job, printer);
    // The preview opens at the page holding the first character of the top visible line.
    const QTextBlock first = view.document()->findBlockByNumber(view.FirstVisibleLine());
    const int top = job.text.ToPrinted(first.position());
    m_nPreviewStartPage = m_pages.PageOf(top);
    Q_EMIT PreviewShown(true);
    const int left = previewDialog(printer, m_nPreviewStartPage, [&](QPrinter *target) {
        // The preview and its Print button paint on the same printer object; only its paint
        // engine tells them apart. Printing from the preview prints what its dialog asked for.
        const QPaintEngine *engine = target->paintEngine();
        const bool preview = engine && engine->type() == QPaintEngine::Picture;
        if (!Render(job, *target, preview) && !preview)
            m_context.prompter->Notice(MsgText(Msg::PrintNotStarted, view.Settings().English()),
                                       MsgIcon::Exclamation);
    });
    Q_EMIT PreviewShown(false);
    if (left != m_nPreviewStartPage && left >= 1 && left <= m_pages.PageCount())
        ShowAtTop(view, job.text.ToSource(m_pages.StartOf(left)));
}

void CViewPrinter::OnFilePrintSetup()
{
    QPageSetupDialog dialog(&Printer(), &m_window);
    dialog.exec();
}

void CViewPrinter::OnPrinterFont(COrrindaleView &active)
{
    COrrindaleView *view = &active;
    PrinterFailure failure = PrinterFailure::None;
    std::unique_ptr<QPrinter> printer;
    {
        WaitCursor wait;
        printer = openDefaultPrinter(failure);
    }
    if (!printer) {
        const Msg text = failure == PrinterFailure::NoDeviceContext ? Msg::PrinterDcFailed
                                                                    : Msg::PrinterDefaultsFailed;
        m_context.prompter->Notice(MsgText(text, view->Settings().English()));
        return;
    }
    // The font dialog works in screen pixels, the stored font in printer dots.
    const int screenDpi = std::max(1, view->logicalDpiY());
    CAppSettings &settings = *m_context.settings;
    LogFont font = settings.PrintFont();
    if (font.height == 0) {
        font = settings.ScreenFont(); // nothing chosen yet: start from the screen font
    } else {
        font.height = MulDiv(font.height, screenDpi, Resolution);
    }
    if (!m_context.prompter->ChooseFont(font))
        return;
    font.height = MulDiv(font.height, Resolution, screenDpi);
    settings.SetPrintFont(font);
    ShowPreview(*view);
}

void CViewPrinter::OnColumns(COrrindaleView &active, int columns)
{
    m_context.settings->SetPrintColumns(columns);
    ShowPreview(active);
}

void CViewPrinter::OnMargin(COrrindaleView &active, int margin)
{
    if (m_context.settings->Print().margin == margin)
        return;
    m_context.settings->SetPrintMargin(margin);
    ShowPreview(active);
}

CViewPrinter *RegisterPrintCommands(QWidget &window, CommandRouter &router, AppContext &context)
{
    using View = COrrindaleView;
    auto *printer = new CViewPrinter(window, context);
    router.SetViewHandler(Cmd::FilePrint, [printer](View &v) { printer->OnFilePrint(v); });
    router.SetViewHandler(Cmd::FilePrintPreview,
                          [printer](View &v) { printer->OnFilePrintPreview(v); });
    router.SetHandler(Cmd::FilePrintSetup, [printer] { printer->OnFilePrintSetup(); });
    router.SetViewHandler(Cmd::PrinterFont, [printer](View &v) { printer->OnPrinterFont(v); });
    const Cmd columnCmds[] = {Cmd::PrintColumns1, Cmd::PrintColumns2, Cmd::PrintColumns3,
                              Cmd::PrintColumns4};
    const Cmd marginCmds[] = {Cmd::PrintMargin100, Cmd::PrintMargin200, Cmd::PrintMargin300,
                              Cmd::PrintMargin400};
    const CAppSettings *settings = context.settings;
    for (int n = 1; n <= 4; ++n) {
        router.SetViewHandler(
            columnCmds[n - 1], [printer, n](View &v) { printer->OnColumns(v, n); },
            [settings, n](const View &) {
                return CommandState{true, settings->Print().columns == n};
            });
        router.SetViewHandler(
            marginCmds[n - 1], [printer, n](View &v) { printer->OnMargin(v, n); },
            [settings, n](const View &) {
                return CommandState{true, settings->Print().margin == n};
            });
    }
    return printer;
}
