#pragma once

#include <QString>

// The whole program. Every switch that prints, compiles, exports or merges is answered here
// with Qt Core alone, so scripts load no graphics library and need no display. The editor
// itself lives in the window library, loaded only when a window is wanted; windowLibrary is
// its path relative to the installation prefix (the build tree has the same layout below the
// program's folder).
int ProgramMain(int argc, char *argv[], const QString &windowLibrary);

// The one function the window library exports: the editor over the whole command line.
inline constexpr const char *WindowEntryPoint = "VelloquinWindowMain";
using WindowMainFunction = int (*)(int argc, char *argv[]);
