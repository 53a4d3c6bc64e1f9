#include "FakePrompter.h"

MsgAnswer FakePrompter::Message(const MessageRequest &request)
{
    messages << request;
    if (!answers.isEmpty())
        return answers.dequeue();
    ++unexpected;
    switch (request.buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
        return MsgAnswer::Cancel;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    }
    return MsgAnswer::Cancel;
}

QString FakePrompter::OpenFileName(const QString &filter, const QString &)
{
    openFilters << filter;
    return openAnswers.isEmpty() ? QString() : openAnswers.dequeue();
}

QString FakePrompter::SaveFileName(const QString &filter, const QString &)
{
    saveFilters << filter;
    return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue();
}

bool FakePrompter::ChooseFont(LogFont &font)
{
    if (fontAnswers.isEmpty())
        return false;
    font = fontAnswers.dequeue();
    return true;
}

QStringList FakePrompter::Texts() const
{
    QStringList texts;
    for (const MessageRequest &m : messages)
        texts << m.text;
    return texts;
}
