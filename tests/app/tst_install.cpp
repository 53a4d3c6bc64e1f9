#include "app/HelpCommands.h"
#include "app/InstallDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {
QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The value of a key in the [Desktop Entry] group of a .desktop file.
QString DesktopValue(const QByteArray &entry, const QByteArray &key)
{
    for (const QByteArray &line : entry.split('\n')) {
        if (line.startsWith(key + '='))
            return QString::fromUtf8(line.mid(key.size() + 1));
    }
    return {};
}
} // namespace

// Installs the built program into a temporary prefix, as `cmake --install` does for a user.
class TestInstall : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void filesInstalled_data();
    void filesInstalled();
    void programFindsItsData();
    void desktopEntryOpensTeXAndTables_data();
    void desktopEntryOpensTeXAndTables();
    void tableFileTypeDeclared();

private:
    QTemporaryDir m_prefix;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    QProcess cmake;
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QStringLiteral(VELLOQUIN_CMAKE_COMMAND),
                {QStringLiteral("--install"), QStringLiteral(VELLOQUIN_BUILD_DIR),
                 QStringLiteral("--prefix"), m_prefix.path()});
    QVERIFY(cmake.waitForFinished(240000));
    QVERIFY2(cmake.exitStatus() == QProcess::NormalExit && cmake.exitCode() == 0,
             cmake.readAll().constData());
}

void TestInstall::filesInstalled_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("source"); // empty: nothing to compare with
    QTest::newRow("program") << "bin/velloquin" << "";
    for (HelpText which : {HelpText::Description, HelpText::CalcHelp, HelpText::HtmlManual,
                           HelpText::Install}) {
        for (bool english : {false, true}) {
            const QString name = HelpFileName(which, english);
            QTest::addRow("%s", qPrintable(name))
                << QStringLiteral("share/velloquin/") + name
                << QStringLiteral("data/") + name;
        }
    }
    QTest::newRow("menu entry") << "share/applications/velloquin.desktop"
                                << "res/desktop/velloquin.desktop";
    QTest::newRow("icon") << "share/icons/hicolor/scalable/apps/velloquin.svg"
                          << "res/desktop/velloquin.svg";
    QTest::newRow("file type") << "share/mime/packages/velloquin.xml"
                               << "res/desktop/velloquin.xml";
}

void TestInstall::filesInstalled()
{
    QFETCH(QString, path);
    QFETCH(QString, source);
    const QFileInfo installed(QDir(m_prefix.path()).filePath(path));
    QVERIFY2(installed.isFile(), qPrintable(path));
    if (source.isEmpty()) {
        QVERIFY(installed.isExecutable());
        return;
    }
    const QByteArray bytes = ReadAll(installed.filePath());
    QVERIFY(!bytes.isEmpty());
    QCOMPARE(bytes, ReadAll(QStringLiteral(VELLOQUIN_SOURCE_DIR "/") + source));
}

void TestInstall::programFindsItsData()
{
    const QString bin = QDir(m_prefix.path()).filePath(QStringLiteral("bin"));
    const QString data = FindDataDir(bin);
    QCOMPARE(QFileInfo(data).canonicalFilePath(),
             QFileInfo(QDir(m_prefix.path()).filePath(QStringLiteral("share/velloquin")))
                 .canonicalFilePath());
    // The installed program starts and answers from its new place.
    QProcess program;
    program.start(QDir(bin).filePath(QStringLiteral("velloquin")), {QStringLiteral("--version")});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(program.readAllStandardOutput().contains("2.5.0.0"));
}

void TestInstall::desktopEntryOpensTeXAndTables_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("part");
    QTest::newRow("TeX files") << "MimeType" << "text/x-tex;";
    QTest::newRow("tables") << "MimeType" << "text/x-velloquin-zel;";
    QTest::newRow("file handed over") << "Exec" << "velloquin %f";
    QTest::newRow("icon by theme name") << "Icon" << "velloquin";
    QTest::newRow("an application") << "Type" << "Application";
}

void TestInstall::desktopEntryOpensTeXAndTables()
{
    QFETCH(QString, key);
    QFETCH(QString, part);
    const QByteArray entry = ReadAll(QDir(m_prefix.path()).filePath(
        QStringLiteral("share/applications/velloquin.desktop")));
    QVERIFY(entry.startsWith("[Desktop Entry]\n"));
    QVERIFY2(DesktopValue(entry, key.toUtf8()).contains(part),
             qPrintable(DesktopValue(entry, key.toUtf8())));
    // The icon named is the file installed into the theme.
    QVERIFY(QFileInfo::exists(QDir(m_prefix.path()).filePath(
        QStringLiteral("share/icons/hicolor/scalable/apps/")
        + DesktopValue(entry, "Icon") + QStringLiteral(".svg"))));
}

void TestInstall::tableFileTypeDeclared()
{
    QXmlStreamReader xml(ReadAll(QDir(m_prefix.path()).filePath(
        QStringLiteral("share/mime/packages/velloquin.xml"))));
    QString type;
    QStringList globs;
    bool textSubclass = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("mime-type"))
            type = xml.attributes().value(QLatin1String("type")).toString();
        else if (xml.name() == QLatin1String("glob"))
            globs << xml.attributes().value(QLatin1String("pattern")).toString();
        else if (xml.name() == QLatin1String("sub-class-of"))
            textSubclass = xml.attributes().value(QLatin1String("type"))
                           == QLatin1String("text/plain");
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(type, QStringLiteral("text/x-velloquin-zel"));
    QVERIFY(globs.contains(QStringLiteral("*.zel")));
    QVERIFY(textSubclass);
    // The icon is well-formed SVG too.
    QXmlStreamReader svg(ReadAll(QDir(m_prefix.path()).filePath(
        QStringLiteral("share/icons/hicolor/scalable/apps/velloquin.svg"))));
    while (!svg.atEnd())
        svg.readNext();
    QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
