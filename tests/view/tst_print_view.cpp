// Printing in the window, into PDF files read back with pdftotext: the print and preview
// commands, the columns, a calculation document's settings line and the printer font.
#include "support/Columns.h"
#include "support/EditorFixture.h"
#include "app/ui/COrrindaleDoc.h"
#include "view/PrintLayout.h"
#include "view/ui/UndoController.h"
#include "view/ui/ViewPrinter.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>

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

    Printing(const QString &name, const QByteArray &content, bool shown = false)
        : EditorFixture(name, content, false, shown), printer(frame->findChild<CViewPrinter *>())
    {
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
    int PrintFontHeight() const { return f.settings->PrintFont().height; }
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
        Columns<QString, Cmd, int>({"content", "columns", "minPages"});
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
        Columns<bool, bool>({"modifyFirst", "print"});
        QTest::newRow("unmodified: printed and saved with the line") << false << true;
        QTest::newRow("print cancelled: the line all the same") << false << false;
        QTest::newRow("modified: the line, not saved") << true << true;
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
        QCOMPARE(t.view->UndoController()->History().CurrentIndex(), int(modifyFirst)); // the line is no step
        const QString expected = ZelSettingsLineText(8, t.PrintFontHeight(), 1, 1) + before;
        QCOMPARE(t.Text(), expected);
        QCOMPARE(t.view->textCursor().selectedText(), u"B\t2"_qs);
        QCOMPARE(t.frame->GetDocument()->IsModified(), modifyFirst);
        QFile file(t.frame->GetDocument()->PathName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), modifyFirst ? table : expected);
        const QStringList words{"A", "1", "B", "2"};
        QCOMPARE(Words(t.Pages().value(0)), print ? (modifyFirst ? QStringList{"0", "0"} + words : words) : QStringList());
    }

    // The preview opens at the page of the top line; left at another page, the caret and the
    // view go to that page's start.
    void preview_data()
    {
        Columns<QString, bool>({"name", "comments"});
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

    void printerFont_data()
    {
        Columns<CViewPrinter::PrinterFailure, QString>({"failure", "message"});
        QTest::newRow("no default printer") << CViewPrinter::PrinterFailure::NoDefaults << u"Failed to get device defaults!"_qs;
        QTest::newRow("font chosen") << CViewPrinter::PrinterFailure::None << QString();
    }
    void printerFont()
    {
        QFETCH(CViewPrinter::PrinterFailure, failure);
        QFETCH(QString, message);
        Printing t(u"doc.tex"_qs, "text\n");
        t.printer->openDefaultPrinter = [failure](CViewPrinter::PrinterFailure &why) {
            why = failure;
            return why == CViewPrinter::PrinterFailure::None ? std::make_unique<QPrinter>() : nullptr;
        };
        const LogFont font{-20, 400, 0, 49, 128, u"Noto Sans Mono CJK JP"_qs};
        t.f.prompter.fontAnswers.enqueue(font);
        t.f.prompter.answers.enqueue(MsgAnswer::Ok);
        const int before = t.PrintFontHeight();
        QVERIFY(t.Run(Cmd::PrinterFont));
        QCOMPARE(t.f.prompter.Texts(), message.isEmpty() ? QStringList() : QStringList{message});
        const bool stored = message.isEmpty();
        QCOMPARE(t.previewStarts.size(), stored ? 1 : 0);
        const int height = t.f.store->GetInt(u"PrintFont"_qs, u"Height"_qs, 0);
        // The screen size in the printer's units.
        QVERIFY(std::abs(height - (stored ? -20.0 * CViewPrinter::Resolution / t.view->logicalDpiY() : 0)) <= 0.5);
        QCOMPARE(t.PrintFontHeight(), stored ? height : before);
        QCOMPARE(t.f.store->GetString(u"PrintFont"_qs, u"FaceName"_qs), stored ? font.faceName : QString());
    }
};

QTEST_MAIN(TestPrintView)
#include "tst_print_view.moc"
