#include "support/EditorFixture.h"
#include "app/ui/COrrindaleDoc.h"
#include "res/Messages.h"

#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QUrl>

namespace {
using Editor = EditorFixture;
} // namespace

class TestTextCommandsView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addComment_data()
    {
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selEnd");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        QTest::newRow("caret inside a line") << 6 << 6 << "one\n%%two\nthree\n" << 8;
        QTest::newRow("three whole lines") << 0 << 14 << "%%one\n%%two\n%%three\n%%" << 22;
    }
    void addComment()
    {
        QFETCH(int, selStart);
        QFETCH(int, selEnd);
        QFETCH(QString, after);
        QFETCH(int, caret);
        Editor e("one\ntwo\nthree\n");
        e.Select(selStart, selEnd);
        QVERIFY(e.State(Cmd::AddComment).enabled);
        QVERIFY(e.Run(Cmd::AddComment));
        QCOMPARE(e.Text(), after);
        QCOMPARE(e.view->textCursor().position(), caret);
        QCOMPARE(e.History().CurrentIndex(), 1);
    }

    // Without a selection the marks go where the caret's row begins, which in a wrapped long
    // line is inside the line.
    void addCommentOnAWrappedRow()
    {
        const QString line = QStringLiteral("word ").repeated(200);
        Editor e(("first\n" + line + "\n").toUtf8(), false, true);
        const QTextBlock block = e.view->document()->findBlockByNumber(1);
        QVERIFY(block.layout()->lineCount() > 2);
        const int rowStart = block.position() + block.layout()->lineAt(1).textStart();
        const int caret = rowStart + 3;
        e.Select(caret, caret);
        QVERIFY(e.Run(Cmd::AddComment));
        QString expected = QStringLiteral("first\n") + line + QLatin1Char('\n');
        expected.insert(rowStart, QStringLiteral("%%"));
        QCOMPARE(e.Text(), expected);
        QCOMPARE(e.view->textCursor().position(), caret + 2);
    }

    void removeAllCommentLines_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("after");
        QTest::newRow("Japanese, OK") << false << true << "keep\n  %indented";
        QTest::newRow("English, OK") << true << true << "keep\n  %indented";
        QTest::newRow("Cancel") << false << false << "%first\nkeep\n%c\n  %indented\n%last";
    }
    void removeAllCommentLines()
    {
        QFETCH(bool, english);
        QFETCH(bool, ok);
        QFETCH(QString, after);
        const QByteArray text = "%first\nkeep\n%c\n  %indented\n%last";
        Editor e(text, english);
        e.f.prompter.answers << (ok ? MsgAnswer::Ok : MsgAnswer::Cancel);
        QVERIFY(e.Run(Cmd::RemoveAllCommentLines));
        const QString question = english
            ? QStringLiteral("Remove all comment lines (lines starting %)")
            : QString::fromUtf8("コメント行（% で始まる行）を全て削除します。");
        QCOMPARE(e.f.prompter.Texts(), QStringList{question});
        QCOMPARE(e.f.prompter.messages.first().buttons, MsgButtons::OkCancel);
        QCOMPARE(e.Text(), after);
        QCOMPARE(e.History().CurrentIndex(), ok ? 1 : 0);
        QCOMPARE(e.view->m_bRecordUndo, 1);
        if (ok) {
            QVERIFY(e.Run(Cmd::Undo));
            QCOMPARE(e.Text(), QString::fromUtf8(text));
        }
    }

    void templatesReplaceTheSelection_data()
    {
        QTest::addColumn<int>("cmd");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("caretLine");
        QTest::addColumn<QString>("lineBefore");
        QTest::newRow("itemize") << int(Cmd::EnvItemize) << false << "" << "\\item ";
        QTest::newRow("document, Japanese")
            << int(Cmd::EnvDocument) << false
            << QString::fromUtf8("\\documentclass[a4j]{jarticle} % 基本はこれ, 10pt 文字") << "A";
    }
    void templatesReplaceTheSelection()
    {
        QFETCH(int, cmd);
        QFETCH(bool, english);
        QFETCH(QString, caretLine);
        QFETCH(QString, lineBefore);
        Editor e("A\nold text\nZ\n", english);
        e.Select(2, 10);
        QVERIFY(e.Run(Cmd(cmd)));
        QVERIFY(!e.Text().contains(QStringLiteral("old")));
        QVERIFY(e.Text().startsWith(QStringLiteral("A\n")));
        QVERIFY(e.Text().endsWith(QStringLiteral("}\n\nZ\n")));
        const QTextCursor c = e.view->textCursor();
        QVERIFY(!c.hasSelection());
        QCOMPARE(c.block().text(), caretLine);
        QCOMPARE(c.block().previous().text(), lineBefore);
        if (cmd == int(Cmd::EnvDocument))
            QCOMPARE(c.positionInBlock(), 18);
        else
            QCOMPARE(c.positionInBlock(), 0);
        QCOMPARE(e.History().CurrentIndex(), 1);
    }

    void webSearch_data()
    {
        QTest::addColumn<QList<bool>>("results"); // open, firefox, other browser
        QTest::addColumn<int>("calls");
        QTest::addColumn<bool>("message");
        QTest::newRow("the associated program") << QList<bool>{true} << 1 << false;
        QTest::newRow("firefox") << QList<bool>{false, true} << 2 << false;
        QTest::newRow("another browser") << QList<bool>{false, false, true} << 3 << false;
        QTest::newRow("nothing starts") << QList<bool>{false, false, false} << 3 << true;
    }
    void webSearch()
    {
        QFETCH(QList<bool>, results);
        QFETCH(int, calls);
        QFETCH(bool, message);
        Editor e("find c++ tables & more");
        QVERIFY(!e.State(Cmd::WebSearch).enabled);
        e.Select(5, 22);
        QVERIFY(e.State(Cmd::WebSearch).enabled);
        for (bool r : results)
            e.f.launcher.startResults << r;
        QVERIFY(e.Run(Cmd::WebSearch));
        QCOMPARE(e.f.launcher.calls.size(), calls);
        const QString url = e.f.launcher.calls.first().program;
        QCOMPARE(QUrl(url).path(), QStringLiteral("/search"));
        QCOMPARE(QUrl::fromPercentEncoding(QUrl(url).query(QUrl::FullyEncoded).mid(2).toLatin1()),
                 QStringLiteral("c++ tables & more"));
        if (calls > 1) {
            QCOMPARE(e.f.launcher.calls.at(1).program, QStringLiteral("firefox"));
            QCOMPARE(e.f.launcher.calls.at(1).arguments, QStringList{url});
        }
        QCOMPARE(e.f.prompter.messages.size(), message ? 1 : 0);
        if (message)
            QCOMPARE(e.f.prompter.Texts().first(), MsgText(Msg::WebSearchFailed, false).arg(url));
    }

    void tabStops_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("after");
        QTest::addColumn<int>("stored"); // 0: nothing written
        const QString to4 = QString::fromUtf8("タブ幅を現在の 8 文字（既定）から\n 4 文字（半角）に設定します。");
        const QString to8 = QString::fromUtf8("タブ幅を現在の 4 文字から\n 既定の 8 文字（半角）に戻します。");
        QTest::newRow("8 to 4") << 8 << false << true << to4 << 4 << 4;
        QTest::newRow("8, cancelled") << 8 << false << false << to4 << 8 << 0;
        QTest::newRow("4 back to 8") << 4 << false << true << to8 << 8 << 8;
        QTest::newRow("English, 8 to 4")
            << 8 << true << true << "Change Tab Stops from 8 (default) to 4." << 4 << 4;
        QTest::newRow("English, 4 back to 8, cancelled")
            << 4 << true << false << "Restore Tab Stops from 4 to 8 (default)." << 4 << 0;
    }
    void tabStops()
    {
        QFETCH(int, width);
        QFETCH(bool, english);
        QFETCH(bool, ok);
        QFETCH(QString, question);
        QFETCH(int, after);
        QFETCH(int, stored);
        Editor e("a\tb", english);
        e.view->m_nTabWidth = width;
        e.f.prompter.answers << (ok ? MsgAnswer::Ok : MsgAnswer::Cancel);
        QVERIFY(e.Run(Cmd::TabStops));
        QCOMPARE(e.f.prompter.Texts(), QStringList{question});
        QCOMPARE(e.view->m_nTabWidth, after);
        QCOMPARE(e.f.store->GetInt(QStringLiteral("Settings"), QStringLiteral("TabStops"), 0),
            stored);
        if (ok) {
            const qreal space = e.view->fontMetrics().horizontalAdvance(QLatin1Char(' '));
            QCOMPARE(e.view->tabStopDistance(), space * after);
        }
    }

    void readOnlySwitch()
    {
        Editor e("text");
        e.f.store->WriteInt(QStringLiteral("Settings"), QStringLiteral("Enter"), 0);
        QVERIFY(e.Run(Cmd::ReadWrite));
        QVERIFY(e.view->isReadOnly());
        QCOMPARE(e.view->m_bColoring, 0);
        const QColor readOnlyBack(244, 254, 255);
        QCOMPARE(e.view->palette().color(QPalette::Base), readOnlyBack);
        QTest::keyClick(e.view, Qt::Key_A);
        QCOMPARE(e.Text(), QStringLiteral("text"));
        e.view->m_bUnderlineCaretLine = 0;
        QVERIFY(e.Run(Cmd::ReadWrite));
        QVERIFY(!e.view->isReadOnly());
        QCOMPARE(e.view->m_bColoring, 0); // as "Enter" now says
        QCOMPARE(e.view->m_bUnderlineCaretLine, 1);
        QVERIFY(e.view->palette().color(QPalette::Base) != readOnlyBack);
    }

    void wordWrapSwitches_data()
    {
        QTest::addColumn<int>("times");
        QTest::addColumn<bool>("wrapped");
        QTest::newRow("once: long lines run on") << 1 << false;
        QTest::newRow("twice: wrapped again") << 2 << true;
        QTest::newRow("three times") << 3 << false;
    }
    void wordWrapSwitches()
    {
        QFETCH(int, times);
        QFETCH(bool, wrapped);
        const QByteArray longLine = QByteArray("word ").repeated(200);
        Editor e("first\n" + longLine + "\nlast\n", false, true);
        QVERIFY(e.State(Cmd::WordWrap).checked);
        QCOMPARE(e.view->m_bWordWrap, 1);
        const QString text = e.Text();
        const int caret = 6 + 500;
        e.Select(caret, caret);
        for (int i = 0; i < times; ++i)
            QVERIFY(e.Run(Cmd::WordWrap));
        QCOMPARE(e.view->lineWrapMode() != QPlainTextEdit::NoWrap, wrapped);
        QCOMPARE(e.view->m_bWordWrap, wrapped ? 1 : 0);
        QCOMPARE(e.State(Cmd::WordWrap).checked, wrapped);
        // The long line takes several rows only while wrapped.
        const QTextBlock block = e.view->document()->findBlockByNumber(1);
        QCOMPARE(block.layout()->lineCount() > 1, wrapped);
        QCOMPARE(e.Text(), text);
        QCOMPARE(e.view->textCursor().position(), caret);
        QCOMPARE(e.History().CurrentIndex(), 0);
        QVERIFY(!e.frame->GetDocument()->IsModified());
    }

    void cutAndPasteNeedAnEditableText()
    {
        Editor e("alpha beta");
        e.Select(0, 6);
        QVERIFY(e.Run(Cmd::Copy));
        QVERIFY(e.Enabled(Cmd::Cut) && e.Enabled(Cmd::Paste));
        QVERIFY(e.Run(Cmd::ReadWrite));
        QVERIFY(!e.Enabled(Cmd::Paste));
        QVERIFY(!e.Enabled(Cmd::Cut));
        QVERIFY(e.Enabled(Cmd::Copy));
    }
};

QTEST_MAIN(TestTextCommandsView)
#include "tst_textcommands_view.moc"
