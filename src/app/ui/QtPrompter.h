#pragma once

#include "app/Prompter.h"

#include <QPointer>

class QWidget;

// Real message boxes and file dialogs, owned by the main window.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget *owner = nullptr);
    void SetOwner(QWidget *owner);

    MsgAnswer Message(const MessageRequest &request) override;
    QString OpenFileName(const QString &filter, const QString &initialDir) override;
    QString SaveFileName(const QString &filter, const QString &initialPath) override;
    bool ChooseFont(LogFont &font) override;

private:
    QPointer<QWidget> m_owner;
};
