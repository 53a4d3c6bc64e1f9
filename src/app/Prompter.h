#pragma once

#include <QString>

struct LogFont;

// Everything that waits for a person goes through a Prompter: message boxes, file dialogs and
// the program's own small dialogs. The window's Prompter shows real dialogs; tests use a
// scripted double that records every text and answers from a queue.

enum class MsgButtons {
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel
};
enum class MsgIcon {
    None,
    Information,
    Question,
    Exclamation,
    Stop
};
enum class MsgAnswer {
    Ok,
    Cancel,
    Yes,
    No
};

struct MessageRequest {
    QString text;
    QString caption; // empty: the system's default caption (ownerless boxes)
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    int defaultButton = 0; // 0 = first button, 1 = second, 2 = third
};

class Prompter {
public:
    virtual ~Prompter() = default;

    virtual MsgAnswer Message(const MessageRequest &request) = 0;
    // filter is a list "Name (*.x)|*.x|Other|*.y||"; an empty result means Cancel.
    virtual QString OpenFileName(const QString &filter, const QString &initialDir) = 0;
    virtual QString SaveFileName(const QString &filter, const QString &initialPath) = 0;
    // The font dialog, starting at font; false on Cancel.
    virtual bool ChooseFont(LogFont &font) = 0;

    // Conveniences with the application's caption.
    MsgAnswer Notice(const QString &text, MsgIcon icon = MsgIcon::None);
    MsgAnswer Ask(const QString &text, MsgButtons buttons, MsgIcon icon = MsgIcon::Question,
                  int defaultButton = 0);
};

inline constexpr const char *AppCaption = "Velloquin";

// "Name (*.x)|*.x|...||" into Qt's "Name (*.x);;..." form.
QString FilterToQt(const QString &filter);
