#pragma once

#include "res/Commands.h"

#include <QHash>
#include <QObject>

#include <functional>

class QAction;

struct CommandState {
    bool enabled = true;
    bool checked = false;
};

// Routes the ids of both languages to one handler per command and keeps every action that
// shows a command (menu items, toolbar buttons, accelerators) enabled and checked as its
// update function says. A command without a handler is disabled.
class CommandRouter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;
    using Updater = std::function<CommandState()>;

    explicit CommandRouter(QObject *parent = nullptr);

    void SetHandler(Cmd cmd, Handler handler, Updater update = {});
    bool IsHandled(Cmd cmd) const;
    CommandState StateOf(Cmd cmd) const;
    CommandState StateOfId(int id) const;
    // Runs the command of an id when it is handled and enabled; false otherwise.
    bool Execute(int id);

    // An action that shows id: triggering it executes the command.
    void Attach(QAction *action, int id);
    // Brings every attached action up to date (called at idle time and before menus open).
    void RefreshActions();
    void RefreshActions(const QList<QAction *> &actions);
    // Asks for a refresh at the next idle moment.
    void ScheduleRefresh();

Q_SIGNALS:
    void CommandExecuted(int id);

private:
    struct Entry {
        Handler handler;
        Updater update;
    };
    QHash<Cmd, Entry> m_entries;
    bool m_refreshPending = false;
};

int ActionId(const QAction *action);
