#include "support/Columns.h"
#include "app/HelpCommands.h"
#include "app/InstallDir.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "res/Messages.h"
#include "support/Headless.h"

#include <QtTest>

namespace {
// What the rule answers, what it stores and what it answers again (the frame and the view both
// apply it): stored null for nothing stored; program "file", "folder" or "none".
QStringList InstallDir(const QString &stored, const QString &dataDir, const QString &program)
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("velloquin"));
    if (program == "file")
        WriteBytes(path, {});
    else if (program == "folder")
        path = dir.path();
    MemorySettingsStore store;
    if (!stored.isNull())
        WriteSetting(store, Keys::InstDir, stored);
    const QString first = ApplyInstallDirRule(store, dataDir, path);
    return {first, ReadSetting(store, Keys::InstDir), ApplyInstallDirRule(store, dataDir, path)};
}
// The data folder found for a program in programDir, among folders made below a temporary one
// ("=file": a file of that name), relative to it.
QString DataDir(const QStringList &folders, const QString &programDir)
{
    QTemporaryDir dir;
    for (const QString &f : folders)
        f.endsWith("=file") ? void(WriteBytes(dir.filePath(f.chopped(5)), {})) : void(QDir(dir.path()).mkpath(f));
    const QString found = FindDataDir(dir.filePath(programDir));
    return found.isEmpty() ? found : QDir(dir.path()).relativeFilePath(found);
}
} // namespace

// The program as a person starts it from a terminal, where it finds its data, and the built
// program installed into a temporary prefix as `cmake --install` does for a user.
class TestInstall : public QObject {
    Q_OBJECT
    QTemporaryDir m_prefix;
    QString Installed(const QString &path) const { return QDir(m_prefix.path()).filePath(path); }

private Q_SLOTS:
    void printsWithoutAWindow_data()
    {
        // contains: after the first line, "Velloquin 2.5.0.0"
        Columns<QStringList, int, QString>({"arguments", "english", "contains"});
        QTest::newRow("--version with a file") << QStringList{"a.tex", "--version"} << 0 << "";
        QTest::newRow("--help japanese") << QStringList{"--help"} << 0 << "使い方: velloquin [-w0] [-w1] [-m0]";
        QTest::newRow("--help english") << QStringList{"--help"} << 1 << "Usage: velloquin [-w0] [-w1] [-m0] [--line N] [FILE]";
    }
    void printsWithoutAWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, english);
        QFETCH(QString, contains);
        QTemporaryDir config;
        WriteBytes(config.filePath("Velloquin.ini"), QStringLiteral("[Settings]\nEnglish=%1\n").arg(english).toUtf8());
        QProcess program;
        StartWithoutDisplay(program, arguments, config.path());
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        QCOMPARE(out.section(QLatin1Char('\n'), 0, 0), QStringLiteral("Velloquin 2.5.0.0"));
        QVERIFY2(out.contains(contains), qPrintable(out));
        QCOMPARE(program.readAllStandardError(), QByteArray());
    }

    void rules_data()
    {
        RuleColumns();
        const QString data = QStringLiteral("/opt/velloquin/share/velloquin");
        const QString old = QStringLiteral("/usr/share/velloquin");
        Rule("install folder: first start, program file not needed", InstallDir(QString(), data, "none"), {data, data, data});
        Rule("install folder: first start without data folder stays empty", InstallDir(QString(), QString(), "file"), {"", "", ""});
        Rule("install folder: moved program corrects stale value", InstallDir(old, data, "file"), {data, data, data});
        Rule("install folder: started elsewhere keeps stored value", InstallDir(old, data, "none"), {old, old, old});
        Rule("install folder: a folder is no program file", InstallDir(old, data, "folder"), {old, old, old});
        Rule("install folder: case differs is another folder", InstallDir("/OPT/velloquin/share/velloquin", data, "file"), {data, data, data});
        Rule("install folder: no data folder keeps stored value", InstallDir(old, QString(), "file"), {old, old, old});
        Rule("data folder: build tree", DataDir({"build/share/velloquin"}, "build"), "build/share/velloquin");
        Rule("data folder: installed under a prefix", DataDir({"p/bin", "p/share/velloquin"}, "p/bin"), "p/share/velloquin");
        Rule("data folder: beside the program wins", DataDir({"p/bin/share/velloquin", "p/share/velloquin"}, "p/bin"), "p/bin/share/velloquin");
        Rule("data folder: other program's data is not ours", DataDir({"r/bin", "r/share/other"}, "r/bin"), "");
        Rule("data folder: a file of that name is no folder", DataDir({"b/share", "b/share/velloquin=file"}, "b"), "");
    }
    void rules() { CompareRule(); }

    void install()
    {
        QProcess cmake;
        cmake.setProcessChannelMode(QProcess::MergedChannels);
        cmake.start(QStringLiteral(VELLOQUIN_CMAKE_COMMAND), {"--install", VELLOQUIN_BUILD_DIR, "--prefix", m_prefix.path()});
        QVERIFY(cmake.waitForFinished(240000));
        QVERIFY2(cmake.exitStatus() == QProcess::NormalExit && cmake.exitCode() == 0, cmake.readAll().constData());
    }

    void filesInstalled_data()
    {
        Columns<QString, QString>({"path", "source"});
        for (HelpText which : {HelpText::Description, HelpText::CalcHelp, HelpText::HtmlManual, HelpText::Install}) {
            for (bool english : {false, true}) {
                const QString name = HelpFileName(which, english);
                QTest::addRow("%s %d", qPrintable(name), english) << "share/velloquin/" + name << "data/" + name;
            }
        }
        QTest::newRow("menu entry") << "share/applications/velloquin.desktop" << "res/desktop/velloquin.desktop";
        QTest::newRow("icon") << "share/icons/hicolor/scalable/apps/velloquin.svg" << "res/desktop/velloquin.svg";
        QTest::newRow("file type") << "share/mime/packages/velloquin.xml" << "res/desktop/velloquin.xml";
    }
    void filesInstalled()
    {
        QFETCH(QString, path);
        QFETCH(QString, source);
        const QByteArray bytes = ReadBytes(Installed(path));
        QVERIFY2(!bytes.isEmpty(), qPrintable(path));
        QCOMPARE(bytes, ReadBytes(QStringLiteral(VELLOQUIN_SOURCE_DIR "/") + source));
    }

    void programFindsItsData()
    {
        const QString bin = Installed(QStringLiteral("bin"));
        QCOMPARE(QFileInfo(FindDataDir(bin)).canonicalFilePath(), QFileInfo(Installed("share/velloquin")).canonicalFilePath());
    }

    // The libraries the program loads, as the dynamic loader reports each one it initialises:
    // the switches for scripts get Qt Core alone, the editor finds its window library in the
    // build tree and where it is installed, and a program without it says why it stops.
    void librariesLoaded_data()
    {
        QTest::addColumn<QString>("where"); // "build", "installed" or "alone" (copied elsewhere)
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("window");
        QTest::newRow("--version installed") << "installed" << QStringList{"--version"} << false;
        QTest::newRow("--help") << "build" << QStringList{"--help"} << false;
        QTest::newRow("--eval") << "build" << QStringList{"--eval", "1+2="} << false;
        QTest::newRow("--html") << "build" << QStringList{"--html", "none.tex"} << false;
        QTest::newRow("--merge-commands") << "build" << QStringList{"--merge-commands", "none.mme", "none.tex"} << false;
        QTest::newRow("--tex") << "build" << QStringList{"--tex", "none.tex"} << false;
        QTest::newRow("window") << "build" << QStringList{} << true;
        QTest::newRow("window installed") << "installed" << QStringList{"a.tex"} << true;
        QTest::newRow("window library missing") << "alone" << QStringList{} << false;
    }
    void librariesLoaded()
    {
        QFETCH(QString, where);
        QFETCH(QStringList, arguments);
        QFETCH(bool, window);
        QTemporaryDir dir;
        QString program = QStringLiteral(VELLOQUIN_PROGRAM);
        QString prefix = QStringLiteral(VELLOQUIN_BUILD_DIR);
        if (where == "installed") {
            program = Installed("bin/velloquin");
            prefix = m_prefix.path();
        } else if (where == "alone") {
            program = dir.filePath("velloquin");
            QVERIFY(QFile::copy(QStringLiteral(VELLOQUIN_PROGRAM), program));
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LD_DEBUG", "libs");
        env.insert("VELLOQUIN_CONFIG_DIR", dir.path());
        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(dir.path());
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        const QRegularExpression init(QStringLiteral("calling init: (\\S+)"));
        QStringList loaded;
        QByteArray output;
        // The editor runs until it is stopped: it is, once its library is there.
        while (!(window && loaded.join(' ').contains("libvelloquin-window")) && process.waitForReadyRead(60000)) {
            output += process.readAll();
            loaded.clear();
            for (auto m = init.globalMatch(QString::fromUtf8(output)); m.hasNext();)
                loaded << m.next().captured(1);
        }
        process.kill();
        process.waitForFinished();
        const QString all = loaded.join(' ');
        QVERIFY2(all.contains("libQt6Core.so"), output.constData());
        QCOMPARE(all.contains("libQt6Gui.so") || all.contains("libQt6Widgets.so"), window);
        QCOMPARE(all.contains(QDir::cleanPath(prefix + "/lib") + '/'), window);
        if (where == "alone") {
            QCOMPARE(process.exitCode(), 1);
            QVERIFY2(QString::fromUtf8(output).contains(MsgText(Msg::WindowLibraryFailed, false).section("%1", 0, 0)), output.constData());
        }
    }

    // The menu entry opens TeX files and tables with the icon installed; the table type is text.
    void desktopIntegration()
    {
        QHash<QByteArray, QString> entry;
        const QByteArray desktop = ReadBytes(Installed("share/applications/velloquin.desktop"));
        QVERIFY(desktop.startsWith("[Desktop Entry]\n"));
        for (const QByteArray &line : desktop.split('\n'))
            entry.insert(line.left(line.indexOf('=')), QString::fromUtf8(line.mid(line.indexOf('=') + 1)));
        QVERIFY2(entry["MimeType"].split(';').contains("text/x-tex") && entry["MimeType"].split(';').contains("text/x-velloquin-zel"), qPrintable(entry["MimeType"]));
        QVERIFY(entry["Exec"].contains("velloquin %f"));
        QCOMPARE(entry["Type"], QStringLiteral("Application"));
        const auto wellFormed = [](const QByteArray &bytes) {
            QXmlStreamReader xml(bytes);
            while (!xml.atEnd())
                xml.readNext();
            return !bytes.isEmpty() && !xml.hasError();
        };
        QVERIFY(wellFormed(ReadBytes(Installed("share/icons/hicolor/scalable/apps/" + entry["Icon"] + ".svg"))));
        const QByteArray mime = ReadBytes(Installed("share/mime/packages/velloquin.xml"));
        QVERIFY(wellFormed(mime));
        for (const char *wanted : {"<mime-type type=\"text/x-velloquin-zel\">", "<glob pattern=\"*.zel\"/>", "<sub-class-of type=\"text/plain\"/>"})
            QVERIFY2(mime.contains(wanted), wanted);
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
