#include "support/EditorFixture.h"
#include "app/SettingsKeys.h"
#include "app/ui/COrrindaleDoc.h"
#include "input/CommandList.h"
#include "input/ui/CompletionController.h"
#include "input/ui/CompletionPopup.h"
#include "input/ui/MinimumLettersDialog.h"
#include "res/Messages.h"

#include <QDir>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {
const char *kList = "Notes.\n\\COMMANDS \t marker\n%a \t\t marker\nalpha\t9\n\n\n%A\n\n\n%b\n"
                    "begin{\t20\nbeta\t3\nbegin{itemize}\t2\n\n\n%B\n\n\n%s\nsection\t30\n"
                    "subsection\t20\nsec\t5\nsetlength\t4\nsqrt[\t3\n\n\n%S\nSection\t1\n";

struct Completing : EditorFixture {
    explicit Completing(const QByteArray &doc = "\\documentclass{jarticle}\n\\begin{document}\n"
                                                "\\alpha \\textbf{x}\n\\end{document}\n",
                        bool english = false)
        : EditorFixture(doc, english)
    {
        view->m_strCommandListPath = f.WriteFile(QStringLiteral("list.mme"), kList);
        Select(0, 0);
    }
    bool Open() const { return view->Completion()->IsPopupOpen(); }
    QString Current() const
    {
        const CCompletionPopup *p = view->Completion()->Popup();
        return Open() && p->currentItem() ? p->currentItem()->text() : QString();
    }
    // Characters as they stand; ^ Backspace, < Left, > Right, v Down, A Up, H Home, S Shift+S,
    // and | Enter.
    void Type(const QString &keys)
    {
        static const QHash<QChar, Qt::Key> special{
            {u'^', Qt::Key_Backspace}, {u'<', Qt::Key_Left}, {u'>', Qt::Key_Right},
            {u'v', Qt::Key_Down},      {u'A', Qt::Key_Up},   {u'H', Qt::Key_Home},
            {u'|', Qt::Key_Return}};
        for (QChar k : keys)
            if (k == u'S')
                QTest::keyClick(view, 'S', Qt::ShiftModifier);
            else if (special.contains(k))
                QTest::keyClick(view, special.value(k));
            else
                QTest::keyClick(view, k.toLatin1());
    }
};
} // namespace

class TestInputView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The keys that open, narrow, move through and close the list while typing.
    void typing_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("current"); // empty: no list shown
        QTest::newRow("backslash and a letter open the list") << "\\s" << "\\s" << 2 << "section";
        QTest::newRow("Shift+S offers upper-case names") << "\\S" << "\\S" << 2 << "Section";
        QTest::newRow("typing narrows") << "\\sub" << "\\sub" << 4 << "subsection";
        QTest::newRow("a letter without the backslash does nothing") << "s" << "s" << 1 << "";
        QTest::newRow("Enter writes the name, no new line") << "\\sec|" << "\\section" << 8 << "";
        QTest::newRow("begin gets its end line") << "\\b|" << "\\begin{\n\n\\end{\n" << 7 << "";
        QTest::newRow("Down moves the selection") << "\\bv|" << "\\beta" << 5 << "";
        QTest::newRow("Up from the first wraps to the last") << "\\bA" << "\\b" << 2 << "begin{itemize}";
        QTest::newRow("Down from the last wraps to the first") << "\\bvvv" << "\\b" << 2 << "begin{";
        QTest::newRow("three misses keep the list") << "\\sxyz" << "\\sxyz" << 5 << "section";
        QTest::newRow("a fourth miss closes it") << "\\sxyzw" << "\\sxyzw" << 6 << "";
        QTest::newRow("Backspace over the first letter closes") << "\\s^" << "\\" << 1 << "";
        QTest::newRow("Backspace inside the name narrows back") << "\\sub^^" << "\\s" << 2 << "section";
        QTest::newRow("Left over the first letter closes and rearms") << "\\s<b" << "\\bs" << 2 << "begin{";
        QTest::newRow("Right at the backslash opens again") << "\\s<>" << "\\s" << 2 << "section";
        QTest::newRow("Home closes") << "\\sH" << "\\s" << 0 << "";
        QTest::newRow("a digit after the backslash disarms") << "\\1s" << "\\1s" << 3 << "";
        QTest::newRow("no name with the prefix: Enter types") << "\\q|" << "\\q\n" << 3 << "";
    }
    void typing()
    {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        Completing e("");
        e.Type(keys);
        QCOMPARE(e.Text(), text);
        QTEST(e.Selection().first, "caret");
        QTEST(e.Current(), "current");
    }

    // Esc closes an open list first, then switches the input support; "ABC" order and the
    // minimum length are read from the commands' settings; a name written is one undo step.
    void commands()
    {
        Completing e;
        e.view->m_nInputMinimum = 5; // seven letters
        QVERIFY(e.Run(Cmd::InputListOrder));
        QCOMPARE(ReadSetting(*e.f.store, Keys::ABC), 1);
        e.Type("\\s");
        QVERIFY(e.Open() && e.State(Cmd::TeXInput).checked);
        const CCompletionPopup *p = e.view->Completion()->Popup();
        QCOMPARE(p->count(), 3);
        QCOMPARE(p->item(1)->text(), QStringLiteral("setlength"));
        QVERIFY(e.Run(Cmd::TeXInput));
        QVERIFY(!e.Open() && e.view->m_bInputSupport);
        QVERIFY(e.Run(Cmd::TeXInput));
        QCOMPARE(ReadSetting(*e.f.store, Keys::Input), 0);
        e.Type("\\b");
        QVERIFY(!e.Open());
        QVERIFY(e.Run(Cmd::TeXInput));
        e.Type("\\s|");
        QVERIFY(e.Text().startsWith("\\s\\b\\section\\doc"));
        QVERIFY(e.Run(Cmd::Undo));
        QVERIFY(e.Text().startsWith("\\s\\b\\s\\doc"));
        // Only TeX documents complete.
        QVERIFY(e.frame->OpenDocumentFile(e.f.WriteFile("notes.txt", "")));
        e.view->m_strCommandListPath = e.f.FilePath("list.mme");
        e.Type("\\s");
        QVERIFY(!e.Open() && !e.State(Cmd::TeXInput).checked && !e.Enabled(Cmd::MakeInputFile));
    }

    void makeInputFile_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QString>("question");
        const QString ja = u"入力支援補助ファイル \"input_tex.mme\" を作ります。\n「頻度順」で作りますが、「表示」は「 ABC 順」も選択できます。"_qs;
        QTest::newRow("Japanese, made") << false << MsgAnswer::Yes << ja;
        QTest::newRow("English, made") << true << MsgAnswer::Yes << "Create the auxiliary file; \"input_tex.mme\". \nThe list is \"Frequency\" order, \nbut in \"View\" you can change to \"ABC\" order.";
        QTest::newRow("declined") << false << MsgAnswer::No << ja;
    }
    void makeInputFile()
    {
        QFETCH(bool, english);
        QFETCH(MsgAnswer, answer);
        QFETCH(QString, question);
        Completing e("\\begin{document}\\alpha \\end{document}", english);
        QDir().mkpath(e.view->m_strInstDir);
        e.f.prompter.answers << answer << MsgAnswer::Ok;
        QVERIFY(e.Run(Cmd::MakeInputFile));
        const QString made = QDir(e.view->m_strInstDir).filePath(CommandListFileName);
        const bool yes = answer == MsgAnswer::Yes;
        QCOMPARE(e.f.prompter.Texts(), (yes ? QStringList{question, MsgText(Msg::MakeInputDone, english)} : QStringList{question}));
        QCOMPARE(e.frame->GetDocument()->PathName() == made, yes);
        if (!yes)
            return;
        // The old list merged; the window edits it, not yet saved; saving writes it as every file is.
        QVERIFY(e.Text().startsWith("Notes.\n" + CommandListMarker(english) + "\nalpha\t10\n"));
        QVERIFY(e.frame->GetDocument()->IsModified());
        QVERIFY(e.Run(Cmd::FileSave));
        QFile file(made);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), e.Text().toUtf8());
    }

    // Change Input File: Cancel restores the default; a chosen file is stored.
    void changeInputFile()
    {
        Completing e;
        const QString chosen = e.f.WriteFile("mine.mme", "x");
        e.f.prompter.answers << MsgAnswer::Ok << MsgAnswer::Cancel;
        e.f.prompter.openAnswers << chosen;
        QVERIFY(e.Run(Cmd::ChangeInputFile));
        QCOMPARE(e.f.prompter.openFilters, QStringList{"Mme files (*.mme)|*.mme||"});
        QCOMPARE(ReadSetting(*e.f.store, Keys::InputName), chosen);
        QCOMPARE(e.view->m_strCommandListPath, chosen);
        QVERIFY(e.Run(Cmd::ChangeInputFile));
        QCOMPARE(ReadSetting(*e.f.store, Keys::InputName), QString());
        QCOMPARE(e.view->m_strCommandListPath, QDir(e.view->m_strInstDir).filePath(CommandListFileName));
        QCOMPARE(e.f.prompter.Texts().last(), MsgText(Msg::ChangeInputQuestion, false));
    }

    void minimumLetters()
    {
        Completing e;
        QTimer::singleShot(0, [] {
            auto *d = qobject_cast<CMinimumLettersDialog *>(QApplication::activeModalWidget());
            QVERIFY(d && d->findChild<QRadioButton *>("1065")->isChecked()); // four letters
            d->findChild<QRadioButton *>("1066")->click();
            d->accept();
        });
        QVERIFY(e.Run(Cmd::InputLetterNo));
        QCOMPARE(e.view->m_nInputMinimum, 3);
        QCOMPARE(ReadSetting(*e.f.store, Keys::Minimum), 3);
    }
};

QTEST_MAIN(TestInputView)
#include "tst_input_view.moc"
