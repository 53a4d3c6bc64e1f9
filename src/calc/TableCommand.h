#pragma once

#include "calc/CellGrid.h"

#include <QString>

// What a table command starts from: the text, the remembered selection and the range of the
// view, the decimals every computed value keeps, and the interface language (labels such as
// "Sum" / "合計").
struct TableInput {
    QString text;
    int selStart = 0;
    int selEnd = 0;
    CellRange range;
    int decimals = 1;
    bool english = false;
};

// What it leaves: the new text when it changed it, the caret (an empty selection) or, when
// selEnd > selStart, the selection to show, and a message to show when it refused to act.
struct TableResult {
    bool changed = false;
    QString text;
    int selStart = 0;
    int selEnd = -1; // -1: the caret at selStart
    QString message;
};
