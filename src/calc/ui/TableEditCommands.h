#pragma once

class CommandRouter;
struct AppContext;

// Sorting, ranking, deviation values and the table-editing commands of calculation mode, with
// their enabling rules.
void RegisterTableEditCommands(CommandRouter &router, AppContext &context);
