#pragma once

class CMainFrame;
class CommandRouter;

// Undo and Undo Forward, Cut, Copy and Paste, the find and replace commands and the text
// commands of the editor, with their enabled and checked states.
void RegisterEditingCommands(CMainFrame &frame, CommandRouter &router);
