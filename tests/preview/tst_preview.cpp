// The PDF preview with the TeX installed here: SyncTeX from a heading's line to its page and
// back, and a PDF that cannot be read leaving the last good pages on show.

#include "support/Columns.h"
#include "preview/SyncTeX.h"
#include "preview/ui/PreviewDock.h"
#include "preview/ui/PreviewView.h"
#include "res/Messages.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <poppler-qt6.h>

namespace {
bool Run(const QString &dir, const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(QStandardPaths::findExecutable(program), arguments);
    return p.waitForFinished(120000) && p.exitCode() == 0;
}

// The 1-based line of the source that holds \section{heading}.
int LineOf(const QString &source, const QString &heading)
{
    const QStringList lines = QString::fromUtf8(ReadBytes(source)).split(u'\n');
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].contains("section{" + heading + "}"))
            return i + 1;
    return 0;
}

// Whether the pane read its PDF after action (it shows the dock or reloads).
bool Reads(CPreviewDock &dock, const std::function<void()> &action)
{
    QSignalSpy loaded(&dock, &CPreviewDock::PdfLoaded), failed(&dock, &CPreviewDock::PdfFailed);
    action();
    return QTest::qWaitFor([&] { return loaded.size() + failed.size() > 0; }, 10000) && failed.isEmpty();
}
} // namespace

class TestPreview : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    // A name TeX reads only as one argument, with a heading on each of three pages.
    const QString m_awkward = QString::fromUtf8("論文 第2版");

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *tool : {"platex", "dvipdfmx"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP("TeX Live's platex and dvipdfmx are not installed");
        QFile::copy(VELLOQUIN_SOURCE_DIR "/examples/sample.tex", m_dir.filePath("sample.tex"));
        WriteBytes(m_dir.filePath(m_awkward + ".tex"),
                   "\\documentclass{jsarticle}\n\\begin{document}\n\\section{一章}\n本文．\n\\newpage\n"
                   "\\section{二章}\n本文．\n\\newpage\n本文．\n\n\\section{三章}\n本文．\n\\end{document}\n");
        for (const QString &base : {QStringLiteral("sample"), m_awkward}) {
            QVERIFY(Run(m_dir.path(), "platex", {"-synctex=1", "-interaction=nonstopmode", base + ".tex"}));
            QVERIFY(Run(m_dir.path(), "dvipdfmx", {base}));
        }
    }

    void bothWays_data()
    {
        Columns<QString, QString>({"base", "heading"});
        QTest::newRow("sample, first section") << "sample" << "はじめに";
        QTest::newRow("sample, last section") << "sample" << "おわりに";
        QTest::newRow("awkward name, page 1") << m_awkward << "一章";
        QTest::newRow("awkward name, page 2") << m_awkward << "二章";
        QTest::newRow("awkward name, page 3") << m_awkward << "三章";
    }
    // Forward lands on the page whose text holds the heading; inverse from the place marked
    // comes back to the heading's line.
    void bothWays()
    {
        QFETCH(QString, base);
        QFETCH(QString, heading);
        const QString source = m_dir.filePath(base + ".tex");
        const QString pdf = m_dir.filePath(base + ".pdf");
        const int line = LineOf(source, heading);
        QVERIFY(line > 0);
        CSyncTeX syncTeX;
        QCOMPARE(syncTeX.Open(pdf), CSyncTeX::State::Ready);
        const CSyncTeX::Place place = syncTeX.Forward(source, line);
        const std::unique_ptr<Poppler::Document> document = Poppler::Document::load(pdf);
        QVERIFY(document);
        QVERIFY2(place.page >= 0 && place.page < document->numPages(), qPrintable(QString::number(place.page)));
        const QString text = document->page(place.page)->text(QRectF()).remove(QRegularExpression("\\s"));
        QVERIFY2(text.contains(heading), qPrintable(text.left(200)));
        QVERIFY(!place.box.isEmpty());
        const CSyncTeX::SourceLine back = syncTeX.Inverse(place.page, place.box.center());
        QCOMPARE(QFileInfo(back.path), QFileInfo(source));
        QVERIFY2(qAbs(back.line - line) <= 1, qPrintable(QString::number(back.line)));
    }

    void badPdfKeepsThePages_data()
    {
        // bytes: what is left of the good PDF (-1: no file at all); note: the message shown
        Columns<int, int>({"bytes", "note"});
        QTest::newRow("no PDF") << -1 << int(Msg::PreviewNoPdf);
        QTest::newRow("empty, just opened by the writer") << 0 << int(Msg::PreviewBrokenPdf);
        QTest::newRow("half written") << 1 << int(Msg::PreviewBrokenPdf);
        QTest::newRow("not a PDF") << 2 << int(Msg::PreviewBrokenPdf);
    }
    void badPdfKeepsThePages()
    {
        QFETCH(int, bytes);
        QFETCH(int, note);
        const QString good = m_dir.filePath(m_awkward + ".pdf");
        const QString pdf = m_dir.filePath("shown.pdf");
        QFile::remove(pdf);
        QVERIFY(QFile::copy(good, pdf));
        CPreviewDock dock(true);
        dock.resize(400, 600);
        dock.SetPdfPath(pdf);
        QVERIFY(Reads(dock, [&] { dock.show(); }));
        QCOMPARE(dock.View()->PageCount(), 3);
        QVERIFY(dock.Note().isEmpty());
        const QByteArray whole = ReadBytes(good);
        QFile::remove(pdf);
        if (bytes >= 0)
            WriteBytes(pdf, bytes == 0 ? QByteArray() : bytes == 1 ? whole.left(whole.size() / 2) : "%PDF-1.5\nno objects\n");
        const auto reload = [&] { dock.Reload(true); };
        if (bytes < 0)
            reload();
        else
            QVERIFY(!Reads(dock, reload));
        QCOMPARE(dock.Note(), MsgText(Msg(note), true).arg(QDir::toNativeSeparators(pdf)));
        QCOMPARE(dock.View()->PageCount(), 3);
        // The whole file again: the pane reads it and the note goes.
        QFile::remove(pdf);
        QVERIFY(QFile::copy(good, pdf));
        QVERIFY(Reads(dock, reload));
        QVERIFY(dock.Note().isEmpty());
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
