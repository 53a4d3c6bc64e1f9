#include "app/Prompter.h"

#include <QStringList>

MsgAnswer Prompter::Notice(const QString &text, MsgIcon icon)
{
    return Message({text, QString::fromLatin1(AppCaption), MsgButtons::Ok, icon, 0});
}

MsgAnswer Prompter::Ask(const QString &text, MsgButtons buttons, MsgIcon icon, int defaultButton)
{
    return Message({text, QString::fromLatin1(AppCaption), buttons, icon, defaultButton});
}

QString FilterToQt(const QString &filter)
{
    // Qt takes the patterns from the parentheses at the end of each name and splits them at
    // spaces, so the name is rebuilt around the pattern list of its pair.
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
        QString name = parts[i];
        const qsizetype open = name.lastIndexOf(QLatin1Char('('));
        if (open > 0)
            name = name.left(open).trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << QStringLiteral("%1 (%2)").arg(name, patterns.simplified());
    }
    return out.join(QStringLiteral(";;"));
}
