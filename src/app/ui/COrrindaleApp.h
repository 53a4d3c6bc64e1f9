#pragma once

// The application: start-up in its order, the language flag, the command line.
class COrrindaleApp {
public:
    // The editor's window over the command line; the switches without a window were answered
    // before the window library was loaded.
    static int Main(int argc, char *argv[]);
    // Qt's own texts (message box buttons, file dialogs) in the interface's language; false
    // when Qt's translations are not installed.
    static bool InstallQtTexts(bool english);
};
