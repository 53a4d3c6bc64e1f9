#include "view/Gutter.h"

QString GutterSizingText(int mode, int lineCount, int visibleRows)
{
    int n = lineCount;
    if (mode == static_cast<int>(LineNumberMode::Physical))
        n = std::max(n, visibleRows);
    return QStringLiteral("  %1:").arg(n);
}

QStringList GutterLabels(int mode, bool wordWrap, int firstDisplayLine, int topLineNumber,
                         const QList<bool> &rowStartsLine, int visibleRows)
{
    QStringList labels;
    if (mode == static_cast<int>(LineNumberMode::None))
        return labels;
    if (mode == static_cast<int>(LineNumberMode::Physical) || !wordWrap) {
        for (int r = 0; r < visibleRows; ++r)
            labels << QStringLiteral("%1:").arg(firstDisplayLine + r + 1);
        return labels;
    }
    int number = topLineNumber;
    for (int r = 0; r < visibleRows; ++r) {
        const bool starts = r < rowStartsLine.size() && rowStartsLine[r];
        if (starts && r > 0)
            ++number;
        labels << (starts ? QStringLiteral("%1:").arg(number) : QString());
    }
    return labels;
}

QString HeaderRowText()
{
    QString text = QStringLiteral("  A");
    for (char c = 'B'; c <= 'Z'; ++c)
        text += QStringLiteral("\t ") + QLatin1Char(c);
    return text + QLatin1Char('\t');
}

EofPlace EofPlacement(int textLength, bool endsWithLineBreak, int markRight, int clientRight)
{
    if (textLength <= 0)
        return EofPlace::None;
    if (endsWithLineBreak || markRight > clientRight)
        return EofPlace::NextRow;
    return EofPlace::AfterText;
}
