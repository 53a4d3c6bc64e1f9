// The command list: merging a generated 1 MB TeX document into a 5 000-entry list (target:
// under 2 s) and opening the completion popup for the prefix "s" on a 10 000-entry list
// (target: under 30 ms from the key to the shown list). Figures are printed, not judged.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_input

#include "BenchContext.h"
#include "app/SettingsStore.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleView.h"
#include "input/CommandList.h"
#include "input/ui/CompletionController.h"
#include "input/ui/CompletionPopup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
// count distinct command names; one in five begins with "s", as section-like names abound.
QStringList CommandNames(int count, QRandomGenerator &random)
{
    static const char *syllables[] = {"sec", "tion", "be",  "gin",  "math", "rm",  "bf",  "text",
                                      "al",  "pha",  "ver", "bat",  "im",   "par", "box", "skip",
                                      "ref", "la",   "bel", "cite", "frac", "sum", "int", "lim"};
    QStringList names;
    QSet<QString> seen;
    while (names.size() < count) {
        QString name;
        const int letter = random.bounded(5) == 0 ? 's' - 'a' : random.bounded(26);
        name += QChar::fromLatin1(char((random.bounded(4) == 0 ? 'A' : 'a') + letter));
        const int parts = 1 + random.bounded(4);
        for (int i = 0; i < parts; ++i)
            name += QString::fromLatin1(syllables[random.bounded(int(std::size(syllables)))]);
        if (!seen.contains(name)) {
            seen.insert(name);
            names << name;
        }
    }
    return names;
}

QString ListFile(const QStringList &names, QRandomGenerator &random)
{
    QString lines;
    for (const QString &name : names)
        lines += QLatin1Char('\n') + name + QLatin1Char('\t')
                 + QString::number(1 + random.bounded(5000));
    return StandardDescription(false) + CommandListMarker(false)
           + MergeCommandCounts(lines, QString());
}

QString Document(const QStringList &names, int bytes, QRandomGenerator &random)
{
    QString doc = QStringLiteral("\\documentclass{jarticle}\n\\usepackage{amsmath}\n"
                                 "\\begin{document}\n");
    while (doc.toUtf8().size() < bytes) {
        for (int i = 0; i < 200; ++i) {
            doc += QStringLiteral("本文の段落では、数式 $\\alpha_i + \\beta^2$ や ");
            doc += QLatin1Char('\\') + names.at(random.bounded(int(names.size())))
                   + QStringLiteral("{引数} を使い、% 注釈\n\\section{見出し}\\label{s:")
                   + QString::number(i) + QStringLiteral("}\n");
        }
    }
    return doc + QStringLiteral("\\end{document}\n");
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("VELLOQUIN_CONFIG_DIR", dir.path().toLocal8Bit());
    QRandomGenerator random(20250101);
    QTextStream out(stdout);

    // Merge.
    const QStringList names = CommandNames(10000, random);
    const QString list5000 = ListFile(names.mid(0, 5000), random);
    const QString doc = Document(names, 1024 * 1024, random);
    QElapsedTimer clock;
    clock.start();
    const QString merged = MakeCommandListText(list5000, doc, false);
    const qint64 mergeMs = clock.elapsed();
    out << "merge: " << doc.toUtf8().size() << " bytes into " << list5000.count(QLatin1Char('\t'))
        << " tab-lines -> " << merged.size() << " characters in " << mergeMs
        << " ms (target < 2000 ms)\n";

    // Popup.
    const QString listPath = dir.filePath(QStringLiteral("input_tex.mme"));
    QFile file(listPath);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(ListFile(names, random).toUtf8());
    file.close();
    const QString texPath = dir.filePath(QStringLiteral("doc.tex"));
    QFile tex(texPath);
    if (!tex.open(QIODevice::WriteOnly))
        return 1;
    tex.write("\\documentclass{jarticle}\n\\begin{document}\n\n\\end{document}\n");
    tex.close();

    std::unique_ptr<SettingsStore> store = SettingsStore::OpenDefault();
    BenchContext bench(*store);
    CMainFrame frame(bench.context);
    if (!frame.OpenDocumentFile(texPath))
        return 1;
    frame.resize(900, 700);
    frame.show();
    COrrindaleView *view = frame.GetActiveView();
    bench.settings.SetCommandList(listPath);
    QTextCursor c = view->textCursor();
    c.setPosition(42);
    view->setTextCursor(c);
    qint64 first = 0;
    qint64 total = 0;
    qint64 worst = 0;
    int shown = 0;
    const int runs = 30;
    for (int i = 0; i < runs; ++i) {
        QKeyEvent slash(QEvent::KeyPress, Qt::Key_Backslash, Qt::NoModifier, QStringLiteral("\\"));
        QApplication::sendEvent(view, &slash);
        QKeyEvent s(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, QStringLiteral("s"));
        clock.start();
        QApplication::sendEvent(view, &s);
        QApplication::processEvents();
        const qint64 ns = clock.nsecsElapsed();
        // The first opening also makes the list's window; later ones reuse it.
        if (i == 0) {
            first = ns;
        } else {
            total += ns;
            worst = std::max(worst, ns);
        }
        if (CCompletionPopup *popup = view->Completion()->Popup())
            shown = popup->count();
        view->Completion()->OnTeXInput(); // Esc closes the list
        QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(view, &back);
        QApplication::sendEvent(view, &back);
    }
    out << "popup: prefix \"s\" on " << names.size() << " entries offers " << shown
        << " names; first " << double(first) / 1e6 << " ms, then mean "
        << double(total) / (runs - 1) / 1e6 << " ms, worst " << double(worst) / 1e6
        << " ms (target < 30 ms)\n";
    return 0;
}
