#pragma once

class CFindReplaceController;
class CommandRouter;
struct AppContext;

// Undo and Undo Forward, Cut, Copy and Paste, the find and replace commands and the text
// commands of the editor, with their enabled and checked states. bars runs the find and
// replace commands.
void RegisterEditingCommands(CommandRouter &router, AppContext &context,
                             CFindReplaceController *bars);
