#pragma once

#include <QFile>
#include <QTest>
#include <QVariant>

#include <array>
#include <type_traits>

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
// The same with the expected value taken as the type the rule gives.
template <typename T>
void Rule(const char *name, const T &got, const std::type_identity_t<T> &expected)
{
    QTest::newRow(name) << QVariant::fromValue(got) << QVariant::fromValue(expected);
}
inline void CompareRule()
{
    QFETCH(QVariant, got);
    QFETCH(QVariant, expected);
    QCOMPARE(got, expected);
}

// A file's bytes, empty when it cannot be read.
inline QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
inline QString WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}
