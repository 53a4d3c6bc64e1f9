#include "app/ui/COrrindaleView.h"

#include "app/AppSettings.h"
#include "app/CaretMemory.h"
#include "app/Prompter.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/TeXFile.h"
#include "app/TextFile.h"
#include "app/ZelSettings.h"
#include "app/ui/AppContext.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/CommandRouter.h"
#include "app/ui/FontMapping.h"
#include "calc/ui/CalcController.h"
#include "calc/ui/EvaluatorHook.h"
#include "input/ui/CompletionController.h"
#include "view/Coloring.h"
#include "view/Gutter.h"
#include "view/ui/ViewNavigator.h"
#include "view/ui/ViewPainter.h"
#include "view/ui/UndoController.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

COrrindaleView::COrrindaleView(AppContext &context, COrrindaleDoc *doc, QWidget *parent)
    : QPlainTextEdit(parent)
    , m_context(context)
    , m_pDoc(doc)
{
    setDocument(doc->TextDocument());
    setUndoRedoEnabled(false);
    // A new view starts with word wrap on.
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    ApplyScreenFont();
    doc->AddView(this);

    setCursorWidth(2);
    m_pGutter = new CViewMargin(this, CViewMargin::Kind::Gutter);
    m_pHeader = new CViewMargin(this, CViewMargin::Kind::Header);
    // The caret-line underline and the marks follow the caret and the selection.
    connect(this, &QPlainTextEdit::cursorPositionChanged, viewport(),
            qOverload<>(&QWidget::update));
    connect(this, &QPlainTextEdit::selectionChanged, viewport(), qOverload<>(&QWidget::update));
    connect(this, &QPlainTextEdit::updateRequest, this, [this] {
        m_pGutter->update();
        m_pHeader->update();
    });
    // The widget's own signal follows a text set later (the log pane has a text of its own).
    connect(this, &QPlainTextEdit::blockCountChanged, this, &COrrindaleView::CheckGutterDigits);
    ApplyColors();
    // Both panes follow a new font or new colours; the common part of an update lays them out.
    connect(context.settings, &CAppSettings::FontChanged, this, [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ApplyScreenFont();
        ApplyTabStops();
        QApplication::restoreOverrideCursor();
        OnUpdate(Hint::Initial);
    });
    connect(context.settings, &CAppSettings::ColorsChanged, this,
            [this] { OnUpdate(Hint::Initial); });
    // A changed compile target may change what the text is coloured as.
    connect(doc, &COrrindaleDoc::FilesChanged, viewport(), qOverload<>(&QWidget::update));
    m_pUndo = new CUndoController(this);
    m_pCalc = new CCalcController(*this, context);
    m_pCompletion = new CCompletionController(this, *context.store);
    m_pEvaluator = new CEvaluatorHook(*this, context);
}

bool COrrindaleView::IsLogPane() const
{
    return document() != m_pDoc->TextDocument();
}

void COrrindaleView::PushUndoSnapshot()
{
    m_pUndo->PushSnapshot();
}

CAppSettings &COrrindaleView::Settings() const
{
    return *m_context.settings;
}

const DocumentFiles &COrrindaleView::Files() const
{
    return m_pDoc->Files();
}

void COrrindaleView::ApplyScreenFont()
{
    setFont(FontFromLogFont(Settings().ScreenFont()));
}

int COrrindaleView::LineHeight() const
{
    // The extent of "M" is the height of the font's cell, ascent plus descent, which is the
    // height of one row of text; the glyph's own ink box would be far smaller.
    const int h = fontMetrics().height();
    return h > 0 ? h : 18;
}

int COrrindaleView::FirstVisibleLine() const
{
    return firstVisibleBlock().blockNumber();
}

void COrrindaleView::ScrollToLine(int line)
{
    // The scroll bar counts display rows; a block's first row is kept by the layout.
    const QTextBlock block = document()->findBlockByNumber(std::clamp(line, 0, LineCount() - 1));
    verticalScrollBar()->setValue(block.firstLineNumber());
}

int COrrindaleView::SelectionStart() const
{
    return textCursor().selectionStart();
}

int COrrindaleView::LineCount() const
{
    return document()->blockCount();
}

void COrrindaleView::ApplyTabStops()
{
    setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * m_options.tabWidth);
}

void COrrindaleView::SetCalcMode(bool on)
{
    m_options.calcMode = on;
    viewport()->update();
}

void COrrindaleView::SetTabWidth(int width)
{
    m_options.tabWidth = width;
    ApplyTabStops();
    viewport()->update();
}

void COrrindaleView::SetWordWrap(bool on)
{
    m_options.wordWrap = on;
    ApplyWordWrap(on, true);
}

void COrrindaleView::SetColoring(bool on)
{
    m_options.coloring = on;
    viewport()->update();
}

void COrrindaleView::SetUnderlineCaretLine(bool on)
{
    m_options.underlineCaretLine = on;
    viewport()->update();
}

void COrrindaleView::SetLineNumberMode(int mode)
{
    m_options.lineNumberMode = mode;
    LayoutGutter();
}

void COrrindaleView::SetGutterLineCount(int lines)
{
    // Takes effect with the next layout, which the split's update hint brings.
    m_nGutterLineCount = lines;
}

bool COrrindaleView::ApplyWordWrap(bool on, bool keepPosition)
{
    const bool current = lineWrapMode() != QPlainTextEdit::NoWrap;
    if (current == on)
        return false;
    const int firstLine = FirstVisibleLine();
    const int caret = textCursor().position();
    setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    m_pDoc->UpdateAllViews(Hint::Initial);
    if (keepPosition) {
        ScrollToLine(firstLine);
        QTextCursor c = textCursor();
        c.setPosition(std::min(caret, document()->characterCount() - 1));
        setTextCursor(c);
        ScrollToLine(firstLine);
    }
    Q_EMIT Relaid();
    return true;
}

void COrrindaleView::ReadZelSettings()
{
    // The document's settings line gives its tab width and how it is printed; printing goes
    // back to the stored settings for the next document.
    const QString firstRow = document()->firstBlock().text();
    CAppSettings &settings = Settings();
    ZelSettings zel;
    zel.tabWidth = m_options.tabWidth;
    zel.printColumns = settings.StoredPrint().columns;
    zel.printMargin = settings.StoredPrint().margin;
    if (!ReadZelSettingsLine(firstRow, zel))
        return;
    m_options.tabWidth = zel.tabWidth;
    if (!IsLogPane())
        settings.ShowDocumentPrint({zel.printColumns, zel.printMargin},
                                   zel.printFontHeightSet ? zel.printFontHeight : -1);
}

void COrrindaleView::OnInitialUpdate()
{
    SettingsStore &store = *m_context.store;
    // The font of the process.
    ApplyScreenFont();
    // Printing as stored, unless a calculation document's settings line says otherwise.
    const QString ext = Files().edited.ext;
    if (!IsLogPane())
        Settings().ShowDocumentPrint(Settings().StoredPrint(), -1);
    // Completion of TeX commands for a TeX target, as stored.
    m_options.inputSupport = IsTeXExtension(Files().target.ext) && ReadSetting(store, Keys::Input);
    // The encoding was decoded when the file was read (see TextFile.h). A range taken in the
    // previous text means nothing in this one.
    m_pCalc->ForgetSelection();
    m_options.roundIndex = ReadSetting(store, Keys::Sho);
    // Calculation documents: no wrap, the column header, their own tab width.
    if (ext == QLatin1String(".zel") || ext == QLatin1String(".ZEL")) {
        m_options.wordWrap = false;
        m_options.calcMode = true;
        m_options.lineNumberMode = 1;
        WriteSetting(store, Keys::Line, 1);
        m_options.tabWidth = ReadSetting(store, Keys::RetuHaba);
        ReadZelSettings();
    } else {
        m_options.wordWrap = true;
        m_options.calcMode = false;
        m_options.tabWidth = ReadSetting(store, Keys::TabStops);
    }
    // Tab stops and wrapping as the document type says.
    ApplyTabStops();
    ApplyWordWrap(m_options.wordWrap, true);
    // Logs are read-only and plain.
    if (ext == QLatin1String(".log") || ext == QLatin1String(".LOG") || IsLogPane()) {
        setReadOnly(true);
        m_options.coloring = false;
        m_options.underlineCaretLine = false;
    } else {
        setReadOnly(false);
        m_options.coloring = ReadSetting(store, Keys::Enter);
        m_options.underlineCaretLine = true;
    }
    // Everything else a new text needs.
    OnUpdate(Hint::Initial);
    // Back to where the caret was when this file was last closed.
    RestoreCaretMemory();
    // Forget the places of files that are gone.
    PruneCaretMemoryOfMissingFiles(store);
    // A fresh undo history that starts at this text.
    m_pUndo->Start();
}

void COrrindaleView::RestoreCaretMemory()
{
    QTextCursor c(document());
    c.movePosition(QTextCursor::Start);
    setTextCursor(c);
    ScrollToLine(0);
    const QString path = Files().editedPath;
    if (document()->characterCount() - 1 <= 1 || path.isEmpty())
        return;
    const CaretMemoryEntry memory = ReadCaretMemory(*m_context.store, path);
    const int last = document()->characterCount() - 1;
    c.setPosition(std::clamp(memory.caret, 0, last));
    ScrollToLine(memory.topLine);
    setTextCursor(c); // scrolls only as far as the caret needs
}

void COrrindaleView::OnUpdate(Hint hint)
{
    SettingsStore &store = *m_context.store;
    // The text never holds CR: every file is read with its line ends made LF.
    m_options.lineNumberMode = ReadSetting(store, Keys::Line);
    switch (hint) {
    case Hint::LogRowSplit:
        ApplyWordWrap(false, true);
        m_options.coloring = ReadSetting(store, Keys::Enter);
        m_options.underlineCaretLine = true;
        break;
    case Hint::ColumnSplit:
        m_options.coloring = ReadSetting(store, Keys::Enter);
        m_options.underlineCaretLine = true;
        ApplyWordWrap(false, true);
        break;
    case Hint::LogPane:
        // The log's encoding was decoded when it was read into the pane.
        ApplyWordWrap(true, false);
        m_options.coloring = false;
        m_options.underlineCaretLine = false;
        m_options.lineNumberMode = 0;
        m_nGutterWidth = 10;
        break;
    case Hint::Unsplit:
        ApplyWordWrap(m_options.wordWrap, true);
        m_options.coloring = ReadSetting(store, Keys::Enter);
        m_options.underlineCaretLine = true;
        break;
    case Hint::Saved:
        m_pUndo->MarkSaved();
        break;
    case Hint::ReplaceAll:
        m_pUndo->OnWholeTextReplaced();
        break;
    case Hint::NewFile:
        OnInitialUpdate();
        return; // the initial update ran the common part already
    default:
        break;
    }
    if (m_context.switches.noLineNumbers)
        m_options.lineNumberMode = 0;
    LayoutGutter();
}

void COrrindaleView::LayoutGutter()
{
    // The gutter: wide enough for "  n:" of the largest line number, plus one line height.
    if (m_options.lineNumberMode == 0 || isReadOnly()) {
        m_options.lineNumberMode = 0;
        m_nGutterTextLength = 0;
        m_nGutterWidth = 10;
    } else {
        const QString text =
            GutterSizingText(m_options.lineNumberMode, GutterLineCount(), VisibleRows());
        m_nGutterTextLength = static_cast<int>(text.size());
        m_nGutterWidth = fontMetrics().horizontalAdvance(text) + LineHeight();
    }
    const int top = (m_options.calcMode && m_options.lineNumberMode == 1) ? LineHeight() : 0;
    setViewportMargins(m_nGutterWidth, top, 0, 0);
    ApplyColors();
    LayoutMargins();
    viewport()->update();
}

void COrrindaleView::OnFont()
{
    LogFont chosen = Settings().ScreenFont();
    if (m_context.prompter->ChooseFont(chosen))
        Settings().SetScreenFont(chosen);
}

void COrrindaleView::OnDeleteBackup()
{
    DeleteBackups(Files().edited.dir, *m_context.prompter, Settings().English());
}

void COrrindaleView::focusInEvent(QFocusEvent *e)
{
    QPlainTextEdit::focusInEvent(e);
    viewport()->update();
    m_pGutter->update();
    // The other pane of a split window repaints with this one.
    if (COrrindaleView *other = OtherPane(*this); other && !other->isReadOnly()) {
        other->viewport()->update();
        other->m_pGutter->update();
    }
    Q_EMIT FocusGained();
}

void COrrindaleView::focusOutEvent(QFocusEvent *e)
{
    QPlainTextEdit::focusOutEvent(e);
    viewport()->update(); // the underline goes with the focus
}

bool COrrindaleView::IsTeXDocument() const
{
    return ::IsTeXDocument(Files().edited.ext, Files().target.ext);
}

int COrrindaleView::VisibleRows() const
{
    return viewport()->height() / LineHeight();
}

void COrrindaleView::ApplyColors()
{
    QPalette p = palette();
    // Read-only text (logs, help) is black on a pale blue, whatever the colour settings say.
    const bool ro = isReadOnly();
    const ViewColors &colors = Settings().Colors();
    p.setColor(QPalette::Text, ro ? QColor(0, 0, 0) : ColorFromRef(colors.text));
    p.setColor(QPalette::Base, ro ? QColor(244, 254, 255) : ColorFromRef(colors.back));
    setPalette(p);
}

void COrrindaleView::LayoutMargins()
{
    const QRect r = contentsRect();
    const int top = viewportMargins().top();
    m_pGutter->setGeometry(r.left(), r.top() + top, m_nGutterWidth, r.height() - top);
    m_pHeader->setGeometry(r.left(), r.top(), r.width(), top);
    m_pHeader->setVisible(top > 0);
    m_pGutter->update();
    m_pHeader->update();
}

void COrrindaleView::CheckGutterDigits()
{
    // A new digit in the line count (or, numbering rows, in the row count) widens the gutter.
    if (m_options.lineNumberMode == 0 || isReadOnly())
        return;
    if (GutterSizingText(m_options.lineNumberMode, GutterLineCount(), VisibleRows()).size()
        != m_nGutterTextLength)
        m_pDoc->UpdateAllViews(Hint::Initial);
}

int COrrindaleView::GutterLineCount() const
{
    return m_nGutterLineCount > 0 ? m_nGutterLineCount : LineCount();
}

void COrrindaleView::paintEvent(QPaintEvent *e)
{
    QPlainTextEdit::paintEvent(e);
    QPainter p(viewport());
    CViewPainter(*this).PaintText(p);
    m_pCalc->PaintHighlight(p);
}

void COrrindaleView::resizeEvent(QResizeEvent *e)
{
    QPlainTextEdit::resizeEvent(e);
    LayoutMargins();
    CheckGutterDigits();
    Q_EMIT Relaid();
}

void COrrindaleView::contextMenuEvent(QContextMenuEvent *e)
{
    // Without the program's menu (switched off, or the read-me) the right click goes on to the
    // editor's own standard menu, so the switch changes the menu rather than taking it away.
    if (!ShowPopupMenu(*this, m_pRouter, e->globalPos()))
        ShowStandardEditMenu(*this, e->globalPos());
}

void COrrindaleView::mouseDoubleClickEvent(QMouseEvent *e)
{
    // The program's own word selection replaces the control's.
    if (e->button() != Qt::LeftButton) {
        QPlainTextEdit::mouseDoubleClickEvent(e);
        return;
    }
    setTextCursor(cursorForPosition(e->position().toPoint()));
    if (SelectWordAtCaret(*this))
        Q_EMIT LogLineShown();
}

void COrrindaleView::mouseReleaseEvent(QMouseEvent *e)
{
    QPlainTextEdit::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton) {
        RememberCaretX(*this);
        m_pCalc->OnLeftButtonUp();
    }
}

void COrrindaleView::keyPressEvent(QKeyEvent *e)
{
    if (const int id = AcceleratorOf(e)) {
        m_pRouter->Execute(id); // nothing when the command is disabled
        e->accept();
        return;
    }
    if (m_pCompletion->KeyPress(e)) {
        e->accept();
        return;
    }
    const bool vertical = e->key() == Qt::Key_Up || e->key() == Qt::Key_Down;
    if (vertical && !Settings().Editor().caretColumn) {
        // With the caret column switched off a vertical move starts from where the caret
        // stands, as on a plain edit control, not from a column remembered from before.
        QTextCursor c = textCursor();
        c.setVerticalMovementX(-1);
        setTextCursor(c);
    }
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && (e->modifiers() & Qt::ShiftModifier)) {
        // The text has no soft line breaks: Shift+Enter ends the line as Enter does, rather
        // than putting a line separator character into the file.
        QKeyEvent plain(e->type(), e->key(), e->modifiers() & ~Qt::ShiftModifier, e->text(),
                        e->isAutoRepeat(), e->count());
        QPlainTextEdit::keyPressEvent(&plain);
        e->setAccepted(plain.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
    if (vertical && !(e->modifiers() & Qt::ShiftModifier))
        KeepCaretColumn(*this);
}

void COrrindaleView::keyReleaseEvent(QKeyEvent *e)
{
    QPlainTextEdit::keyReleaseEvent(e);
    if (MovesCaretColumn(e->key(), e->text()))
        RememberCaretX(*this);
    m_pCalc->OnKeyUp(e->key());
    m_pEvaluator->OnKeyUp(e);
}

bool COrrindaleView::event(QEvent *e)
{
    // The window's accelerators come before the editor's own keys, as they do on the platform
    // the program comes from. The editor claims such a key and runs the command itself (see
    // keyPressEvent), so that it works even while the window system has not handed activation
    // back after a dialog, and a key of a disabled command does nothing rather than falling
    // through to the editor's own binding (Ctrl+K would delete to the line's end).
    if (e->type() == QEvent::ShortcutOverride && AcceleratorOf(static_cast<QKeyEvent *>(e))) {
        e->accept();
        return true;
    }
    return QPlainTextEdit::event(e);
}

int COrrindaleView::AcceleratorOf(const QKeyEvent *e) const
{
    return m_pRouter ? m_accelerators.value(e->keyCombination().toCombined()) : 0;
}
