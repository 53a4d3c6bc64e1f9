#pragma once

class CMainFrame;
class CommandRouter;
class COrrindaleView;

// The TeX input commands: completion on and off (Esc), the list order, the minimum letters,
// making the command list file from the open document and choosing which list file is used.
void RegisterInputCommands(CMainFrame &frame, CommandRouter &router);

// Make TeX Input file: merges the open document's commands into the list file and shows the
// result as the window's unsaved document.
void MakeTeXInputFile(CMainFrame &frame, COrrindaleView *view);
void ChangeTeXInputFile(CMainFrame &frame);
