#include "app/ui/COrrindaleApp.h"

int main(int argc, char *argv[])
{
    return COrrindaleApp::Main(argc, argv);
}
