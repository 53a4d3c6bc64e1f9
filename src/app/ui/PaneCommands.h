#pragma once

class CommandRouter;
class COrrindaleView;
class CPaneSplitter;
struct AppContext;

// The commands around the panes and the compile target: Split Row / Split Column, Log Column
// / Log Row, registering another file to compile, WinTpic and the command prompt.
void RegisterPaneCommands(CPaneSplitter &splitter, AppContext &context, CommandRouter &router);

// The command handlers, for the frame's commands above and for tests.
void OnRegistAnotherFile(const COrrindaleView &view, AppContext &context);
void OnUnregistAnotherFile(const COrrindaleView &view);
void OnWinTpic(const COrrindaleView &view, AppContext &context);
void OnCommandPrompt(const COrrindaleView &view, AppContext &context);
