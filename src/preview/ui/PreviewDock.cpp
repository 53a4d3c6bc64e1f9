#include "preview/ui/PreviewDock.h"

#include "preview/ui/PdfRenderer.h"
#include "preview/ui/PreviewView.h"
#include "res/Messages.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// A PDF is read once it has been left alone this long: dvipdfmx writes it in pieces.
constexpr int kSettleMs = 150;
constexpr int kPercents[] = {50, 75, 100, 125, 150, 200, 400};
} // namespace

CPreviewDock::CPreviewDock(bool english, QWidget *parent)
    : QDockWidget(parent)
    , m_bEnglish(english)
    , m_pRenderer(new CPdfRenderer(this))
{
    setObjectName(QStringLiteral("PdfPreview"));
    setWindowTitle(Text(Msg::PreviewTitle));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    auto *body = new QWidget(this);
    auto *column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto *bar = new QHBoxLayout;
    const auto button = [&](QStyle::StandardPixmap icon, Msg tip, int step) {
        auto *b = new QToolButton(body);
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(Text(tip));
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this,
                [this, step] { m_pView->GoToPage(m_pView->CurrentPage() + step); });
        bar->addWidget(b);
    };
    button(QStyle::SP_ArrowUp, Msg::PreviewPreviousPage, -1);
    button(QStyle::SP_ArrowDown, Msg::PreviewNextPage, 1);
    m_pPage = new QLabel(body);
    bar->addWidget(m_pPage);
    bar->addStretch();
    m_pZoom = new QComboBox(body);
    m_pZoom->setEditable(true);
    m_pZoom->setInsertPolicy(QComboBox::NoInsert);
    m_pZoom->addItem(Text(Msg::PreviewFitWidth));
    m_pZoom->addItem(Text(Msg::PreviewFitPage));
    for (int p : kPercents)
        m_pZoom->addItem(QStringLiteral("%1%").arg(p));
    bar->addWidget(m_pZoom);
    column->addLayout(bar);
    m_pNote = new QLabel(body);
    m_pNote->setWordWrap(true);
    m_pNote->hide();
    column->addWidget(m_pNote);
    m_pView = new CPreviewView(*m_pRenderer, body);
    column->addWidget(m_pView, 1);
    setWidget(body);

    connect(m_pZoom, &QComboBox::activated, this, &CPreviewDock::ChooseZoom);
    connect(m_pZoom->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        bool ok = false;
        const int percent = m_pZoom->currentText().remove(QLatin1Char('%')).trimmed().toInt(&ok);
        if (ok && percent > 0)
            m_pView->SetZoom({PreviewZoom::Percent, percent});
    });
    connect(m_pView, &CPreviewView::PageChanged, this, &CPreviewDock::UpdatePageLabel);
    connect(m_pView, &CPreviewView::ZoomChanged, this, &CPreviewDock::UpdateZoomText);
    connect(m_pView, &CPreviewView::InverseRequested, this, &CPreviewDock::Inverse);
    connect(m_pRenderer, &CPdfRenderer::Loaded, this, [this](int load, const QList<QSizeF> &sizes) {
        m_pView->SetPages(load, sizes);
        SetNote(QString());
        if (m_nPendingPage >= 0)
            m_pView->ShowPlace(m_nPendingPage, m_pendingBox);
        m_nPendingPage = -1;
        Q_EMIT PdfLoaded();
    });
    connect(m_pRenderer, &CPdfRenderer::LoadFailed, this, [this](const QString &path) {
        // Read again when the writer is done with it; until then the old pages stay.
        m_nLoadedSize = -1;
        m_pView->AskAgain();
        SetNote(Text(Msg::PreviewBrokenPdf).arg(QDir::toNativeSeparators(path)));
        Q_EMIT PdfFailed();
    });

    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] { Reload(); });
    // Another program (or a compile from a script) rewrote the PDF.
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { m_settle.start(); });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_settle.start(); });
}

CPreviewDock::~CPreviewDock() = default;

QString CPreviewDock::Text(Msg id) const
{
    return MsgText(id, m_bEnglish);
}

void CPreviewDock::setVisible(bool visible)
{
    const bool was = IsOn();
    QDockWidget::setVisible(visible);
    if (visible && !was)
        Reload(true);
}

void CPreviewDock::SetPdfPath(const QString &path)
{
    if (path == m_strPdf)
        return;
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_strPdf = path;
    m_nLoadedSize = -1;
    m_syncTeX.Close();
    m_bSyncTeXRead = false;
    if (!path.isEmpty())
        m_watcher.addPath(QFileInfo(path).absolutePath());
    if (IsOn())
        Reload(true);
}

void CPreviewDock::Reload(bool force)
{
    if (!IsOn() || m_strPdf.isEmpty())
        return;
    const QFileInfo pdf(m_strPdf);
    if (!pdf.exists()) {
        SetNote(Text(Msg::PreviewNoPdf).arg(QDir::toNativeSeparators(m_strPdf)));
        return;
    }
    // The watcher loses a file that was replaced; keep watching the name.
    if (!m_watcher.files().contains(m_strPdf))
        m_watcher.addPath(m_strPdf);
    if (!force && pdf.size() == m_nLoadedSize && pdf.lastModified() == m_loadedTime)
        return;
    m_nLoadedSize = pdf.size();
    m_loadedTime = pdf.lastModified();
    m_syncTeX.Close();
    m_bSyncTeXRead = false;
    m_pRenderer->Load(m_strPdf);
}

bool CPreviewDock::OpenSyncTeX()
{
    if (!m_bSyncTeXRead) {
        m_bSyncTeXRead = true;
        switch (m_syncTeX.Open(m_strPdf)) {
        case CSyncTeX::State::Ready:
            break;
        case CSyncTeX::State::Missing:
            SetNote(Text(Msg::PreviewNoSyncTeX));
            break;
        case CSyncTeX::State::Stale:
            SetNote(Text(Msg::PreviewStaleSyncTeX));
            break;
        }
    }
    return m_syncTeX.IsOpen();
}

bool CPreviewDock::ForwardSearch(const QString &source, int line)
{
    if (!OpenSyncTeX())
        return false;
    const CSyncTeX::Place place = m_syncTeX.Forward(source, line);
    if (place.page < 0) {
        SetNote(Text(Msg::PreviewNoPlace).arg(line));
        return false;
    }
    if (place.page < m_pView->PageCount()) {
        m_pView->ShowPlace(place.page, place.box);
    } else {
        m_nPendingPage = place.page;
        m_pendingBox = place.box;
    }
    SetNote(QString());
    return true;
}

void CPreviewDock::Inverse(int page, QPointF point)
{
    if (!OpenSyncTeX())
        return;
    const CSyncTeX::SourceLine found = m_syncTeX.Inverse(page, point);
    if (found.line > 0)
        Q_EMIT SourceRequested(found.path, found.line);
}

QString CPreviewDock::Note() const
{
    return m_pNote->isHidden() ? QString() : m_pNote->text();
}

void CPreviewDock::SetNote(const QString &text)
{
    m_pNote->setText(text);
    m_pNote->setVisible(!text.isEmpty());
}

void CPreviewDock::UpdatePageLabel(int page, int count)
{
    m_pPage->setText(Text(Msg::PreviewPageOf).arg(page + 1).arg(count));
}

void CPreviewDock::UpdateZoomText(double scale)
{
    const PreviewZoom zoom = m_pView->Zoom();
    if (zoom.mode == PreviewZoom::Percent)
        m_pZoom->setEditText(QStringLiteral("%1%").arg(qRound(scale * 100)));
    else
        m_pZoom->setCurrentIndex(zoom.mode == PreviewZoom::FitWidth ? 0 : 1);
}

void CPreviewDock::ChooseZoom(int index)
{
    if (index == 0)
        m_pView->SetZoom({PreviewZoom::FitWidth, 100});
    else if (index == 1)
        m_pView->SetZoom({PreviewZoom::FitPage, 100});
    else if (index - 2 < int(std::size(kPercents)))
        m_pView->SetZoom({PreviewZoom::Percent, kPercents[index - 2]});
}
