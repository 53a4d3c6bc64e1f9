#pragma once

class CMainFrame;
class CommandRouter;
class COrrindaleView;
struct AppContext;

// The commands around the panes and the compile target: Split Row / Split Column, Log Column
// / Log Row, registering another file to compile, WinTpic and the command prompt.
void RegisterPaneCommands(CMainFrame &frame, AppContext &context, CommandRouter &router);

// The command handlers, for the frame's commands above and for tests.
void OnRegistAnotherFile(CMainFrame &frame, AppContext &context);
void OnUnregistAnotherFile(CMainFrame &frame);
void OnWinTpic(const COrrindaleView &view, AppContext &context);
void OnCommandPrompt(const COrrindaleView &view, AppContext &context);
