// DVI and PDF: the converter's command line, its retry, the chooser while no PDF was ever
// made, the paper-size settings, and when showing a file compiles or converts first.

#include "ToolchainTestKit.h"

#include "app/SettingsKeys.h"

#include <QtTest>

namespace {
const QString Retry = QStringLiteral(
    "Cannnot make a PDF file. \nIf Acrobat (Adobe Reader) is executing, \nthen Close it and "
    "push \"OK\" button.");
const QString Failed = QStringLiteral("Cannnot make a PDF file");
const QString ChooseQ = QStringLiteral(
    "If cannot make PDF, then push OK. \nFind and choose the program file \"dvipdfmx.exe\". "
    "\nIt may be found in \"C:\\tex\\bin\", \"C:\\w32tex\\bin\", \"C:\\usr\\local\\bin\", ... "
    "etc.\n If you push Cancel, then the default is restored. ");
const QString DviFailed = QStringLiteral(
    "Cannot open the DVI file!! Please relate the file to dviout. \nYou can find "
    "\"dviout.exe\" in C:\\dviout, C:\\w32tex\\dviout, C;\\tex\\dviout and so on.");
const QString PdfFailed = QStringLiteral("Cannot open the PDF file!");
} // namespace

class TestPdfOutput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void makePdf_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("madeOnce");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QList<int>>("answers"); // 1 OK, 0 Cancel
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("runs");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("converter");

        const QString d = QStringLiteral("dvipdfmx");
        QTest::newRow("A4 passes no paper option")
            << 1 << 0 << QList<int>{0} << QList<int>{} << 1 << QStringList{"dvipdfmx paper"}
            << QStringList{} << d;
        QTest::newRow("B5") << 7 << 0 << QList<int>{0} << QList<int>{} << 1
                            << QStringList{"dvipdfmx -p b5 paper"} << QStringList{} << d;
        QTest::newRow("error, retry after closing the viewer succeeds")
            << 0 << 0 << QList<int>{1, 0} << QList<int>{1} << 1
            << QStringList{"dvipdfmx -p a3 paper", "dvipdfmx -p a3 paper"}
            << QStringList{Retry} << d;
        QTest::newRow("error twice, never made: notice and chooser")
            << 1 << 0 << QList<int>{1, 1} << QList<int>{1, 1, 0} << 0
            << QStringList{"dvipdfmx paper", "dvipdfmx paper"}
            << QStringList{Retry, Failed, ChooseQ} << d;
        QTest::newRow("error, retry declined, made before: notice only")
            << 1 << 1 << QList<int>{1} << QList<int>{0, 1} << 0
            << QStringList{"dvipdfmx paper"} << QStringList{Retry, Failed} << d;
        QTest::newRow("converter found in the third folder: stored")
            << 1 << 0 << QList<int>{-1, -1, -1, 0} << QList<int>{} << 1
            << QStringList{"dvipdfmx paper", "/f1/dvipdfmx paper", "/f2/dvipdfmx paper",
                           "/f3/dvipdfmx paper"}
            << QStringList{} << "/f3/dvipdfmx";
        QTest::newRow("converter found but failing: retried as found")
            << 1 << 0 << QList<int>{-1, 3, 0} << QList<int>{1} << 1
            << QStringList{"dvipdfmx paper", "/f1/dvipdfmx paper", "/f1/dvipdfmx paper"}
            << QStringList{Retry} << "/f1/dvipdfmx";
        QTest::newRow("converter nowhere: chooser, no further run")
            << 1 << 1 << QList<int>{-1, -1, -1, -1} << QList<int>{0} << 0
            << QStringList{"dvipdfmx paper", "/f1/dvipdfmx paper", "/f2/dvipdfmx paper",
                           "/f3/dvipdfmx paper"}
            << QStringList{ChooseQ} << d;
    }

    void makePdf()
    {
        QFETCH(int, paper);
        QFETCH(int, madeOnce);
        QFETCH(QList<int>, codes);
        QFETCH(QList<int>, answers);
        QFETCH(int, result);
        QFETCH(QStringList, runs);
        QFETCH(QStringList, messages);
        QFETCH(QString, converter);

        RecordingKit kit;
        kit.Touch(QStringLiteral("paper.dvi"));
        kit.tools.State().m_nPdfPaper = paper;
        kit.tools.State().m_bPdfMadeOnce = madeOnce;
        kit.tools.State().m_strDviPdf = QStringLiteral("dvipdfmx");
        kit.Results(codes);
        for (int a : answers)
            kit.prompter.answers.enqueue(a ? MsgAnswer::Ok : MsgAnswer::Cancel);
        QCOMPARE(kit.tools.MakePdf(), result);
        QCOMPARE(kit.Runs(), runs);
        QCOMPARE(kit.prompter.Texts(), messages);
        QCOMPARE(kit.prompter.unexpected, 0);
        QCOMPARE(kit.tools.State().m_strDviPdf, converter);
        // The first PDF ever made is remembered; nothing else writes the flag.
        const bool firstMade = madeOnce == 0 && result != 0;
        QCOMPARE(kit.store.Contains("Settings", "Acr"), firstMade);
        QCOMPARE(kit.tools.State().m_bPdfMadeOnce, madeOnce || firstMade ? 1 : 0);
    }

    void makePdfAsksForThePaper_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("runs");
        QTest::newRow("OK: converted at the chosen size")
            << true << 1 << QStringList{"dvipdfmx -p letter paper"};
        QTest::newRow("Cancel: not converted") << false << 0 << QStringList{};
    }

    void makePdfAsksForThePaper()
    {
        QFETCH(bool, ok);
        QFETCH(int, result);
        QFETCH(QStringList, runs);
        RecordingKit kit;
        kit.Touch(QStringLiteral("paper.dvi"));
        kit.tools.State().m_bSkipPaperDialog = 0;
        kit.tools.State().m_strDviPdf = QStringLiteral("dvipdfmx");
        WriteSetting(kit.store, Keys::PdfSizeNo, 6);
        if (ok)
            kit.host.paperAnswer = PaperDialogValues{0, 0, 10};
        QCOMPARE(kit.tools.MakePdf(), result);
        QCOMPARE(kit.host.paperShown.size(), 1);
        QCOMPARE(kit.host.paperShown.first().sizeNo, 6);
        QCOMPARE(kit.Runs(), runs);
    }

    void paperDialogSettings_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("nShow");
        QTest::addColumn<int>("neShow");
        QTest::addColumn<int>("skip");
        QTest::newRow("neither box: asked again next time") << true << 0 << 0 << 0;
        QTest::newRow("to the next time: not asked until the program ends")
            << true << 1 << 0 << 1;
        QTest::newRow("any more: not asked") << true << 0 << 1 << 1;
        QTest::newRow("Cancel changes nothing") << false << 1 << 1 << 0;
    }

    void paperDialogSettings()
    {
        QFETCH(bool, ok);
        QFETCH(int, nShow);
        QFETCH(int, neShow);
        QFETCH(int, skip);
        RecordingKit kit;
        kit.tools.State().m_bSkipPaperDialog = 0;
        WriteSetting(kit.store, Keys::PdfNShow, 0);
        WriteSetting(kit.store, Keys::PdfNeShow, 0);
        WriteSetting(kit.store, Keys::PdfSizeNo, 1);
        if (ok)
            kit.host.paperAnswer = PaperDialogValues{nShow, neShow, 7};
        QCOMPARE(kit.tools.PaperSizeDialog(), ok);
        const ToolchainState &s = kit.tools.State();
        QCOMPARE(s.m_bSkipPaperDialog, skip);
        QCOMPARE(s.m_nPdfPaper, ok ? 7 : 1);
        QCOMPARE(s.m_bNeverPaperDialog, ok ? neShow : 0);
        QCOMPARE(ReadSetting(kit.store, Keys::PdfNShow), ok ? nShow : 0);
        QCOMPARE(ReadSetting(kit.store, Keys::PdfNeShow), ok ? neShow : 0);
        QCOMPARE(ReadSetting(kit.store, Keys::PdfSizeNo), ok ? 7 : 1);
    }

    void showPdf_data()
    {
        QTest::addColumn<bool>("pdfExists");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("runs");
        QTest::newRow("existing PDF shown as it is") << true << true << QStringList{"paper.pdf"}
                                                    << QStringList{} << 0;
        QTest::newRow("viewer missing") << true << false << QStringList{"paper.pdf"}
                                        << QStringList{PdfFailed} << 0;
        QTest::newRow("no PDF and no DVI: compile fails, nothing shown")
            << false << true << QStringList{} << QStringList{} << 1;
    }

    void showPdf()
    {
        QFETCH(bool, pdfExists);
        QFETCH(bool, opens);
        QFETCH(QStringList, opened);
        QFETCH(QStringList, messages);
        QFETCH(int, runs);
        RecordingKit kit;
        if (pdfExists)
            kit.Touch(QStringLiteral("paper.pdf"));
        kit.host.modified = true; // a changed text does not stop showing an existing PDF
        kit.host.saveAnswer = FakeToolchainHost::SaveAnswer::Yes;
        kit.launcher.startResults.enqueue(opens);
        kit.tools.ShowPdf();
        QStringList expected;
        for (const QString &name : opened)
            expected << kit.File(name);
        QCOMPARE(kit.Opened(), expected);
        QCOMPARE(kit.prompter.Texts(), messages);
        QCOMPARE(kit.Runs().size(), runs);
    }

    void showDvi_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("dviExists");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("runs");
        QTest::addColumn<QStringList>("messages");
        const int yes = int(FakeToolchainHost::SaveAnswer::Yes);
        const int no = int(FakeToolchainHost::SaveAnswer::No);
        const int cancel = int(FakeToolchainHost::SaveAnswer::Cancel);
        QTest::newRow("saved text, existing DVI: shown without compiling")
            << false << yes << true << true << true << 0 << QStringList{};
        QTest::newRow("unsaved, answered No: the old DVI without compiling")
            << true << no << true << true << true << 0 << QStringList{};
        QTest::newRow("unsaved, answered Cancel: nothing")
            << true << cancel << true << true << false << 0 << QStringList{};
        QTest::newRow("unsaved, saved: compiled first, a failed compile shows nothing")
            << true << yes << true << true << false << 1 << QStringList{};
        QTest::newRow("unsaved, answered No, no DVI: nothing")
            << true << no << false << true << false << 0 << QStringList{};
        QTest::newRow("no DVI: compiled first") << false << yes << false << true << false << 1
                                                << QStringList{};
        QTest::newRow("viewer missing") << false << yes << true << false << true << 0
                                        << QStringList{DviFailed};
    }

    void showDvi()
    {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(bool, dviExists);
        QFETCH(bool, opens);
        QFETCH(bool, shown);
        QFETCH(int, runs);
        QFETCH(QStringList, messages);
        RecordingKit kit;
        if (dviExists)
            kit.Touch(QStringLiteral("paper.dvi"));
        kit.host.modified = modified;
        kit.host.saveAnswer = FakeToolchainHost::SaveAnswer(answer);
        kit.launcher.startResults.enqueue(opens);
        kit.tools.ShowDvi();
        QCOMPARE(kit.Opened(), shown ? QStringList{kit.File("paper.dvi")} : QStringList{});
        QCOMPARE(kit.Runs().size(), runs);
        QCOMPARE(kit.prompter.Texts(), messages);
    }

    void chainsStopAtTheFirstFailure()
    {
        // No DVI appears, so the compile fails and neither conversion nor showing follow.
        RecordingKit kit;
        QCOMPARE(kit.tools.TeXPdfMake(), 0);
        kit.tools.TeXPdfShow();
        QCOMPARE(kit.Runs(), (QStringList{"platex paper", "platex paper"}));
        QVERIFY(kit.Opened().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPdfOutput)
#include "tst_pdfoutput.moc"
