#pragma once

#include <QTest>
#include <QVariant>

#include <array>

// Adds the columns of a data table, of the given types and names, in order.
template <typename... T>
void Columns(const std::array<const char *, sizeof...(T)> &names)
{
    std::size_t i = 0;
    (QTest::addColumn<T>(names[i++]), ...);
}

// A table of rules that are plain functions: each row holds what the function gave and what it
// must give, and one test compares them.
inline void RuleColumns()
{
    Columns<QVariant, QVariant>({"got", "expected"});
}
inline void RuleRow(const char *name, const QVariant &got, const QVariant &expected)
{
    QTest::newRow(name) << got << expected;
}
inline void CompareRule()
{
    QFETCH(QVariant, got);
    QFETCH(QVariant, expected);
    QCOMPARE(got, expected);
}
