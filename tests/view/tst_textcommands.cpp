#include "view/TextCommands.h"

#include <QTest>

class TestTextCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void uncomment_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("result");
        QTest::newRow("pairs go") << "%%a\n%%b" << "a\nb";
        QTest::newRow("a pair then a single") << "%%%a" << "%a";
        QTest::newRow("a single stays") << "50% a" << "50% a";
    }
    void uncomment()
    {
        QFETCH(QString, selected);
        QFETCH(QString, result);
        QCOMPARE(UncommentedSelection(selected), result);
    }

    void commentLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::newRow("first and last lines")
            << "%first\nkeep\n%last" << "keep";
        QTest::newRow("indented comments stay") << "a\n  %b\n\t%c\nd" << "a\n  %b\n\t%c\nd";
        QTest::newRow("consecutive comments") << "a\n%1\n%2\n%3\nb" << "a\nb";
        QTest::newRow("only comments") << "%a\n%b\n%c" << "";
        QTest::newRow("comment with its final break") << "%a\n" << "";
        QTest::newRow("text ends with a break") << "a\n%b\n" << "a\n";
        QTest::newRow("empty lines stay") << "a\n\n%b\n\nc" << "a\n\n\nc";
        QTest::newRow("first line empty, then a comment") << "\n%x\ny" << "\ny";
    }
    void commentLines()
    {
        QFETCH(QString, text);
        QFETCH(QString, result);
        QCOMPARE(WithoutCommentLines(text), result);
    }

    void templates_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("lineAtCaret"); // the rest of the line from the caret
        QTest::addColumn<QString>("before");      // the line before the caret's line
        QTest::addColumn<QString>("lastLine");
        QTest::addColumn<int>("lines");
        const auto row = [](const char *name, EnvTemplate w, bool en, const char *at,
                            const char *before, const char *last, int lines) {
            QTest::newRow(name) << int(w) << en << QString::fromUtf8(at)
                << QString::fromUtf8(before)
                                << QString::fromUtf8(last) << lines;
        };
        row("eqnarray*", EnvTemplate::EqnarrayStar, true, "", "\\begin{eqnarray*}",
            "\\end{eqnarray*}", 5);
        row("eqnarray", EnvTemplate::Eqnarray, true, "", "\\begin{eqnarray}", "\\end{eqnarray}",
            5);
        row("equation", EnvTemplate::Equation, true, "", "\\begin{equation}", "\\end{equation}",
            3);
        row("enumerate", EnvTemplate::Enumerate, true, "", "\\item ", "\\end{enumerate}", 6);
        row("itemize", EnvTemplate::Itemize, true, "", "\\item ", "\\end{itemize}", 6);
        row("array", EnvTemplate::Array, true, " & ", "\\begin{array}{cc}", "\\end{array}", 5);
        row("tabular", EnvTemplate::Tabular, true, " & ", "\\begin{tabular}{cc}",
            "\\end{tabular}", 5);
        row("center", EnvTemplate::Center, true, "", "\\begin{center}", "\\end{center}", 3);
        row("flushright", EnvTemplate::Flushright, false, "", "\\begin{flushright}",
            "\\end{flushright}", 3);
        row("flushleft", EnvTemplate::Flushleft, false, "", "\\begin{flushleft}",
            "\\end{flushleft}", 3);
    }
    void templates()
    {
        QFETCH(int, which);
        QFETCH(bool, english);
        QFETCH(QString, lineAtCaret);
        QFETCH(QString, before);
        QFETCH(QString, lastLine);
        QFETCH(int, lines);
        const TemplateText t = EnvironmentTemplate(EnvTemplate(which), english);
        QVERIFY(t.text.endsWith(lastLine + QLatin1Char('\n')));
        QCOMPARE(t.text.count(QLatin1Char('\n')), lines);
        const QString rest = t.text.mid(t.caretOffset);
        QCOMPARE(rest.left(rest.indexOf(QLatin1Char('\n'))), lineAtCaret);
        // The caret stands at the start of its line, right behind the line named.
        QCOMPARE(t.text.at(t.caretOffset - 1), QLatin1Char('\n'));
        const QString head = t.text.left(t.caretOffset - 1);
        QCOMPARE(head.mid(head.lastIndexOf(QLatin1Char('\n')) + 1), before);
    }

    void documentTemplates_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("beforeCaret");
        QTest::addColumn<int>("lines");
        QTest::newRow("Japanese") << false
            << QString::fromUtf8("\\documentclass[a4j]{jarticle} % 基本はこれ, 10pt 文字")
                                  << "\\documentclass[a4j" << 18;
        QTest::newRow("English") << true << "\\documentclass{article} % 10pt "
            << "\\documentclass{art"
                                 << 17;
    }
    void documentTemplates()
    {
        QFETCH(bool, english);
        QFETCH(QString, firstLine);
        QFETCH(QString, beforeCaret);
        QFETCH(int, lines);
        const TemplateText t = EnvironmentTemplate(EnvTemplate::Document, english);
        QCOMPARE(t.text.section(QLatin1Char('\n'), 0, 0), firstLine);
        QCOMPARE(t.text.left(t.caretOffset), beforeCaret);
        QCOMPARE(t.text.count(QLatin1Char('\n')), lines);
        const QString end = QStringLiteral("\\maketitle\n\\section{\n}\n\n\n\\end{document}\n");
        QVERIFY(t.text.endsWith(end));
    }

};

QTEST_GUILESS_MAIN(TestTextCommands)
#include "tst_textcommands.moc"
