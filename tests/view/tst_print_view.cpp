#include "support/FrameFixture.h"
#include "app/SettingsKeys.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "res/Commands.h"
#include "view/PrintLayout.h"
#include "view/ui/ViewPrinter.h"

#include <QApplication>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

namespace {
// One window over one file, printing into a PDF file instead of asking for a printer.
struct PrintFixture {
    FrameFixture f;
    std::unique_ptr<CMainFrame> frame;
    COrrindaleView *view = nullptr;
    CViewPrinter *printer = nullptr;
    QString path;
    QString pdf;
    bool printAnswer = true;
    int previews = 0;
    QList<int> previewStarts;
    int leaveAt = 0; // the page the preview is left at; 0: where it opened
    std::function<int(QPrinter &, int, const std::function<void(QPrinter *)> &)> realPreview;

    PrintFixture(const QString &name, const QByteArray &content, bool shown = false)
    {
        frame = f.MakeFrame();
        path = f.WriteFile(name, content);
        if (!frame->OpenDocumentFile(path))
            qFatal("the test document could not be opened");
        view = frame->GetActiveView();
        printer = frame->findChild<CViewPrinter *>();
        pdf = f.FilePath(QStringLiteral("out.pdf"));
        realPreview = printer->previewDialog;
        printer->printDialog = [this](QPrinter &p) {
            ToPdf(p);
            return printAnswer;
        };
        printer->previewDialog = [this](QPrinter &p, int start,
                                        const std::function<void(QPrinter *)> &paint) {
            ++previews;
            previewStarts << start;
            ToPdf(p);
            paint(&p);
            return leaveAt > 0 ? leaveAt : start;
        };
        if (shown) {
            frame->resize(700, 500);
            frame->show();
            QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
        }
    }
    void ToPdf(QPrinter &p) const
    {
        QFile::remove(pdf);
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
    }
    bool Run(Cmd cmd) { return frame->Router()->Execute(IdsOf(cmd).japaneseId); }
    QString Text() const { return DocumentText(view->document()); }
    void Select(int from, int to)
    {
        QTextCursor c = view->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        view->setTextCursor(c);
    }
    // The text of each page of the printout, as pdftotext lays it out.
    QStringList Pages() const
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"),
                {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!p.waitForFinished(120000) || p.exitCode() != 0)
            return {};
        QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }
};

// The words of a page in reading order of its columns: the left column from top to bottom,
// then the right one.
QStringList ColumnWords(const QString &page)
{
    static const QRegularExpression word(QStringLiteral("\\S+"));
    struct Word {
        qsizetype column;
        QString text;
    };
    QList<Word> words;
    qsizetype first = -1;
    qsizetype last = -1;
    for (const QString &line : page.split(QLatin1Char('\n'))) {
        for (auto it = word.globalMatch(line); it.hasNext();) {
            const auto m = it.next();
            words.append({m.capturedStart(), m.captured()});
            first = first < 0 ? m.capturedStart() : std::min(first, m.capturedStart());
            last = std::max(last, m.capturedStart());
        }
    }
    const qsizetype middle = (first + last) / 2;
    QStringList left;
    QStringList right;
    for (const Word &w : words)
        (last > first && w.column > middle ? right : left) << w.text;
    return left + right;
}

QStringList Numbered(const QString &prefix, int count)
{
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << prefix + QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
    return out;
}

QStringList Words(const QString &page)
{
    return page.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}
} // namespace

class TestPrintView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void columnsContinueEachOther_data();
    void columnsContinueEachOther();
    void zelPrintsWithoutComments_data();
    void zelPrintsWithoutComments();
    void marginAndColumnsOpenPreview_data();
    void marginAndColumnsOpenPreview();
    void previewOpensAtTopLineAndLeavesCaret_data();
    void previewOpensAtTopLineAndLeavesCaret();
    void realPreviewDialog();
    void printFromPreview_data();
    void printFromPreview();
    void printerFont_data();
    void printerFont();
    void awkwardDocuments_data();
    void awkwardDocuments();
};

void TestPrintView::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QFAIL("pdftotext (poppler-utils) is needed; scripts/setup installs it");
}

void TestPrintView::columnsContinueEachOther_data()
{
    QTest::addColumn<Cmd>("command");
    QTest::addColumn<int>("columns");
    QTest::newRow("one column") << Cmd::PrintColumns1 << 1;
    QTest::newRow("two columns") << Cmd::PrintColumns2 << 2;
}

void TestPrintView::columnsContinueEachOther()
{
    QFETCH(Cmd, command);
    QFETCH(int, columns);
    const QStringList lines = Numbered(QStringLiteral("L"), 400);
    PrintFixture t(QStringLiteral("doc.tex"), lines.join(QLatin1Char('\n')).toUtf8());
    QVERIFY(t.Run(command));
    QVERIFY(t.Run(Cmd::FilePrint));
    const QStringList pages = t.Pages();
    QVERIFY(pages.size() >= 2);
    QCOMPARE(pages.size(), t.printer->Pages().PageCount());
    QStringList read;
    for (const QString &page : pages) {
        // Every page but the last is full in each of its columns.
        if (columns == 2 && &page != &pages.last())
            QVERIFY(Words(page.split(QLatin1Char('\n')).first()).size() == 2);
        read << ColumnWords(page);
    }
    QCOMPARE(read, lines);
}

void TestPrintView::zelPrintsWithoutComments_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<bool>("modifyFirst");
    QTest::addColumn<bool>("print");
    QTest::addColumn<QString>("kept"); // the text below the settings line afterwards
    QTest::addColumn<QStringList>("printed");
    const QString table = u"%memo\nA\t1\n%c\n%d\nB\t2\n"_qs;
    const QStringList words{u"A"_qs, u"1"_qs, u"B"_qs, u"2"_qs};
    QTest::newRow("unmodified: printed and saved with the line")
        << table << false << true << table << words;
    QTest::newRow("modified: printed, not saved")
        << table << true << true << table + u"C\t3"_qs << words + QStringList{u"C"_qs, u"3"_qs};
    QTest::newRow("print cancelled: nothing lost") << table << false << false << table << words;
    QTest::newRow("damaged settings line replaced")
        << u"% TAB=abc\tjunk\nA\t1\n%c\n%d\nB\t2\n"_qs << false << true
        << u"A\t1\n%c\n%d\nB\t2\n"_qs << words;
    QTest::newRow("settings line already right")
        << ZelSettingsLineText(8, 0, 1, 1) + table << false << true << table << words;
}

void TestPrintView::zelPrintsWithoutComments()
{
    QFETCH(QString, content);
    QFETCH(bool, modifyFirst);
    QFETCH(bool, print);
    QFETCH(QString, kept);
    QFETCH(QStringList, printed);
    PrintFixture t(QStringLiteral("calc.zel"), content.toUtf8());
    t.printAnswer = print;
    t.view->m_nTabWidth = 8;
    if (modifyFirst) {
        QTextCursor c(t.view->document());
        c.movePosition(QTextCursor::End);
        c.insertText(QStringLiteral("C\t3"));
    }
    const int b = static_cast<int>(t.Text().indexOf(u"B\t2"_qs));
    t.Select(b, b + 3);
    QVERIFY(t.Run(Cmd::FilePrint));

    const QString expected = ZelSettingsLineText(8, COrrindaleView::s_printFont.height,
                                                 t.view->m_nPrintColumns, t.view->m_nPrintMargin)
                             + kept;
    QCOMPARE(t.Text(), expected);
    QCOMPARE(t.view->textCursor().selectedText(), u"B\t2"_qs);
    QCOMPARE(t.frame->GetDocument()->IsModified(), modifyFirst);
    QFile file(t.path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString onDisk = QString::fromUtf8(file.readAll());
    QCOMPARE(onDisk, modifyFirst ? content : expected);
    QCOMPARE(t.f.prompter.unexpected, 0);
    if (!print) {
        QVERIFY(!QFile::exists(t.pdf) || QFileInfo(t.pdf).size() == 0);
        return;
    }
    const QStringList pages = t.Pages();
    QCOMPARE(pages.size(), 1);
    QCOMPARE(Words(pages.first()), printed);
}

void TestPrintView::marginAndColumnsOpenPreview_data()
{
    QTest::addColumn<Cmd>("command");
    QTest::addColumn<int>("previews");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("stored"); // -1: not written
    QTest::addColumn<Cmd>("checkedMargin");
    QTest::addColumn<Cmd>("checkedColumns");
    QTest::newRow("margin already set: nothing")
        << Cmd::PrintMargin100 << 0 << u"PrintMargin"_qs << -1 << Cmd::PrintMargin100
        << Cmd::PrintColumns1;
    QTest::newRow("margin 300") << Cmd::PrintMargin300 << 1 << u"PrintMargin"_qs << 3
                                << Cmd::PrintMargin300 << Cmd::PrintColumns1;
    QTest::newRow("margin 400") << Cmd::PrintMargin400 << 1 << u"PrintMargin"_qs << 4
                                << Cmd::PrintMargin400 << Cmd::PrintColumns1;
    QTest::newRow("columns already set: preview all the same")
        << Cmd::PrintColumns1 << 1 << u"ColNum"_qs << 1 << Cmd::PrintMargin100
        << Cmd::PrintColumns1;
    QTest::newRow("three columns") << Cmd::PrintColumns3 << 1 << u"ColNum"_qs << 3
                                   << Cmd::PrintMargin100 << Cmd::PrintColumns3;
}

void TestPrintView::marginAndColumnsOpenPreview()
{
    QFETCH(Cmd, command);
    QFETCH(int, previews);
    QFETCH(QString, key);
    QFETCH(int, stored);
    QFETCH(Cmd, checkedMargin);
    QFETCH(Cmd, checkedColumns);
    PrintFixture t(QStringLiteral("doc.tex"), "text\n");
    QVERIFY(t.Run(command));
    QCOMPARE(t.previews, previews);
    QCOMPARE(t.f.store->GetInt(u"Settings"_qs, key, -1), stored);
    const Cmd all[] = {Cmd::PrintMargin100, Cmd::PrintMargin200, Cmd::PrintMargin300,
                       Cmd::PrintMargin400, Cmd::PrintColumns1, Cmd::PrintColumns2,
                       Cmd::PrintColumns3, Cmd::PrintColumns4};
    for (const Cmd c : all) {
        const CommandState state = t.frame->Router()->StateOf(c);
        QVERIFY(state.enabled);
        QCOMPARE(state.checked, c == checkedMargin || c == checkedColumns);
    }
    if (previews > 0)
        QVERIFY(QFileInfo(t.pdf).size() > 0);
}

void TestPrintView::previewOpensAtTopLineAndLeavesCaret_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("comments");
    QTest::newRow("tex") << u"doc.tex"_qs << false;
    QTest::newRow("zel with comment lines between the rows") << u"calc.zel"_qs << true;
}

void TestPrintView::previewOpensAtTopLineAndLeavesCaret()
{
    QFETCH(QString, name);
    QFETCH(bool, comments);
    QStringList lines;
    for (const QString &line : Numbered(QStringLiteral("L"), 600)) {
        lines << line;
        if (comments)
            lines << QStringLiteral("%c");
    }
    PrintFixture t(name, lines.join(QLatin1Char('\n')).toUtf8(), true);
    const int topLine = comments ? 402 : 201; // "L00202"
    t.view->ScrollToLine(topLine);
    QCOMPARE(t.view->FirstVisibleLine(), topLine);
    // A calculation document gets its settings line above, and the view keeps its rows.
    const int firstLineAfterwards = comments ? topLine + 1 : topLine;
    const QString caretLine = t.view->textCursor().block().text();

    QVERIFY(t.Run(Cmd::FilePrintPreview));
    QCOMPARE(t.previews, 1);
    const int start = t.previewStarts.first();
    QCOMPARE(t.printer->PreviewStartPage(), start);
    QStringList pages = t.Pages();
    QVERIFY(start > 1 && start < pages.size());
    QVERIFY(Words(pages.at(start - 1)).contains(u"L00202"_qs));
    QVERIFY(!Words(pages.at(start)).contains(u"L00202"_qs));
    // Left where it opened: the caret and the view stay.
    QCOMPARE(t.view->FirstVisibleLine(), firstLineAfterwards);
    QCOMPARE(t.view->textCursor().block().text(), caretLine);

    t.leaveAt = start + 1;
    QVERIFY(t.Run(Cmd::FilePrintPreview));
    pages = t.Pages();
    const QString pageStart = Words(pages.at(start)).first();
    const QTextBlock caretBlock = t.view->textCursor().block();
    QCOMPARE(caretBlock.text(), pageStart);
    QCOMPARE(t.view->textCursor().positionInBlock(), 0);
    QCOMPARE(t.view->FirstVisibleLine(), caretBlock.blockNumber());
}

void TestPrintView::realPreviewDialog()
{
    PrintFixture t(QStringLiteral("doc.tex"),
                   Numbered(QStringLiteral("L"), 600).join(QLatin1Char('\n')).toUtf8(), true);
    t.printer->previewDialog = t.realPreview;
    t.view->ScrollToLine(300);
    int shown = 0;
    int pages = 0;
    QTimer poll;
    // Once the dialog has made its pages: note the page it shows, go one further and leave.
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        auto *widget = dialog ? dialog->findChild<QPrintPreviewWidget *>() : nullptr;
        if (!widget || widget->pageCount() == 0)
            return;
        poll.stop();
        shown = widget->currentPage();
        pages = widget->pageCount();
        widget->setCurrentPage(shown + 1);
        dialog->reject();
    });
    poll.start(20);
    QVERIFY(t.Run(Cmd::FilePrintPreview));
    QCOMPARE(pages, t.printer->Pages().PageCount());
    QVERIFY(t.printer->PreviewStartPage() > 1);
    QCOMPARE(shown, t.printer->PreviewStartPage());
    QCOMPARE(t.view->textCursor().position(), t.printer->Pages().StartOf(shown + 1));
}

void TestPrintView::printFromPreview_data()
{
    QTest::addColumn<int>("from"); // 0: every page
    QTest::addColumn<int>("to");
    QTest::newRow("every page") << 0 << 0;
    QTest::newRow("the second page only") << 2 << 2;
    QTest::newRow("pages two and three") << 2 << 3;
}

void TestPrintView::printFromPreview()
{
    QFETCH(int, from);
    QFETCH(int, to);
    PrintFixture t(QStringLiteral("doc.tex"),
                   Numbered(QStringLiteral("L"), 600).join(QLatin1Char('\n')).toUtf8());
    int shownPages = 0;
    // The preview's pages are made on the printer itself; its Print button then paints the
    // same printer again, set up by the print dialog.
    t.printer->previewDialog = [&](QPrinter &p, int start,
                                   const std::function<void(QPrinter *)> &paint) {
        QPrintPreviewWidget widget(&p);
        QObject::connect(&widget, &QPrintPreviewWidget::paintRequested, &widget, paint);
        widget.updatePreview();
        shownPages = widget.pageCount();
        t.ToPdf(p);
        p.setPrintRange(from > 0 ? QPrinter::PageRange : QPrinter::AllPages);
        p.setFromTo(from, to);
        widget.print();
        return start;
    };
    QVERIFY(t.Run(Cmd::FilePrintPreview));
    const int all = t.printer->Pages().PageCount();
    QVERIFY(all >= 3);
    QCOMPARE(shownPages, all);
    const QStringList pages = t.Pages();
    QCOMPARE(pages.size(), from > 0 ? to - from + 1 : all);
    const int first = from > 0 ? from : 1;
    const QString firstWord = Words(pages.first()).first();
    const int firstLine = t.printer->Pages().StartOf(first);
    QCOMPARE(firstWord, t.Text().mid(firstLine, 6));
}

void TestPrintView::printerFont_data()
{
    QTest::addColumn<int>("failure");
    QTest::addColumn<bool>("chosen");
    QTest::addColumn<QString>("message");
    QTest::newRow("no default printer") << int(CViewPrinter::PrinterFailure::NoDefaults) << true
                                        << u"Failed to get device defaults!"_qs;
    QTest::newRow("no printer device") << int(CViewPrinter::PrinterFailure::NoDeviceContext)
                                       << true << u"Failed to get printer DC"_qs;
    QTest::newRow("font chosen") << int(CViewPrinter::PrinterFailure::None) << true << QString();
    QTest::newRow("font dialog cancelled") << int(CViewPrinter::PrinterFailure::None) << false
                                           << QString();
}

void TestPrintView::printerFont()
{
    QFETCH(int, failure);
    QFETCH(bool, chosen);
    QFETCH(QString, message);
    for (const bool english : {false, true}) {
        PrintFixture t(QStringLiteral("doc.tex"), "text\n");
        t.view->m_bEnglish = english;
        t.printer->openDefaultPrinter = [failure](CViewPrinter::PrinterFailure &why) {
            why = static_cast<CViewPrinter::PrinterFailure>(failure);
            return why == CViewPrinter::PrinterFailure::None ? std::make_unique<QPrinter>()
                                                             : nullptr;
        };
        LogFont font = COrrindaleView::s_screenFont;
        font.height = -20;
        font.faceName = QStringLiteral("Noto Sans Mono CJK JP");
        if (chosen)
            t.f.prompter.fontAnswers.enqueue(font);
        if (!message.isEmpty())
            t.f.prompter.answers.enqueue(MsgAnswer::Ok);
        const LogFont before = COrrindaleView::s_printFont;
        QVERIFY(t.Run(Cmd::PrinterFont));
        QCOMPARE(t.f.prompter.Texts(), message.isEmpty() ? QStringList() : QStringList{message});
        const bool stored = message.isEmpty() && chosen;
        QCOMPARE(t.previews, stored ? 1 : 0);
        const int height = t.f.store->GetInt(u"PrintFont"_qs, u"Height"_qs, 0);
        if (stored) {
            const int dpi = t.view->logicalDpiY();
            const double exact = -20.0 * CViewPrinter::Resolution / dpi;
            QVERIFY(std::abs(height - exact) <= 0.5);
            QCOMPARE(COrrindaleView::s_printFont.height, height);
            QCOMPARE(t.f.store->GetString(u"PrintFont"_qs, u"FaceName"_qs), font.faceName);
        } else {
            QCOMPARE(height, 0);
            QCOMPARE(COrrindaleView::s_printFont, before);
        }
    }
}

void TestPrintView::awkwardDocuments_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("minPages");
    QTest::newRow("empty document") << QByteArray() << 2 << 1;
    QTest::newRow("one very long line")
        << Numbered(QStringLiteral("w"), 30000).join(QLatin1Char(' ')).toUtf8() << 1 << 20;
    QTest::newRow("many pages in four columns")
        << Numbered(QStringLiteral("n"), 40000).join(QLatin1Char('\n')).toUtf8() << 4 << 100;
}

void TestPrintView::awkwardDocuments()
{
    QFETCH(QByteArray, content);
    QFETCH(int, columns);
    QFETCH(int, minPages);
    PrintFixture t(QStringLiteral("doc.tex"), content);
    for (COrrindaleView *v : t.frame->GetDocument()->Views())
        v->m_nPrintColumns = columns;
    QVERIFY(t.Run(Cmd::FilePrint));
    const QStringList pages = t.Pages();
    QVERIFY(pages.size() >= minPages);
    QCOMPARE(pages.size(), t.printer->Pages().PageCount());
    QStringList read;
    for (const QString &page : pages)
        read << (columns == 1 ? Words(page) : ColumnWords(page));
    // Every word once, in order: nothing lost or repeated where a page or a piece ends.
    if (columns <= 2)
        QCOMPARE(read, Words(QString::fromUtf8(content)));
    else
        QCOMPARE(read.size(), Words(QString::fromUtf8(content)).size());
}

QTEST_MAIN(TestPrintView)
#include "tst_print_view.moc"
