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

    // Every environment opens and closes the same name and leaves the caret at the start of a
    // line inside it; the document skeleton leaves it in the class of its first line.
    void templatesAreWellFormed_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("english");
        const char *names[] = {"eqnarray*", "eqnarray", "equation", "enumerate", "itemize",
                               "array", "tabular", "center", "flushright", "flushleft",
                               "document"};
        for (int w = 0; w <= int(EnvTemplate::Document); ++w)
            for (bool english : {false, true})
                QTest::addRow("%s, %s", names[w], english ? "en" : "ja") << w << english;
    }
    void templatesAreWellFormed()
    {
        QFETCH(int, which);
        QFETCH(bool, english);
        const TemplateText t = EnvironmentTemplate(EnvTemplate(which), english);
        QVERIFY(t.text.endsWith(QLatin1Char('\n')));
        QVERIFY(t.caretOffset > 0 && t.caretOffset < t.text.size());
        const QStringList lines = t.text.chopped(1).split(QLatin1Char('\n'));
        const qsizetype caretLine = t.text.left(t.caretOffset).count(QLatin1Char('\n'));
        if (EnvTemplate(which) == EnvTemplate::Document) {
            QCOMPARE(caretLine, 0);
            QVERIFY(lines.first().startsWith(QLatin1String("\\documentclass")));
            QVERIFY(lines.contains(QLatin1String("\\begin{document}")));
            QCOMPARE(lines.last(), QLatin1String("\\end{document}"));
            return;
        }
        QCOMPARE(t.text.at(t.caretOffset - 1), QLatin1Char('\n'));
        const QString name = lines.first().section(QLatin1Char('{'), 1, 1).section(
            QLatin1Char('}'), 0, 0);
        QVERIFY(lines.first().startsWith(QStringLiteral("\\begin{%1}").arg(name)));
        QCOMPARE(lines.last(), QStringLiteral("\\end{%1}").arg(name));
        QVERIFY(caretLine > 0 && caretLine < lines.size() - 1);
    }
};

QTEST_GUILESS_MAIN(TestTextCommands)
#include "tst_textcommands.moc"
