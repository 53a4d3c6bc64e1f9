#pragma once

#include "toolchain/ui/ViewToolchain.h"

class CMainFrame;
class CommandRouter;
struct AppContext;

// The PDF preview of a window: its dock, the commands that show it and find the caret's line
// in it, Ctrl+click back to the source, and what it asks of the TeX commands (SyncTeX data
// while it is shown, a fresh look at the PDF after each).
ToolchainWatch InstallPreview(CMainFrame &frame, AppContext &context, CommandRouter &router);
