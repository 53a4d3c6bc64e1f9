// The window library's only export: the program hands over the command line when a switch
// needs the editor's window.
#include "app/HeadlessMain.h"
#include "app/ui/COrrindaleApp.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT int VelloquinWindowMain(int argc, char *argv[])
{
    static_assert(std::is_same_v<decltype(&VelloquinWindowMain), WindowMainFunction>);
    return COrrindaleApp::Main(argc, argv);
}
