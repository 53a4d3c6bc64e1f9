#pragma once

#include <QtGlobal>

// Process-wide state shared by the window's objects.
// Modification time (whole seconds) of the document file as this window last opened, saved or
// reloaded it; a newer time on disk means another program changed the file.
inline qint64 g_tFileTime = 0;
// Insert (1) or overwrite (0), toggled by the Insert key.
inline int g_bInsertMode = 1;
// Set when a double-click in the log pane moved the editing pane to a line; the frame's status
// update clears it.
inline int g_bLogJump = 0;
