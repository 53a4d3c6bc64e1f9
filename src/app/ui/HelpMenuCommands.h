#pragma once

#include "app/HelpCommands.h"

#include <QString>

class CMainFrame;
class CommandRouter;
struct AppContext;

// The Help menu's own commands: the help texts in a viewer window, the web page, the update
// check, the calculator and the About box.
void RegisterHelpCommands(CMainFrame &frame, AppContext &context, CommandRouter &router);

// The command handlers, for the registration above and for tests.
void OnShowHelp(CMainFrame &frame, AppContext &context, HelpText which);
void OnWebPage(AppContext &context);
void OnCheckUpdate(CMainFrame &frame, AppContext &context);
void OnCalculator(AppContext &context);
// The platform's opener first, then a browser by name started in workDir; false when none
// starts.
bool OpenInBrowser(AppContext &context, const QString &url, const QString &workDir = QString());

// How long the update check waits for a silent server.
inline constexpr int UpdateTimeoutMs = 10000;
