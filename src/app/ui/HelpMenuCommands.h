#pragma once

#include "app/HelpCommands.h"

#include <QString>

class CommandRouter;
class COrrindaleView;
class QWidget;
struct AppContext;

// The Help menu's own commands: the help texts in a viewer window, the web page, the update
// check, the calculator and the About box. They work with or without an active pane; the
// window is the About box's owner and what a found update closes.
void RegisterHelpCommands(QWidget &window, AppContext &context, CommandRouter &router);

// The command handlers, for the registration above and for tests; view is the active pane,
// or nullptr.
void OnShowHelp(const COrrindaleView *view, AppContext &context, HelpText which);
// A page that cannot be opened is reported in the status bar, as the web page has no box.
void OnWebPage(QWidget &window, const COrrindaleView *view, AppContext &context);
// The version file is fetched in the background behind a progress note with Cancel; the answer
// is judged when it arrives.
void OnCheckUpdate(QWidget &window, const COrrindaleView *view, AppContext &context);
void OnCalculator(AppContext &context);
// The platform's opener first, then a browser by name started in workDir; false when none
// starts.
bool OpenInBrowser(AppContext &context, const QString &url, const QString &workDir = QString());
