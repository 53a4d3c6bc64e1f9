#pragma once

#include "app/HelpCommands.h"

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

// How long the update check waits for a silent server.
inline constexpr int UpdateTimeoutMs = 10000;
