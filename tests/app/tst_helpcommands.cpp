#include "app/HelpCommands.h"
#include "app/SettingsStore.h"
#include "app/UpdateCheck.h"
#include "res/Resources.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(HelpText)
Q_DECLARE_METATYPE(MenuResource)
Q_DECLARE_METATYPE(UpdateVerdict::Kind)

namespace {
// The help texts as the build lays them out for the program.
QString ReadHelp(const QString &name)
{
    QFile file(QStringLiteral(VELLOQUIN_BUILD_DIR "/share/velloquin/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
} // namespace

// The help menu's rules (files, update check, About values) and the help texts themselves.
class TestHelpCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void helpFilePerLanguage_data()
    {
        QTest::addColumn<HelpText>("which");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("file");
        QTest::newRow("description, Japanese") << HelpText::Description << false << "ReadMe.log";
        QTest::newRow("description, English") << HelpText::Description << true << "ReadMeE.log";
        QTest::newRow("calculation, English") << HelpText::CalcHelp << true << "HelpZelE.log";
        QTest::newRow("HTML manual, English window") << HelpText::HtmlManual << true << "HTMLman.log";
        QTest::newRow("installation") << HelpText::Install << false << "HelpInst.log";
    }
    void helpFilePerLanguage()
    {
        QFETCH(HelpText, which);
        QFETCH(bool, english);
        QFETCH(QString, file);
        QCOMPARE(HelpFileName(which, english), file);
        // The file goes last, after the viewer switches, so that the command line finds it.
        QCOMPARE(HelpViewerArguments(file), (QStringList{"-w0", "-m0", file}));
    }

    void versionComparedAsBytes_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("newer");
        QTest::newRow("same version") << QByteArray("2500") << false;
        QTest::newRow("next build") << QByteArray("2501") << true;
        QTest::newRow("older") << QByteArray("2499") << false;
        QTest::newRow("one digit greater") << QByteArray("3") << true;
        QTest::newRow("five digits starting with 1") << QByteArray("10000") << false;
        QTest::newRow("longer with the same start") << QByteArray("25000") << true;
        QTest::newRow("shorter prefix") << QByteArray("250") << false;
    }
    void versionComparedAsBytes()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, newer);
        QCOMPARE(IsNewerVersion(line), newer);
    }

    void versionFileJudged_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("tooLarge");
        QTest::addColumn<UpdateVerdict::Kind>("kind");
        QTest::addColumn<QByteArray>("line");
        using V = UpdateVerdict;
        QTest::newRow("this version, CR-LF") << QByteArray("2500\r\nnotes") << false << V::Newest << QByteArray("2500");
        QTest::newRow("newer, LF, more lines") << QByteArray("2501\n2.5.0.1\n") << false << V::Found << QByteArray("2501");
        QTest::newRow("newer without a line end") << QByteArray("3") << false << V::Found << QByteArray("3");
        QTest::newRow("trailing blanks") << QByteArray("2501 \t\n") << false << V::Found << QByteArray("2501");
        QTest::newRow("empty file") << QByteArray() << false << V::Newest << QByteArray();
        QTest::newRow("empty first line, version below") << QByteArray("\n2600\n") << false << V::Newest << QByteArray();
        QTest::newRow("a web page") << QByteArray("<!DOCTYPE html>\n<html>") << false << V::NotVersion << QByteArray();
        QTest::newRow("binary data") << QByteArray("\x89PNG\r\n\x1a\n", 8) << false << V::NotVersion << QByteArray();
        QTest::newRow("version then NUL bytes") << QByteArray("2501\0\0", 6) << false << V::NotVersion << QByteArray();
        QTest::newRow("cut off at the limit") << QByteArray("2501\n") << true << V::NotVersion << QByteArray();
    }
    void versionFileJudged()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, tooLarge);
        QFETCH(UpdateVerdict::Kind, kind);
        QFETCH(QByteArray, line);
        const UpdateVerdict verdict = JudgeVersionFile(body, tooLarge);
        QCOMPARE(verdict.kind, kind);
        if (kind != UpdateVerdict::NotVersion)
            QCOMPARE(verdict.line, line);
    }

    void memTotalParsed_data()
    {
        QTest::addColumn<QByteArray>("meminfo");
        QTest::addColumn<qint64>("bytes"); // -1: nothing
        QTest::newRow("first line") << QByteArray("MemTotal:       16318596 kB\nMemFree: 1 kB\n") << qint64(16318596) * 1024;
        QTest::newRow("later line") << QByteArray("Foo: 2 kB\nMemTotal: 2048 kB\n") << qint64(2048 * 1024);
        QTest::newRow("missing") << QByteArray("MemFree: 1 kB\n") << qint64(-1);
        QTest::newRow("not a number") << QByteArray("MemTotal: lots kB\n") << qint64(-1);
        QTest::newRow("zero") << QByteArray("MemTotal: 0 kB\n") << qint64(-1);
        QTest::newRow("other unit") << QByteArray("MemTotal: 16 GB\n") << qint64(-1);
    }
    void memTotalParsed()
    {
        QFETCH(QByteArray, meminfo);
        QFETCH(qint64, bytes);
        QCOMPARE(ParseMemTotal(meminfo).value_or(quint64(-1)), quint64(bytes));
    }

    void volumeNamed_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("label");
        QTest::newRow("drive root") << "C:/" << "C:";
        QTest::newRow("lower-case drive, backslash") << "d:\\" << "D:";
        QTest::newRow("Unix root") << "/" << "/";
        QTest::newRow("colon later in a mount point") << "/mnt/a:b" << "/mnt/a:b";
    }
    void volumeNamed()
    {
        QFETCH(QString, root);
        QFETCH(QString, label);
        QCOMPARE(VolumeLabel(root), label);
    }

    void aboutValuesFormatted_data()
    {
        QTest::addColumn<qint64>("memory"); // -1: unknown
        QTest::addColumn<qint64>("free");   // -1: unknown
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("memoryText");
        QTest::addColumn<QString>("diskText");
        QTest::newRow("whole kilobytes only") << qint64(4095) << qint64(1023) << "/" << "3 KB" << "0 KB Free on /";
        QTest::newRow("large disk on a mount point") << qint64(17179869184) << qint64(5000000000000) << "/home" << "16777216 KB" << "4882812500 KB Free on /home";
        QTest::newRow("nothing known") << qint64(-1) << qint64(-1) << "/" << "Unavailable" << "Unavailable";
        QTest::newRow("free space without a volume") << qint64(1024) << qint64(1024) << "" << "1 KB" << "Unavailable";
    }
    void aboutValuesFormatted()
    {
        QFETCH(qint64, memory);
        QFETCH(qint64, free);
        QFETCH(QString, where);
        QFETCH(QString, memoryText);
        QFETCH(QString, diskText);
        DiskFacts disk;
        disk.where = where;
        if (free >= 0)
            disk.freeBytes = quint64(free);
        QCOMPARE(FormatMemory(memory >= 0 ? std::optional<quint64>(memory) : std::nullopt), memoryText);
        QCOMPARE(FormatFreeDisk(disk), diskText);
    }

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

    void addressesAreSettings_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("web page") << "WebPageURL" << "";
        QTest::newRow("version file") << "UpdateURL" << "VelloquinV.txt";
        QTest::newRow("download") << "DownloadURL" << "Velloquin.zip";
    }
    void addressesAreSettings()
    {
        QFETCH(QString, key);
        QFETCH(QString, fileName);
        MemorySettingsStore store;
        const auto read = [&] {
            return key == "WebPageURL" ? WebPageUrl(store) : key == "UpdateURL" ? VersionFileUrl(store) : DownloadUrl(store);
        };
        const QString byDefault = read();
        QVERIFY2(byDefault.startsWith("https://") && byDefault.endsWith(fileName), qPrintable(byDefault));
        store.WriteString(QStringLiteral("Settings"), key, QStringLiteral("http://127.0.0.1:1/x"));
        QCOMPARE(read(), QStringLiteral("http://127.0.0.1:1/x"));
    }

    // ---- the help texts ------------------------------------------------------------------

    void plainUtf8Text_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("minLines");
        QTest::newRow("Japanese description") << "ReadMe.log" << 300;
        QTest::newRow("English description") << "ReadMeE.log" << 300;
        QTest::newRow("Japanese calculation") << "HelpZel.log" << 200;
        QTest::newRow("English calculation") << "HelpZelE.log" << 200;
        QTest::newRow("HTML manual") << "HTMLman.log" << 100;
        QTest::newRow("installation") << "HelpInst.log" << 100;
    }
    void plainUtf8Text()
    {
        QFETCH(QString, file);
        QFETCH(int, minLines);
        QFile f(QStringLiteral(VELLOQUIN_BUILD_DIR "/share/velloquin/") + file);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(file));
        const QByteArray bytes = f.readAll();
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(bytes);
        QVERIFY2(!utf8.hasError() && !bytes.startsWith("\xEF\xBB\xBF"), "not plain UTF-8");
        for (const char c : {'\r', '\t', '\0'})
            QVERIFY2(!bytes.contains(c), qPrintable(QString::number(c)));
        QVERIFY(bytes.endsWith('\n'));
        QVERIFY2(bytes.count('\n') >= minLines, qPrintable(QString::number(bytes.count('\n'))));
        // Trailing blanks would show as marks in the viewer.
        QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[ \\x{3000}]\\n"))));
    }

    void everyMenuItemDescribed_data()
    {
        QTest::addColumn<MenuResource>("menu");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("file");
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

    // The evaluator, the markup and the installation are not menu items: each is explained.
    void featuresExplained_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("words");
        for (const char *zel : {"HelpZel.log", "HelpZelE.log"}) {
            QTest::addRow("%s: line ending in =", zel) << zel << "1+2*3=7.0";
            QTest::addRow("%s: man", zel) << zel << "3man2500+5000=";
            QTest::addRow("%s: value line", zel) << zel << "10.0, if x1=3, x2=4";
            QTest::addRow("%s: settings line", zel) << zel << "% TAB=";
        }
        QTest::newRow("ja: 万") << "HelpZel.log" << "3万2500";
        QTest::newRow("ja: parenthesis message") << "HelpZel.log" << "( が足りません。";
        QTest::newRow("HTML: title") << "HTMLman.log" << "\\title=";
        QTest::newRow("HTML: rule") << "HTMLman.log" << "\\-";
        QTest::newRow("HTML: coloured heading") << "HTMLman.log" << "\\h2r ";
        QTest::newRow("HTML: decoration") << "HTMLman.log" << "{\\rB ";
        QTest::newRow("HTML: unclosed decoration") << "HTMLman.log" << "に対応する終わりの } がありません。";
        QTest::newRow("install: packages") << "HelpInst.log" << "texlive-lang-japanese";
        QTest::newRow("install: cmake") << "HelpInst.log" << "cmake --install build";
        QTest::newRow("install: package") << "HelpInst.log" << "cpack -G DEB";
        QTest::newRow("en: settings of the addresses") << "ReadMeE.log" << "UpdateURL";
    }
    void featuresExplained()
    {
        QFETCH(QString, file);
        QFETCH(QString, words);
        QVERIFY2(ReadHelp(file).contains(words), qPrintable(file + QLatin1String(": ") + words));
    }
};

QTEST_GUILESS_MAIN(TestHelpCommands)
#include "tst_helpcommands.moc"
