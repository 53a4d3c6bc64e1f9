#pragma once

class CommandRouter;
struct AppContext;

// The commands of the editor's painting, colours, caret and navigation: colouring and line
// numbers, Set Color, To Head/End, line head/end, paging, Caret Position, the right-click
// switch and Line Jump.
void RegisterViewCommands(CommandRouter &router, AppContext &context);
