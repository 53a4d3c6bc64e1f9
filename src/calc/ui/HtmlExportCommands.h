#pragma once

class COrrindaleView;
class CommandRouter;
struct AppContext;

// The HTML export of the document and the switch that brings back the question asked after it.
void RegisterHtmlExportCommands(CommandRouter &router, AppContext &context);

// The export: saves a modified document first, writes the page beside it, opens it in the
// browser and goes back to the document (or asks whether to). active is the active pane.
void OnExportHtml(COrrindaleView &active, AppContext &context);
