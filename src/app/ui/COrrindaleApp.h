#pragma once

// The application: start-up in its order, the language flag, the command line.
class COrrindaleApp {
public:
    // The whole program: --help and --version print and return without a window.
    static int Main(int argc, char *argv[]);
};
