// The HTML export in the window (its key, the save before it, the browser, the way back) and
// the program's --html switch.
#include "support/FrameFixture.h"
#include "support/Headless.h"
#include "app/Globals.h"
#include "app/SettingsKeys.h"
#include "app/TextFile.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/COrrindaleDoc.h"
#include "app/ui/COrrindaleView.h"
#include "app/ui/CPaneSplitter.h"
#include "app/ui/CommandRouter.h"
#include "res/Commands.h"
#include "res/Messages.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Question = QString::fromUtf8(
    "表示を元のファイルに戻しますか？\nどちらも履歴から開き直すことができます。\n"
    "「はい」を押すと、このメッセージは2度と表示されず、ファイルの表示も元のままとなります。\n"
    "再びメッセージを表示したければ「ﾍﾙﾌﾟ」の「設定」からできます。");
const QString Unclosed =
    QString::fromUtf8("文字修飾 {\\・・・に対応する終わりの } がありません。修正して下さい。");
const QString OverDocument =
    QString::fromUtf8("HTML ファイル %1 は文書そのものなので、上書きしません。\n"
                      "文書の名前を変えてから変換して下さい。");
const QString TableStart = QStringLiteral("<table border=\"1\"");

QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Text(CMainFrame &frame)
{
    return DocumentText(frame.GetDocument()->TextDocument());
}

void PressExportKey(CMainFrame &frame)
{
    QTest::keyClick(frame.GetActiveView(), Qt::Key_H, Qt::AltModifier);
}

void SetModified(const QString &path, const QDateTime &when)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(when, QFileDevice::FileModificationTime));
}

int StoredYnc(const FrameFixture &f)
{
    return ReadSetting(*f.store, Keys::YNC);
}

} // namespace

class TestHtmlExportView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exportAndReturn_data();
    void exportAndReturn();
    void changedTextIsSavedFirstUndoKeepsIt();
    void untitledIsNamedFirst_data();
    void untitledIsNamedFirst();
    void unwritablePageKeepsDocument();
    void answerHoldsInBothPanes_data();
    void answerHoldsInBothPanes();
    void exportFromTheLogPane();
    void commandLine_data();
    void commandLine();
};

void TestHtmlExportView::exportAndReturn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("ync"); // 1: back without asking
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("messages");
    const QString table = QStringLiteral("a\tb\n");
    QTest::newRow("not asked: back; zel with tables, title, UTF-8")
        << "doc.zel" << QString::fromUtf8("%note\n\\title=報告\nA\tB\n1\t2\nend\n") << 1
        << MsgAnswer::Yes << QString::fromUtf8("報告") << QStringList();
    QTest::newRow("not asked: unclosed decoration, message, page still written")
        << "d.txt" << "{\\r open\n" << 1 << MsgAnswer::Yes << "d" << QStringList{Unclosed};
    QTest::newRow("asked, Yes: back, never asked again")
        << "q.zel" << table << 0 << MsgAnswer::Yes << "q" << QStringList{Question};
    QTest::newRow("asked, No: stays on the page")
        << "q.zel" << table << 0 << MsgAnswer::No << "q" << QStringList{Question};
    QTest::newRow("asked, Cancel: stays on the page")
        << "q.zel" << table << 0 << MsgAnswer::Cancel << "q" << QStringList{Question};
}

void TestHtmlExportView::exportAndReturn()
{
    QFETCH(QString, name);
    QFETCH(QString, content);
    QFETCH(int, ync);
    QFETCH(MsgAnswer, answer);
    QFETCH(QString, title);
    QFETCH(QStringList, messages);
    const bool back = ync == 1 || answer == MsgAnswer::Yes;
    const bool calc = name.endsWith(QLatin1String(".zel"));
    FrameFixture f;
    WriteSetting(*f.store, Keys::YNC, ync);
    auto frame = f.MakeFrame();
    const QString path = f.WriteFile(name, content.toUtf8());
    // An old document, so that the page is written in a later second.
    SetModified(path, QDateTime::currentDateTime().addDays(-2));
    QVERIFY(frame->OpenDocumentFile(path));
    frame->show(); // the Help menu's own Alt+H is there too; the accelerator wins
    if (ync == 0)
        f.prompter.answers.enqueue(answer);
    PressExportKey(*frame);

    const QString html = f.FilePath(QFileInfo(name).completeBaseName() + ".html");
    const QByteArray bytes = ReadBytes(html);
    const QString page = QString::fromUtf8(bytes);
    QCOMPARE(page.toUtf8(), bytes); // valid UTF-8
    QVERIFY2(page.contains("<title>" + title + ".html</title>"), qPrintable(page));
    QCOMPARE(page.contains(TableStart), calc);
    QCOMPARE(f.prompter.Texts(), messages);
    if (ync == 0) {
        QCOMPARE(f.prompter.messages.last().caption, QStringLiteral("Velloquin"));
        QCOMPARE(f.prompter.messages.last().buttons, MsgButtons::YesNoCancel);
    }
    QCOMPARE(f.launcher.calls.size(), 1);
    QCOMPARE(f.launcher.calls[0].kind, FakeLauncher::Call::OpenFile);
    QCOMPARE(f.launcher.calls[0].program, html);

    COrrindaleDoc *doc = frame->GetDocument();
    QCOMPARE(doc->PathName(), back ? path : html);
    QCOMPARE(Text(*frame), back ? content : page);
    QVERIFY(!doc->IsModified());
    QCOMPARE(ReadBytes(path), content.toUtf8());
    QCOMPARE(StoredYnc(f), back ? 1 : 0);
    QCOMPARE(frame->GetActiveView()->m_bRestoreAfterHtml, back ? 1 : 0);
    if (back) {
        QCOMPARE(frame->GetActiveView()->m_bCalcMode, calc ? 1 : 0);
        // Both files are in the recent-file list, the document first.
        const QString recent = QString::fromLatin1(Sections::RecentFiles);
        QCOMPARE(f.store->GetString(recent, RecentFileKey(1)), path);
        QCOMPARE(f.store->GetString(recent, RecentFileKey(2)), html);
    }
    // The window watches the file it shows from the time it was written: no question until
    // that file changes again.
    QCOMPARE(g_tFileTime, FileTimeOf(back ? path : html));
    f.prompter.messages.clear();
    frame->CheckFileChanged();
    QCOMPARE(f.prompter.Texts(), QStringList());
    SetModified(back ? path : html, QDateTime::currentDateTime().addDays(1));
    f.prompter.answers.enqueue(MsgAnswer::No);
    frame->CheckFileChanged();
    QCOMPARE(f.prompter.Texts(), QStringList{MsgText(Msg::FileChangedQuestion, false)});
}

void TestHtmlExportView::changedTextIsSavedFirstUndoKeepsIt()
{
    FrameFixture f;
    auto frame = f.MakeFrame();
    const QString path = f.WriteFile("m.zel", "1\t2\n");
    QVERIFY(frame->OpenDocumentFile(path));
    QTest::keyClicks(frame->GetActiveView(), "x\t");
    PressExportKey(*frame);
    QCOMPARE(QString::fromUtf8(ReadBytes(path)), QStringLiteral("x\t1\t2\n"));
    const QString page = QString::fromUtf8(ReadBytes(f.FilePath("m.html")));
    QVERIFY2(page.contains(QLatin1String("<td>x</td>")), qPrintable(page));
    QVERIFY(!frame->GetDocument()->IsModified());
    // The history starts at the exported document: Undo neither brings the page back nor
    // loses the document.
    for (int i = 0; i < 3; ++i) {
        frame->Router()->Execute(IdsOf(Cmd::Undo).japaneseId);
        QCOMPARE(Text(*frame), QStringLiteral("x\t1\t2\n"));
    }
    QCOMPARE(frame->GetDocument()->PathName(), path);
}

void TestHtmlExportView::unwritablePageKeepsDocument()
{
    FrameFixture f;
    auto frame = f.MakeFrame();
    const QString path = f.WriteFile("w.txt", "text\n");
    QVERIFY(QDir(f.dir.path()).mkdir("w.html")); // a folder where the page would go
    QVERIFY(frame->OpenDocumentFile(path));
    PressExportKey(*frame);
    QCOMPARE(f.prompter.messages.size(), 1); // why the page could not be written
    QVERIFY(f.prompter.messages[0].text.contains(f.FilePath("w.html")));
    QVERIFY(f.launcher.calls.isEmpty());
    QCOMPARE(frame->GetDocument()->PathName(), path);
    QCOMPARE(Text(*frame), QStringLiteral("text\n"));
    QVERIFY(!frame->GetDocument()->IsModified());
}

void TestHtmlExportView::untitledIsNamedFirst_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name"); // empty: the Save As dialog is cancelled
    QTest::addColumn<QString>("pageHolds"); // empty: no page
    QTest::newRow("typed table, named .zel: tables") << "a\tb" << "t.zel" << "<td>b</td>";
    QTest::newRow("nothing typed, named .txt") << "" << "e.txt" << "<title>e.html</title>";
    QTest::newRow("named .html: kept, no page over it") << "mine" << "n.html" << "";
    QTest::newRow("Save As cancelled: nothing exported, text kept") << "kept" << "" << "";
}

void TestHtmlExportView::untitledIsNamedFirst()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QFETCH(QString, pageHolds);
    FrameFixture f;
    auto frame = f.MakeFrame();
    QTest::keyClicks(frame->GetActiveView(), typed);
    const QString path = name.isEmpty() ? QString() : f.FilePath(name);
    if (!name.isEmpty())
        f.prompter.saveAnswers.enqueue(path);
    PressExportKey(*frame);
    QCOMPARE(f.prompter.saveFilters.size(), 1);
    QCOMPARE(frame->GetDocument()->PathName(), path);
    QCOMPARE(Text(*frame), typed);
    QCOMPARE(frame->GetDocument()->IsModified(), name.isEmpty());
    QCOMPARE(QString::fromUtf8(ReadBytes(path)), name.isEmpty() ? QString() : typed);
    if (pageHolds.isEmpty()) {
        QCOMPARE(f.prompter.Texts(),
                 name.isEmpty() ? QStringList() : QStringList{OverDocument.arg(path)});
        QVERIFY(f.launcher.calls.isEmpty());
        QCOMPARE(QDir(f.dir.path()).entryList({"*.html"}, QDir::Files),
                 name.isEmpty() ? QStringList() : QStringList{name});
        return;
    }
    const QString html = f.FilePath(QFileInfo(name).completeBaseName() + ".html");
    const QString page = QString::fromUtf8(ReadBytes(html));
    QVERIFY2(page.contains(pageHolds), qPrintable(page));
    QCOMPARE(f.launcher.calls.size(), 1);
    QVERIFY(f.prompter.messages.isEmpty());
}

void TestHtmlExportView::answerHoldsInBothPanes_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<bool>("switchOff"); // the Help menu's command instead of an answer
    QTest::newRow("Yes, then the other pane exports") << 0 << false;
    QTest::newRow("asking switched on, then the other pane exports") << 1 << true;
    QTest::newRow("switched when already asking: no toggle") << 0 << true;
}

void TestHtmlExportView::answerHoldsInBothPanes()
{
    // The choice is the program's, not one pane's: what was answered or switched in one pane
    // holds in the other.
    QFETCH(int, before);
    QFETCH(bool, switchOff);
    FrameFixture f;
    WriteSetting(*f.store, Keys::YNC, before);
    auto frame = f.MakeFrame();
    const QString path = f.WriteFile("s.txt", "split\n");
    QVERIFY(frame->OpenDocumentFile(path));
    frame->Router()->RefreshActions();
    QVERIFY(frame->Router()->Execute(IdsOf(Cmd::SplitRow).japaneseId));
    CPaneSplitter *panes = frame->Panes();
    QVERIFY(panes->Pane(1));
    panes->SetActivePane(panes->Pane(0));
    QCOMPARE(panes->Pane(1)->m_bRestoreAfterHtml, before);
    if (switchOff) {
        QVERIFY(frame->Router()->Execute(IdsOf(Cmd::HtmlMessage).japaneseId));
        QVERIFY(f.prompter.messages.isEmpty());
    } else {
        f.prompter.answers.enqueue(MsgAnswer::Yes);
        PressExportKey(*frame);
        QCOMPARE(f.prompter.messages.size(), 1);
    }
    const int expected = switchOff ? 0 : 1;
    QCOMPARE(StoredYnc(f), expected);
    panes->SetActivePane(panes->Pane(1));
    QCOMPARE(frame->GetActiveView(), panes->Pane(1));
    QCOMPARE(panes->Pane(0)->m_bRestoreAfterHtml, expected);
    QCOMPARE(panes->Pane(1)->m_bRestoreAfterHtml, expected);
    f.prompter.messages.clear();
    f.prompter.answers.enqueue(MsgAnswer::Yes);
    PressExportKey(*frame);
    QCOMPARE(f.prompter.messages.size(), switchOff ? 1 : 0);
    QCOMPARE(frame->GetDocument()->PathName(), path);
    QCOMPARE(Text(*frame), QStringLiteral("split\n"));
}

void TestHtmlExportView::exportFromTheLogPane()
{
    FrameFixture f;
    auto frame = f.MakeFrame();
    const QString path = f.WriteFile("l.tex", "a\tb\n");
    f.WriteFile("l.log", "This is a log\n");
    QVERIFY(frame->OpenDocumentFile(path));
    frame->Router()->RefreshActions();
    QVERIFY(frame->Router()->Execute(IdsOf(Cmd::CalcMode).japaneseId));
    QCOMPARE(frame->GetActiveView()->m_bCalcMode, 1);
    frame->Router()->RefreshActions();
    QVERIFY(frame->Router()->Execute(IdsOf(Cmd::LogColumn).japaneseId));
    CPaneSplitter *panes = frame->Panes();
    COrrindaleView *log = panes->Pane(0);
    QVERIFY(log->IsLogPane());
    QCOMPARE(panes->Pane(1)->m_bCalcMode, 1);
    panes->SetActivePane(log);
    Q_EMIT log->FocusGained();
    QCOMPARE(frame->GetActiveView(), log);
    PressExportKey(*frame); // made from the text pane, in its calculation mode
    const QString page = QString::fromUtf8(ReadBytes(f.FilePath("l.html")));
    QVERIFY2(page.contains(QLatin1String("<td>b</td>")), qPrintable(page));
    QCOMPARE(frame->GetDocument()->PathName(), path);
    QCOMPARE(log->toPlainText(), QStringLiteral("This is a log\n"));
    QCOMPARE(panes->Pane(1)->toPlainText(), QStringLiteral("a\tb\n"));
}

void TestHtmlExportView::commandLine_data()
{
    QTest::addColumn<QStringList>("switches");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("table");
    QTest::newRow("--calc on a text file") << QStringList{"--calc"} << true << 0 << true;
    QTest::newRow("text file without --calc") << QStringList() << true << 0 << false;
    QTest::newRow("missing file: its name on stderr") << QStringList{"--calc"} << false << 1
                                                      << false;
}

void TestHtmlExportView::commandLine()
{
    QFETCH(QStringList, switches);
    QFETCH(bool, exists);
    QFETCH(int, status);
    QFETCH(bool, table);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("c.txt"));
    if (exists) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("a\tb\n");
    }
    QProcess program;
    StartWithoutDisplay(program, QStringList{"--html", file} + switches, dir.filePath("config"));
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    const QString err = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(status == 0 ? err.isEmpty() : err.contains(file), qPrintable(err));
    const QString page = QString::fromUtf8(ReadBytes(dir.filePath(QStringLiteral("c.html"))));
    QCOMPARE(page.endsWith(QLatin1String("</body></html>")), status == 0);
    QCOMPARE(page.contains(TableStart), table);
}

QTEST_MAIN(TestHtmlExportView)
#include "tst_htmlexport_view.moc"
