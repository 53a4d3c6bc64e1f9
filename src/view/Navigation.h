#pragma once

#include <QString>

// Caret targets of the paging, jump and word-selection commands, on plain text and line
// numbers. Lines here are display lines unless called logical.

struct PageTarget {
    int scrollLines = 0; // positive: down
    int line = 0;        // display line whose start takes the caret
    bool toStart = false;
    bool toEnd = false;

    bool operator==(const PageTarget &) const = default;
};

PageTarget PageDownTarget(int lineCount, int caretLine, int visibleRows);
PageTarget PageUpTarget(int caretLine, int visibleRows);

// After a jump has put the target line into view: amount lines further down when the target
// lies more than amount lines below the top line, amount lines up when it is not below it.
int JumpScrollAdjustment(int targetLine, int topLine, int amount);

// The index just after the count-th line feed: 0 for count 0, the text's end when there are
// fewer line feeds.
int IndexAfterLineFeeds(const QString &text, int count);

struct TextRange {
    int start = 0;
    int end = 0;

    bool operator==(const TextRange &) const = default;
};

// Logical line n (1-based) with its line feed; empty at its start when no line feed ends it.
TextRange LogicalLineRange(const QString &text, int n);

// The number a selected text starts with (leading blanks skipped); 0 when there is none.
int LeadingNumber(const QString &text);

// The word around position s that a double-click selects. Source files (".tex", ".TEX",
// ".cpp", ".CPP", ".h", ".H") stop at code punctuation; the backslash of a command is
// taken in. ext keeps its dot.
TextRange WordSelectionRange(const QString &text, int s, const QString &ext);

// The right-click menu: none on the program's read-me, the calculation menu in calculation
// mode, otherwise the editing menu while the right-click switch is on.
enum class PopupChoice {
    None,
    Editing,
    Calculation
};
PopupChoice PopupMenuFor(bool readMe, bool calcMode, bool rightClickSwitch);
// The program's read-me texts "ReadMe.log" and "ReadMeE.log" in the installation folder.
bool IsReadMeFile(const QString &path, const QString &installDir);
