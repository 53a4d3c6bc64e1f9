#include "support/EditorFixture.h"
#include "app/Prompter.h"
#include "calc/ui/EvaluatorHook.h"
#include "input/ui/CompletionController.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

namespace {
const QString kNotInteger = QStringLiteral(
    "累乗の指数に誤りがあります。整数乗しか扱えません。\n（a^n で n は整数で、a は小数でも良い) ");

// Types text at the caret, then a key per "\n" with the given modifiers, as a person would.
void Type(COrrindaleView *view, const QString &script, Qt::KeyboardModifiers modifiers = {})
{
    for (const QString &piece : script.split(u'|')) {
        if (piece == QLatin1String("<Enter>"))
            QTest::keyClick(view, Qt::Key_Return, modifiers);
        else if (piece == QLatin1String("<KeypadEnter>"))
            QTest::keyClick(view, Qt::Key_Enter, Qt::KeypadModifier);
        else
            QTest::keyClicks(view, piece);
    }
}

void PutCaret(COrrindaleView *view, int at)
{
    QTextCursor c = view->textCursor();
    if (at < 0)
        c.movePosition(QTextCursor::End);
    else
        c.setPosition(at);
    view->setTextCursor(c);
}
} // namespace

class TestEvaluatorView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void enterCompletesTheLine_data();
    void enterCompletesTheLine();
    void undoBringsBackTheTypedLine();
    void composingInputMethodEvaluatesNothing();
    void chosenCompletionIsNotEvaluated();
    void readOnlyViewIsLeftAlone();
};

void TestEvaluatorView::enterCompletesTheLine_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("caretAt"); // -1: the end
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("round");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("completed, caret at the next line")
        << QByteArray() << -1 << "1+2*3=|<Enter>" << 0 << 1 << "1+2*3=7.0\n" << 10
        << QStringList();
    QTest::newRow("keypad Enter")
        << QByteArray() << -1 << "7/2=|<KeypadEnter>" << 0 << 2 << "7/2=3.50\n" << 9
        << QStringList();
    QTest::newRow("rounding of the view") << QByteArray() << -1 << "1/8=|<Enter>" << 0 << 3
                                          << "1/8=0.125\n" << 10 << QStringList();
    QTest::newRow("line in the middle of a text")
        << QByteArray("a\nb") << 1 << "+1*2=|<Enter>" << 0 << 1 << "a+1*2=2.0\n\nb" << 10
        << QStringList();
    QTest::newRow("Enter inside a line: its rest goes on the next line")
        << QByteArray("1+2=rest\nnext") << 4 << "<Enter>" << 0 << 1
        << "1+2=3.0\nrest\nnext" << 8 << QStringList();
    QTest::newRow("table row") << QByteArray("A\t5\t3*4=") << -1 << "<Enter>" << 0 << 1
                               << "A\t5\t3*4=12.0\n" << 13 << QStringList();
    QTest::newRow("value line, caret on the empty line after it")
        << QByteArray() << -1 << "x1+1|<Enter>|x1=2|<Enter>" << 0 << 1
        << "x1+1\n3.0, if x1=2\n\n" << 18 << QStringList();
    QTest::newRow("message, then the line") << QByteArray() << -1 << "2^1.5=|<Enter>" << 0 << 1
                                            << "2^1.5=0.0\n" << 10 << QStringList{kNotInteger};
    QTest::newRow("no equals sign") << QByteArray() << -1 << "1+2|<Enter>" << 0 << 1
                                    << "1+2\n" << 4 << QStringList();
    QTest::newRow("Shift+Enter breaks the line as Enter does")
        << QByteArray() << -1 << "1+2=|<Enter>" << int(Qt::ShiftModifier) << 1 << "1+2=3.0\n" << 8
        << QStringList();
    QTest::newRow("Ctrl+Enter types no break and finishes no line")
        << QByteArray("1+2=\nabc") << 5 << "<Enter>" << int(Qt::ControlModifier) << 1
        << "1+2=\nabc" << 5 << QStringList();
}

void TestEvaluatorView::enterCompletesTheLine()
{
    QFETCH(QByteArray, content);
    QFETCH(int, caretAt);
    QFETCH(QString, typed);
    QFETCH(int, modifiers);
    QFETCH(int, round);
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QStringList, messages);
    EditorFixture e(content);
    e.view->m_nRoundIndex = round;
    PutCaret(e.view, caretAt);
    Type(e.view, typed, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(e.Text(), text);
    // Every line break is a real one, none a separator inside a line.
    QCOMPARE(e.view->blockCount(), int(text.count(u'\n')) + 1);
    QCOMPARE(e.view->textCursor().position(), caret);
    QStringList shown;
    for (const MessageRequest &m : std::as_const(e.f.prompter.messages)) {
        shown << m.text;
        QCOMPARE(m.caption, QString::fromLatin1(AppCaption));
    }
    QCOMPARE(shown, messages);
}

void TestEvaluatorView::undoBringsBackTheTypedLine()
{
    EditorFixture e("first\n");
    PutCaret(e.view, -1);
    Type(e.view, QStringLiteral("(1+2)*(3+4)=|<Enter>"));
    QCOMPARE(e.Text(), QStringLiteral("first\n(1+2)*(3+4)=21.0\n"));
    QVERIFY(e.Run(Cmd::Undo));
    QCOMPARE(e.Text(), QStringLiteral("first\n(1+2)*(3+4)=\n"));
    QVERIFY(e.Run(Cmd::UndoForward));
    QCOMPARE(e.Text(), QStringLiteral("first\n(1+2)*(3+4)=21.0\n"));
}

void TestEvaluatorView::composingInputMethodEvaluatesNothing()
{
    EditorFixture e("");
    Type(e.view, QStringLiteral("1+2="));
    QInputMethodEvent compose(QStringLiteral("かん"), {});
    QApplication::sendEvent(e.view, &compose);
    Type(e.view, QStringLiteral("<Enter>"));
    QCOMPARE(e.Text(), QStringLiteral("1+2=\n"));
    // Once the input method has committed, Enter evaluates again.
    QInputMethodEvent commit;
    commit.setCommitString(QString());
    QApplication::sendEvent(e.view, &commit);
    Type(e.view, QStringLiteral("3*3=|<Enter>"));
    QCOMPARE(e.Text(), QStringLiteral("1+2=\n3*3=9.0\n"));
}

void TestEvaluatorView::chosenCompletionIsNotEvaluated()
{
    EditorFixture e("");
    e.view->m_strCommandListPath = e.f.WriteFile(
        QStringLiteral("list.mme"), "Notes.\n\\COMMANDS \t marker\n%s\nsum=\t9\n\n\n%S\n");
    e.view->m_bInputSupport = 1;
    PutCaret(e.view, -1);
    Type(e.view, QStringLiteral("1+\\s"));
    QVERIFY(e.view->Completion()->IsPopupOpen());
    Type(e.view, QStringLiteral("<Enter>"));
    QCOMPARE(e.Text(), QStringLiteral("1+\\sum="));
    // The next Enter is the editor's again.
    Type(e.view, QStringLiteral("<Enter>"));
    QCOMPARE(e.Text(), QStringLiteral("1+\\sum=1.0\n"));
}

void TestEvaluatorView::readOnlyViewIsLeftAlone()
{
    EditorFixture e("1+1=\n");
    PutCaret(e.view, -1);
    e.view->setReadOnly(true);
    Type(e.view, QStringLiteral("<Enter>"));
    QCOMPARE(e.Text(), QStringLiteral("1+1=\n"));
    QVERIFY(e.f.prompter.messages.isEmpty());
}

QTEST_MAIN(TestEvaluatorView)
#include "tst_evaluator_view.moc"
