#pragma once

#include "res/Resources.h"

#include <QHash>

class CommandRouter;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

// Menus, toolbars and accelerators made from the resource tables of one language. Every
// action carries its command id and is kept up to date by the router.
void BuildMenuBar(QMenuBar *bar, bool english, CommandRouter &router);
QMenu *BuildContextMenu(MenuResource which, bool english, CommandRouter &router, QWidget *parent);
void FillToolbar(QToolBar *toolbar, ToolbarResource which, bool english, CommandRouter &router);
// Window-wide shortcuts; returns key combination → command id for the editor's key filter.
QHash<int, int> InstallAccelerators(QWidget *window, bool english, CommandRouter &router);
