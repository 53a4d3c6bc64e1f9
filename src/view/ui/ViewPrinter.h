#pragma once

#include "view/PrintLayout.h"

#include <QObject>

#include <functional>
#include <memory>

class CommandRouter;
class COrrindaleView;
class QFont;
class QPainter;
class QPaintDevice;
class QPrinter;
class QWidget;
struct AppContext;

// Lays the text of a column with the printer's font: returns the index of the first character
// that did not fit and, given a painter, draws the lines that did.
int FitTextInColumn(const QString &text, int start, const PrintRect &column, const QFont &font,
                    qreal tabDistance, QPaintDevice *device, QPainter *painter);

// Print, Print Preview, Print Setup, the printer font, columns and margin of the active pane.
// The dialogs go through replaceable functions so that a test can print to a file and count
// the previews without a person at the screen.
class CViewPrinter : public QObject {
    Q_OBJECT
public:
    // The resolution every printout is laid out at: the margins and gaps are counted in dots of
    // 1/600 inch, the unit of the printers they were first chosen for.
    static constexpr int Resolution = 600;

    enum class PrinterFailure {
        None,
        NoDefaults,
        NoDeviceContext
    };

    // window owns the dialogs and this printer.
    CViewPrinter(QWidget &window, AppContext &context);
    ~CViewPrinter() override;

    void OnFilePrint(COrrindaleView &view);
    void OnFilePrintPreview(COrrindaleView &view);
    void OnFilePrintSetup();
    void OnPrinterFont(COrrindaleView &view);
    void OnColumns(COrrindaleView &view, int columns);
    void OnMargin(COrrindaleView &view, int margin);

    // The page at which the last preview opened, and the page starts of the last printout.
    int PreviewStartPage() const { return m_nPreviewStartPage; }
    const PageStartTable &Pages() const { return m_pages; }

    // The print dialog: true to print.
    std::function<bool(QPrinter &printer)> printDialog;
    // The preview, opened at startPage; paint draws every page on the printer it is given.
    // Returns the page shown when the preview was left.
    std::function<int(QPrinter &printer, int startPage,
                      const std::function<void(QPrinter *)> &paint)>
        previewDialog;
    // The platform's default printer, or nothing with the reason.
    std::function<std::unique_ptr<QPrinter>(PrinterFailure &failure)> openDefaultPrinter;

Q_SIGNALS:
    // A print preview opens (true) or closes (false): the window's status bar says so.
    void PreviewShown(bool shown);

private:
    struct Job;
    // The text as it is printed; a calculation document first gets its settings line.
    Job Prepare(COrrindaleView &view);
    void WriteSettingsLine(COrrindaleView &view);
    QFont PrinterFont(const COrrindaleView &view, QPaintDevice *device) const;
    // Lays out every page; false when the printer cannot be drawn on.
    void Paginate(Job &job, QPrinter &printer);
    bool Render(Job &job, QPrinter &printer, bool wholeDocument);
    void ShowPreview(COrrindaleView &view);
    // The printer and its settings, kept for the whole run (Print Setup, printing).
    QPrinter &Printer();

    QWidget &m_window;
    AppContext &m_context;
    std::unique_ptr<QPrinter> m_pPrinter;
    PageStartTable m_pages;
    int m_nPreviewStartPage = 1;
};

// Registers the printing commands with the window's router; the printer is the window's child.
CViewPrinter *RegisterPrintCommands(QWidget &window, CommandRouter &router, AppContext &context);
