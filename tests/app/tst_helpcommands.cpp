#include "support/Columns.h"
#include "app/HelpCommands.h"
#include "app/SettingsStore.h"
#include "app/UpdateCheck.h"
#include "res/Resources.h"

#include <QtTest>

Q_DECLARE_METATYPE(MenuResource)

namespace {
// The help texts as the build lays them out for the program.
QString ReadHelp(const QString &name) { return QString::fromUtf8(ReadBytes(QStringLiteral(VELLOQUIN_BUILD_DIR "/share/velloquin/") + name)); }
// The verdict on a version file as "found 2501", "newest 2500" or "not a version".
QString Judged(const QByteArray &body, bool tooLarge = false)
{
    const UpdateVerdict v = JudgeVersionFile(body, tooLarge);
    if (v.kind == UpdateVerdict::NotVersion)
        return QStringLiteral("not a version");
    return (v.kind == UpdateVerdict::Found ? QStringLiteral("found ") : QStringLiteral("newest ")) + QString::fromLatin1(v.line);
}
} // namespace

// The help menu's rules (files, update check, About values) and the help texts themselves.
class TestHelpCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The rules that are plain functions of their input, one row each.
    void rules_data()
    {
        RuleColumns();
        const auto row = RuleRow;
        row("description, Japanese", HelpFileName(HelpText::Description, false), "ReadMe.log");
        row("description, English", HelpFileName(HelpText::Description, true), "ReadMeE.log");
        row("HTML manual, English window", HelpFileName(HelpText::HtmlManual, true), "HTMLman.log");
        // The file goes last, after the viewer switches, so that the command line finds it.
        row("viewer arguments", HelpViewerArguments("ReadMe.log"), QStringList{"-w0", "-m0", "ReadMe.log"});
        // Versions compare as bytes: "10000" is older than "2500".
        row("same version", IsNewerVersion("2500"), false);
        row("next build", IsNewerVersion("2501"), true);
        row("older", IsNewerVersion("2499"), false);
        row("one digit greater", IsNewerVersion("3"), true);
        row("five digits starting with 1", IsNewerVersion("10000"), false);
        row("longer with the same start", IsNewerVersion("25000"), true);
        row("shorter prefix", IsNewerVersion("250"), false);
        row("this version, CR-LF", Judged("2500\r\nnotes"), "newest 2500");
        row("newer, LF, more lines", Judged("2501\n2.5.0.1\n"), "found 2501");
        row("newer without a line end", Judged("3"), "found 3");
        row("trailing blanks", Judged("2501 \t\n"), "found 2501");
        row("empty file", Judged(""), "newest ");
        row("empty first line, version below", Judged("\n2600\n"), "newest ");
        row("a web page", Judged("<!DOCTYPE html>\n<html>"), "not a version");
        row("binary data", Judged(QByteArray("\x89PNG\r\n\x1a\n", 8)), "not a version");
        row("version then NUL bytes", Judged(QByteArray("2501\0\0", 6)), "not a version");
        row("cut off at the limit", Judged("2501\n", true), "not a version");
        row("memory on the first line", ParseMemTotal("MemTotal:       16318596 kB\nMemFree: 1 kB\n").value_or(0), quint64(16318596) * 1024);
        row("memory on a later line", ParseMemTotal("Foo: 2 kB\nMemTotal: 2048 kB\n").value_or(0), quint64(2048 * 1024));
        row("memory missing", ParseMemTotal("MemFree: 1 kB\n").has_value(), false);
        row("memory not a number", ParseMemTotal("MemTotal: lots kB\n").has_value(), false);
        row("memory zero", ParseMemTotal("MemTotal: 0 kB\n").has_value(), false);
        row("memory in another unit", ParseMemTotal("MemTotal: 16 GB\n").has_value(), false);
        row("drive root", VolumeLabel("C:/"), "C:");
        row("lower-case drive, backslash", VolumeLabel("d:\\"), "D:");
        row("Unix root", VolumeLabel("/"), "/");
        row("colon later in a mount point", VolumeLabel("/mnt/a:b"), "/mnt/a:b");
        row("memory in whole kilobytes", FormatMemory(4095), "3 KB");
        row("memory unknown", FormatMemory(std::nullopt), "Unavailable");
        row("free disk in whole kilobytes", FormatFreeDisk(DiskFacts{1023, "/"}), "0 KB Free on /");
        row("large disk on a mount point", FormatFreeDisk(DiskFacts{5000000000000, "/home"}), "4882812500 KB Free on /home");
        row("free disk unknown", FormatFreeDisk(DiskFacts{std::nullopt, "/"}), "Unavailable");
        row("free space without a volume", FormatFreeDisk(DiskFacts{1024, ""}), "Unavailable");
    }
    void rules() { CompareRule(); }

    void freeDiskOfTheWorkingFolder()
    {
        QTemporaryDir dir;
        const DiskFacts disk = FreeDiskOf(dir.path());
        QVERIFY(disk.freeBytes.has_value());
        // The volume named is the one that holds the folder.
        const QString canonical = QDir(dir.path()).canonicalPath();
        QVERIFY2(canonical.startsWith(disk.where), qPrintable(disk.where + " / " + canonical));
        QVERIFY(PhysicalMemoryBytes().value_or(0) > 0);
    }

    // The addresses are settings, with the project's pages as defaults.
    void addressesAreSettings()
    {
        MemorySettingsStore store;
        QVERIFY(WebPageUrl(store).startsWith("https://"));
        QVERIFY(VersionFileUrl(store).startsWith("https://") && VersionFileUrl(store).endsWith("VelloquinV.txt"));
        QVERIFY(DownloadUrl(store).startsWith("https://") && DownloadUrl(store).endsWith("Velloquin.zip"));
        for (const char *key : {"WebPageURL", "UpdateURL", "DownloadURL"})
            store.WriteString(QStringLiteral("Settings"), key, QStringLiteral("http://127.0.0.1:1/") + key);
        QCOMPARE(QStringList({WebPageUrl(store), VersionFileUrl(store), DownloadUrl(store)}), QStringList({"http://127.0.0.1:1/WebPageURL", "http://127.0.0.1:1/UpdateURL", "http://127.0.0.1:1/DownloadURL"}));
    }

    // Each text is plain UTF-8 and explains what no menu item names: the evaluator, the markup,
    // the installation.
    void plainUtf8Text_data()
    {
        Columns<QString, int, QStringList>({"file", "minLines", "explains"});
        QTest::newRow("Japanese description") << "ReadMe.log" << 300 << QStringList{};
        QTest::newRow("English description") << "ReadMeE.log" << 300 << QStringList{"UpdateURL"};
        QTest::newRow("Japanese calculation") << "HelpZel.log" << 200 << QStringList{"1+2*3=7.0", "10.0, if x1=3, x2=4", "% TAB=", "3万2500"};
        QTest::newRow("English calculation") << "HelpZelE.log" << 200 << QStringList{"1+2*3=7.0", "10.0, if x1=3, x2=4", "% TAB="};
        QTest::newRow("HTML manual") << "HTMLman.log" << 100 << QStringList{"\\title=", "\\h2r ", "{\\rB "};
        QTest::newRow("installation") << "HelpInst.log" << 100 << QStringList{"texlive-lang-japanese", "cmake --install build"};
    }
    void plainUtf8Text()
    {
        QFETCH(QString, file);
        QFETCH(int, minLines);
        const QByteArray bytes = ReadBytes(QStringLiteral(VELLOQUIN_BUILD_DIR "/share/velloquin/") + file);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(bytes);
        QVERIFY2(!utf8.hasError() && !bytes.startsWith("\xEF\xBB\xBF"), "not plain UTF-8");
        for (const char c : {'\r', '\t', '\0'})
            QVERIFY2(!bytes.contains(c), qPrintable(QString::number(c)));
        QVERIFY(bytes.endsWith('\n'));
        QVERIFY2(bytes.count('\n') >= minLines, qPrintable(QString::number(bytes.count('\n'))));
        // Trailing blanks would show as marks in the viewer.
        QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[ \\x{3000}]\\n"))));
        QFETCH(QStringList, explains);
        for (const QString &words : explains)
            QVERIFY2(text.contains(words), qPrintable(words));
    }

    void everyMenuItemDescribed_data()
    {
        Columns<MenuResource, bool, QString>({"menu", "english", "file"});
        QTest::newRow("Japanese menu bar") << MenuResource::Main << false << "ReadMe.log";
        QTest::newRow("English menu bar") << MenuResource::Main << true << "ReadMeE.log";
        QTest::newRow("Japanese calculation menu") << MenuResource::ContextCalc << false << "HelpZel.log";
        QTest::newRow("English calculation menu") << MenuResource::ContextCalc << true << "HelpZelE.log";
    }
    void everyMenuItemDescribed()
    {
        QFETCH(MenuResource, menu);
        QFETCH(bool, english);
        QFETCH(QString, file);
        const QString help = ReadHelp(file).simplified();
        QVERIFY(!help.isEmpty());
        QStringList missing;
        for (const MenuEntry &entry : MenuTable(menu, english)) {
            // The recent-file placeholder is replaced by file names.
            if (entry.kind == MenuEntryKind::Separator || entry.id == 57616)
                continue;
            // As a reader looks for it: without the shortcut, the mnemonic and its brackets.
            QString words = QString::fromUtf8(entry.text).section(QLatin1Char('\t'), 0, 0);
            words.remove(QRegularExpression(QStringLiteral("\\(\\s*&\\S\\s*\\)"))).remove(QLatin1Char('&'));
            words = words.simplified();
            if (!words.isEmpty() && !help.contains(words))
                missing << words;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(" | "))));
    }
};

QTEST_GUILESS_MAIN(TestHelpCommands)
#include "tst_helpcommands.moc"
