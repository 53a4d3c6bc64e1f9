#include "app/StatusTexts.h"

#include "res/Messages.h"

QString SizePaneText(qsizetype characters, bool english)
{
    const qsizetype thousands = characters / 1000;
    if (thousands < 1)
        return MsgText(Msg::StatusBytes, english).arg(characters);
    // Truncated, not rounded: 1999 characters are 1.9 KB.
    const qsizetype tenths = characters / 100 - 10 * thousands;
    return MsgText(Msg::StatusKiloBytes, english)
        .arg(QString::number(thousands), QString::number(tenths));
}

QString LinePaneText(int line, int column, int offset, bool english)
{
    return MsgText(Msg::StatusLine, english)
        .arg(QString::number(line + 1), QString::number(column), QString::number(offset));
}

QString InsertPaneText(bool insertMode, bool english)
{
    return MsgText(insertMode ? Msg::StatusInsert : Msg::StatusOverwrite, english);
}
