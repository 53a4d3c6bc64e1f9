#include "view/ui/ViewNavigator.h"

#include "app/AppSettings.h"
#include "app/TeXFile.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CPaneSplitter.h"
#include "app/ui/MenuBuilder.h"
#include "view/Navigation.h"

#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <utility>

namespace {
// Long texts skip the column keeping, as the mark painting is throttled there too.
constexpr int CaretKeepLimit = 65536;

QTextLine LineAt(const COrrindaleView &view, int position, QTextBlock *blockOut = nullptr)
{
    const QTextBlock block = view.document()->findBlock(position);
    if (blockOut)
        *blockOut = block;
    const QTextLayout *layout = block.layout();
    if (!block.isValid() || !layout || layout->lineCount() == 0)
        return {};
    return layout->lineForTextPosition(position - block.position());
}

int TextLength(const COrrindaleView &view)
{
    return view.document()->characterCount() - 1;
}

void PlaceCaret(COrrindaleView &view, int position)
{
    QTextCursor c = view.textCursor();
    c.setPosition(std::clamp(position, 0, TextLength(view)));
    view.setTextCursor(c);
    view.ensureCursorVisible();
}

QString ExtensionOf(const QString &path)
{
    const int slash = static_cast<int>(path.lastIndexOf(QLatin1Char('/')));
    const int dot = static_cast<int>(path.lastIndexOf(QLatin1Char('.')));
    return dot > slash ? path.mid(dot) : QString();
}
} // namespace

int DisplayLineOf(const COrrindaleView &view, int position)
{
    QTextBlock block;
    const QTextLine line = LineAt(view, position, &block);
    return block.firstLineNumber() + (line.isValid() ? line.lineNumber() : 0);
}

int DisplayLineStart(const COrrindaleView &view, int line)
{
    if (line < 0)
        return -1;
    const QTextBlock block = view.document()->findBlockByLineNumber(line);
    if (!block.isValid())
        return -1;
    const QTextLayout *layout = block.layout();
    const int inBlock = line - block.firstLineNumber();
    if (!layout || inBlock >= std::max(1, layout->lineCount()))
        return -1;
    if (layout->lineCount() == 0)
        return block.position();
    return block.position() + layout->lineAt(inBlock).textStart();
}

int DisplayLineCount(const COrrindaleView &view)
{
    const QTextBlock last = view.document()->lastBlock();
    const QTextLayout *layout = last.layout();
    return last.firstLineNumber() + std::max(1, layout ? layout->lineCount() : 1);
}

int TopDisplayLine(const COrrindaleView &view)
{
    return view.verticalScrollBar()->value();
}

void ScrollDisplayLines(COrrindaleView &view, int lines)
{
    QScrollBar *bar = view.verticalScrollBar();
    bar->setValue(bar->value() + lines);
}

COrrindaleView *OtherPane(const COrrindaleView &view)
{
    return view.Panes() ? view.Panes()->OtherPane(view) : nullptr;
}

void ToHead(COrrindaleView &view)
{
    PlaceCaret(view, 0);
}

void ToEnd(COrrindaleView &view)
{
    PlaceCaret(view, TextLength(view));
}

void ToLineHead(COrrindaleView &view)
{
    QTextBlock block;
    const QTextLine line = LineAt(view, view.textCursor().position(), &block);
    if (line.isValid())
        PlaceCaret(view, block.position() + line.textStart());
}

void ToLineEnd(COrrindaleView &view)
{
    QTextBlock block;
    const QTextLine line = LineAt(view, view.textCursor().position(), &block);
    if (!line.isValid())
        return;
    int end = block.position() + line.textStart() + line.textLength();
    // On a wrapped row that index is already the next row's first character.
    if (line.lineNumber() + 1 < block.layout()->lineCount())
        end -= 1;
    PlaceCaret(view, end);
}

void PageDown(COrrindaleView &view)
{
    const int caretLine = DisplayLineOf(view, view.textCursor().position());
    const PageTarget t = PageDownTarget(DisplayLineCount(view), caretLine, view.VisibleRows());
    if (t.toEnd) {
        ToEnd(view);
    } else {
        ScrollDisplayLines(view, t.scrollLines);
        PlaceCaret(view, DisplayLineStart(view, t.line));
        KeepCaretColumn(view);
    }
}

void PageUp(COrrindaleView &view)
{
    const int caretLine = DisplayLineOf(view, view.textCursor().position());
    const PageTarget t = PageUpTarget(caretLine, view.VisibleRows());
    if (t.toStart) {
        ToHead(view);
    } else {
        ScrollDisplayLines(view, t.scrollLines);
        PlaceCaret(view, DisplayLineStart(view, t.line));
        KeepCaretColumn(view);
    }
}

void JumpToLine(COrrindaleView &view, int n, bool logical)
{
    int position;
    int target;
    if (logical && view.lineWrapMode() != QPlainTextEdit::NoWrap) {
        position = IndexAfterLineFeeds(view.document()->toPlainText(), n - 1);
        target = DisplayLineOf(view, position);
    } else {
        position = DisplayLineStart(view, n - 1);
        if (position < 0)
            position = TextLength(view);
        target = DisplayLineOf(view, position);
    }
    PlaceCaret(view, position);
    ScrollDisplayLines(view, JumpScrollAdjustment(target, TopDisplayLine(view), 5));
}

bool MovesCaretColumn(int key, const QString &text)
{
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Right:
    case Qt::Key_Left:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return !text.isEmpty() && text[0].isPrint();
    }
}

void RememberCaretX(COrrindaleView &view)
{
    if (!view.Settings().Editor().caretColumn)
        return;
    view.m_nDesiredCaretX = std::max(0, view.cursorRect().left());
}

void KeepCaretColumn(COrrindaleView &view)
{
    if (!view.Settings().Editor().caretColumn || TextLength(view) >= CaretKeepLimit)
        return;
    int s = view.textCursor().selectionStart();
    if (s > 0 && DisplayLineStart(view, DisplayLineOf(view, s)) != s)
        --s;
    const int line = DisplayLineOf(view, s);
    const int caretY = view.cursorRect().top();
    const int found = view.cursorForPosition(QPoint(view.m_nDesiredCaretX, caretY + 2)).position();
    if (DisplayLineOf(view, found) == line) {
        PlaceCaret(view, found);
        return;
    }
    // The row is shorter than the wanted column: its last character.
    QTextBlock block;
    const QTextLine row = LineAt(view, s, &block);
    const int start = block.position() + row.textStart();
    PlaceCaret(view, std::max(start, start + row.textLength() - 1));
}

bool SelectWordAtCaret(COrrindaleView &view)
{
    // A word never crosses a line break, so the caret's line is all the text it needs.
    const int s = view.textCursor().selectionStart();
    const QTextBlock block = view.document()->findBlock(s);
    const QString text = block.text();
    const TextRange r = WordSelectionRange(text, s - block.position(), view.Files().edited.ext);
    QTextCursor c = view.textCursor();
    c.setPosition(block.position() + r.start);
    c.setPosition(block.position() + r.end, QTextCursor::KeepAnchor);
    view.setTextCursor(c);
    view.ensureCursorVisible();

    // A line number double-clicked in the log moves the editing pane to that line.
    COrrindaleView *other = OtherPane(view);
    if (!other || !view.isReadOnly() || other->isReadOnly())
        return false;
    const QString docExt =
        ExtensionOf(view.GetDocument() ? view.GetDocument()->PathName() : QString());
    if (!IsTeXExtension(docExt) && !IsTeXExtension(other->Files().edited.ext)
        && !IsTeXExtension(other->Files().target.ext))
        return false;
    const int n = LeadingNumber(text.mid(r.start, r.end - r.start));
    if (n <= 0)
        return false;
    const TextRange line = LogicalLineRange(other->document()->toPlainText(), n);
    QTextCursor oc = other->textCursor();
    oc.setPosition(line.start);
    oc.setPosition(line.end, QTextCursor::KeepAnchor);
    other->setTextCursor(oc);
    other->ensureCursorVisible();
    ScrollDisplayLines(
        *other, JumpScrollAdjustment(DisplayLineOf(*other, line.start), TopDisplayLine(*other), 2));
    return true;
}

bool ShowPopupMenu(COrrindaleView &view, CommandRouter *router, const QPoint &globalPos)
{
    if (!router)
        return false;
    const bool readMe = IsReadMeFile(
        view.GetDocument() ? view.GetDocument()->PathName() : QString(), view.Settings().InstDir());
    const PopupChoice choice =
        PopupMenuFor(readMe, view.Options().calcMode, view.Options().rightClickMenu);
    if (choice == PopupChoice::None)
        return false;
    const MenuResource which =
        choice == PopupChoice::Calculation ? MenuResource::ContextCalc : MenuResource::ContextTeX;
    QWidget *owner = view.window();
    QMenu *menu = BuildContextMenu(which, view.Settings().English(), *router, owner);
    if (!menu)
        return false;
    menu->setObjectName(QStringLiteral("ViewPopupMenu"));
    menu->exec(globalPos);
    menu->deleteLater();
    return true;
}

void ShowStandardEditMenu(COrrindaleView &view, const QPoint &globalPos)
{
    QMenu *menu = view.createStandardContextMenu();
    // Its texts come from Qt's own translations, installed for the Japanese interface.
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}
