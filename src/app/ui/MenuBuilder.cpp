#include "app/ui/MenuBuilder.h"

#include "app/ui/CommandRouter.h"
#include "res/Commands.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

QAction *MakeAction(const QString &text, int id, bool english, CommandRouter &router,
                    QObject *parent)
{
    auto *action = new QAction(text, parent);
    action->setStatusTip(StatusTipOf(id, english));
    const QString tip = ToolTipOf(id, english);
    if (!tip.isEmpty())
        action->setToolTip(tip);
    router.Attach(action, id);
    return action;
}

void FillMenus(QWidget *root, std::span<const MenuEntry> entries, bool english,
               CommandRouter &router, QList<QMenu *> &topLevel)
{
    // stack[d] is the menu that receives entries of depth d + 1.
    QList<QMenu *> stack;
    for (const MenuEntry &e : entries) {
        while (stack.size() > e.depth)
            stack.removeLast();
        const QString text = QString::fromUtf8(e.text ? e.text : "");
        if (e.kind == MenuEntryKind::Popup) {
            QMenu *menu = stack.isEmpty() ? new QMenu(text, root) : stack.last()->addMenu(text);
            if (stack.isEmpty())
                topLevel << menu;
            // Items are brought up to date just before the menu opens.
            QObject::connect(menu, &QMenu::aboutToShow, &router,
                             [menu, &router] { router.RefreshActions(menu->actions()); });
            stack << menu;
        } else if (!stack.isEmpty()) {
            if (e.kind == MenuEntryKind::Separator)
                stack.last()->addSeparator();
            else
                stack.last()->addAction(MakeAction(text, e.id, english, router, stack.last()));
        }
    }
}

// The toolbar pictures are the SVG files of res/icons, named after their commands.
QIcon ButtonIcon(int id)
{
    const std::optional<Cmd> cmd = CommandForId(id);
    return QIcon(
        QStringLiteral(":/icons/%1.svg").arg(QLatin1String(cmd ? IdsOf(*cmd).name : "NoCommand")));
}

} // namespace

void BuildMenuBar(QMenuBar *bar, bool english, CommandRouter &router)
{
    QList<QMenu *> menus;
    FillMenus(bar, MenuTable(MenuResource::Main, english), english, router, menus);
    for (QMenu *menu : menus)
        bar->addMenu(menu);
}

QMenu *BuildContextMenu(MenuResource which, bool english, CommandRouter &router, QWidget *parent)
{
    QList<QMenu *> menus;
    FillMenus(parent, MenuTable(which, english), english, router, menus);
    return menus.value(0);
}

void FillToolbar(QToolBar *toolbar, ToolbarResource which, bool english, CommandRouter &router)
{
    for (const int id : ToolbarTable(which, english)) {
        if (id == 0) {
            toolbar->addSeparator();
            continue;
        }
        const QString tip = ToolTipOf(id, english);
        QAction *action = MakeAction(tip, id, english, router, toolbar);
        action->setIcon(ButtonIcon(id));
        toolbar->addAction(action);
    }
}

QHash<int, int> InstallAccelerators(QWidget *window, bool english, CommandRouter &router)
{
    QHash<int, int> keys;
    for (const AccelEntry &a : AccelTable(english)) {
        const QKeySequence sequence(QString::fromLatin1(a.key), QKeySequence::PortableText);
        auto *action = new QAction(window);
        action->setShortcut(sequence);
        action->setShortcutContext(Qt::WindowShortcut);
        router.Attach(action, a.id);
        window->addAction(action);
        keys.insert(sequence[0].toCombined(), a.id);
    }
    return keys;
}
