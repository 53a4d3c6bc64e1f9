#include "calc/ExpressionEvaluator.h"

#include "calc/CellGrid.h"
#include "res/Messages.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

constexpr QChar Man(0x4E07); // 万
constexpr int PartDecimals = 4;
constexpr int MaxVariables = 65535;
// A power is multiplied out up to this exponent; beyond it one pow() keeps a line of long
// powers quick, and is the more exact of the two where they differ.
constexpr qint64 MaxPowerSteps = 64;

// The messages exist in Japanese only, whatever the interface's language.
QString Text(Msg id)
{
    return MsgText(id, false);
}

bool IsSign(QChar c)
{
    return c == u'+' || c == u'-';
}

bool IsMulDiv(QChar c)
{
    return c == u'*' || c == u'/';
}

bool IsOperator(QChar c)
{
    return IsSign(c) || IsMulDiv(c) || c == u'^';
}

bool IsMulDivOrEnd(QStringView text, qsizetype i)
{
    return i >= text.size() || IsMulDiv(text[i]);
}

// The product of the factors of a text without quotients, multiplied in the order a person
// removes them: each factor after a "*" from left to right, the first one last. A text that
// starts with "*" is one factor as it stands.
double Product(QStringView text)
{
    double numerator = 1.0;
    if (text.isEmpty() || text[0] == u'*')
        return numerator * ExpressionEvaluator::ParseManNumber(text);
    const qsizetype firstEnd = text.indexOf(u'*');
    if (firstEnd < 0)
        return numerator * ExpressionEvaluator::ParseManNumber(text);
    qsizetype at = firstEnd;
    while (at < text.size()) {
        qsizetype next = text.indexOf(u'*', at + 1);
        if (next < 0)
            next = text.size();
        numerator *= ExpressionEvaluator::ParseManNumber(text.sliced(at + 1, next - at - 1));
        at = next;
    }
    return numerator * ExpressionEvaluator::ParseManNumber(text.first(firstEnd));
}

} // namespace

int ExpressionEvaluator::CAtoiPrefix(QStringView text)
{
    // Decimal digits after white space and a sign; a number out of range stops at the
    // largest int of its sign rather than wrapping.
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && IsSign(text[i]))
        negative = text[i++] == u'-';
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > qint64(INT_MAX) + 1)
            value = qint64(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    return int(qBound(qint64(INT_MIN), value, qint64(INT_MAX)));
}

double ExpressionEvaluator::ParseManNumber(QStringView number)
{
    // The first 万 counts; "2.5万" is 25000, "3万2500" is 32500 and "2.5万100" is 20100 (only
    // the integer part is read before a 万 that stands inside the number).
    const qsizetype man = number.indexOf(Man);
    if (man < 0)
        return CAtof(number);
    if (man == number.size() - 1)
        return CAtof(number.first(man)) * 10000.0;
    return double(CAtoiPrefix(number.first(man))) * 10000.0 + CAtof(number.sliced(man + 1));
}

QStringList ExpressionEvaluator::TakeMessages()
{
    QStringList taken;
    taken.swap(m_messages);
    return taken;
}

bool ExpressionEvaluator::PowerText(QStringView base, QStringView exponent, QString &out)
{
    if (exponent.contains(Man)) {
        m_messages << Text(Msg::EvalManInExponent);
        return false;
    }
    if (base.contains(Man)) {
        m_messages << Text(Msg::EvalManInBase);
        return false;
    }
    const double real = CAtof(exponent);
    const int n = CAtoiPrefix(exponent);
    if (real != double(n)) {
        m_messages << Text(Msg::EvalExponentNotInteger);
        return false;
    }
    const double b = CAtof(base);
    const qint64 count = std::llabs(qint64(n));
    double value = 1.0;
    if (count > MaxPowerSteps)
        value = std::pow(b, double(count));
    else
        for (qint64 i = 0; i < count; ++i)
            value *= b;
    out = FormatNumber(value, PartDecimals);
    if (n < 0)
        out.prepend(QStringLiteral("1/"));
    return true;
}

double ExpressionEvaluator::EvaluateTerm(QStringView term)
{
    if (term.contains(Man))
        m_bManUsed = 1;
    QString t;
    if (term.startsWith(u'-'))
        t = QStringLiteral("-1*") + term.sliced(1).toString();
    else
        t = term.toString();

    // Powers, first to last. A "^" that starts the term stops them all; every later power's
    // base begins after the "*" or "/" that ended the previous power's exponent, so the term
    // is rewritten in one pass.
    if (!t.isEmpty() && t[0] != u'^' && t.contains(u'^')) {
        QString rewritten;
        rewritten.reserve(t.size());
        qsizetype done = 0;
        qsizetype caret = t.indexOf(u'^');
        while (caret > 0) {
            qsizetype baseStart = caret;
            while (baseStart > done && !IsMulDiv(t[baseStart - 1]))
                --baseStart;
            qsizetype expEnd = caret + 1;
            while (!IsMulDivOrEnd(t, expEnd))
                ++expEnd;
            QString power;
            if (!PowerText(QStringView(t).sliced(baseStart, caret - baseStart),
                           QStringView(t).sliced(caret + 1, expEnd - caret - 1), power)) {
                m_bManUsed = 0;
                return 0.0;
            }
            rewritten += QStringView(t).sliced(done, baseStart - done);
            rewritten += power;
            done = expEnd;
            caret = t.indexOf(u'^', done);
        }
        rewritten += QStringView(t).sliced(done);
        t = rewritten;
    }

    // Quotients: every divisor (from a "/" to the next "*" or "/") leaves the term and joins
    // the denominator; a term that starts with "/" keeps them all.
    double denominator = 1.0;
    QString rest;
    if (t.isEmpty() || t[0] == u'/' || !t.contains(u'/')) {
        rest = t;
    } else {
        rest.reserve(t.size());
        qsizetype at = 0;
        while (at < t.size()) {
            qsizetype next = at + 1;
            while (!IsMulDivOrEnd(t, next))
                ++next;
            if (t[at] == u'/' && at > 0)
                denominator *= ParseManNumber(QStringView(t).sliced(at + 1, next - at - 1));
            else
                rest += QStringView(t).sliced(at, next - at);
            at = next;
        }
    }
    return Product(rest) / denominator;
}

double ExpressionEvaluator::EvaluateSum(QStringView sum)
{
    QString s = sum.toString();
    s.replace(QStringLiteral("--"), QStringLiteral("+"));
    double total = 0.0;
    qsizetype start = 0;
    do {
        // A sign right after "^", "*" or "/" belongs to the number that follows it.
        qsizetype end = start + 1;
        while (end < s.size() && !(IsSign(s[end]) && s[end - 1] != u'^' && !IsMulDiv(s[end - 1])))
            ++end;
        end = qMin(end, s.size());
        QStringView term = QStringView(s).sliced(start, end - start);
        if (term.startsWith(u'+'))
            term = term.sliced(1);
        total += EvaluateTerm(term);
        start = end;
    } while (start < s.size());
    return total;
}

QString ExpressionEvaluator::EvaluateExpression(QStringView expression, int decimals)
{
    m_bManUsed = 0;
    QString e = expression.toString();
    e.remove(u',');

    // Parentheses, innermost first. An expression that starts with ")" is taken as it
    // stands; otherwise a ")" without its "(" stops the evaluation before anything is
    // computed.
    const bool grouped = !e.startsWith(u')');
    if (grouped) {
        qsizetype depth = 0;
        for (QChar c : std::as_const(e)) {
            if (c == u'(') {
                ++depth;
            } else if (c == u')' && --depth < 0) {
                m_messages << Text(Msg::EvalMissingParen);
                m_bManUsed = 0;
                return {};
            }
        }
    }
    // Every part is computed when its ")" closes it, which is the order in which a person
    // resolves the innermost parentheses one after another; its value, with 4 decimals, is
    // written where the part stood in the text around it. A part that is not finite is
    // written as FormatNumber writes it ("inf", "-inf", "nan"), which reads back as the same
    // value, so that the whole result becomes "Error".
    QString last;
    if (!grouped || !e.contains(u'(')) {
        last = e;
    } else {
        QList<QString> open; // the text of every part still open, outermost first
        open.append(QString());
        for (QChar c : std::as_const(e)) {
            if (c == u'(') {
                open.append(QString());
            } else if (c == u')') {
                const QString part = open.takeLast();
                open.last() += FormatNumber(EvaluateSum(part), PartDecimals);
            } else {
                open.last() += c;
            }
        }
        // Parentheses left open are plain characters of the text around them.
        last = open.takeFirst();
        for (const QString &unclosed : std::as_const(open))
            last += u'(' + unclosed;
    }

    const double value = EvaluateSum(last);
    QString result;
    if (!std::isfinite(value)) {
        // A division by zero or an overflow: no number to write.
        result = QStringLiteral("Error");
    } else if (m_bManUsed && value >= 10000.0) {
        const double tenThousands = std::trunc(value * 0.0001);
        result = FormatNumber(tenThousands, 0) + Man
                 + FormatNumber(value - tenThousands * 10000.0, decimals);
    } else {
        result = FormatNumber(value, decimals);
    }
    m_bManUsed = 0;
    return result;
}

bool ExpressionEvaluator::SubstituteVariables(QStringView valueLine, QString &formula)
{
    // The values are taken in the order x1, x2, … up to the first gap; then every name in the
    // formula is replaced at once, the longest name first, so that x10 is not read as x1.
    QHash<QString, QString> values;
    bool complete = true;
    qsizetype from = 0;
    for (int k = 1; k <= MaxVariables; ++k) {
        const QString name = QStringLiteral("x%1").arg(k);
        const qsizetype at = valueLine.indexOf(QString(name + u'='), from);
        if (at < 0)
            break;
        const qsizetype start = at + name.size() + 1;
        const qsizetype nextX = valueLine.indexOf(u'x', start);
        const qsizetype end = nextX < 0 ? valueLine.size() : qMax(start, nextX - 1);
        QString value = valueLine.sliced(start, end - start).toString();
        value.remove(u',');
        value.remove(u' ');
        if (value.isEmpty()) {
            m_messages << Text(Msg::EvalVariableUndefined).arg(name);
            complete = false;
            break;
        }
        values.insert(name, value);
        from = end;
    }
    if (values.isEmpty())
        return complete;

    QString out;
    out.reserve(formula.size());
    qsizetype i = 0;
    while (i < formula.size()) {
        if (formula[i] != u'x') {
            out += formula[i++];
            continue;
        }
        qsizetype digits = 0;
        while (digits < 5 && i + 1 + digits < formula.size() && formula[i + 1 + digits] >= u'0'
               && formula[i + 1 + digits] <= u'9')
            ++digits;
        bool replaced = false;
        for (; digits > 0 && !replaced; --digits) {
            const auto found = values.constFind(formula.sliced(i, digits + 1));
            if (found != values.cend()) {
                out += *found;
                i += digits + 1;
                replaced = true;
            }
        }
        if (!replaced)
            out += formula[i++];
    }
    formula = out;
    return complete;
}

EvalOutcome ExpressionEvaluator::EvaluateEnteredLine(const QString &line, int decimals)
{
    EvalOutcome outcome;
    QString w = line;
    w.replace(QStringLiteral("man"), QString(Man));
    qsizetype end = w.size();
    while (end > 0 && (w[end - 1] == u' ' || (w[end - 1] >= u'\t' && w[end - 1] <= u'\r')))
        --end;
    w.truncate(end);
    const bool endsWithEquals = w.endsWith(u'=');
    while (w.endsWith(u'='))
        w.chop(1);

    QString k = w;
    k.remove(u' ');
    const bool hasX1 = k.contains(QStringLiteral("x1"));
    const bool hasEquals = k.contains(u'=');
    const bool hasOperator = std::any_of(k.cbegin(), k.cend(), IsOperator);

    if (hasOperator) {
        if (!hasEquals && hasX1) {
            m_strPendingFormula = k;
            m_bFormulaPending = 1;
            outcome.messages = TakeMessages();
            return outcome;
        }
        if (!(hasEquals && hasX1) && endsWithEquals) {
            const qsizetype tab = k.lastIndexOf(u'\t');
            const QStringView expression = QStringView(k).sliced(tab + 1);
            outcome.text = w + u'=' + EvaluateExpression(expression, decimals);
            outcome.action = EvalOutcome::Action::Complete;
            m_strPendingFormula.clear();
            m_bFormulaPending = 0;
            outcome.messages = TakeMessages();
            return outcome;
        }
    }
    if (m_bFormulaPending && k.startsWith(QStringLiteral("x1="))) {
        QString formula = m_strPendingFormula;
        SubstituteVariables(k, formula);
        outcome.text = EvaluateExpression(formula, decimals) + QStringLiteral(", if ") + w;
        outcome.action = EvalOutcome::Action::ValueLine;
        outcome.messages = TakeMessages();
        return outcome;
    }
    m_strPendingFormula.clear();
    m_bFormulaPending = 0;
    outcome.messages = TakeMessages();
    return outcome;
}

void EvaluateLines(const QStringList &lines, int decimals, QStringList &out, QStringList &messages)
{
    ExpressionEvaluator evaluator;
    for (const QString &line : lines) {
        const EvalOutcome outcome = evaluator.EvaluateEnteredLine(line, decimals);
        messages += outcome.messages;
        out << (outcome.action == EvalOutcome::Action::None ? line : outcome.text);
    }
}
