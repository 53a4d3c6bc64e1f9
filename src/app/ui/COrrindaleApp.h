#pragma once

// The application: start-up in its order, the language flag, the command line.
class COrrindaleApp {
public:
    // The whole program: --help and --version print and return without a window.
    static int Main(int argc, char *argv[]);
    // Qt's own texts (message box buttons, file dialogs) in the interface's language; false
    // when Qt's translations are not installed.
    static bool InstallQtTexts(bool english);
};
