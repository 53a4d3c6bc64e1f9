#include "app/ui/CommandRouter.h"

#include <QAction>
#include <QTimer>

namespace {
constexpr const char *kIdProperty = "velloquinCommandId";
}

int ActionId(const QAction *action)
{
    return action->property(kIdProperty).toInt();
}

CommandRouter::CommandRouter(QObject *parent)
    : QObject(parent)
{
}

void CommandRouter::SetHandler(Cmd cmd, Handler handler, Updater update)
{
    m_entries.insert(cmd, Entry{std::move(handler), std::move(update)});
    ScheduleRefresh();
}

void CommandRouter::SetViewHandler(Cmd cmd, ViewHandler handler, ViewUpdater update)
{
    SetHandler(
        cmd,
        [this, handler = std::move(handler)] {
            if (COrrindaleView *view = ActiveView())
                handler(*view);
        },
        [this, update = std::move(update)] {
            const COrrindaleView *view = ActiveView();
            if (!view)
                return CommandState{false, false};
            return update ? update(*view) : CommandState{};
        });
}

void CommandRouter::SetViewProvider(std::function<COrrindaleView *()> provider)
{
    m_activeView = std::move(provider);
}

COrrindaleView *CommandRouter::ActiveView() const
{
    return m_activeView ? m_activeView() : nullptr;
}

bool CommandRouter::IsHandled(Cmd cmd) const
{
    return m_entries.contains(cmd);
}

CommandState CommandRouter::StateOf(Cmd cmd) const
{
    const auto it = m_entries.constFind(cmd);
    if (it == m_entries.cend())
        return {false, false};
    return it->update ? it->update() : CommandState{};
}

CommandState CommandRouter::StateOfId(int id) const
{
    const std::optional<Cmd> cmd = CommandForId(id);
    return cmd ? StateOf(*cmd) : CommandState{false, false};
}

bool CommandRouter::Execute(int id)
{
    const std::optional<Cmd> cmd = CommandForId(id);
    if (!cmd)
        return false;
    const auto it = m_entries.constFind(*cmd);
    if (it == m_entries.cend() || !StateOf(*cmd).enabled)
        return false;
    const Handler handler = it->handler; // the handler may replace itself
    handler();
    Q_EMIT CommandExecuted(id);
    ScheduleRefresh();
    return true;
}

void CommandRouter::Attach(QAction *action, int id)
{
    action->setProperty(kIdProperty, id);
    connect(action, &QAction::triggered, this, [this, action] {
        Execute(ActionId(action));
        // A checked action flips its own mark when triggered; the update function decides.
        RefreshActions({action});
    });
    RefreshActions({action});
}

void CommandRouter::RefreshActions(const QList<QAction *> &actions)
{
    for (QAction *action : actions) {
        const int id = ActionId(action);
        if (id == 0)
            continue;
        const CommandState state = StateOfId(id);
        action->setEnabled(state.enabled);
        // Only a checked item shows a mark, as in the menus of the platform the program
        // comes from; an unchecked one shows none.
        action->setCheckable(state.checked);
        action->setChecked(state.checked);
    }
}

void CommandRouter::RefreshActions()
{
    m_refreshPending = false;
    QList<QAction *> actions;
    for (QObject *o : parent() ? parent()->findChildren<QAction *>() : QList<QAction *>())
        actions << static_cast<QAction *>(o);
    RefreshActions(actions);
}

void CommandRouter::ScheduleRefresh()
{
    // Some update functions look at the disk (Delete Backup), so a burst of typing makes
    // one refresh a moment later rather than one per key.
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QTimer::singleShot(100, this, [this] { RefreshActions(); });
}
