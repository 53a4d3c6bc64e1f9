#include "support/EditorFixture.h"
#include "app/SettingsKeys.h"
#include "app/ui/COrrindaleDoc.h"
#include "input/CommandList.h"
#include "input/ui/MinimumLettersDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {
const QByteArray kDocument = "\\documentclass{jarticle}\n\\begin{document}\n"
                             "\\section{A}\\alpha \\alpha \\textbf{x}\n\\end{document}\n";

QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
}

void WhenModal(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, qApp, [act] {
        QWidget *w = QApplication::activeModalWidget();
        QVERIFY(w);
        act(w);
    });
}

const QString kQuestionEn = QStringLiteral(
    "Create the auxiliary file; \"input_tex.mme\". \nThe list is \"Frequency\" order, \nbut in "
    "\"View\" you can change to \"ABC\" order.");
const QString kQuestionJa = QString::fromUtf8(
    "入力支援補助ファイル \"input_tex.mme\" を作ります。\n「頻度順」で作りますが、「表示」は「 ABC "
    "順」も選択できます。");
const QString kDoneEn = QStringLiteral(
    "Succeeded to create the auxiliary file \"input_tex.mme\". It will be shown. \nPlease save "
    "it!! Edit according to the description, if you need.");
const QString kDoneJa = QString::fromUtf8(
    "補助ファイル \"input_tex.mme\" を作りましたので、表示します。\n保存して下さい。また、必要なら、"
    "説明に従って、編集して下さい。");
} // namespace

class TestInputCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void makeInputFile_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QByteArray>("oldList"); // empty: no file
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("entries");
        QTest::newRow("Japanese, a new list")
            << false << QByteArray() << StandardDescription(false)
            << "\nalpha\t2\n\n\n%A\n\n\n%b";
        QTest::newRow("English, an old list with CR-LF")
            << true << QByteArray("my notes\r\n\\COMMANDS x\r\n%a x\r\nalpha\t5\r\nabc\t1\r\n"
                                  "\r\n\r\n%A\r\n\r\n\r\n%t\r\ntextbf{\t9\r\n")
            << "my notes\n" << "\nalpha\t7\nabc\t1\n\n\n%A\n\n\n%b";
    }
    void makeInputFile()
    {
        QFETCH(bool, english);
        QFETCH(QByteArray, oldList);
        QFETCH(QString, header);
        QFETCH(QString, entries);
        EditorFixture e(kDocument, english);
        const QString listPath = e.view->m_strCommandListPath;
        QDir().mkpath(e.view->m_strInstDir);
        if (!oldList.isEmpty())
            WriteBytes(listPath, oldList);
        QVERIFY(e.Enabled(Cmd::MakeInputFile));
        e.f.prompter.answers << MsgAnswer::Yes << MsgAnswer::Ok;
        QVERIFY(e.Run(Cmd::MakeInputFile));

        QCOMPARE(e.f.prompter.Texts(), (QStringList{english ? kQuestionEn : kQuestionJa,
                                                   english ? kDoneEn : kDoneJa}));
        const QString text = e.Text();
        QVERIFY2(text.startsWith(header + CommandListMarker(english) + entries), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("\ntextbf{\t")));
        QVERIFY(text.contains(QStringLiteral("\nsection{\t1\n")));
        // The window now edits the list in the installation folder, not yet saved.
        const QString madePath = QDir(e.view->m_strInstDir).filePath("input_tex.mme");
        QCOMPARE(e.frame->GetDocument()->PathName(), madePath);
        QVERIFY(e.frame->GetDocument()->IsModified());
        QCOMPARE(ReadBytes(listPath), oldList);
        QCOMPARE(e.view->m_bInputSupport, 0);

        // Saving writes it as every file is written: UTF-8 with LF.
        QVERIFY(e.Run(Cmd::FileSave));
        QCOMPARE(ReadBytes(madePath), text.toUtf8());
    }

    void makeInputFileDeclined_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<MsgAnswer>>("answers");
        QTest::addColumn<int>("messages");
        QTest::newRow("No to the question") << false << QList<MsgAnswer>{MsgAnswer::No} << 1;
        QTest::newRow("modified and not saved")
            << true << QList<MsgAnswer>{MsgAnswer::No} << 1;
        QTest::newRow("modified and the save cancelled")
            << true << QList<MsgAnswer>{MsgAnswer::Cancel} << 1;
    }
    void makeInputFileDeclined()
    {
        QFETCH(bool, modified);
        QFETCH(QList<MsgAnswer>, answers);
        QFETCH(int, messages);
        EditorFixture e(kDocument);
        const QString path = e.frame->GetDocument()->PathName();
        if (modified)
            QTest::keyClicks(e.view, "x");
        const QString before = e.Text();
        for (MsgAnswer a : answers)
            e.f.prompter.answers << a;
        QVERIFY(e.Run(Cmd::MakeInputFile));
        QCOMPARE(e.f.prompter.messages.size(), messages);
        QCOMPARE(e.Text(), before);
        QCOMPARE(e.frame->GetDocument()->PathName(), path);
        QCOMPARE(e.f.prompter.unexpected, 0);
    }

    void makeInputFileOnlyForTeX()
    {
        EditorFixture e("");
        QVERIFY(e.frame->OpenDocumentFile(e.f.WriteFile(QStringLiteral("a.txt"), "\\alpha")));
        QVERIFY(!e.Enabled(Cmd::MakeInputFile));
    }

    void changeInputFile_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("path"); // "default", "old" or "chosen"
        QTest::newRow("Cancel restores the default") << false << false << "" << "default";
        QTest::newRow("a chosen file") << true << true << "mine.mme" << "chosen";
        QTest::newRow("the file dialog cancelled") << true << true << "" << "old";
    }
    void changeInputFile()
    {
        QFETCH(bool, english);
        QFETCH(bool, ok);
        QFETCH(QString, chosen);
        QFETCH(QString, path);
        EditorFixture e(kDocument, english);
        const QString defaultPath = e.view->m_strCommandListPath;
        const QString old = e.f.FilePath(QStringLiteral("old.mme"));
        e.view->m_strCommandListPath = old;
        WriteSetting(*e.f.store, Keys::InputName, old);
        const QString chosenPath = chosen.isEmpty() ? QString() : e.f.WriteFile(chosen, "x");
        e.f.prompter.answers << (ok ? MsgAnswer::Ok : MsgAnswer::Cancel);
        e.f.prompter.openAnswers << chosenPath;
        QVERIFY(e.Run(Cmd::ChangeInputFile));

        const QString question = english
            ? "Change the TeX input auxiliary file \"input_tex.mme\". \nChoose a file, if you put "
              "the file to the another place or if you change the file name. \nIf you push "
              "Cancel, then then the default is restored; \"C:\\Orrindale\\input_tex.mme\"."
            : QString::fromUtf8("TeX の入力支援補助ファイル input_tex.mme を変更します。\n"
                                "\"C:\\Orrindale\" 以外に置いた場合や、ファイル名を変更した場合など\n"
                                "ここでそのファイルを選択して下さい。キャンセルすればデフォルトの\n"
                                "\"C:\\Orrindale\\input_tex.mme\" に戻ります。");
        QCOMPARE(e.f.prompter.messages.first().text, question);
        QCOMPARE(e.f.prompter.openFilters, ok ? QStringList{"Mme files (*.mme)|*.mme||"}
                                               : QStringList{});
        const QString expected =
            path == "default" ? defaultPath : path == "old" ? old : chosenPath;
        QCOMPARE(e.view->m_strCommandListPath, expected);
        QCOMPARE(ReadSetting(*e.f.store, Keys::InputName),
                 path == "default" ? QString() : expected);
    }

    void minimumLetters_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("index");
        QTest::newRow("OK with 5 letters") << false << true << 3;
        QTest::newRow("OK with 2 letters") << true << true << 0;
        QTest::newRow("Cancel") << true << false << 2;
    }
    void minimumLetters()
    {
        QFETCH(bool, english);
        QFETCH(bool, ok);
        QFETCH(int, index);
        EditorFixture e(kDocument, english);
        QString title;
        QStringList buttons;
        WhenModal([&](QWidget *w) {
            auto *d = qobject_cast<CMinimumLettersDialog *>(w);
            QVERIFY(d);
            title = d->windowTitle();
            // Opens at the stored index (default: 4 letters).
            QVERIFY(d->findChild<QRadioButton *>("1065")->isChecked());
            d->findChild<QRadioButton *>(QString::number(1063 + (ok ? index : 5)))->click();
            auto *box = d->findChild<QDialogButtonBox *>();
            for (QAbstractButton *b : box->buttons())
                buttons << b->text();
            ok ? d->accept() : d->reject();
        });
        QVERIFY(e.Run(Cmd::InputLetterNo));
        QCOMPARE(title, english ? QStringLiteral("Minimum Letter Number ")
                                : QString::fromUtf8("最低文字数の設定"));
        QVERIFY(buttons.contains(english ? QStringLiteral("CANCEL")
                                         : QString::fromUtf8("キャンセル")));
        QVERIFY(buttons.contains(QStringLiteral("OK")));
        QCOMPARE(e.view->m_nInputMinimum, index);
        QCOMPARE(ReadSetting(*e.f.store, Keys::Minimum), index);
    }
};

QTEST_MAIN(TestInputCommands)
#include "tst_inputcommands.moc"
