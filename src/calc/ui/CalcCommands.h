#pragma once

class CommandRouter;
struct AppContext;

// Calculation mode, its tab width and rounding, the two-click range selection, and the sums,
// means, transforms and two-line arithmetic of the table, with their enabled states.
void RegisterCalcCommands(CommandRouter &router, AppContext &context);
