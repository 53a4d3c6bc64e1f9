#include "res/Messages.h"

#include "res/MessageTable.h"

#include <QList>

namespace {
QList<QString> BuildTable(const MessageEntry *entries, int count)
{
    QList<QString> table(static_cast<int>(Msg::Count));
    for (int i = 0; i < count; ++i)
        table[static_cast<int>(entries[i].id)] = QString::fromUtf8(entries[i].text);
    return table;
}
} // namespace

QString MsgText(Msg id, bool english)
{
    static const QList<QString> japanese = [] {
        int n = 0;
        const MessageEntry *e = JapaneseMessages(n);
        return BuildTable(e, n);
    }();
    static const QList<QString> englishTable = [] {
        int n = 0;
        const MessageEntry *e = EnglishMessages(n);
        return BuildTable(e, n);
    }();
    // Messages that exist in Japanese only have no English entry and show the Japanese text.
    const int i = static_cast<int>(id);
    if (english && !englishTable.value(i).isEmpty())
        return englishTable.value(i);
    return japanese.value(i);
}
