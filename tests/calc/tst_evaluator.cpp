#include "calc/CellGrid.h"
#include "calc/ExpressionEvaluator.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

namespace {
const QString kParen = QStringLiteral("( が足りません。");
const QString kManExponent = QStringLiteral("累乗の指数に『万』は使えません。");
const QString kManBase = QStringLiteral("累乗の底に『万』は使えません。");
const QString kNotInteger = QStringLiteral(
    "累乗の指数に誤りがあります。整数乗しか扱えません。\n（a^n で n は整数で、a は小数でも良い) ");

QString Undefined(const char *name)
{
    return QStringLiteral("変数 %1 の値が定義されていません。").arg(QLatin1String(name));
}

} // namespace

class TestEvaluator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void enteredLines_data();
    void enteredLines();
    void parseManNumber_data();
    void parseManNumber();
    void cLibraryPrefixes_data();
    void cLibraryPrefixes();
    void hugeInputs_data();
    void hugeInputs();
    void randomLinesKeepWhatWasTyped();
};

void TestEvaluator::enteredLines_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("messages");
    auto row = [&](const char *name, const QStringList &typed, int decimals,
                   const QStringList &expected, const QStringList &messages = {}) {
        QTest::newRow(name) << typed << decimals << expected << messages;
    };

    row("products before sums", {"1+2*3="}, 1, {"1+2*3=7.0"});
    row("a/b/c divides by both", {"10/4/5="}, 1, {"10/4/5=0.5"});
    row("a/b*c is a*c/b", {"8/2*4="}, 1, {"8/2*4=16.0"});
    row("power before product", {"2^3*2="}, 1, {"2^3*2=16.0"});
    row("negative exponent, two decimals", {"2^-2="}, 2, {"2^-2=0.25"});
    row("every power of a term", {"2^2*3^2="}, 1, {"2^2*3^2=36.0"});
    row("leading minus before a power", {"-2^2="}, 1, {"-2^2=-4.0"});
    row("parenthesised parts", {"(1+2)*(3+4)="}, 1, {"(1+2)*(3+4)=21.0"});
    row("power rounded to 4 decimals first", {"0.001^2="}, 1, {"0.001^2=0.0"});
    row("part rounded to 4 decimals", {"(1/3)*3="}, 4, {"(1/3)*3=0.9999"});
    row("man read as 10000", {"3man2500+5000="}, 1, {"3万2500+5000=3万7500.0"});
    row("man result form", {"123456+0万="}, 1, {"123456+0万=12万3456.0"});
    row("man below 10000 is plain", {"0.1万+1="}, 1, {"0.1万+1=1001.0"});
    row("double minus is plus", {"5--3="}, 1, {"5--3=8.0"});
    row("commas are dropped", {"1,000+1="}, 0, {"1,000+1=1001"});
    row("spaces and trailing blanks", {"1 + 2 =  "}, 1, {"1 + 2 =3.0"});
    row("trailing equals signs", {"4*2==="}, 1, {"4*2=8.0"});
    row("table row: after the last TAB", {"A\t5\t3*4="}, 1, {"A\t5\t3*4=12.0"});
    row("sign after * belongs to the factor", {"2*-3="}, 1, {"2*-3=-6.0"});
    row("sign after / belongs to the divisor", {"6/-4="}, 2, {"6/-4=-1.50"});
    row("negative part as divisor", {"6/(1-4)="}, 1, {"6/(1-4)=-2.0"});
    row("division by zero", {"1/0="}, 1, {"1/0=Error"});
    row("overflowing power", {"2^100000000="}, 1, {"2^100000000=Error"});
    row("vanishing power", {"0.5^100000000="}, 1, {"0.5^100000000=0.0"});
    row("odd power of minus one", {"(0-1)^100000001="}, 1, {"(0-1)^100000001=-1.0"});
    row("hexadecimal as atof reads it", {"0x20+1="}, 1, {"0x20+1=33.0"});
    row("letters read as 0", {"abc+2="}, 1, {"abc+2=2.0"});
    row("parentheses alone are no operator", {"))))=", "((((="}, 1, {"))))=", "((((="});
    row("unclosed parentheses are text", {"((((+1="}, 1, {"((((+1=1.0"});

    row("missing (", {"1+2)*3="}, 1, {"1+2)*3="}, {kParen});
    row("non-integer exponent", {"2^1.5="}, 1, {"2^1.5=0.0"}, {kNotInteger});
    row("bad exponent only zeroes its term", {"2^1.5+3="}, 1, {"2^1.5+3=3.0"}, {kNotInteger});
    row("man in the exponent", {"2^3man="}, 1, {"2^3万=0.0"}, {kManExponent});
    row("man in the base", {"3万^2+20000="}, 1, {"3万^2+20000=20000.0"}, {kManBase});

    row("no equals sign", {"1+2"}, 1, {"1+2"});
    row("no operator", {"5="}, 1, {"5="});
    row("man without operator stays typed", {"3man="}, 1, {"3man="});

    row("formula and two value lines", {"x1*2+x2", "x1=3, x2=4", "x1=5, x2=0"}, 1,
        {"x1*2+x2", "10.0, if x1=3, x2=4", "10.0, if x1=5, x2=0"});
    row("value line with trailing equals", {"x1+1", "x1=2="}, 1, {"x1+1", "3.0, if x1=2"});
    row("x10 before x1", {"x10+x1", "x1=1,x2=0,x3=0,x4=0,x5=0,x6=0,x7=0,x8=0,x9=0,x10=100"}, 1,
        {"x10+x1", "101.0, if x1=1,x2=0,x3=0,x4=0,x5=0,x6=0,x7=0,x8=0,x9=0,x10=100"});
    row("division by zero in a value line", {"1/x1", "x1=0"}, 1, {"1/x1", "Error, if x1=0"});
    row("missing value", {"x1+x2+x3", "x1=3, x2=, x3=4"}, 1,
        {"x1+x2+x3", "3.0, if x1=3, x2=, x3=4"}, {Undefined("x2")});
    row("value line starts with x1", {"x1+x2", "x2=5, x1=1"}, 1, {"x1+x2", "x2=5, x1=1"});
    row("values must come in order", {"x1+x2+x3", "x1=1, x3=5, x2=2"}, 1,
        {"x1+x2+x3", "3.0, if x1=1, x3=5, x2=2"});
    row("man in a formula", {"x1*x2", "x1=3man, x2=2"}, 1, {"x1*x2", "6万0.0, if x1=3万, x2=2"});
    row("value line without formula", {"x1=3, x2=4"}, 1, {"x1=3, x2=4"});
    row("evaluation ends the formula", {"x1+1", "2+2=", "x1=3"}, 1, {"x1+1", "2+2=4.0", "x1=3"});
    row("other line ends the formula", {"x1+1", "text", "x1=3"}, 1, {"x1+1", "text", "x1=3"});
    row("a new formula replaces it", {"x1+1", "x1*10", "x1=3"}, 1,
        {"x1+1", "x1*10", "30.0, if x1=3"});
    row("formula ending in equals is stored", {"x1*2=", "x1=4"}, 1, {"x1*2=", "8.0, if x1=4"});
}

void TestEvaluator::enteredLines()
{
    QFETCH(QStringList, typed);
    QFETCH(int, decimals);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, messages);
    // The lines typed one after another with Enter: how each reads afterwards, every message.
    QStringList lines;
    QStringList shown;
    EvaluateLines(typed, decimals, lines, shown);
    QCOMPARE(lines, expected);
    QCOMPARE(shown, messages);
}

void TestEvaluator::parseManNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("man at the end") << "2.5万" << 25000.0;
    QTest::newRow("man inside") << "3万2500" << 32500.0;
    QTest::newRow("integer part before man") << "2.5万100" << 20100.0;
    QTest::newRow("man alone") << "万" << 0.0;
    QTest::newRow("negative") << "-1万5" << -9995.0;
}

void TestEvaluator::parseManNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(ExpressionEvaluator::ParseManNumber(text), value);
}

void TestEvaluator::cLibraryPrefixes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("atof");
    QTest::addColumn<int>("atoi");
    QTest::newRow("leading blanks and sign") << " \t-12.5x" << -12.5 << -12;
    QTest::newRow("exponent") << "1e3" << 1000.0 << 1;
    QTest::newRow("nothing numeric") << "abc" << 0.0 << 0;
    QTest::newRow("stops at a wide character") << "12万" << 12.0 << 12;
    QTest::newRow("beyond int") << "3000000000" << 3e9 << INT_MAX;
    QTest::newRow("below int") << "-3000000000" << -3e9 << INT_MIN;
}

void TestEvaluator::cLibraryPrefixes()
{
    QFETCH(QString, text);
    QFETCH(double, atof);
    QFETCH(int, atoi);
    QCOMPARE(CAtof(text), atof);
    QCOMPARE(ExpressionEvaluator::CAtoiPrefix(text), atoi);
}

void TestEvaluator::hugeInputs_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("result");
    const int deep = 10000;
    QTest::newRow("10000 nested parentheses")
        << QString(deep, u'(') + QStringLiteral("1+1") + QString(deep, u')') + u'=' << "2.0";
    QString terms = QStringLiteral("1");
    for (int i = 0; i < 100000; ++i)
        terms += QStringLiteral("+2*3-5");
    QTest::newRow("one-megabyte line of terms") << terms + u'=' << "100001.0";
    QTest::newRow("a megabyte of digits")
        << QString(1 << 20, u'0') + QStringLiteral("1+1=") << "2.0";
}

void TestEvaluator::hugeInputs()
{
    QFETCH(QString, line);
    QFETCH(QString, result);
    ExpressionEvaluator e;
    const EvalOutcome outcome = e.EvaluateEnteredLine(line, 1);
    QCOMPARE(outcome.action, EvalOutcome::Action::Complete);
    QVERIFY(outcome.text.startsWith(line.chopped(1)));
    QCOMPARE(outcome.text.sliced(line.size()), result);
}

void TestEvaluator::randomLinesKeepWhatWasTyped()
{
    // Whatever is typed, the line keeps its text before the "=" and gains a number, a number
    // in 万 form, "Error" or (after a message) nothing.
    const QString alphabet = QStringLiteral("0123456789.+-*/^()万man x1=,\t");
    const QRegularExpression result(
        QStringLiteral("^(-?[0-9]+(\\.[0-9]+)?|[0-9]+万-?[0-9]+(\\.[0-9]+)?|Error|)$"));
    QRandomGenerator random(20261205);
    ExpressionEvaluator e;
    for (int i = 0; i < 5000; ++i) {
        QString line;
        for (int c = random.bounded(40); c > 0; --c)
            line += alphabet[random.bounded(int(alphabet.size()))];
        line += random.bounded(2) ? QStringLiteral("=") : QString();
        const EvalOutcome outcome = e.EvaluateEnteredLine(line, random.bounded(4));
        QString typed = QString(line).replace(QStringLiteral("man"), QStringLiteral("万"));
        while (typed.endsWith(u' ') || typed.endsWith(u'\t'))
            typed.chop(1);
        while (typed.endsWith(u'='))
            typed.chop(1);
        QString r;
        if (outcome.action == EvalOutcome::Action::Complete) {
            QVERIFY2(outcome.text.startsWith(typed + u'='), qPrintable(line));
            r = outcome.text.sliced(typed.size() + 1);
        } else if (outcome.action == EvalOutcome::Action::ValueLine) {
            QVERIFY2(outcome.text.endsWith(QStringLiteral(", if ") + typed), qPrintable(line));
            r = outcome.text.chopped(typed.size() + 5);
        }
        QVERIFY2(result.match(r).hasMatch(), qPrintable(line + " → " + outcome.text));
        QVERIFY2(!r.isEmpty() || outcome.action == EvalOutcome::Action::None
                     || !outcome.messages.isEmpty(), qPrintable(line));
    }
}

QTEST_GUILESS_MAIN(TestEvaluator)
#include "tst_evaluator.moc"
