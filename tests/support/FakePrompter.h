#pragma once

#include "app/LogFont.h"
#include "app/Prompter.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// Records every message and dialog exactly and answers from queues. A message that finds its
// queue empty is answered with the last button (Cancel / No / OK) and counted as unexpected.
class FakePrompter : public Prompter {
public:
    QList<MessageRequest> messages;
    QQueue<MsgAnswer> answers;
    QQueue<QString> openAnswers;
    QQueue<QString> saveAnswers;
    QQueue<LogFont> fontAnswers; // empty: Cancel
    QStringList openFilters;
    QStringList saveFilters;
    int unexpected = 0;

    MsgAnswer Message(const MessageRequest &request) override;
    QString OpenFileName(const QString &filter, const QString &initialDir) override;
    QString SaveFileName(const QString &filter, const QString &initialPath) override;
    bool ChooseFont(LogFont &font) override;

    QStringList Texts() const;
};
