#pragma once

#include <QTest>

#include <array>

// Adds the columns of a data table, of the given types and names, in order.
template <typename... T>
void Columns(const std::array<const char *, sizeof...(T)> &names)
{
    std::size_t i = 0;
    (QTest::addColumn<T>(names[i++]), ...);
}
