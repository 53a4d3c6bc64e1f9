#include "app/TextFile.h"

#include "support/FakePrompter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QByteArray Encode(const QString &text, const char *encoding)
{
    // Stateless, so ISO-2022-JP ends with its return to ASCII.
    QStringEncoder encoder(encoding, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError())
        qFatal("fixture text cannot be encoded in %s", encoding);
    return bytes;
}

QByteArray Utf8(const char *text)
{
    return QByteArray(text);
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

bool RunningAsRoot()
{
#ifdef Q_OS_UNIX
    return geteuid() == 0;
#else
    return false;
#endif
}

// Sets PATH for one test and puts it back, so the search for nkf sees only what the test wants.
class PathGuard {
public:
    explicit PathGuard(const QByteArray &path) : m_old(qgetenv("PATH")) { qputenv("PATH", path); }
    ~PathGuard() { qputenv("PATH", m_old); }

private:
    QByteArray m_old;
};

#ifdef Q_OS_UNIX
// A stand-in for nkf: a shell script with the given body, to be put alone on PATH.
QString FakeNkf(const QTemporaryDir &bin, const QByteArray &body)
{
    const QString script = bin.filePath(QStringLiteral("nkf"));
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\nPATH=/usr/bin:/bin\n" + body) < 0)
        return QString();
    file.close();
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return script;
}
#endif

// Deletes a file behind the command's back when the first question is shown, so that the
// deletion of that file fails (root may delete anything, so permissions cannot do this).
class SabotagePrompter : public FakePrompter {
public:
    QString victim;
    MsgAnswer Message(const MessageRequest &request) override
    {
        if (!victim.isEmpty()) {
            QFile::remove(victim);
            victim.clear();
        }
        return FakePrompter::Message(request);
    }
};

const QString kSample = QString::fromUtf8("\\section{日本語}\n表ソ能ｱｲｳ①\n");

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decodesEveryEncoding_data();
    void decodesEveryEncoding();
    void fallbackGuess_data();
    void fallbackGuess();
    void nkfAnswer_data();
    void nkfAnswer();
    void nkfSeesASampleFirst_data();
    void nkfSeesASampleFirst();
    void loadErrors_data();
    void loadErrors();
    void folderHasBackups_data();
    void folderHasBackups();
    void deleteBackups_data();
    void deleteBackups();
};

void TestTextFile::decodesEveryEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<bool>("needsNkf");

    const QString sjisText = QString::fromUtf8("表示、ソフト、能力\n\\section{表}\\\\\n");
    const QString kana = QString::fromUtf8("ﾃｽﾄです。ｶﾀｶﾅﾞ\n");
    const QString nec = QString::fromUtf8("①Ⅱ㈱ⅰ纊髙\n");
    // 紆 is E4 FE in EUC-JP, which is no Shift_JIS character: the guess does not hang on nkf.
    const QString euc = QString::fromUtf8("日本語のテキスト、紆余曲折\n");
    const QString eucKana = QString::fromUtf8("ﾃｽﾄ紆\n");
    const QString eucPlain = QString::fromUtf8("日本語のテキストです。\n");
    const QString jis = QString::fromUtf8("日本語のテキスト\nabc\n");

    QTest::newRow("utf-8") << kSample.toUtf8() << kSample << "UTF-8" << false;
    QTest::newRow("utf-8 with BOM") << QByteArray("\xEF\xBB\xBF") + kSample.toUtf8() << kSample
                                    << "UTF-8" << false;
    QTest::newRow("ascii") << Utf8("\\documentclass{jarticle}\n")
                           << "\\documentclass{jarticle}\n" << "UTF-8" << false;
    QTest::newRow("shift_jis, second byte 0x5c") << Encode(sjisText, "windows-31j") << sjisText
                                                 << "Shift_JIS" << false;
    QTest::newRow("shift_jis, half-width kana") << Encode(kana, "windows-31j") << kana
                                                << "Shift_JIS" << false;
    QTest::newRow("cp932 NEC and IBM extensions") << Encode(nec, "windows-31j") << nec
                                                  << "Shift_JIS" << false;
    QTest::newRow("euc-jp") << Encode(euc, "EUC-JP") << euc << "EUC-JP" << false;
    QTest::newRow("euc-jp, half-width kana") << Encode(eucKana, "EUC-JP") << eucKana << "EUC-JP"
                                             << false;
    QTest::newRow("euc-jp also valid as cp932") << Encode(eucPlain, "EUC-JP") << eucPlain
                                                << "EUC-JP" << true;
    QTest::newRow("iso-2022-jp") << Encode(jis, "ISO-2022-JP") << jis << "ISO-2022-JP" << false;
    QTest::newRow("empty file") << QByteArray() << "" << "UTF-8" << false;
    QTest::newRow("CR-LF, CR and LF mixed") << Utf8("a\r\nb\rc\nd") << "a\nb\nc\nd" << "UTF-8"
                                            << false;
    QTest::newRow("CR CR-LF is two breaks") << Utf8("a\r\r\nb") << "a\n\nb" << "UTF-8" << false;
    QTest::newRow("LF CR is two breaks") << Utf8("a\n\rb") << "a\n\nb" << "UTF-8" << false;
    QTest::newRow("CR as last byte") << Utf8("a\r") << "a\n" << "UTF-8" << false;
    QTest::newRow("shift_jis with CR-LF") << Encode(QString::fromUtf8("表\r\n"), "windows-31j")
                                          << QString::fromUtf8("表\n") << "Shift_JIS" << false;
    const QString breaks = QString::fromUtf8("a\u2028b\u2029c\uFDD0\uFDD1\uFFFC\u00A0😀\n");
    QTest::newRow("line and paragraph separators, the widget's own breaks")
        << breaks.toUtf8() << breaks << "UTF-8" << false;
    QTest::newRow("BOM only") << QByteArray("\xEF\xBB\xBF") << "" << "UTF-8" << false;
}

void TestTextFile::decodesEveryEncoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QString, encoding);
    QFETCH(bool, needsNkf);
    if (needsNkf && QStandardPaths::findExecutable(QStringLiteral("nkf")).isEmpty())
        QSKIP("only nkf tells this encoding apart");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("doc.tex"));
    WriteBytes(path, bytes);

    // The program holds the widget's breaks in its own way; nothing else changes.
    const QString held = HoldWidgetBreaks(text);
    QCOMPARE(held.size(), text.size());
    const LoadResult loaded = LoadTextFile(path);
    QCOMPARE(loaded.error, LoadError::None);
    QCOMPARE(loaded.text, held);
    QVERIFY(!loaded.text.isNull());
    QCOMPARE(loaded.encoding, encoding);
    QCOMPARE(loaded.fileSize, qint64(bytes.size()));
    QCOMPARE(loaded.stamp, StampOf(path));
    QCOMPARE(DecodeText(bytes, GuessEncoding(bytes)), held);

    // Saved back, it is UTF-8 without BOM, every character as it was.
    const QString copy = dir.filePath(QStringLiteral("copy.tex"));
    QCOMPARE(SaveTextFile(copy, loaded.text).error, WriteError::None);
    QCOMPARE(ReadBytes(copy), text.toUtf8());
}

void TestTextFile::fallbackGuess_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("encoding");

    QTest::newRow("ascii reads as utf-8") << Utf8("\\begin{document}\n") << "UTF-8";
    QTest::newRow("utf-8") << kSample.toUtf8() << "UTF-8";
    QTest::newRow("iso-2022-jp before utf-8")
        << Encode(QString::fromUtf8("漢字\n"), "ISO-2022-JP") << "ISO-2022-JP";
    QTest::newRow("iso-2022-jp, old escape ESC $ @") << Utf8("\x1b$@$\"\x1b(B") << "ISO-2022-JP";
    QTest::newRow("7-bit with a terminal escape is utf-8") << Utf8("\x1b[0m red\n") << "UTF-8";
    QTest::newRow("8-bit with a JIS escape is utf-8")
        << QByteArray("\x1b$B") + QString::fromUtf8("表").toUtf8() << "UTF-8";
    QTest::newRow("shift_jis, second byte 0x5c")
        << Encode(QString::fromUtf8("表ソ能\\n"), "windows-31j") << "windows-31j";
    QTest::newRow("half-width kana only") << Utf8("\xB1\xB2\xB3") << "windows-31j";
    QTest::newRow("cp932 extensions") << Encode(QString::fromUtf8("①纊"), "windows-31j")
                                      << "windows-31j";
    QTest::newRow("truncated utf-8 is not utf-8") << Utf8("\xE8\xA1") << "windows-31j";
    QTest::newRow("euc-jp that is no shift_jis")
        << Encode(QString::fromUtf8("紆余曲折\n"), "EUC-JP") << "EUC-JP";
    QTest::newRow("valid in none") << Utf8("\xFF\xFE\xFD") << "";
}

void TestTextFile::fallbackGuess()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, encoding);

    QCOMPARE(GuessEncodingWithoutNkf(bytes), encoding);
    QCOMPARE(DecodeText(bytes, GuessEncodingWithoutNkf(bytes)).isNull(), encoding.isEmpty());

    // With no nkf to be found, GuessEncoding is the fallback.
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    const PathGuard path(QFile::encodeName(empty.path()));
    QVERIFY(QStandardPaths::findExecutable(QStringLiteral("nkf")).isEmpty());
    QCOMPARE(GuessEncoding(bytes), encoding);
}

void TestTextFile::nkfAnswer_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("encoding");

    const QByteArray sjis = Encode(QString::fromUtf8("表①"), "windows-31j");
    // Each of these reads differently in the fallback, so only the answer explains the result.
    const QByteArray utf8AndSjis = QString::fromUtf8("表").toUtf8(); // E8 A1 A8
    const QByteArray jisEscapes("\x1b$B$\"\x1b(B");
    const QByteArray euc = Encode(QString::fromUtf8("日本語のテキスト"), "EUC-JP");
    const QByteArray jisKana("\x1b(I1\x1b(B"); // half-width kana, no ESC $ B

    QTest::newRow("CP932 reads as windows-31j") << QByteArray("CP932\n") << 0 << utf8AndSjis
                                                << "windows-31j";
    QTest::newRow("Shift_JIS reads as windows-31j") << QByteArray("Shift_JIS\n") << 0
                                                    << utf8AndSjis << "windows-31j";
    QTest::newRow("ASCII reads as utf-8") << QByteArray("ASCII\n") << 0 << jisEscapes << "UTF-8";
    QTest::newRow("EUC-JP") << QByteArray("EUC-JP\n") << 0 << euc << "EUC-JP";
    QTest::newRow("ISO-2022-JP") << QByteArray("ISO-2022-JP\n") << 0 << jisKana
                                 << "ISO-2022-JP";
    QTest::newRow("answer with CR-LF") << QByteArray("UTF-8\r\n") << 0 << jisEscapes << "UTF-8";
    QTest::newRow("wrong guess falls back") << QByteArray("EUC-JP\n") << 0 << utf8AndSjis
                                            << "UTF-8";
    QTest::newRow("BINARY falls back") << QByteArray("BINARY\n") << 0 << sjis << "windows-31j";
    QTest::newRow("unknown name falls back") << QByteArray("UTF-16\n") << 0 << sjis
                                             << "windows-31j";
    QTest::newRow("no answer falls back") << QByteArray() << 1 << sjis << "windows-31j";
    QTest::newRow("wrong guess, valid in none") << QByteArray("Shift_JIS\n") << 0
                                                << Utf8("\xFF\xFE\xFD") << "";
}

void TestTextFile::nkfAnswer()
{
#ifndef Q_OS_UNIX
    QSKIP("the stand-in for nkf is a shell script");
#else
    QFETCH(QByteArray, answer);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, encoding);

    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    QByteArray printed;
    for (const char c : answer)
        printed += "\\" + QByteArray::number(static_cast<unsigned char>(c), 8);
    const QString script = FakeNkf(bin, "cat >/dev/null\nprintf '" + printed + "'\nexit "
                                             + QByteArray::number(exitCode) + "\n");
    const PathGuard path(QFile::encodeName(bin.path()));
    QCOMPARE(QStandardPaths::findExecutable(QStringLiteral("nkf")), script);

    QCOMPARE(GuessEncoding(bytes), encoding);

    const QString doc = bin.filePath(QStringLiteral("doc.tex"));
    WriteBytes(doc, bytes);
    const LoadResult loaded = LoadTextFile(doc);
    if (encoding.isEmpty()) {
        QCOMPARE(loaded.error, LoadError::Undecodable);
    } else {
        QCOMPARE(loaded.error, LoadError::None);
        QCOMPARE(loaded.text, DecodeText(bytes, encoding));
    }
#endif
}

void TestTextFile::nkfSeesASampleFirst_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QList<qint64>>("sizes"); // of what nkf was given, run by run

    // 100 KiB of ASCII, then 1.4 MiB of EUC-JP.
    const qint64 ascii = 100 * 1024;
    QByteArray large(ascii - 1, 'x');
    large += '\n';
    const QByteArray line = Encode(QString::fromUtf8("日本語のテキストです。\n"), "EUC-JP");
    while (large.size() < 1536 * 1024)
        large += line;
    // From the first 8-bit byte, at most 1 MiB, whole lines.
    const qint64 sample = (1024 * 1024 / line.size()) * line.size();
    const QByteArray bySize =
        "if [ \"$n\" -gt 1048576 ]; then echo EUC-JP; else echo UTF-8; fi\n";

    QTest::newRow("plain ASCII needs no nkf") << QByteArray("echo EUC-JP\n")
                                             << QByteArray(2 * 1024 * 1024, 'a') << "UTF-8"
                                             << QList<qint64>();
    QTest::newRow("the sample's answer fits") << QByteArray("echo EUC-JP\n") << large << "EUC-JP"
                                              << QList<qint64>{sample};
    QTest::newRow("the sample's answer does not fit")
        << bySize << large << "EUC-JP" << QList<qint64>{sample, qint64(large.size())};
    QTest::newRow("a small file is not asked twice")
        << bySize << QByteArray("abc\n" + line) << "EUC-JP" << QList<qint64>{qint64(line.size())};
}

void TestTextFile::nkfSeesASampleFirst()
{
#ifndef Q_OS_UNIX
    QSKIP("the stand-in for nkf is a shell script");
#else
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, encoding);
    QFETCH(QList<qint64>, sizes);

    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    const QString log = bin.filePath(QStringLiteral("sizes.log"));
    QVERIFY(!FakeNkf(bin, "n=$(wc -c)\necho $n >>'" + QFile::encodeName(log) + "'\n" + script)
                 .isEmpty());
    const PathGuard path(QFile::encodeName(bin.path()));

    QCOMPARE(GuessEncoding(bytes), encoding);
    QList<qint64> given;
    for (const QByteArray &n : ReadBytes(log).split('\n')) {
        if (!n.trimmed().isEmpty())
            given << n.trimmed().toLongLong();
    }
    QCOMPARE(given, sizes);
#endif
}

void TestTextFile::loadErrors_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("japanese");

    const int missing = int(LoadError::Missing), folder = int(LoadError::Folder);
    const int binary = int(LoadError::Binary), tooLarge = int(LoadError::TooLarge);
    const int unreadable = int(LoadError::Unreadable);
    const int undecodable = int(LoadError::Undecodable);

    QTest::newRow("missing") << "missing" << missing << "The file does not exist:\n{path}"
                             << QString::fromUtf8("ファイルがありません。\n{path}");
    QTest::newRow("folder") << "folder" << folder << "This is a folder, not a file:\n{path}"
                            << QString::fromUtf8("これはファイルではなく、フォルダです。\n{path}");
    const QString binaryEn =
        "This file is not a text file (it holds NUL bytes) and was not opened:\n{path}";
    const QString binaryJa = QString::fromUtf8(
        "テキストファイルではありません（NUL バイトを含みます）。開きませんでした。\n{path}");
    QTest::newRow("NUL in the middle") << "nul-middle" << binary << binaryEn << binaryJa;
    QTest::newRow("UTF-16 is binary") << "utf-16" << binary << binaryEn << binaryJa;
    QTest::newRow("exactly 64 MiB is read") << "limit" << binary << binaryEn << binaryJa;
    QTest::newRow("one byte over 64 MiB")
        << "over" << tooLarge << "This file is too large to open (64.1 MB; at most 64 MB):\n{path}"
        << QString::fromUtf8("ファイルが大きすぎて開けません（64.1 MB、上限 64 MB）。\n{path}");
    QTest::newRow("undecodable")
        << "undecodable" << undecodable
        << "The characters of this file are in no encoding the program knows; it was not "
           "opened:\n{path}"
        << QString::fromUtf8("このファイルの文字コードを判別できません。開きませんでした。\n{path}");
    const QString unreadableEn = "The file cannot be read:\n{path}\n{detail}";
    const QString unreadableJa = QString::fromUtf8("ファイルを読み込めません。\n{path}\n{detail}");
    QTest::newRow("no read permission") << "no-permission" << unreadable << unreadableEn
                                        << unreadableJa;
    QTest::newRow("named pipe") << "fifo" << unreadable << unreadableEn << unreadableJa;
}

void TestTextFile::loadErrors()
{
    QFETCH(QString, setup);
    QFETCH(int, error);
    QFETCH(QString, english);
    QFETCH(QString, japanese);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("doc.tex"));
    if (setup == u"folder") {
        QVERIFY(QDir().mkdir(path));
    } else if (setup == u"nul-middle") {
        WriteBytes(path, QByteArray("abc\0def", 7));
    } else if (setup == u"utf-16") {
        WriteBytes(path, QByteArray("\xFF\xFE" "a\0b\0", 6));
    } else if (setup == u"limit" || setup == u"over") {
        // Sparse: no disk space is used.
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(MaxDocumentBytes + (setup == u"over" ? 1 : 0)));
    } else if (setup == u"undecodable") {
        WriteBytes(path, QByteArray("\\section{\xFF\xFE}"));
    } else if (setup == u"no-permission") {
        if (RunningAsRoot())
            QSKIP("root reads any file");
        WriteBytes(path, QByteArray("abc"));
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    } else if (setup == u"fifo") {
#ifdef Q_OS_UNIX
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
#else
        QSKIP("no named pipes in the file system");
#endif
    }

    const LoadResult loaded = LoadTextFile(path);
    QCOMPARE(int(loaded.error), error);
    QVERIFY(loaded.text.isEmpty());
    if (loaded.error == LoadError::Unreadable)
        QVERIFY(!loaded.detail.isEmpty());
    const QString native = QDir::toNativeSeparators(path);
    english.replace(QStringLiteral("{path}"), native)
        .replace(QStringLiteral("{detail}"), loaded.detail);
    japanese.replace(QStringLiteral("{path}"), native)
        .replace(QStringLiteral("{detail}"), loaded.detail);
    QCOMPARE(LoadErrorMessage(loaded, path, true), english);
    QCOMPARE(LoadErrorMessage(loaded, path, false), japanese);
}

void TestTextFile::folderHasBackups_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<bool>("has");

    QTest::newRow("no files") << QStringList() << QStringList() << false;
    QTest::newRow("no backups") << QStringList{"a.tex", "bak", "a.bak.tex"} << QStringList()
                                << false;
    QTest::newRow("only a folder named .bak") << QStringList{"a.tex"} << QStringList{"old.bak"}
                                             << false;
    QTest::newRow("one backup") << QStringList{"a.tex", "a.tex.bak"} << QStringList() << true;
    QTest::newRow("hidden backup") << QStringList{".latexmkrc.bak"} << QStringList() << true;
}

void TestTextFile::folderHasBackups()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(bool, has);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &name : files)
        WriteBytes(dir.filePath(name), "x");
    for (const QString &name : folders)
        QVERIFY(QDir(dir.path()).mkdir(name));
    const QString folder = dir.path() + QLatin1Char('/');
    QCOMPARE(FolderHasBackups(folder), has);
    QCOMPARE(FolderHasBackups(dir.path()), has);
    QVERIFY(!FolderHasBackups(QString()));

    // Nothing to delete: not even the question.
    if (!has) {
        FakePrompter prompter;
        DeleteBackups(folder, prompter, true);
        QVERIFY(prompter.messages.isEmpty());
    }
}

void TestTextFile::deleteBackups_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("answers");   // one letter per message: Y, N, C, O (OK)
    QTest::addColumn<QString>("victim");    // removed behind the command's back
    QTest::addColumn<QStringList>("shown"); // M mode, F:<name> ask, X failed, E:<n>, A:<n>
    QTest::addColumn<QStringList>("remaining");

    const QStringList all{"a.tex.bak", "b.tex.bak", "c.txt.bak"};
    // The texts of both languages take turns; each row's answers are what matters.
    QTest::newRow("cancel at the first question") << false << "C" << "" << QStringList{"M"} << all;
    QTest::newRow("yes, cancel at the first file")
        << true << "YC" << "" << QStringList{"M", "F:a.tex.bak"} << all;
    QTest::newRow("yes, then yes no yes")
        << false << "YYNYO" << ""
        << QStringList{"M", "F:a.tex.bak", "F:b.tex.bak", "F:c.txt.bak", "E:2"}
        << QStringList{"b.tex.bak"};
    QTest::newRow("yes, cancel after deleting")
        << true << "YYYC" << "" << QStringList{"M", "F:a.tex.bak", "F:b.tex.bak", "F:c.txt.bak"}
        << QStringList{"c.txt.bak"};
    QTest::newRow("yes, a deletion fails")
        << false << "YYYOO" << "b.tex.bak"
        << QStringList{"M", "F:a.tex.bak", "F:b.tex.bak", "X", "E:1"} << QStringList{"c.txt.bak"};
    QTest::newRow("yes, a deletion fails, english")
        << true << "YYYOO" << "b.tex.bak"
        << QStringList{"M", "F:a.tex.bak", "F:b.tex.bak", "X", "E:1"} << QStringList{"c.txt.bak"};
    QTest::newRow("no deletes all") << false << "NO" << "" << QStringList{"M", "A:3"}
                                    << QStringList();
    QTest::newRow("no deletes all, english") << true << "NO" << "" << QStringList{"M", "A:3"}
                                             << QStringList();
    QTest::newRow("no, a deletion fails")
        << true << "NOO" << "b.tex.bak" << QStringList{"M", "X", "E:1"}
        << QStringList{"c.txt.bak"};
}

void TestTextFile::deleteBackups()
{
    QFETCH(bool, english);
    QFETCH(QString, answers);
    QFETCH(QString, victim);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, remaining);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char *name : {"c.txt.bak", "a.tex.bak", "b.tex.bak", "a.tex", "notes.txt"})
        WriteBytes(dir.filePath(QString::fromLatin1(name)), "x");
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub.bak")));
    const QString folder = dir.path() + QLatin1Char('/');

    SabotagePrompter prompter;
    if (!victim.isEmpty())
        prompter.victim = folder + victim;
    for (const QChar c : answers) {
        prompter.answers.enqueue(c == u'Y'   ? MsgAnswer::Yes
                                 : c == u'N' ? MsgAnswer::No
                                 : c == u'O' ? MsgAnswer::Ok
                                             : MsgAnswer::Cancel);
    }

    DeleteBackups(folder, prompter, english);

    QCOMPARE(prompter.unexpected, 0);
    QVERIFY(prompter.answers.isEmpty());
    QCOMPARE(prompter.messages.size(), shown.size());
    for (int i = 0; i < shown.size(); ++i) {
        const MessageRequest &m = prompter.messages[i];
        const QString code = shown[i].left(1);
        const QString arg = shown[i].mid(2);
        QString text;
        MsgButtons buttons = MsgButtons::Ok;
        MsgIcon icon = MsgIcon::Information;
        int defaultButton = 0;
        if (code == u"M") {
            text = english ? "Delete all backup file of the current folder\n" + folder
                                 + "\nDo you want to check each deleting files? \nIf you choose "
                                   "\"No\", then delete all file with no check."
                           : folder
                                 + QString::fromUtf8(
                                     " \nにある全てのバックアップファイルを削除します。\n"
                                     "1つずつ確認しながら削除しますか？\n"
                                     "「いいえ」を選択すると確認せずに全て消します。");
            buttons = MsgButtons::YesNoCancel;
            icon = MsgIcon::Question;
            defaultButton = 1;
        } else if (code == u"F") {
            text = english ? "Is it OK to delete the file\n" + folder + arg
                           : folder + arg + QString::fromUtf8("\nこのファイルを削除しますか？");
            buttons = MsgButtons::YesNoCancel;
            icon = MsgIcon::Question;
        } else if (code == u"X") {
            text = QStringLiteral("Failed to delete backup files");
            icon = MsgIcon::Exclamation;
        } else if (code == u"E") {
            text = english ? "Deleted " + arg + "-backup files of the folder\n" + folder
                           : folder + QString::fromUtf8(" \nにある ") + arg
                                 + QString::fromUtf8(" 個のバックアップファイルを削除しました！");
        } else {
            text = english ? "Succeeded to delete all backup files (" + arg
                                 + " files) of the folder\n" + folder
                           : folder + QString::fromUtf8(" \nにある全てのバックアップファイル（")
                                 + arg + QString::fromUtf8(" 個）の削除に成功しました！");
        }
        QCOMPARE(m.text, text);
        QCOMPARE(m.caption, QStringLiteral("Velloquin"));
        QCOMPARE(m.buttons, buttons);
        QCOMPARE(m.icon, icon);
        QCOMPARE(m.defaultButton, defaultButton);
    }

    QStringList expected = remaining;
    expected << "a.tex" << "notes.txt" << "sub.bak";
    expected.sort();
    QCOMPARE(Entries(dir.path()), expected);
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
