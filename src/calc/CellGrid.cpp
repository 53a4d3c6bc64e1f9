#include "calc/CellGrid.h"

#include <QByteArray>

#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

// strtod in the "C" locale, whatever locale the application set.
double StrtodC(const char *text, char **end)
{
#if defined(_WIN32)
    static _locale_t c = _create_locale(LC_NUMERIC, "C");
    return _strtod_l(text, end, c);
#else
    static locale_t c = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    return strtod_l(text, end, c);
#endif
}

// Offset of the n-th TAB (0-based) of the row, -1 when the row has fewer.
int NthTab(QStringView row, int n)
{
    for (int i = 0; i < row.size(); ++i) {
        if (row[i] == u'\t' && n-- == 0)
            return i;
    }
    return -1;
}

} // namespace

double CAtof(QStringView text)
{
    // Only ASCII can be part of a number; the first other character ends it. Cells are short:
    // they are read from a buffer on the stack, without allocating.
    char small[64];
    qsizetype length = 0;
    while (length < qsizetype(sizeof small) - 1 && length < text.size()) {
        const char16_t c = text[length].unicode();
        if (c == 0 || c > 0x7f)
            break;
        small[length++] = char(c);
    }
    if (length < qsizetype(sizeof small) - 1) {
        small[length] = '\0';
        return StrtodC(small, nullptr);
    }
    // A long text is read whole: behind leading zeros any digit can still count.
    QByteArray ascii;
    ascii.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() == 0 || c.unicode() > 0x7f)
            break;
        ascii.append(char(c.unicode()));
    }
    return StrtodC(ascii.constData(), nullptr);
}

QString FormatNumber(double value, int decimals)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    // Qt's fixed notation rounds the exact binary value, so a half rounds away from zero.
    QString digits = QString::number(std::fabs(value), 'f', qMax(0, decimals));
    // With no decimals a small negative value rounds to nothing, which is "0", never "-0".
    if (value < 0 && (decimals > 0 || digits != u"0"))
        digits.prepend(u'-');
    return digits;
}

int RowOfPosition(QStringView text, int pos)
{
    pos = qBound(0, pos, int(text.size()));
    return int(text.first(pos).count(u'\n'));
}

int RowStartOfPosition(QStringView text, int pos)
{
    pos = qBound(0, pos, int(text.size()));
    return int(text.first(pos).lastIndexOf(u'\n')) + 1;
}

int ColumnOfPosition(QStringView text, int pos)
{
    pos = qBound(0, pos, int(text.size()));
    const int start = RowStartOfPosition(text, pos);
    return int(text.sliced(start, pos - start).count(u'\t'));
}

CellRange ComputeCellRange(QStringView text, int selStart, int selEnd)
{
    const int size = int(text.size());
    selStart = qBound(0, selStart, size);
    selEnd = qBound(0, selEnd, size);
    if (selStart >= selEnd)
        return CellRange();
    CellRange range;
    range.firstRow = RowOfPosition(text, selStart);
    range.firstCol = ColumnOfPosition(text, selStart);
    range.lastRow = range.firstRow + int(text.sliced(selStart, selEnd - selStart).count(u'\n'));
    range.lastCol = ColumnOfPosition(text, selEnd);
    if (range.lastCol > range.firstCol && text[selEnd - 1] == u'\t')
        --range.lastCol;
    return range;
}

CellGrid::CellGrid(const QString &text)
    : m_rows(text.split(u'\n'))
{
}

QString CellGrid::Text() const
{
    return m_rows.join(u'\n');
}

QString CellGrid::RowText(int row) const
{
    return row >= 0 && row < RowCount() ? m_rows[row] : QString();
}

QString CellGrid::GetRowText(int row) const
{
    if (row < 0 || row >= RowCount())
        return QString();
    return RowHasLineBreak(row) ? m_rows[row] + u'\n' : m_rows[row];
}

bool CellGrid::RowHasLineBreak(int row) const
{
    return row >= 0 && row < RowCount() - 1;
}

int CellGrid::TabCount(int row) const
{
    return row >= 0 && row < RowCount() ? int(m_rows[row].count(u'\t')) : 0;
}

QString CellGrid::GetCellText(int col, int row, int span) const
{
    if (row < 0 || row >= RowCount() || col < 0 || span < 0)
        return QString();
    const QString &text = m_rows[row];
    const int tabs = int(text.count(u'\t'));
    if (tabs == 0 || col > tabs)
        return QString();
    const int start = col == 0 ? 0 : NthTab(text, col - 1) + 1;
    const int closing = col + span <= tabs - 1 ? NthTab(text, col + span) : int(text.size());
    return text.mid(start, closing - start);
}

double CellGrid::GetCellValue(int col, int row) const
{
    const QString text = GetCellText(col, row);
    return text.isEmpty() ? 0.0 : CAtof(text);
}

bool CellGrid::InsertCell(int col, int row, const QString &text)
{
    if (row < 0 || row >= RowCount() || col < 0)
        return false;
    QString &rowText = m_rows[row];
    int at;
    QString inserted;
    if (col == 0) {
        at = 0;
        inserted = text + u'\t';
    } else {
        // Cell col - 1 must exist for the new cell to follow it.
        if (col - 1 > 0 && NthTab(rowText, col - 2) < 0)
            return false;
        const int closing = NthTab(rowText, col - 1);
        at = closing >= 0 ? closing : int(rowText.size());
        inserted = u'\t' + text;
    }
    rowText.insert(at, inserted);
    if (row == m_nAnchorRow && at < m_nAnchorOffset)
        m_nAnchorOffset += int(inserted.size());
    return true;
}

bool CellGrid::DeleteCell(int col, int row)
{
    const auto [start, end] = CellSpan(col, row);
    if (start < 0)
        return false;
    m_rows[row].remove(start, end - start);
    if (row == m_nAnchorRow) {
        if (m_nAnchorOffset >= end)
            m_nAnchorOffset -= end - start;
        else if (m_nAnchorOffset > start)
            m_nAnchorOffset = start;
    }
    return true;
}

void CellGrid::InsertRow(int row, const QString &text)
{
    row = qBound(0, row, RowCount());
    m_rows.insert(row, text);
    if (m_nAnchorRow >= row)
        ++m_nAnchorRow;
}

void CellGrid::SetRowText(int row, const QString &text)
{
    if (row >= 0 && row < RowCount())
        m_rows[row] = text;
}

void CellGrid::ReplaceRows(int first, int last, const QStringList &rows)
{
    first = qBound(0, first, RowCount());
    last = qBound(first - 1, last, RowCount() - 1);
    QStringList result;
    result.reserve(RowCount() - (last - first + 1) + rows.size());
    result.append(m_rows.mid(0, first));
    result.append(rows);
    result.append(m_rows.mid(last + 1));
    m_rows = std::move(result);
}

int CellGrid::CellOffset(int col, int row) const
{
    if (row < 0 || row >= RowCount() || col < 0)
        return -1;
    const QString &text = m_rows[row];
    if (col == 0)
        return text.contains(u'\t') ? 0 : -1;
    const int tab = NthTab(text, col - 1);
    return tab < 0 ? -1 : tab + 1;
}

std::pair<int, int> CellGrid::CellSpan(int col, int row) const
{
    const int start = CellOffset(col, row);
    if (start < 0)
        return {-1, -1};
    const QString &text = m_rows[row];
    const int closing = int(text.indexOf(u'\t', start));
    return {start, closing >= 0 ? closing + 1 : int(text.size())};
}

int CellGrid::RowStart(int row) const
{
    row = qBound(0, row, RowCount());
    qsizetype pos = 0;
    for (int r = 0; r < row; ++r)
        pos += m_rows[r].size() + 1;
    return int(pos);
}

std::pair<int, int> CellGrid::RowAndOffset(int pos) const
{
    int row = 0;
    qsizetype start = 0;
    while (row < RowCount() - 1 && pos > start + m_rows[row].size()) {
        start += m_rows[row].size() + 1;
        ++row;
    }
    return {row, int(qBound<qsizetype>(0, pos - start, m_rows[row].size()))};
}

void CellGrid::SetAnchor(int pos)
{
    std::tie(m_nAnchorRow, m_nAnchorOffset) = RowAndOffset(pos);
}

int CellGrid::Anchor() const
{
    return m_nAnchorRow < 0 ? 0 : RowStart(m_nAnchorRow) + m_nAnchorOffset;
}
