#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// What Enter leaves on the line it finished.
struct EvalOutcome {
    enum class Action {
        None,      // the line stays as typed (a stored formula, or nothing to evaluate)
        Complete,  // the line becomes `text`; the typed line break follows it
        ValueLine, // the line becomes `text` and a line break; the typed break follows that,
                   // so an empty line stands between the result and the next text
    };
    Action action = Action::None;
    QString text;
    QStringList messages; // to show, in order, each in its own message box
};

// Arithmetic typed into the text: a line that ends in "=" is completed with its value, a
// formula with variables x1, x2, … is kept and evaluated again for every value line
// "x1=…, x2=…". The text is rewritten step by step as a person would: parentheses innermost
// first (each part's value written back with 4 decimals), the rest split into signed terms,
// each term by powers, then quotients and products. Numbers may carry 万 (typed "man").
class ExpressionEvaluator {
public:
    // line: the finished line without its line break; decimals: the rounding setting.
    EvalOutcome EvaluateEnteredLine(const QString &line, int decimals);

    // The values of the value line put into the formula; false when a value was missing
    // (its message is queued and the names from there on stay in the formula).
    bool SubstituteVariables(QStringView valueLine, QString &formula);
    // The result text of an expression: the value written with `decimals`, or in 万 form,
    // "Error" for a value that is not finite, empty for an unmatched ")".
    QString EvaluateExpression(QStringView expression, int decimals);
    // The sum of the signed terms of an expression without parentheses.
    double EvaluateSum(QStringView sum);
    // One term: powers, then quotients and products.
    double EvaluateTerm(QStringView term);
    static double ParseManNumber(QStringView number);

    // C library atoi on the leading part of a text (atof is CAtof of the cell grid).
    static int CAtoiPrefix(QStringView text);

    // Messages gathered since the last call.
    QStringList TakeMessages();

    QString m_strPendingFormula;
    int m_bFormulaPending = 0;
    int m_bManUsed = 0;

private:
    // The power base^n as the text that replaces it ("1/" in front for n < 0); false after a
    // message, when the whole term counts 0.
    bool PowerText(QStringView base, QStringView exponent, QString &out);
    QStringList m_messages;
};

// The lines typed one after another: out gets each line as Enter leaves it (a line that is not
// completed as typed, a value line without the empty line after it), messages every message
// in order; what `velloquin --eval` prints.
void EvaluateLines(const QStringList &lines, int decimals, QStringList &out, QStringList &messages);
