#pragma once

// The rules of the completion popup that can be stated on text and numbers: which names a
// prefix offers, how they are ordered, how big the list is and where it goes, and what an
// accepted name puts into the text.

#include <QString>
#include <QStringList>

// The part of a list file the popup reads: from the first "%a" at or after the first
// "\COMMANDS" (each taken from the start when it is missing).
QString CompletionEntries(const QString &content);

struct CompletionNames {
    QStringList names;
    int longest = 0; // characters of the longest name
};
// The names of the lines that begin with prefix (case-sensitive), in file order: the line up
// to its first TAB, or the whole line without one, a "%description" included. Names shorter
// than minimumLength are left out.
CompletionNames FindCompletionNames(const QString &entries, const QString &prefix,
                                    int minimumLength);
// The "ABC" order: ascending by character code, upper case before lower case.
void SortNamesAbc(QStringList &names);

// The index of the first name that begins with word, compared without regard to case; -1 when
// none does.
int FirstNameStartingWith(const QStringList &names, const QString &word);

// The end of the typed name that begins at wordStart: the first line break, blank, backslash
// or TAB after it, or one past the first "{", "[", "_" or "^", or the end of the text.
int TypedWordEnd(const QString &text, int wordStart);

// What accepting a name writes: the name up to its first "%"; for a "begin..." name also an
// empty line and the matching "\end..." line. caret is the offset of the caret in text;
// brace tells that the name ends in "{", so that the caret stands right after one.
struct CompletionInsertion {
    QString text;
    int caret = 0;
    bool brace = false;
};
CompletionInsertion InsertionFor(const QString &item);

// Whether Enter takes the selected item: only while what was typed still begins its name
// (compared without regard to case). After a miss Enter breaks the line instead, so that
// typed text is never replaced by a name that does not continue it.
bool EnterTakesName(const QString &typed, const QString &item);

// The list's size in pixels for count names whose longest has longest characters, given the
// height createdHeight the list has as it is made.
int PopupListHeight(int count, int createdHeight);
int PopupListWidth(int longest);
// A list taller than the room above or below the caret line is cut to that room.
int FitPopupHeight(int height, int caretY, int lineHeight, int clientHeight);

// Where the popup goes, in the view's coordinates: just under the caret line and a little to
// the left of the caret; to the left of the caret (never further left than the gutter) when it
// would pass the right edge; above the caret line when it would pass the bottom.
struct PopupPlace {
    int x = 0;
    int y = 0;
};
PopupPlace PlacePopup(int caretX, int caretY, int lineHeight, int width, int height,
                      int clientRight, int clientBottom, int gutterWidth);
