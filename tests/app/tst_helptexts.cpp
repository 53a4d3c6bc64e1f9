#include "app/HelpCommands.h"
#include "res/Resources.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTest>

Q_DECLARE_METATYPE(MenuResource)

namespace {
// The help texts as the build lays them out for the program.
QByteArray ReadHelp(const QString &name)
{
    QFile file(QStringLiteral(VELLOQUIN_BUILD_DIR "/share/velloquin/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Collapsed(const QString &text)
{
    return text.simplified();
}

// A menu text as a reader looks for it: without the shortcut, the mnemonic and its brackets.
QString MenuWords(const char *utf8)
{
    QString text = QString::fromUtf8(utf8);
    text = text.section(QLatin1Char('\t'), 0, 0);
    text.remove(QRegularExpression(QStringLiteral("\\(\\s*&\\S\\s*\\)")));
    text.remove(QLatin1Char('&'));
    return Collapsed(text);
}
} // namespace

class TestHelpTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void plainUtf8Text_data();
    void plainUtf8Text();
    void everyMenuItemDescribed_data();
    void everyMenuItemDescribed();
    void featuresExplained_data();
    void featuresExplained();
};

void TestHelpTexts::plainUtf8Text_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("minLines");
    QTest::newRow("Japanese description") << HelpFileName(HelpText::Description, false) << 300;
    QTest::newRow("English description") << HelpFileName(HelpText::Description, true) << 300;
    QTest::newRow("Japanese calculation") << HelpFileName(HelpText::CalcHelp, false) << 200;
    QTest::newRow("English calculation") << HelpFileName(HelpText::CalcHelp, true) << 200;
    QTest::newRow("HTML manual") << HelpFileName(HelpText::HtmlManual, false) << 100;
    QTest::newRow("installation") << HelpFileName(HelpText::Install, false) << 100;
}

void TestHelpTexts::plainUtf8Text()
{
    QFETCH(QString, file);
    QFETCH(int, minLines);
    const QByteArray bytes = ReadHelp(file);
    QVERIFY2(!bytes.isEmpty(), qPrintable(file));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    QVERIFY2(!utf8.hasError(), "not UTF-8");
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY2(!bytes.contains('\r'), "CR in the text");
    QVERIFY2(!bytes.contains('\t'), "TAB in the text");
    QVERIFY2(!bytes.contains('\0'), "NUL in the text");
    QVERIFY(bytes.endsWith('\n'));
    QVERIFY2(bytes.count('\n') >= minLines, qPrintable(QString::number(bytes.count('\n'))));
    // Trailing blanks would show as marks in the viewer.
    QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[ \\x{3000}]\\n"))));
}

void TestHelpTexts::everyMenuItemDescribed_data()
{
    QTest::addColumn<MenuResource>("menu");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("file");
    QTest::newRow("Japanese menu bar") << MenuResource::Main << false << "ReadMe.log";
    QTest::newRow("English menu bar") << MenuResource::Main << true << "ReadMeE.log";
    QTest::newRow("Japanese calculation menu") << MenuResource::ContextCalc << false
                                               << "HelpZel.log";
    QTest::newRow("English calculation menu") << MenuResource::ContextCalc << true
                                              << "HelpZelE.log";
}

void TestHelpTexts::everyMenuItemDescribed()
{
    QFETCH(MenuResource, menu);
    QFETCH(bool, english);
    QFETCH(QString, file);
    const QString help = Collapsed(QString::fromUtf8(ReadHelp(file)));
    QVERIFY(!help.isEmpty());
    QStringList missing;
    for (const MenuEntry &entry : MenuTable(menu, english)) {
        // The recent-file placeholder is replaced by file names; popups at the top are menu
        // titles, spelled with their mnemonic.
        if (entry.kind == MenuEntryKind::Separator || entry.id == 57616)
            continue;
        const QString words = MenuWords(entry.text);
        if (!words.isEmpty() && !help.contains(words))
            missing << words;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(" | "))));
}

void TestHelpTexts::featuresExplained_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("words");
    // The evaluator and the markup are not menu items: each must still be explained.
    const QString zelJa = QStringLiteral("HelpZel.log");
    const QString zelEn = QStringLiteral("HelpZelE.log");
    const QString html = QStringLiteral("HTMLman.log");
    const QString inst = QStringLiteral("HelpInst.log");
    for (const QString &zel : {zelJa, zelEn}) {
        const QByteArray lang = zel == zelJa ? "ja" : "en";
        QTest::addRow("%s: line ending in =", lang.constData()) << zel << "1+2*3=7.0";
        QTest::addRow("%s: man", lang.constData()) << zel << "3man2500+5000=";
        QTest::addRow("%s: 万", lang.constData()) << zel << "3万2500";
        QTest::addRow("%s: value line", lang.constData()) << zel << "x1=3, x2=4";
        QTest::addRow("%s: result of a value line", lang.constData()) << zel
                                                                      << "10.0, if x1=3, x2=4";
        QTest::addRow("%s: power", lang.constData()) << zel << "2^-2=";
        QTest::addRow("%s: rounding", lang.constData()) << zel << "2.26";
        QTest::addRow("%s: settings line", lang.constData()) << zel << "% TAB=";
        QTest::addRow("%s: parenthesis message", lang.constData()) << zel << "( が足りません。";
    }
    QTest::newRow("HTML: comment lines") << html << "<!--";
    QTest::newRow("HTML: title") << html << "\\title=";
    QTest::newRow("HTML: background") << html << "\\bgcolor=";
    QTest::newRow("HTML: rule") << html << "\\-";
    QTest::newRow("HTML: plain heading") << html << "\\h2 ";
    QTest::newRow("HTML: coloured heading") << html << "\\h2r ";
    QTest::newRow("HTML: violet heading") << html << "\\h2v ";
    QTest::newRow("HTML: decoration") << html << "{\\rB ";
    QTest::newRow("HTML: italic") << html << "{\\I ";
    QTest::newRow("HTML: unclosed decoration") << html << "に対応する終わりの } がありません。";
    QTest::newRow("HTML: tables") << html << "表計算モード";
    QTest::newRow("install: packages") << inst << "texlive-lang-japanese";
    QTest::newRow("install: nkf") << inst << "nkf";
    QTest::newRow("install: run script") << inst << "scripts/run";
    QTest::newRow("install: test script") << inst << "scripts/test";
    QTest::newRow("install: cmake") << inst << "cmake --install build";
    QTest::newRow("install: package") << inst << "cpack -G DEB";
    QTest::newRow("ja: HTML manual named") << "ReadMe.log" << "HTMLman.log";
    QTest::newRow("en: settings of the addresses") << "ReadMeE.log" << "UpdateURL";
}

void TestHelpTexts::featuresExplained()
{
    QFETCH(QString, file);
    QFETCH(QString, words);
    const QString help = QString::fromUtf8(ReadHelp(file));
    QVERIFY2(help.contains(words), qPrintable(file + QLatin1String(": ") + words));
}

QTEST_GUILESS_MAIN(TestHelpTexts)
#include "tst_helptexts.moc"
