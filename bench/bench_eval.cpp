// The expression evaluator on long lines: a sum of 10 000 terms, 1 000 and 10 000 nested
// parentheses, a one-megabyte line and a sum of 300 powers with large exponents. Each line is
// evaluated as Enter would evaluate it; the times are printed beside the targets (< 100 ms for
// the first two, well under 1 s for the deep nesting, < 50 ms for the powers).
//
//   build/bench/bench_eval

#include "calc/ExpressionEvaluator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <ctime>

namespace {
qint64 CpuMicroseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}

QString Terms(int count)
{
    QString line = QStringLiteral("1");
    for (int i = 1; i < count; ++i)
        line += (i % 3 == 0) ? QStringLiteral("-2*3.5") : QStringLiteral("+4/2^2");
    return line + u'=';
}

QString Nested(int depth)
{
    QString line;
    for (int i = 0; i < depth; ++i)
        line += QStringLiteral("(1+");
    line += u'1';
    line += QString(depth, u')');
    return line + u'=';
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QString megabyte = QStringLiteral("1");
    while (megabyte.size() < 1000000)
        megabyte += QStringLiteral("+2*3-5");
    megabyte += u'=';
    const QString powers =
        QStringLiteral("1.00000001^16777215+").repeated(300) + QStringLiteral("0=");
    const struct {
        const char *name;
        QString line;
        qint64 targetMs;
    } runs[] = {{"10 000 terms", Terms(10000), 100},
                {"1 000 nested parentheses", Nested(1000), 100},
                {"10 000 nested parentheses", Nested(10000), 1000},
                {"one-megabyte line", megabyte, 1000},
                {"300 powers", powers, 50}};
    for (const auto &run : runs) {
        ExpressionEvaluator evaluator;
        QElapsedTimer wall;
        wall.start();
        const qint64 cpu = CpuMicroseconds();
        const EvalOutcome outcome = evaluator.EvaluateEnteredLine(run.line, 1);
        const double cpuMs = double(CpuMicroseconds() - cpu) / 1000.0;
        const qint64 wallMs = wall.elapsed();
        if (outcome.action != EvalOutcome::Action::Complete)
            return 1;
        out << run.name << " (" << run.line.size()
            << " characters): " << outcome.text.sliced(run.line.size()) << " in " << wallMs
            << " ms wall, " << QString::number(cpuMs, 'f', 1) << " ms CPU (target < "
            << run.targetMs << " ms: " << (cpuMs < double(run.targetMs) ? "met" : "MISSED")
            << ")\n";
    }
    return 0;
}
