#include "support/Columns.h"
#include "app/TextFile.h"
#include "res/Messages.h"

#include "support/FakePrompter.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

Q_DECLARE_METATYPE(LoadError)

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
QByteArray Sjis(const char *utf8) { return Encode(QString::fromUtf8(utf8), "windows-31j"); }
QByteArray Euc(const char *utf8) { return Encode(QString::fromUtf8(utf8), "EUC-JP"); }

// Sets PATH until the guard goes, so the search for nkf sees only what the test wants.
auto OnlyOnPath(const QString &folder)
{
    auto restore = qScopeGuard([old = qgetenv("PATH")] { qputenv("PATH", old); });
    qputenv("PATH", QFile::encodeName(folder));
    return restore;
}

// A stand-in for nkf: a shell script with the given body, to be put alone on PATH.
QString FakeNkf(const QTemporaryDir &bin, const QByteArray &body)
{
    const QString script = WriteBytes(bin.filePath(QStringLiteral("nkf")), "#!/bin/sh\nPATH=/usr/bin:/bin\n" + body);
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return script;
}

// Deletes a file behind the command's back when the first question is shown, so that the
// deletion of that file fails (root may delete anything, so permissions cannot do this).
class SabotagePrompter : public FakePrompter {
public:
    QString victim;
    MsgAnswer Message(const MessageRequest &request) override
    {
        if (!victim.isEmpty())
            QFile::remove(std::exchange(victim, QString()));
        return FakePrompter::Message(request);
    }
};

QList<bool> HasBackups(const QStringList &files)
{
    QTemporaryDir dir;
    for (const QString &name : files)
        name.endsWith('/') ? void(QDir(dir.path()).mkdir(name)) : void(WriteBytes(dir.filePath(name), "x"));
    const bool has = FolderHasBackups(dir.path() + u'/');
    FakePrompter prompter;
    if (!has)
        DeleteBackups(dir.path() + u'/', prompter, true);
    return {has, FolderHasBackups(dir.path()), prompter.messages.isEmpty()};
}

const QString kSample = QString::fromUtf8("\\section{日本語}\n表ソ能ｱｲｳ①\n");
} // namespace

// Reading a document: the encoding guess with and without nkf, line breaks, refusals; and
// deleting the folder's backups.
class TestTextFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decodesEveryEncoding_data()
    {
        Columns<QByteArray, QString, QString, bool>({"bytes", "text", "encoding", "needsNkf"});
        const QString sjis = QString::fromUtf8("表示、ソフト、能力\n\\section{表}\\\\\n");
        const QString kana = QString::fromUtf8("ﾃｽﾄです。ｶﾀｶﾅﾞ\n"), nec = QString::fromUtf8("①Ⅱ㈱ⅰ纊髙\n");
        // 紆 is E4 FE in EUC-JP, which is no Shift_JIS character: the guess does not hang on nkf.
        const QString euc = QString::fromUtf8("日本語のテキスト、紆余曲折\n"), eucKana = QString::fromUtf8("ﾃｽﾄ紆\n");
        const QString eucPlain = QString::fromUtf8("日本語のテキストです。\n"), jis = QString::fromUtf8("日本語のテキスト\nabc\n");
        const QString breaks = QString::fromUtf8("a\u2028b\u2029c\uFDD0\uFDD1\uFFFC\u00A0😀\n");
        QTest::newRow("utf-8") << kSample.toUtf8() << kSample << "UTF-8" << false;
        QTest::newRow("utf-8 with BOM") << "\xEF\xBB\xBF" + kSample.toUtf8() << kSample << "UTF-8" << false;
        QTest::newRow("BOM only") << QByteArray("\xEF\xBB\xBF") << "" << "UTF-8" << false;
        QTest::newRow("empty file") << QByteArray() << "" << "UTF-8" << false;
        QTest::newRow("shift_jis, second byte 0x5c") << Encode(sjis, "windows-31j") << sjis << "Shift_JIS" << false;
        QTest::newRow("shift_jis, half-width kana") << Encode(kana, "windows-31j") << kana << "Shift_JIS" << false;
        QTest::newRow("cp932 NEC and IBM extensions") << Encode(nec, "windows-31j") << nec << "Shift_JIS" << false;
        QTest::newRow("euc-jp") << Encode(euc, "EUC-JP") << euc << "EUC-JP" << false;
        QTest::newRow("euc-jp, half-width kana") << Encode(eucKana, "EUC-JP") << eucKana << "EUC-JP" << false;
        QTest::newRow("euc-jp also valid as cp932") << Encode(eucPlain, "EUC-JP") << eucPlain << "EUC-JP" << true;
        QTest::newRow("iso-2022-jp") << Encode(jis, "ISO-2022-JP") << jis << "ISO-2022-JP" << false;
        QTest::newRow("CR-LF, CR and LF mixed") << QByteArray("a\r\nb\rc\nd") << "a\nb\nc\nd" << "UTF-8" << false;
        QTest::newRow("CR CR-LF is two breaks") << QByteArray("a\r\r\nb") << "a\n\nb" << "UTF-8" << false;
        QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << "a\n\nb" << "UTF-8" << false;
        QTest::newRow("CR as last byte") << QByteArray("a\r") << "a\n" << "UTF-8" << false;
        QTest::newRow("line and paragraph separators, the widget's own breaks") << breaks.toUtf8() << breaks << "UTF-8" << false;
    }
    void decodesEveryEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QString, encoding);
        QFETCH(bool, needsNkf);
        if (needsNkf && QStandardPaths::findExecutable(QStringLiteral("nkf")).isEmpty())
            QSKIP("only nkf tells this encoding apart");
        QTemporaryDir dir;
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
        // Saved back, it is UTF-8 without BOM, every character as it was.
        const QString copy = dir.filePath(QStringLiteral("copy.tex"));
        QCOMPARE(SaveTextFile(copy, loaded.text).error, WriteError::None);
        QCOMPARE(ReadBytes(copy), text.toUtf8());
    }

    void fallbackGuess_data()
    {
        Columns<QByteArray, QString>({"bytes", "encoding"});
        QTest::newRow("ascii reads as utf-8") << QByteArray("\\begin{document}\n") << "UTF-8";
        QTest::newRow("iso-2022-jp before utf-8") << Encode(QString::fromUtf8("漢字\n"), "ISO-2022-JP") << "ISO-2022-JP";
        QTest::newRow("iso-2022-jp, old escape ESC $ @") << QByteArray("\x1b$@$\"\x1b(B") << "ISO-2022-JP";
        QTest::newRow("7-bit with a terminal escape is utf-8") << QByteArray("\x1b[0m red\n") << "UTF-8";
        QTest::newRow("8-bit with a JIS escape is utf-8") << "\x1b$B" + QString::fromUtf8("表").toUtf8() << "UTF-8";
        QTest::newRow("shift_jis, second byte 0x5c") << Sjis("表ソ能\\n") << "windows-31j";
        QTest::newRow("half-width kana only") << QByteArray("\xB1\xB2\xB3") << "windows-31j";
        QTest::newRow("truncated utf-8 is not utf-8") << QByteArray("\xE8\xA1") << "windows-31j";
        QTest::newRow("euc-jp that is no shift_jis") << Euc("紆余曲折\n") << "EUC-JP";
        QTest::newRow("valid in none") << QByteArray("\xFF\xFE\xFD") << "";
    }
    void fallbackGuess()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, encoding);
        QCOMPARE(GuessEncodingWithoutNkf(bytes), encoding);
        QCOMPARE(DecodeText(bytes, encoding).isNull(), encoding.isEmpty());
        // With no nkf to be found, GuessEncoding is the fallback.
        QTemporaryDir empty;
        const auto path = OnlyOnPath(empty.path());
        QCOMPARE(GuessEncoding(bytes), encoding);
    }

    // Each row's bytes read differently in the fallback, so only nkf's answer explains the result.
    void nkfAnswer_data()
    {
        // answer: empty: nkf fails
        Columns<QByteArray, QByteArray, QString>({"answer", "bytes", "encoding"});
        const QByteArray sjis = Sjis("表①"), utf8AndSjis = QString::fromUtf8("表").toUtf8(); // E8 A1 A8
        const QByteArray jisEscapes("\x1b$B$\"\x1b(B"), jisKana("\x1b(I1\x1b(B"); // kana, no ESC $ B
        QTest::newRow("CP932 reads as windows-31j") << QByteArray("CP932\n") << utf8AndSjis << "windows-31j";
        QTest::newRow("CP932 after a plain first line") << QByteArray("CP932\n") << "\\documentclass{jarticle}\r\n" + utf8AndSjis << "windows-31j";
        QTest::newRow("Shift_JIS reads as windows-31j") << QByteArray("Shift_JIS\n") << utf8AndSjis << "windows-31j";
        QTest::newRow("ASCII reads as utf-8") << QByteArray("ASCII\n") << jisEscapes << "UTF-8";
        QTest::newRow("EUC-JP") << QByteArray("EUC-JP\n") << Euc("日本語のテキスト") << "EUC-JP";
        QTest::newRow("ISO-2022-JP") << QByteArray("ISO-2022-JP\n") << jisKana << "ISO-2022-JP";
        QTest::newRow("answer with CR-LF") << QByteArray("UTF-8\r\n") << jisEscapes << "UTF-8";
        QTest::newRow("wrong guess falls back") << QByteArray("EUC-JP\n") << utf8AndSjis << "UTF-8";
        QTest::newRow("BINARY falls back") << QByteArray("BINARY\n") << sjis << "windows-31j";
        QTest::newRow("unknown name falls back") << QByteArray("UTF-16\n") << sjis << "windows-31j";
        QTest::newRow("no answer falls back") << QByteArray() << sjis << "windows-31j";
        QTest::newRow("wrong guess, valid in none") << QByteArray("Shift_JIS\n") << QByteArray("\xFF\xFE\xFD") << "";
    }
    void nkfAnswer()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, encoding);
        QTemporaryDir bin;
        QByteArray printed;
        for (const char c : answer)
            printed += "\\" + QByteArray::number(static_cast<unsigned char>(c), 8);
        const QString script = FakeNkf(bin, "cat >/dev/null\nprintf '" + printed + "'\nexit " + (answer.isEmpty() ? "1" : "0") + "\n");
        const auto path = OnlyOnPath(bin.path());
        QCOMPARE(QStandardPaths::findExecutable(QStringLiteral("nkf")), script);
        QCOMPARE(GuessEncoding(bytes), encoding);
        const QString doc = bin.filePath(QStringLiteral("doc.tex"));
        WriteBytes(doc, bytes);
        const LoadResult loaded = LoadTextFile(doc);
        QCOMPARE(loaded.error, encoding.isEmpty() ? LoadError::Undecodable : LoadError::None);
        QCOMPARE(loaded.text, encoding.isEmpty() ? QString() : DecodeText(bytes, encoding));
        // The first line alone reads the same, whether nkf is asked or not.
        const LoadResult first = LoadFirstLine(doc);
        const qsizetype end = loaded.text.indexOf('\n');
        QCOMPARE(first.error, loaded.error);
        QCOMPARE(first.text, end < 0 ? loaded.text : loaded.text.left(end + 1));
    }

    void nkfSeesASampleFirst_data()
    {
        // sizes: of what nkf was given, run by run
        Columns<QByteArray, QByteArray, QString, QList<qint64>>({"script", "bytes", "encoding", "sizes"});
        // 100 KiB of ASCII, then 1.4 MiB of EUC-JP; the sample is at most 1 MiB of whole lines
        // from the first 8-bit byte.
        QByteArray large(100 * 1024 - 1, 'x');
        large += '\n';
        const QByteArray line = Euc("日本語のテキストです。\n");
        while (large.size() < 1536 * 1024)
            large += line;
        const qint64 sample = (1024 * 1024 / line.size()) * line.size();
        const QByteArray bySize = "if [ \"$n\" -gt 1048576 ]; then echo EUC-JP; else echo UTF-8; fi\n";
        QTest::newRow("plain ASCII needs no nkf") << QByteArray("echo EUC-JP\n") << QByteArray(2 << 20, 'a') << "UTF-8" << QList<qint64>();
        QTest::newRow("the sample's answer fits") << QByteArray("echo EUC-JP\n") << large << "EUC-JP" << QList<qint64>{sample};
        QTest::newRow("the sample's answer does not fit") << bySize << large << "EUC-JP" << QList<qint64>{sample, qint64(large.size())};
        QTest::newRow("a small file is not asked twice") << bySize << QByteArray("abc\n" + line) << "EUC-JP" << QList<qint64>{qint64(line.size())};
    }
    void nkfSeesASampleFirst()
    {
        QFETCH(QByteArray, script);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, encoding);
        QFETCH(QList<qint64>, sizes);
        QTemporaryDir bin;
        const QString log = bin.filePath(QStringLiteral("sizes.log"));
        QVERIFY(!FakeNkf(bin, "n=$(wc -c)\necho $n >>'" + QFile::encodeName(log) + "'\n" + script).isEmpty());
        const auto path = OnlyOnPath(bin.path());
        QCOMPARE(GuessEncoding(bytes), encoding);
        QList<qint64> given;
        for (const QByteArray &n : ReadBytes(log).split('\n'))
            if (!n.trimmed().isEmpty())
                given << n.trimmed().toLongLong();
        QCOMPARE(given, sizes);
    }

    void loadErrors_data()
    {
        Columns<QString, LoadError, bool, QString>({"setup", "error", "english", "message"});
        const QString binaryEn = "This file is not a text file (it holds NUL bytes) and was not opened:\n{path}";
        QTest::newRow("missing") << "missing" << LoadError::Missing << true << "The file does not exist:\n{path}";
        QTest::newRow("folder") << "folder" << LoadError::Folder << false << QString::fromUtf8("これはファイルではなく、フォルダです。\n{path}");
        QTest::newRow("NUL in the middle") << "nul-middle" << LoadError::Binary << true << binaryEn;
        QTest::newRow("UTF-16 is binary") << "utf-16" << LoadError::Binary << false << QString::fromUtf8("テキストファイルではありません（NUL バイトを含みます）。開きませんでした。\n{path}");
        QTest::newRow("exactly 64 MiB is read") << "limit" << LoadError::Binary << true << binaryEn;
        QTest::newRow("one byte over 64 MiB") << "over" << LoadError::TooLarge << true << "This file is too large to open (64.1 MB; at most 64 MB):\n{path}";
        QTest::newRow("over 64 MiB, japanese") << "over" << LoadError::TooLarge << false << QString::fromUtf8("ファイルが大きすぎて開けません（64.1 MB、上限 64 MB）。\n{path}");
        QTest::newRow("undecodable") << "undecodable" << LoadError::Undecodable << true << "The characters of this file are in no encoding the program knows; it was not opened:\n{path}";
        QTest::newRow("no read permission") << "no-permission" << LoadError::Unreadable << false << QString::fromUtf8("ファイルを読み込めません。\n{path}\n{detail}");
        QTest::newRow("named pipe") << "fifo" << LoadError::Unreadable << true << "The file cannot be read:\n{path}\n{detail}";
    }
    void loadErrors()
    {
        QFETCH(QString, setup);
        QFETCH(LoadError, error);
        QFETCH(bool, english);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("doc.tex"));
        if (setup == u"folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (setup == u"nul-middle" || setup == u"utf-16" || setup == u"undecodable") {
            WriteBytes(path, setup == u"undecodable" ? QByteArray("\\section{\xFF\xFE}") : setup == u"utf-16" ? QByteArray("\xFF\xFE" "a\0b\0", 6) : QByteArray("abc\0def", 7));
        } else if (setup == u"limit" || setup == u"over") {
            QFile file(path); // sparse: no disk space is used
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(MaxDocumentBytes + (setup == u"over" ? 1 : 0)));
        } else if (setup == u"no-permission") {
            if (geteuid() == 0)
                QSKIP("root reads any file");
            WriteBytes(path, QByteArray("abc"));
            QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        } else if (setup == u"fifo") {
            QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        }
        const LoadResult loaded = LoadTextFile(path);
        QCOMPARE(loaded.error, error);
        QVERIFY(loaded.text.isEmpty());
        QCOMPARE(loaded.detail.isEmpty(), error != LoadError::Unreadable);
        message.replace(QStringLiteral("{path}"), QDir::toNativeSeparators(path)).replace(QStringLiteral("{detail}"), loaded.detail);
        QCOMPARE(LoadErrorMessage(loaded, path, english), message);
    }

    // Whether a folder holds backups, with and without its closing slash; with none, deleting
    // them does not even ask.
    void folderHasBackups_data()
    {
        RuleColumns();
        Rule("no files", HasBackups({}), {false, false, true});
        Rule("no backups", HasBackups({"a.tex", "bak", "a.bak.tex"}), {false, false, true});
        Rule("only a folder named .bak", HasBackups({"a.tex", "old.bak/"}), {false, false, true});
        Rule("one backup", HasBackups({"a.tex", "a.tex.bak"}), {true, true, true});
        Rule("hidden backup", HasBackups({".latexmkrc.bak"}), {true, true, true});
        Rule("no folder", FolderHasBackups(QString()), false);
    }
    void folderHasBackups() { CompareRule(); }

    void deleteBackups_data()
    {
        // answers: one letter per message: Y, N, C, O (OK); victim: removed behind the command's back; shown: M mode, F:<name> ask, X failed, E:<n>, A:<n>
        Columns<bool, QString, QString, QStringList, QStringList>({"english", "answers", "victim", "shown", "remaining"});
        const QStringList all{"a.tex.bak", "b.tex.bak", "c.txt.bak"};
        QTest::newRow("cancel at the first question") << false << "C" << "" << QStringList{"M"} << all;
        QTest::newRow("yes, cancel at the first file") << true << "YC" << "" << QStringList{"M", "F:a.tex.bak"} << all;
        QTest::newRow("yes, then yes no yes") << false << "YYNYO" << "" << QStringList{"M", "F:a.tex.bak", "F:b.tex.bak", "F:c.txt.bak", "E:2"} << QStringList{"b.tex.bak"};
        QTest::newRow("yes, cancel after deleting") << true << "YYYC" << "" << QStringList{"M", "F:a.tex.bak", "F:b.tex.bak", "F:c.txt.bak"} << QStringList{"c.txt.bak"};
        QTest::newRow("yes, a deletion fails") << false << "YYYOO" << "b.tex.bak" << QStringList{"M", "F:a.tex.bak", "F:b.tex.bak", "X", "E:1"} << QStringList{"c.txt.bak"};
        QTest::newRow("no deletes all") << true << "NO" << "" << QStringList{"M", "A:3"} << QStringList();
        QTest::newRow("no, a deletion fails") << true << "NOO" << "b.tex.bak" << QStringList{"M", "X", "E:1"} << QStringList{"c.txt.bak"};
    }
    void deleteBackups()
    {
        QFETCH(bool, english);
        QFETCH(QString, answers);
        QFETCH(QString, victim);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, remaining);
        QTemporaryDir dir;
        for (const char *name : {"c.txt.bak", "a.tex.bak", "b.tex.bak", "a.tex", "notes.txt"})
            WriteBytes(dir.filePath(QString::fromLatin1(name)), "x");
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub.bak")));
        const QString folder = dir.path() + QLatin1Char('/');
        SabotagePrompter prompter;
        if (!victim.isEmpty())
            prompter.victim = folder + victim;
        for (const QChar c : answers)
            prompter.answers << (c == u'Y' ? MsgAnswer::Yes : c == u'N' ? MsgAnswer::No : c == u'O' ? MsgAnswer::Ok : MsgAnswer::Cancel);

        DeleteBackups(folder, prompter, english);

        QCOMPARE(prompter.unexpected, 0);
        QVERIFY(prompter.answers.isEmpty());
        QCOMPARE(prompter.messages.size(), shown.size());
        for (int i = 0; i < shown.size(); ++i) {
            const MessageRequest &m = prompter.messages[i];
            const QChar code = shown[i][0];
            const QString arg = shown[i].mid(2);
            const QString text = code == u'M' ? MsgText(Msg::DeleteBackupAskMode, english).arg(folder)
                : code == u'F'                ? MsgText(Msg::DeleteBackupAskFile, english).arg(folder + arg)
                : code == u'X'                ? MsgText(Msg::DeleteBackupFailed, english)
                : code == u'E'                ? MsgText(Msg::DeleteBackupSummaryEach, english).arg(arg, folder)
                                              : MsgText(Msg::DeleteBackupSummaryAll, english).arg(arg, folder);
            QCOMPARE(m.text, text);
            QCOMPARE(m.caption, QStringLiteral("Velloquin"));
            QCOMPARE(m.buttons, code == u'M' || code == u'F' ? MsgButtons::YesNoCancel : MsgButtons::Ok);
            QCOMPARE(m.icon, code == u'M' || code == u'F' ? MsgIcon::Question : code == u'X' ? MsgIcon::Exclamation : MsgIcon::Information);
            QCOMPARE(m.defaultButton, code == u'M' ? 1 : 0);
        }
        // The texts themselves, as the user reads them.
        if (shown == QStringList{"M", "A:3"})
            QCOMPARE(prompter.messages[1].text, "Succeeded to delete all backup files (3 files) of the folder\n" + folder);
        QStringList expected = remaining;
        expected << "a.tex" << "notes.txt" << "sub.bak";
        expected.sort();
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name), expected);
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
