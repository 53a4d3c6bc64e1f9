#include "preview/SyncTeX.h"

#include "app/TextFile.h"

#include <QDir>
#include <QFileInfo>

#include <synctex_parser.h>

struct CSyncTeX::Scanner {
    synctex_scanner_p p;
};

CSyncTeX::CSyncTeX() = default;

CSyncTeX::~CSyncTeX()
{
    Close();
}

void CSyncTeX::Close()
{
    if (m_scanner) {
        synctex_scanner_free(m_scanner->p);
        delete m_scanner;
        m_scanner = nullptr;
    }
    m_inputs.clear();
}

QString CSyncTeX::FileOfName(const QByteArray &name) const
{
    // pTeX records a name in its own internal code, which is not always UTF-8: the decoding
    // that names an existing file is the one.
    for (const char *encoding : {"UTF-8", "EUC-JP", "windows-31j"}) {
        const QString text = DecodeText(name, QLatin1String(encoding));
        if (text.isNull())
            continue;
        const QFileInfo file(QDir(m_strPdfDir).absoluteFilePath(text));
        if (file.exists())
            return file.canonicalFilePath();
    }
    return QString();
}

CSyncTeX::State CSyncTeX::Open(const QString &pdfPath)
{
    Close();
    const QFileInfo pdf(pdfPath);
    m_strPdfDir = pdf.absolutePath();
    const QFileInfo data(m_strPdfDir + QLatin1Char('/') + pdf.completeBaseName()
                         + QStringLiteral(".synctex.gz"));
    if (!data.exists())
        return State::Missing;
    synctex_scanner_p p = synctex_scanner_new_with_output_file(
        QFile::encodeName(pdf.absoluteFilePath()).constData(), nullptr, 1);
    if (!p)
        return State::Missing;
    m_scanner = new Scanner{p};
    for (synctex_node_p input = synctex_scanner_input(p); input;
         input = synctex_node_sibling(input)) {
        const char *name = synctex_scanner_get_name(p, synctex_node_tag(input));
        if (name)
            m_inputs.append({FileOfName(name), QByteArray(name)});
    }
    // TeX writes the data when it ends, dvipdfmx the PDF after it: data older than the PDF by
    // more than a compile belongs to an earlier run.
    return data.lastModified().secsTo(pdf.lastModified()) > 60 ? State::Stale : State::Ready;
}

CSyncTeX::Place CSyncTeX::Forward(const QString &sourcePath, int line) const
{
    Place place;
    if (!m_scanner || line < 1)
        return place;
    const QString source = QFileInfo(sourcePath).canonicalFilePath();
    for (const auto &[file, name] : m_inputs) {
        if (file.isEmpty() || file != source
            || synctex_display_query(m_scanner->p, name.constData(), line, 0, -1) <= 0)
            continue;
        synctex_node_p node = synctex_scanner_next_result(m_scanner->p);
        if (!node)
            continue;
        place.page = synctex_node_page(node) - 1;
        const float h = synctex_node_box_visible_h(node);
        const float v = synctex_node_box_visible_v(node);
        const float height = synctex_node_box_visible_height(node);
        const float depth = synctex_node_box_visible_depth(node);
        place.box = QRectF(h, v - height, synctex_node_box_visible_width(node), height + depth);
        return place;
    }
    return place;
}

CSyncTeX::SourceLine CSyncTeX::Inverse(int page, QPointF point) const
{
    SourceLine found;
    if (!m_scanner || page < 0)
        return found;
    if (synctex_edit_query(m_scanner->p, page + 1, float(point.x()), float(point.y())) <= 0)
        return found;
    synctex_node_p node = synctex_scanner_next_result(m_scanner->p);
    if (!node)
        return found;
    const char *name = synctex_node_get_name(node);
    if (!name)
        return found;
    found.path = FileOfName(name);
    found.line = found.path.isEmpty() ? 0 : synctex_node_line(node);
    return found;
}
