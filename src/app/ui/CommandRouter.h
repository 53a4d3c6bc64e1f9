#pragma once

#include "res/Commands.h"

#include <QHash>
#include <QObject>

#include <functional>

class COrrindaleView;
class QAction;

struct CommandState {
    bool enabled = true;
    bool checked = false;
};

// Routes the ids of both languages to one handler per command and keeps every action that
// shows a command (menu items, toolbar buttons, accelerators) enabled and checked as its
// update function says. A command without a handler is disabled, and so is a command on the
// active pane while there is none.
class CommandRouter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;
    using Updater = std::function<CommandState()>;
    using ViewHandler = std::function<void(COrrindaleView &)>;
    using ViewUpdater = std::function<CommandState(const COrrindaleView &)>;

    explicit CommandRouter(QObject *parent = nullptr);

    void SetHandler(Cmd cmd, Handler handler, Updater update = {});
    // A command that acts on the active pane, which it is given.
    void SetViewHandler(Cmd cmd, ViewHandler handler, ViewUpdater update = {});
    // Where the active pane comes from (the window sets it); nullptr when there is none.
    void SetViewProvider(std::function<COrrindaleView *()> provider);
    COrrindaleView *ActiveView() const;
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
    std::function<COrrindaleView *()> m_activeView;
    bool m_refreshPending = false;
};

int ActionId(const QAction *action);
