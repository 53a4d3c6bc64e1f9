// Printing in the window, into PDF files read back with pdftotext: the print and preview
// commands, the columns and margins, a calculation document's settings line and the printer
// font.
#include "support/EditorFixture.h"
#include "app/ui/COrrindaleDoc.h"
#include "view/PrintLayout.h"
#include "view/ui/ViewPrinter.h"

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

Q_DECLARE_METATYPE(CViewPrinter::PrinterFailure)

namespace {
QStringList Words(const QString &page)
{
    return page.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
}

// The words of a page in reading order of its columns: the left column, then the right one.
QStringList ColumnWords(const QString &page)
{
    QList<std::pair<qsizetype, QString>> words;
    qsizetype first = -1, last = -1;
    for (const QString &line : page.split(u'\n'))
        for (auto it = QRegularExpression("\\S+").globalMatch(line); it.hasNext();) {
            const auto m = it.next();
            words.append({m.capturedStart(), m.captured()});
            first = first < 0 ? m.capturedStart() : std::min(first, m.capturedStart());
            last = std::max(last, m.capturedStart());
        }
    QStringList left, right;
    for (const auto &[column, text] : words)
        (last > first && column > (first + last) / 2 ? right : left) << text;
    return left + right;
}

QString Numbered(const QString &prefix, int count, QChar separator = u'\n')
{
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << prefix + QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
    return out.join(separator);
}

// One window over one file, printing into a PDF file instead of asking for a printer.
struct Printing : EditorFixture {
    CViewPrinter *printer;
    QString pdf = f.FilePath("out.pdf");
    bool printAnswer = true;
    QList<int> previewStarts;
    int leaveAt = 0; // the page the preview is left at; 0: where it opened
    decltype(CViewPrinter::previewDialog) realPreview;

    Printing(const QString &name, const QByteArray &content, bool shown = false)
        : EditorFixture(name, content, false, shown), printer(frame->findChild<CViewPrinter *>())
    {
        realPreview = printer->previewDialog;
        printer->printDialog = [this](QPrinter &p) {
            ToPdf(p);
            return printAnswer;
        };
        printer->previewDialog = [this](QPrinter &p, int start, const std::function<void(QPrinter *)> &paint) {
            previewStarts << start;
            ToPdf(p);
            paint(&p);
            return leaveAt > 0 ? leaveAt : start;
        };
    }
    void ToPdf(QPrinter &p) const
    {
        QFile::remove(pdf);
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
    }
    // The text of each page of the printout, as pdftotext lays it out.
    QStringList Pages() const
    {
        QProcess p;
        p.start("pdftotext", {"-layout", pdf, "-"});
        if (!p.waitForFinished(120000) || p.exitCode() != 0)
            return {};
        QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }
};
} // namespace

class TestPrintView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QFAIL("pdftotext (poppler-utils) is needed; scripts/setup installs it");
    }

    // Every word once, in order, column after column: nothing lost or repeated where a column,
    // a page or a piece of a long line ends.
    void everyWordOnce_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<Cmd>("columns");
        QTest::addColumn<int>("minPages");
        QTest::newRow("one column") << Numbered("L", 400) << Cmd::PrintColumns1 << 2;
        QTest::newRow("two columns") << Numbered("L", 400) << Cmd::PrintColumns2 << 2;
        QTest::newRow("empty document") << QString() << Cmd::PrintColumns2 << 1;
        QTest::newRow("one very long line") << Numbered("w", 30000, u' ') << Cmd::PrintColumns1 << 20;
        QTest::newRow("many pages in four columns") << Numbered("n", 40000) << Cmd::PrintColumns4 << 100;
    }
    void everyWordOnce()
    {
        QFETCH(QString, content);
        QFETCH(Cmd, columns);
        QFETCH(int, minPages);
        Printing t(u"doc.tex"_qs, content.toUtf8());
        QVERIFY(t.Run(columns));
        QVERIFY(t.Run(Cmd::FilePrint));
        const QStringList pages = t.Pages();
        QVERIFY(pages.size() >= minPages);
        QCOMPARE(pages.size(), t.printer->Pages().PageCount());
        QStringList read;
        for (const QString &page : pages)
            read << (columns == Cmd::PrintColumns1 ? Words(page) : ColumnWords(page));
        if (columns == Cmd::PrintColumns4)
            QCOMPARE(read.size(), Words(content).size());
        else
            QCOMPARE(read, Words(content));
    }

    // A calculation document is printed without its comment lines and gets its settings line,
    // saved with it unless the text was changed before.
    void calculationDocument_data()
    {
        QTest::addColumn<bool>("modifyFirst");
        QTest::addColumn<bool>("print");
        QTest::newRow("unmodified: printed and saved with the line") << false << true;
        QTest::newRow("modified: printed, not saved") << true << true;
        QTest::newRow("print cancelled: the line all the same") << false << false;
    }
    void calculationDocument()
    {
        QFETCH(bool, modifyFirst);
        QFETCH(bool, print);
        const QString table = u"%memo\nA\t1\n%c\n%d\nB\t2\n"_qs;
        Printing t(u"calc.zel"_qs, table.toUtf8());
        t.printAnswer = print;
        if (modifyFirst)
            QTextCursor(t.view->document()).insertText("0\t0\n");
        const QString before = t.Text();
        const int b = int(before.indexOf(u"B\t2"_qs));
        t.Select(b, b + 3);
        QVERIFY(t.Run(Cmd::FilePrint));
        const QString expected = ZelSettingsLineText(8, t.f.settings->PrintFont().height, 1, 1) + before;
        QCOMPARE(t.Text(), expected);
        QCOMPARE(t.view->textCursor().selectedText(), u"B\t2"_qs);
        QCOMPARE(t.frame->GetDocument()->IsModified(), modifyFirst);
        QFile file(t.frame->GetDocument()->PathName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), modifyFirst ? table : expected);
        const QStringList words{"A", "1", "B", "2"};
        QCOMPARE(Words(t.Pages().value(0)), print ? (modifyFirst ? QStringList{"0", "0"} + words : words) : QStringList());
    }

    void marginAndColumns_data()
    {
        QTest::addColumn<Cmd>("command");
        QTest::addColumn<int>("previews");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("stored"); // -1: not written
        QTest::newRow("margin already set: nothing") << Cmd::PrintMargin100 << 0 << u"PrintMargin"_qs << -1;
        QTest::newRow("margin 300") << Cmd::PrintMargin300 << 1 << u"PrintMargin"_qs << 3;
        QTest::newRow("columns already set: a preview all the same") << Cmd::PrintColumns1 << 1 << u"ColNum"_qs << 1;
        QTest::newRow("three columns") << Cmd::PrintColumns3 << 1 << u"ColNum"_qs << 3;
    }
    void marginAndColumns()
    {
        QFETCH(Cmd, command);
        QFETCH(QString, key);
        Printing t(u"doc.tex"_qs, "text\n");
        QVERIFY(t.Run(command));
        QTEST(int(t.previewStarts.size()), "previews");
        QTEST(t.f.store->GetInt(u"Settings"_qs, key, -1), "stored");
        for (const Cmd c : {Cmd::PrintMargin100, Cmd::PrintMargin300, Cmd::PrintColumns1, Cmd::PrintColumns3})
            QCOMPARE(t.State(c).checked, c == command || (c == Cmd::PrintMargin100 && key == u"ColNum"_qs)
                                             || (c == Cmd::PrintColumns1 && key == u"PrintMargin"_qs));
    }

    // The preview opens at the page of the top line; left at another page, the caret and the
    // view go to that page's start.
    void preview_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("comments");
        QTest::newRow("tex") << u"doc.tex"_qs << false;
        QTest::newRow("zel with comment lines between the rows") << u"calc.zel"_qs << true;
    }
    void preview()
    {
        QFETCH(QString, name);
        QFETCH(bool, comments);
        QString content = Numbered("L", 600);
        if (comments)
            content.replace(u"\n"_qs, u"\n%c\n"_qs);
        Printing t(name, content.toUtf8(), true);
        const int topLine = comments ? 402 : 201; // "L00202"
        t.view->ScrollToLine(topLine);
        const QString caretLine = t.view->textCursor().block().text();
        QVERIFY(t.Run(Cmd::FilePrintPreview));
        const int start = t.previewStarts.first();
        QCOMPARE(t.printer->PreviewStartPage(), start);
        QStringList pages = t.Pages();
        QVERIFY(start > 1 && start < pages.size());
        QVERIFY(Words(pages.at(start - 1)).contains(u"L00202"_qs) && !Words(pages.at(start)).contains(u"L00202"_qs));
        // The settings line goes above: the view keeps its rows.
        QCOMPARE(t.view->FirstVisibleLine(), comments ? topLine + 1 : topLine);
        QCOMPARE(t.view->textCursor().block().text(), caretLine);
        t.leaveAt = start + 1;
        QVERIFY(t.Run(Cmd::FilePrintPreview));
        const QTextBlock caretBlock = t.view->textCursor().block();
        QCOMPARE(caretBlock.text(), Words(t.Pages().at(start)).first());
        QCOMPARE(t.view->textCursor().positionInBlock(), 0);
        QCOMPARE(t.view->FirstVisibleLine(), caretBlock.blockNumber());
    }

    // The real preview dialog opens at the top line's page, and its Print button prints the
    // pages asked for.
    void realPreviewDialog()
    {
        Printing t(u"doc.tex"_qs, Numbered("L", 600).toUtf8(), true);
        t.printer->previewDialog = t.realPreview;
        t.view->ScrollToLine(300);
        int shown = 0;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
            auto *widget = dialog ? dialog->findChild<QPrintPreviewWidget *>() : nullptr;
            if (!widget || widget->pageCount() == 0)
                return;
            poll.stop();
            QCOMPARE(widget->pageCount(), t.printer->Pages().PageCount());
            shown = widget->currentPage();
            widget->setCurrentPage(shown + 1);
            QPrinter *p = dialog->printer();
            t.ToPdf(*p);
            p->setPrintRange(QPrinter::PageRange);
            p->setFromTo(2, 3);
            widget->print();
            dialog->reject();
        });
        poll.start(20);
        QVERIFY(t.Run(Cmd::FilePrintPreview));
        QVERIFY(shown > 1);
        QCOMPARE(shown, t.printer->PreviewStartPage());
        QCOMPARE(t.view->textCursor().position(), t.printer->Pages().StartOf(shown + 1));
        const QStringList pages = t.Pages();
        QCOMPARE(pages.size(), 2);
        QCOMPARE(Words(pages.first()).first(), t.Text().mid(t.printer->Pages().StartOf(2), 6));
    }

    void printerFont_data()
    {
        QTest::addColumn<CViewPrinter::PrinterFailure>("failure");
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<QString>("message");
        QTest::newRow("no default printer") << CViewPrinter::PrinterFailure::NoDefaults << true << u"Failed to get device defaults!"_qs;
        QTest::newRow("no printer device") << CViewPrinter::PrinterFailure::NoDeviceContext << true << u"Failed to get printer DC"_qs;
        QTest::newRow("font chosen") << CViewPrinter::PrinterFailure::None << true << QString();
        QTest::newRow("font dialog cancelled") << CViewPrinter::PrinterFailure::None << false << QString();
    }
    void printerFont()
    {
        QFETCH(CViewPrinter::PrinterFailure, failure);
        QFETCH(bool, chosen);
        QFETCH(QString, message);
        Printing t(u"doc.tex"_qs, "text\n");
        t.printer->openDefaultPrinter = [failure](CViewPrinter::PrinterFailure &why) {
            why = failure;
            return why == CViewPrinter::PrinterFailure::None ? std::make_unique<QPrinter>() : nullptr;
        };
        LogFont font = t.f.settings->ScreenFont();
        font.height = -20;
        font.faceName = u"Noto Sans Mono CJK JP"_qs;
        if (chosen)
            t.f.prompter.fontAnswers.enqueue(font);
        t.f.prompter.answers.enqueue(MsgAnswer::Ok);
        const LogFont before = t.f.settings->PrintFont();
        QVERIFY(t.Run(Cmd::PrinterFont));
        QCOMPARE(t.f.prompter.Texts(), message.isEmpty() ? QStringList() : QStringList{message});
        const bool stored = message.isEmpty() && chosen;
        QCOMPARE(t.previewStarts.size(), stored ? 1 : 0);
        const int height = t.f.store->GetInt(u"PrintFont"_qs, u"Height"_qs, 0);
        // The screen size in the printer's units.
        QVERIFY(std::abs(height - (stored ? -20.0 * CViewPrinter::Resolution / t.view->logicalDpiY() : 0)) <= 0.5);
        QCOMPARE(t.f.settings->PrintFont().height, stored ? height : before.height);
        QCOMPARE(t.f.store->GetString(u"PrintFont"_qs, u"FaceName"_qs), stored ? font.faceName : QString());
    }
};

QTEST_MAIN(TestPrintView)
#include "tst_print_view.moc"
