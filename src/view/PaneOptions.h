#pragma once

// What one editor pane shows and how it behaves; each pane of a split window has its own.
// The defaults are those of a new pane before a file is prepared in it.
struct PaneOptions {
    bool calcMode = false;
    int tabWidth = 8;   // in characters
    int roundIndex = 1; // decimals of computed values
    // Word wrap of the pane when the window is not split (a split turns it off for a while).
    bool wordWrap = true;
    bool inputSupport = false; // completion of TeX command names
    bool coloring = true;
    bool underlineCaretLine = true;
    int lineNumberMode = 0;     // a LineNumberMode (view/Gutter.h)
    bool rightClickMenu = true; // not stored: on at every start

    bool operator==(const PaneOptions &) const = default;
};
