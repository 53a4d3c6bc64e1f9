#include "support/FrameFixture.h"
#include "app/Globals.h"
#include "app/SettingsKeys.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleApp.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CommandRouter.h"
#include "res/Commands.h"
#include "view/ui/ColorSettingsDialog.h"
#include "view/ui/LineJumpDialog.h"
#include "view/ui/ViewNavigator.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QTranslator>

#include <functional>

namespace {
struct Editor {
    FrameFixture fx;
    std::unique_ptr<CMainFrame> frame;
    COrrindaleView *view = nullptr;

    Editor(const QString &name, const QByteArray &text, const QString &ini = QString())
    {
        if (!ini.isEmpty())
            fx.WriteFile(QStringLiteral("Velloquin.ini"), ini.toUtf8());
        fx.Restart();
        frame = fx.MakeFrame();
        frame->resize(640, 480);
        frame->OpenDocumentFile(fx.WriteFile(name, text));
        frame->show();
        (void)QTest::qWaitForWindowExposed(frame.get());
        view = frame->GetActiveView();
        view->setFocus();
        QCoreApplication::processEvents();
    }

    bool Run(Cmd cmd)
    {
        return frame->Router()->Execute(IdsOf(cmd).englishId ? IdsOf(cmd).englishId
                                                             : IdsOf(cmd).japaneseId);
    }
    int Caret() const { return view->textCursor().position(); }
    void SetCaret(int pos)
    {
        QTextCursor c = view->textCursor();
        c.setPosition(pos);
        view->setTextCursor(c);
    }
    QString Selected() const { return view->textCursor().selectedText(); }
};

// Answers the next modal dialog from inside its event loop.
void WhenModal(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, qApp, [act] {
        QWidget *w = QApplication::activeModalWidget();
        QVERIFY(w);
        act(w);
    });
}

// The pixels of the text area over one character range.
QImage Grab(COrrindaleView *view)
{
    view->viewport()->repaint();
    return view->viewport()->grab().toImage();
}

bool HasColorIn(const QImage &image, const QRect &r, const QColor &want, int tolerance = 40)
{
    for (int y = std::max(0, r.top()); y <= std::min(image.height() - 1, r.bottom()); ++y)
        for (int x = std::max(0, r.left()); x <= std::min(image.width() - 1, r.right()); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - want.red()) < tolerance
                && std::abs(c.green() - want.green()) < tolerance
                && std::abs(c.blue() - want.blue()) < tolerance)
                return true;
        }
    return false;
}

QRect RangeRect(COrrindaleView *view, int from, int to)
{
    QTextCursor a(view->document());
    a.setPosition(from);
    QTextCursor b(view->document());
    b.setPosition(to);
    const QRect ra = view->cursorRect(a);
    const QRect rb = view->cursorRect(b);
    return QRect(QPoint(ra.left() + 1, ra.top()), QPoint(rb.left() - 1, ra.bottom()));
}
} // namespace

class TestEditorView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void symbolColoursOnScreen_data();
    void symbolColoursOnScreen();
    void readOnlyColours();
    void selectedTextKeepsHighlightColours();
    void coloursOnLowerRowsOfAScrolledLongLine();
    void marksOnScreen_data();
    void marksOnScreen();
    void eofMark_data();
    void eofMark();
    void caretLineUnderline();
    void gutterWidensWithDigits();
    void headerRowInCalculationMode();
    void lineNumberCommands_data();
    void lineNumberCommands();
    void coloringCommand();
    void headAndEnd();
    void lineEndOnWrappedRow();
    void paging_data();
    void paging();
    void caretColumnKeptThroughShortLines_data();
    void caretColumnKeptThroughShortLines();
    void lineJump_data();
    void lineJump();
    void lineJumpRemembersItsValues();
    void lineJumpFromLogPaneGoesToTheOtherPane();
    void switchCommands_data();
    void switchCommands();
    void doubleClickSelectsWord_data();
    void doubleClickSelectsWord();
    void logLineNumberMovesEditingPane();
    void rightClickMenus_data();
    void rightClickMenus();
    void colourDialogOkWritesAndApplies();
    void colourDialogCancelKeepsView();
    void colourDialogResetsActAtOnce();
};

void TestEditorView::symbolColoursOnScreen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("present");
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    const QColor green(90, 220, 90);
    QTest::newRow("brace in brace colour") << "a.tex"
                                           << "\\section{Intro}" << 8 << 9 << red << true;
    QTest::newRow("command name in backslash colour")
        << "a.tex" << "\\section{Intro}" << 1 << 8 << blue << true;
    QTest::newRow("argument stays plain") << "a.tex"
                                          << "\\section{Intro}" << 9 << 14 << blue << false;
    QTest::newRow("comment in comment colour") << "a.tex" << "x % {y}" << 4 << 7 << green << true;
    QTest::newRow("escaped percent leaves the brace red")
        << "a.tex" << "x \\% {y}" << 5 << 6 << red << true;
    QTest::newRow("txt: comment only at its percent")
        << "a.txt" << "x % yyy" << 4 << 7 << green << false;
}

void TestEditorView::symbolColoursOnScreen()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QColor, colour);
    QFETCH(bool, present);
    Editor e(name, text.toUtf8());
    QVERIFY(e.view->m_bColoring);
    const QImage image = Grab(e.view);
    QCOMPARE(HasColorIn(image, RangeRect(e.view, from, to), colour), present);
}

void TestEditorView::readOnlyColours()
{
    Editor e(QStringLiteral("a.log"), "{x} $y$\n");
    QVERIFY(e.view->isReadOnly());
    const QImage image = Grab(e.view);
    QCOMPARE(image.pixelColor(image.width() - 5, image.height() - 5), QColor(244, 254, 255));
    QVERIFY(!HasColorIn(image, RangeRect(e.view, 0, 1), QColor(255, 0, 0)));
}

void TestEditorView::selectedTextKeepsHighlightColours()
{
    Editor e(QStringLiteral("a.tex"), "{a} {b}");
    QTextCursor c = e.view->textCursor();
    c.setPosition(0);
    c.setPosition(3, QTextCursor::KeepAnchor);
    e.view->setTextCursor(c);
    const QImage image = Grab(e.view);
    QVERIFY(!HasColorIn(image, RangeRect(e.view, 0, 1), QColor(255, 0, 0)));
    QVERIFY(HasColorIn(image, RangeRect(e.view, 4, 5), QColor(255, 0, 0)));
}

void TestEditorView::coloursOnLowerRowsOfAScrolledLongLine()
{
    // One line over many rows, scrolled so that its first rows are above the window.
    const QByteArray text = QByteArray("word ").repeated(3000) + "{x} % c";
    Editor e(QStringLiteral("a.tex"), text);
    e.view->verticalScrollBar()->setValue(e.view->verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
    QVERIFY(DisplayLineOf(*e.view, 0) < TopDisplayLine(*e.view));
    const int brace = static_cast<int>(text.indexOf('{'));
    const QImage image = Grab(e.view);
    QVERIFY(HasColorIn(image, RangeRect(e.view, brace, brace + 1), QColor(255, 0, 0)));
    QVERIFY(HasColorIn(image, RangeRect(e.view, brace + 4, brace + 7), QColor(90, 220, 90)));
}

void TestEditorView::marksOnScreen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("english");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from"); // the mark lies between the places of these characters
    QTest::addColumn<int>("to");
    QTest::addColumn<QColor>("colour");
    const QColor mark(180, 180, 255);
    const QColor wide(220, 220, 255);
    for (int english = 0; english < 2; ++english) {
        const char *lang = english ? "English" : "Japanese";
        QTest::addRow("%s: line end behind the line", lang)
            << "a.txt" << english << "ab\ncd" << 2 << 3 << mark;
        QTest::addRow("%s: tab over its gap", lang)
            << "a.txt" << english << "a\tb" << 1 << 2 << mark;
        QTest::addRow("%s: full-width space", lang)
            << "a.txt" << english << QString::fromUtf8("a\u3000b") << 1 << 2 << wide;
    }
    QTest::newRow("calculation: bar just before the next cell")
        << "a.zel" << 0 << "1\t2" << 1 << 2 << mark;
}

void TestEditorView::marksOnScreen()
{
    QFETCH(QString, name);
    QFETCH(int, english);
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QColor, colour);
    Editor e(name, text.toUtf8(),
             QStringLiteral("[Settings]\nEnglish=%1\n").arg(english));
    QCOMPARE(e.view->m_bEnglish, english);
    e.view->clearFocus(); // no caret-line underline
    QRect r = RangeRect(e.view, from, to);
    if (text.at(from) == QLatin1Char('\n'))
        r.setRight(r.left() + e.view->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 2);
    // The full-width space's mark sits close to white: only a near match counts for it.
    const int tolerance = colour.red() > 200 ? 12 : 40;
    QVERIFY(HasColorIn(Grab(e.view), r, colour, tolerance));
    // Colouring off takes the marks away.
    QVERIFY(e.Run(Cmd::Coloring));
    QVERIFY(!HasColorIn(Grab(e.view), r, colour, tolerance));
}

void TestEditorView::eofMark_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("row");      // -1: nowhere
    QTest::addColumn<bool>("atLeft");  // on the left margin, else behind the text
    QTest::newRow("empty text shows none") << QByteArray() << -1 << false;
    QTest::newRow("behind the last character") << QByteArray("abc") << 0 << false;
    QTest::newRow("after a final line break: row below, at the left")
        << QByteArray("abc\n") << 1 << true;
    QTest::newRow("second line without break") << QByteArray("abc\nde") << 1 << false;
}

void TestEditorView::eofMark()
{
    QFETCH(QByteArray, text);
    QFETCH(int, row);
    QFETCH(bool, atLeft);
    Editor e(QStringLiteral("a.txt"), text);
    e.view->m_colors.symbols.fill(0); // nothing else in the mark colour but line ends
    e.view->clearFocus();
    const QImage image = Grab(e.view);
    const QColor eof(180, 180, 255);
    const QRect first = e.view->cursorRect(QTextCursor(e.view->document()));
    const int rowHeight = first.height();
    const int top = first.top();
    const int textEndX =
        first.left() + e.view->fontMetrics().horizontalAdvance(
                           QString::fromLatin1(text).section(QLatin1Char('\n'), -1));
    for (int r = 0; r < 4; ++r) {
        // Leftmost pixel of the mark colour in the row, line-end marks aside (they sit on
        // rows that end with a line break, which the rows checked here do not).
        int minX = -1;
        for (int x = 0; x < image.width() && minX < 0; ++x)
            for (int y = top + r * rowHeight + 1;
                 y < top + (r + 1) * rowHeight - 1 && y < image.height(); ++y)
                if (image.pixelColor(x, y) == eof) {
                    minX = x;
                    break;
                }
        const bool lineEndRow = text.count('\n') > r;
        if (lineEndRow)
            continue;
        if (r != row) {
            QVERIFY2(minX < 0, qPrintable(QStringLiteral("row %1").arg(r)));
            continue;
        }
        QVERIFY(minX >= 0);
        if (atLeft)
            QVERIFY2(minX <= 10, qPrintable(QString::number(minX)));
        else
            QVERIFY2(minX >= textEndX,
                     qPrintable(QStringLiteral("%1 < %2").arg(minX).arg(textEndX)));
    }
}

void TestEditorView::caretLineUnderline()
{
    Editor e(QStringLiteral("a.txt"), "first\nsecond\nthird\n");
    QApplication::setActiveWindow(e.frame.get());
    e.view->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(e.frame.get()));
    e.SetCaret(8);
    const QColor grey(128, 128, 128);
    const int y = e.view->cursorRect().bottom();
    QImage image = Grab(e.view);
    QCOMPARE(image.pixelColor(image.width() / 2, y), grey);
    QVERIFY(!HasColorIn(image, QRect(image.width() / 2, 0, 1, y - 1), grey));
    // A selection takes the underline away.
    QTextCursor c = e.view->textCursor();
    c.setPosition(9, QTextCursor::KeepAnchor);
    e.view->setTextCursor(c);
    image = Grab(e.view);
    QVERIFY(image.pixelColor(image.width() / 2, y) != grey);
}

void TestEditorView::gutterWidensWithDigits()
{
    Editor e(QStringLiteral("a.txt"), QByteArray("x\n").repeated(98),
             QStringLiteral("[Settings]\nLine=2\n"));
    const int twoDigits = e.view->m_nGutterWidth;
    QTextCursor c(e.view->document());
    c.movePosition(QTextCursor::End);
    c.insertText(QStringLiteral("\n\n"));
    QCOMPARE(e.view->LineCount(), 101);
    QVERIFY(e.view->m_nGutterWidth > twoDigits);
}

void TestEditorView::headerRowInCalculationMode()
{
    Editor e(QStringLiteral("a.zel"), QByteArray("1\t2\t3\t").repeated(40) + "\n");
    QCOMPARE(e.view->m_nLineNumberMode, 1);
    QWidget *header = nullptr;
    for (QWidget *w : e.view->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (w->isVisible() && w->y() < e.view->viewport()->y() && w->height() > 0)
            header = w;
    QVERIFY(header);
    QCOMPARE(header->height(), e.view->LineHeight());
    const QImage before = header->grab().toImage();
    QCOMPARE(before.pixelColor(before.width() - 2, 1), QColor(240, 240, 255));
    // The letters move with the columns.
    e.view->horizontalScrollBar()->setValue(60);
    QCoreApplication::processEvents();
    QVERIFY(header->grab().toImage() != before);
    // Without line numbers there is no header row.
    QVERIFY(e.Run(Cmd::PhysicalLineNo));
    QCOMPARE(e.view->m_nLineNumberMode, 0);
    QVERIFY(!header->isVisible());
}

void TestEditorView::lineNumberCommands_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("command"); // 0 physical, 1 logical
    QTest::addColumn<int>("mode");
    QTest::newRow("physical on") << "a.tex" << 0 << 0 << 1;
    QTest::newRow("physical off") << "a.tex" << 1 << 0 << 0;
    QTest::newRow("physical from logical turns numbers off") << "a.tex" << 2 << 0 << 0;
    QTest::newRow("logical on") << "a.tex" << 0 << 1 << 2;
    QTest::newRow("logical from physical") << "a.tex" << 1 << 1 << 2;
    QTest::newRow("logical off") << "a.tex" << 2 << 1 << 0;
    QTest::newRow("logical ignored in calculation mode") << "a.zel" << 1 << 1 << 1;
}

void TestEditorView::lineNumberCommands()
{
    QFETCH(QString, name);
    QFETCH(int, start);
    QFETCH(int, command);
    QFETCH(int, mode);
    Editor e(name, "a\nb\n", QStringLiteral("[Settings]\nLine=%1\n").arg(start));
    QCOMPARE(e.view->m_nLineNumberMode, name.endsWith(QLatin1String(".zel")) ? 1 : start);
    QVERIFY(e.Run(command == 0 ? Cmd::PhysicalLineNo : Cmd::LogicalLineNo));
    QCOMPARE(e.view->m_nLineNumberMode, mode);
    QCOMPARE(e.fx.store->GetInt("Settings", "Line", -1), mode);
    QCOMPARE(e.frame->Router()->StateOf(Cmd::PhysicalLineNo).checked, mode == 1);
    QCOMPARE(e.frame->Router()->StateOf(Cmd::LogicalLineNo).checked, mode == 2);
    if (mode == 0) {
        QCOMPARE(e.view->m_nGutterWidth, 10);
    } else {
        QVERIFY(e.view->m_nGutterWidth > 10);
        // The gutter strip is painted in its own colour.
        QWidget *gutter = nullptr;
        for (QWidget *w : e.view->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (w->isVisible() && w->width() == e.view->m_nGutterWidth)
                gutter = w;
        QVERIFY(gutter);
        const QImage strip = gutter->grab().toImage();
        QCOMPARE(strip.pixelColor(1, strip.height() - 2), QColor(240, 240, 255));
    }
}

void TestEditorView::coloringCommand()
{
    Editor e(QStringLiteral("a.tex"), "{x}");
    const QRect brace = RangeRect(e.view, 0, 1);
    QVERIFY(HasColorIn(Grab(e.view), brace, QColor(255, 0, 0)));
    QVERIFY(e.frame->Router()->StateOf(Cmd::Coloring).checked);
    QVERIFY(e.Run(Cmd::Coloring));
    QCOMPARE(e.view->m_bColoring, 0);
    QCOMPARE(e.fx.store->GetInt("Settings", "Enter", -1), 0);
    QVERIFY(!e.frame->Router()->StateOf(Cmd::Coloring).checked);
    QVERIFY(!HasColorIn(Grab(e.view), brace, QColor(255, 0, 0)));
}

void TestEditorView::headAndEnd()
{
    Editor e(QStringLiteral("a.txt"), "one\ntwo\nthree");
    e.SetCaret(5);
    QVERIFY(e.Run(Cmd::ToEnd));
    QCOMPARE(e.Caret(), 13);
    QVERIFY(e.Run(Cmd::ToHead));
    QCOMPARE(e.Caret(), 0);
    e.SetCaret(6);
    QVERIFY(e.Run(Cmd::ToLineHead));
    QCOMPARE(e.Caret(), 4);
    QVERIFY(e.Run(Cmd::ToLineEnd));
    QCOMPARE(e.Caret(), 7);
}

void TestEditorView::lineEndOnWrappedRow()
{
    const QByteArray words = QByteArray("word ").repeated(200);
    Editor e(QStringLiteral("a.txt"), words);
    e.SetCaret(2);
    const int secondRow = DisplayLineStart(*e.view, 1);
    QVERIFY(secondRow > 0 && secondRow < words.size());
    QVERIFY(e.Run(Cmd::ToLineEnd));
    QCOMPARE(e.Caret(), secondRow - 1);
    QCOMPARE(DisplayLineOf(*e.view, e.Caret()), 0);
    e.SetCaret(secondRow + 3);
    QVERIFY(e.Run(Cmd::ToLineHead));
    QCOMPARE(e.Caret(), secondRow);
}

void TestEditorView::paging_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("caretLine");
    QTest::addColumn<bool>("down");
    QTest::addColumn<int>("expectedLine"); // -1: text end, -2: index 0
    QTest::newRow("down a whole screen") << 200 << 3 << true << 3; // + rows
    QTest::newRow("down near the end goes to the text end") << 200 << 195 << true << -1;
    QTest::newRow("up a whole screen") << 200 << 150 << false << 150; // - rows
    QTest::newRow("up within the first screen goes to the start") << 200 << 2 << false << -2;
}

void TestEditorView::paging()
{
    QFETCH(int, lines);
    QFETCH(int, caretLine);
    QFETCH(bool, down);
    QFETCH(int, expectedLine);
    QByteArray text;
    for (int i = 0; i < lines; ++i)
        text += "line " + QByteArray::number(i) + "\n";
    Editor e(QStringLiteral("a.txt"), text);
    e.view->m_nCaretPos = 0;
    const int rows = e.view->VisibleRows();
    QVERIFY(rows > 3 && rows < 100);
    e.SetCaret(DisplayLineStart(*e.view, caretLine));
    QVERIFY(e.Run(down ? Cmd::PageDown : Cmd::PageUp));
    if (expectedLine == -1)
        QCOMPARE(e.Caret(), e.view->document()->characterCount() - 1);
    else if (expectedLine == -2)
        QCOMPARE(e.Caret(), 0);
    else
        QCOMPARE(e.Caret(), DisplayLineStart(*e.view, expectedLine + (down ? rows : -rows)));
}

void TestEditorView::caretColumnKeptThroughShortLines_data()
{
    QTest::addColumn<bool>("keep");
    QTest::addColumn<int>("landing"); // column on the last long line
    QTest::newRow("switch on: back to the column") << true << 20;
    QTest::newRow("switch off: from where the caret stands") << false << 0;
}

void TestEditorView::caretColumnKeptThroughShortLines()
{
    QFETCH(bool, keep);
    QFETCH(int, landing);
    Editor e(QStringLiteral("a.txt"),
             "0123456789012345678901234\n\nshort\n0123456789012345678901234\n");
    QVERIFY(e.view->m_nCaretPos);
    if (!keep)
        QVERIFY(e.Run(Cmd::CaretPosition));
    e.SetCaret(20);
    QTest::keyClick(e.view, Qt::Key_Right);
    QTest::keyClick(e.view, Qt::Key_Left);
    const int x = e.view->cursorRect().left();
    if (keep)
        QCOMPARE(e.view->m_nDesiredCaretX, x);
    QTest::keyClick(e.view, Qt::Key_Down);
    QCOMPARE(e.Caret(), 26); // the empty line
    QTest::keyClick(e.view, Qt::Key_Down);
    QCOMPARE(DisplayLineOf(*e.view, e.Caret()), 2);
    QTest::keyClick(e.view, Qt::Key_Down);
    QCOMPARE(e.Caret(), 33 + landing);
    if (keep)
        QCOMPARE(e.view->cursorRect().left(), x);
}

void TestEditorView::lineJump_data()
{
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("logical");
    QTest::addColumn<QString>("landing"); // "start", "third", "end" or "row2"
    QTest::newRow("first line") << false << "1" << false << "start";
    QTest::newRow("display line without wrap") << false << "3" << false << "third";
    QTest::newRow("beyond the last line goes to the end") << false << "99" << false << "end";
    QTest::newRow("logical line with wrap") << true << "3" << true << "third";
    QTest::newRow("logical asked without wrap counts rows") << false << "3" << true << "third";
    QTest::newRow("display line with wrap lands in the wrapped line")
        << true << "3" << false << "row2";
}

void TestEditorView::lineJump()
{
    QFETCH(bool, wrap);
    QFETCH(QString, number);
    QFETCH(bool, logical);
    QFETCH(QString, landing);
    // Line 2 wraps over several display rows.
    const QByteArray text = "aaaa\n" + QByteArray("word ").repeated(100) + "\nthird\nfourth";
    Editor e(QStringLiteral("a.txt"), text);
    e.view->SetWordWrap(wrap, false);
    QCoreApplication::processEvents();
    WhenModal([number, logical](QWidget *w) {
        auto *d = qobject_cast<CLineJumpDialog *>(w);
        QVERIFY(d);
        d->m_pLine->setText(number);
        d->m_pLogical->setChecked(logical);
        d->accept();
    });
    QVERIFY(e.Run(Cmd::LineJump));
    const QString plain = e.view->document()->toPlainText();
    if (landing == QLatin1String("start"))
        QCOMPARE(e.Caret(), 0);
    else if (landing == QLatin1String("third"))
        QCOMPARE(e.Caret(), plain.indexOf(QLatin1String("third")));
    else if (landing == QLatin1String("end"))
        QCOMPARE(e.Caret(), plain.size());
    else {
        QCOMPARE(e.Caret(), DisplayLineStart(*e.view, 2));
        QVERIFY(e.Caret() > 5 && e.Caret() < plain.indexOf(QLatin1String("third")));
    }
    // The target line is in view.
    const QRect caret = e.view->cursorRect();
    QVERIFY(caret.top() >= 0 && caret.bottom() <= e.view->viewport()->height());
}

void TestEditorView::lineJumpRemembersItsValues()
{
    Editor e(QStringLiteral("a.txt"), "a\nb\nc\n");
    WhenModal([](QWidget *w) {
        auto *d = qobject_cast<CLineJumpDialog *>(w);
        QCOMPARE(d->m_pLine->text(), QStringLiteral("1"));
        QVERIFY(!d->m_pLogical->isChecked());
        d->m_pLine->setText(QStringLiteral("3"));
        d->m_pLogical->setChecked(true);
        d->accept();
    });
    QVERIFY(e.Run(Cmd::LineJump));
    QCOMPARE(e.Caret(), 4);
    WhenModal([](QWidget *w) {
        auto *d = qobject_cast<CLineJumpDialog *>(w);
        QCOMPARE(d->m_pLine->text(), QStringLiteral("3"));
        QVERIFY(d->m_pLogical->isChecked());
        // Nothing but whole numbers from 1 can be confirmed.
        d->m_pLine->setText(QStringLiteral("0"));
        QVERIFY(!d->m_pJump->isEnabled());
        d->reject();
    });
    e.SetCaret(0);
    QVERIFY(e.Run(Cmd::LineJump));
    QCOMPARE(e.Caret(), 0);
}

void TestEditorView::lineJumpFromLogPaneGoesToTheOtherPane()
{
    Editor e(QStringLiteral("a.log"), "log line 1\nlog line 2\nlog line 3\n");
    auto *splitter = qobject_cast<QSplitter *>(e.frame->centralWidget());
    QVERIFY(splitter);
    COrrindaleDoc texDoc(e.fx.context);
    auto *editor = new COrrindaleView(e.fx.context, &texDoc, splitter);
    splitter->addWidget(editor);
    editor->document()->setPlainText(QStringLiteral("a\nb\nc\nd\n"));
    editor->show();
    QVERIFY(e.view->isReadOnly());
    WhenModal([](QWidget *w) {
        auto *d = qobject_cast<CLineJumpDialog *>(w);
        d->m_pLine->setText(QStringLiteral("3"));
        d->accept();
    });
    QVERIFY(e.Run(Cmd::LineJump));
    QCOMPARE(editor->textCursor().position(), 4);
    QCOMPARE(e.Caret(), 0);
    delete editor; // before the document it shows
}

void TestEditorView::switchCommands_data()
{
    QTest::addColumn<int>("command"); // 0 caret position, 1 right-click menu
    QTest::newRow("caret position") << 0;
    QTest::newRow("right-click menu") << 1;
}

void TestEditorView::switchCommands()
{
    QFETCH(int, command);
    Editor e(QStringLiteral("a.tex"), "x\n");
    const Cmd cmd = command == 0 ? Cmd::CaretPosition : Cmd::RightClickMenu;
    int &member = command == 0 ? e.view->m_nCaretPos : e.view->m_bRightClickMenu;
    QCOMPARE(member, 1);
    QVERIFY(e.frame->Router()->StateOf(cmd).checked);
    QVERIFY(e.frame->Router()->Execute(IdsOf(cmd).japaneseId));
    QCOMPARE(member, 0);
    QVERIFY(!e.frame->Router()->StateOf(cmd).checked);
    // Only the caret column is a stored setting; the right-click switch starts on every time.
    QCOMPARE(e.fx.store->Contains("Settings", "CaretPos"), command == 0);
    if (command == 0)
        QCOMPARE(e.fx.store->GetInt("Settings", "CaretPos", -1), 0);
    QVERIFY(e.frame->Router()->Execute(IdsOf(cmd).japaneseId));
    QCOMPARE(member, 1);
}

void TestEditorView::doubleClickSelectsWord_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("at");
    QTest::addColumn<QString>("selected");
    QTest::newRow("tex command with backslash") << "a.tex"
                                                << "x \\section{Intro}" << 6 << "\\section";
    QTest::newRow("tex argument") << "a.tex" << "x \\section{Intro}" << 13 << "Intro";
    QTest::newRow("txt keeps the comma") << "a.txt" << "x a,b y" << 3 << "a,b";
}

void TestEditorView::doubleClickSelectsWord()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, at);
    QFETCH(QString, selected);
    Editor e(name, text.toUtf8());
    const QPoint point = RangeRect(e.view, at, at + 1).center();
    QTest::mouseDClick(e.view->viewport(), Qt::LeftButton, {}, point);
    QCOMPARE(e.Selected(), selected);
}

void TestEditorView::logLineNumberMovesEditingPane()
{
    FrameFixture fx;
    COrrindaleDoc texDoc(fx.context);
    COrrindaleDoc logDoc(fx.context);
    QSplitter splitter(Qt::Vertical);
    splitter.resize(500, 600);
    auto *log = new COrrindaleView(fx.context, &logDoc, &splitter);
    auto *editor = new COrrindaleView(fx.context, &texDoc, &splitter);
    splitter.addWidget(log);
    splitter.addWidget(editor);
    QByteArray text;
    for (int i = 1; i <= 60; ++i)
        text += "line" + QByteArray::number(i) + "\n";
    editor->document()->setPlainText(QString::fromLatin1(text));
    editor->m_strEditedExt = QStringLiteral(".tex");
    log->document()->setPlainText(QStringLiteral("Warning on input line 42.\nnothing here\n"));
    log->setReadOnly(true);
    splitter.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splitter));
    g_bLogJump = 0;

    const QString logText = log->document()->toPlainText();
    const int at = static_cast<int>(logText.indexOf(QLatin1String("42")));
    QTest::mouseDClick(log->viewport(), Qt::LeftButton, {}, RangeRect(log, at, at + 1).center());
    QCOMPARE(log->textCursor().selectedText(), QStringLiteral("42."));
    QCOMPARE(editor->textCursor().selectedText(), QStringLiteral("line42") + QChar(0x2029));
    QCOMPARE(g_bLogJump, 1);

    // A word that is no number moves nothing.
    g_bLogJump = 0;
    const int word = static_cast<int>(logText.indexOf(QLatin1String("nothing")));
    QTest::mouseDClick(log->viewport(), Qt::LeftButton, {},
                       RangeRect(log, word + 2, word + 3).center());
    QCOMPARE(log->textCursor().selectedText(), QStringLiteral("nothing"));
    QCOMPARE(editor->textCursor().selectedText(), QStringLiteral("line42") + QChar(0x2029));
    QCOMPARE(g_bLogJump, 0);
}

void TestEditorView::rightClickMenus_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("switchOff");
    QTest::addColumn<int>("english");
    // The first item's id of the program's menu, or the copy item of the editor's standard menu.
    QTest::addColumn<QString>("shown");
    QTest::newRow("tex: editing menu") << "a.tex" << false << 1 << "32994";
    QTest::newRow("tex, Japanese: editing menu") << "a.tex" << false << 0 << "32992";
    QTest::newRow("switch off: the editor's standard menu") << "a.tex" << true << 1 << "&Copy";
    QTest::newRow("switch off, Japanese: the standard menu in Japanese")
        << "a.tex" << true << 0 << QString::fromUtf8("コピー(&C)");
    QTest::newRow("calculation menu even with the switch off") << "a.zel" << true << 1 << "33058";
    QTest::newRow("read-me: the editor's standard menu")
        << "data/ReadMeE.log" << false << 1 << "&Copy";
}

void TestEditorView::rightClickMenus()
{
    QFETCH(QString, name);
    QFETCH(bool, switchOff);
    QFETCH(int, english);
    QFETCH(QString, shown);
    QDir().mkpath(QDir::tempPath());
    Editor e(QStringLiteral("x.txt"), "");
    QDir(e.fx.dir.path()).mkpath(QStringLiteral("data"));
    QVERIFY(e.frame->OpenDocumentFile(e.fx.WriteFile(name, "text\n")));
    e.view->m_strInstDir = e.fx.dir.filePath(QStringLiteral("data"));
    e.view->m_bEnglish = english;
    if (switchOff)
        e.view->m_bRightClickMenu = 0;
    QVERIFY(COrrindaleApp::InstallQtTexts(english));
    QString seen;
    QTimer::singleShot(0, qApp, [&seen] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            const QList<QAction *> actions = menu->actions();
            if (menu->objectName() != QLatin1String("ViewPopupMenu")) {
                auto *copy = menu->findChild<QAction *>(QStringLiteral("edit-copy"));
                seen = copy ? copy->text().section(QLatin1Char('\t'), 0, 0)
                            : QStringLiteral("other");
            } else {
                seen = actions.isEmpty() ? QStringLiteral("empty")
                                         : QString::number(ActionId(actions.first()));
            }
            menu->close();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                            e.view->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(e.view->viewport(), &event);
    QCoreApplication::processEvents();
    for (QTranslator *t : qApp->findChildren<QTranslator *>())
        QCoreApplication::removeTranslator(t);
    QCOMPARE(seen, shown);
}

void TestEditorView::colourDialogOkWritesAndApplies()
{
    Editor e(QStringLiteral("a.tex"), "{x} TODO\n");
    WhenModal([](QWidget *w) {
        auto *d = qobject_cast<CColorSettingsDialog *>(w);
        QVERIFY(d);
        d->SetChooser([](unsigned &color, CustomColors &custom, QWidget *) {
            color = 0x00FF00; // green
            custom[3] = 0x123456;
            return true;
        });
        d->Button(1071)->click(); // "{"
        d->Button(1106)->click(); // background
        d->UserStringEdit(0)->setText(QStringLiteral("TODO"));
        d->Button(1081)->click();
        d->accept();
    });
    QVERIFY(e.Run(Cmd::SetColor));
    QCOMPARE(e.view->m_colors.symbols[1], 0x00FF00u);
    QCOMPARE(e.view->m_colors.back, 0x00FF00u);
    QCOMPARE(e.view->m_colors.userStrings[0], QStringLiteral("TODO"));
    QCOMPARE(e.fx.store->GetInt("Colors", "{", -1), 0x00FF00);
    QCOMPARE(e.fx.store->GetInt("ColorTB", "BackColor", -1), 0x00FF00);
    QCOMPARE(e.fx.store->GetString("Colors", "Str1"), QStringLiteral("TODO"));
    QCOMPARE(e.fx.store->GetInt("Colors", "TODO", -1), 0x00FF00);
    QCOMPARE(e.fx.store->GetInt("ColorCust", "CstClr3", -1), 0x123456);
    const QImage image = Grab(e.view);
    QCOMPARE(image.pixelColor(image.width() - 5, image.height() - 5), QColor(0, 255, 0));
    QVERIFY(HasColorIn(image, RangeRect(e.view, 0, 1), QColor(0, 255, 0)));
}

void TestEditorView::colourDialogCancelKeepsView()
{
    Editor e(QStringLiteral("a.tex"), "{x}\n");
    const ViewColors before = e.view->m_colors;
    WhenModal([](QWidget *w) {
        auto *d = qobject_cast<CColorSettingsDialog *>(w);
        d->SetChooser([](unsigned &color, CustomColors &, QWidget *) {
            color = 0x00FF00;
            return true;
        });
        d->Button(1070)->click();
        d->Button(1109)->click(); // reset character colours: the store changes now
        d->reject();
    });
    QVERIFY(e.Run(Cmd::SetColor));
    QCOMPARE(e.view->m_colors, before);
    QVERIFY(e.fx.store->Keys("Colors").isEmpty());
}

void TestEditorView::colourDialogResetsActAtOnce()
{
    FrameFixture fx;
    ViewColors c = DefaultViewColors();
    c.text = 0x0000FF;
    c.userStrings[2] = QStringLiteral("abc");
    CustomColors custom = DefaultCustomColors();
    custom[0] = 1;
    SaveColorSettings(*fx.store, c, custom);
    CColorSettingsDialog d(*fx.store, true);
    QCOMPARE(d.Colors().text, 0x0000FFu);
    QCOMPARE(d.UserStringEdit(2)->text(), QStringLiteral("abc"));
    d.Button(1107)->click();
    QCOMPARE(d.Colors(), DefaultViewColors());
    QCOMPARE(d.Custom(), DefaultCustomColors());
    QVERIFY(d.UserStringEdit(2)->text().isEmpty());
    QVERIFY(fx.store->Keys("ColorTB").isEmpty());
    QVERIFY(fx.store->Keys("Colors").isEmpty());
    QVERIFY(fx.store->Keys("ColorCust").isEmpty());
}

QTEST_MAIN(TestEditorView)
#include "tst_editorview.moc"
