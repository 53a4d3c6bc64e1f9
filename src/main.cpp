#include "app/HeadlessMain.h"

int main(int argc, char *argv[])
{
    return ProgramMain(argc, argv, QStringLiteral(VELLOQUIN_WINDOW_LIBRARY));
}
