#pragma once

#include <functional>

class CommandRouter;
class COrrindaleView;
struct AppContext;

// The TeX input commands: completion on and off (Esc), the list order, the minimum letters,
// making the command list file from the open document and choosing which list file is used.
// refreshStatus brings the window's status bar up to date once a list is shown.
void RegisterInputCommands(CommandRouter &router, AppContext &context,
                           std::function<void()> refreshStatus);

// Make TeX Input file: merges the open document's commands into the list file and shows the
// result as the window's unsaved document.
void MakeTeXInputFile(COrrindaleView *view, AppContext &context,
                      const std::function<void()> &refreshStatus);
void ChangeTeXInputFile(AppContext &context);
