#include "app/HelpCommands.h"
#include "app/InstallDir.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "res/Messages.h"
#include "support/Headless.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {
QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("english");
        QTest::addColumn<QString>("contains"); // after the first line, "Velloquin 2.5.0.0"
        QTest::newRow("--version with a file") << QStringList{"a.tex", "--version"} << 0 << "";
        QTest::newRow("--help japanese") << QStringList{"--help"} << 0 << "使い方: velloquin [-w0] [-w1] [-m0]";
        QTest::newRow("--help english") << QStringList{"--help"} << 1 << "Usage: velloquin [-w0] [-w1] [-m0] [FILE]";
    }
    void printsWithoutAWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, english);
        QFETCH(QString, contains);
        QTemporaryDir config;
        QFile ini(config.filePath("Velloquin.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly) && ini.write(QStringLiteral("[Settings]\nEnglish=%1\n").arg(english).toUtf8()) > 0);
        ini.close();
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

    void installDirRule_data()
    {
        QTest::addColumn<QString>("stored"); // null: nothing stored
        QTest::addColumn<QString>("dataDir");
        QTest::addColumn<QString>("program"); // "file", "folder" or "none"
        QTest::addColumn<QString>("expected"); // returned and stored afterwards
        const QString data = QStringLiteral("/opt/velloquin/share/velloquin");
        const QString old = QStringLiteral("/usr/share/velloquin");
        QTest::newRow("first start, program file not needed") << QString() << data << "none" << data;
        QTest::newRow("first start without data folder stays empty") << QString() << QString() << "file" << QString();
        QTest::newRow("moved program corrects stale value") << old << data << "file" << data;
        QTest::newRow("started elsewhere keeps stored value") << old << data << "none" << old;
        QTest::newRow("a folder is no program file") << old << data << "folder" << old;
        QTest::newRow("case differs is another folder") << "/OPT/velloquin/share/velloquin" << data << "file" << data;
        QTest::newRow("no data folder keeps stored value") << old << QString() << "file" << old;
    }
    void installDirRule()
    {
        QFETCH(QString, stored);
        QFETCH(QString, dataDir);
        QFETCH(QString, program);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("velloquin"));
        if (program == "file")
            QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        else if (program == "folder")
            path = dir.path();
        MemorySettingsStore store;
        if (!stored.isNull())
            WriteSetting(store, Keys::InstDir, stored);
        QCOMPARE(ApplyInstallDirRule(store, dataDir, path), expected);
        QCOMPARE(ReadSetting(store, Keys::InstDir), expected);
        // The frame and the view both apply the rule; the second run must agree.
        QCOMPARE(ApplyInstallDirRule(store, dataDir, path), expected);
    }

    void findDataDir_data()
    {
        QTest::addColumn<QStringList>("folders"); // made below a temporary folder
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<QString>("expected"); // null: none
        QTest::newRow("build tree") << QStringList{"build/share/velloquin"} << "build" << "build/share/velloquin";
        QTest::newRow("installed under a prefix") << QStringList{"p/bin", "p/share/velloquin"} << "p/bin" << "p/share/velloquin";
        QTest::newRow("beside the program wins") << QStringList{"p/bin/share/velloquin", "p/share/velloquin"} << "p/bin" << "p/bin/share/velloquin";
        QTest::newRow("other program's data is not ours") << QStringList{"r/bin", "r/share/other"} << "r/bin" << QString();
        QTest::newRow("a file of that name is no folder") << QStringList{"b/share", "b/share/velloquin=file"} << "b" << QString();
    }
    void findDataDir()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, programDir);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        for (const QString &f : folders) {
            if (f.endsWith("=file"))
                QVERIFY(QFile(dir.filePath(f.chopped(5))).open(QIODevice::WriteOnly));
            else
                QVERIFY(QDir(dir.path()).mkpath(f));
        }
        const QString found = FindDataDir(dir.filePath(programDir));
        QCOMPARE(found, expected.isNull() ? QString() : QDir::cleanPath(dir.filePath(expected)));
    }

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
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("source");
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
        const QByteArray bytes = ReadAll(Installed(path));
        QVERIFY2(!bytes.isEmpty(), qPrintable(path));
        QCOMPARE(bytes, ReadAll(QStringLiteral(VELLOQUIN_SOURCE_DIR "/") + source));
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
        const QByteArray desktop = ReadAll(Installed("share/applications/velloquin.desktop"));
        QVERIFY(desktop.startsWith("[Desktop Entry]\n"));
        for (const QByteArray &line : desktop.split('\n'))
            entry.insert(line.left(line.indexOf('=')), QString::fromUtf8(line.mid(line.indexOf('=') + 1)));
        QVERIFY2(entry["MimeType"].split(';').contains("text/x-tex") && entry["MimeType"].split(';').contains("text/x-velloquin-zel"), qPrintable(entry["MimeType"]));
        QVERIFY(entry["Exec"].contains("velloquin %f"));
        QCOMPARE(entry["Type"], QStringLiteral("Application"));
        const QByteArray svg = ReadAll(Installed("share/icons/hicolor/scalable/apps/" + entry["Icon"] + ".svg"));
        QVERIFY(!svg.isEmpty());
        for (QXmlStreamReader icon(svg); !icon.atEnd();)
            QVERIFY2(icon.readNext() != QXmlStreamReader::Invalid, qPrintable(icon.errorString()));

        QXmlStreamReader xml(ReadAll(Installed("share/mime/packages/velloquin.xml")));
        QStringList seen;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement) {
                for (const QLatin1String attribute : {QLatin1String("type"), QLatin1String("pattern")})
                    if (xml.attributes().hasAttribute(attribute))
                        seen << xml.name().toString() + '=' + xml.attributes().value(attribute).toString();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        for (const char *wanted : {"mime-type=text/x-velloquin-zel", "glob=*.zel", "sub-class-of=text/plain"})
            QVERIFY2(seen.contains(wanted), qPrintable(seen.join(" ")));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
