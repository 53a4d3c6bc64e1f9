#pragma once

// The settings groups the application holds (see AppSettings.h): each with its defaults, read
// from and written to the store under the keys of SettingsKeys.h. The TeX programs' settings
// are in toolchain/ToolSettings.h, the colours in view/ViewColors.h, the fonts in LogFont.h.

#include "app/LogFont.h"
#include "app/SettingsKeys.h"

#include <QString>

class SettingsStore;

// Each Save writes every value, or with before only those that differ from it: another window
// of the program may have stored the others since this one read them.

// The caret and the HTML export.
struct EditorSettings {
    // "CaretPos": vertical moves keep the caret's column.
    int caretColumn = Keys::CaretPos.defaultValue;
    // "YNC": after an HTML export 1 goes back to the document, 0 asks.
    int restoreAfterHtml = Keys::YNC.defaultValue;

    void Load(const SettingsStore &store);
    void Save(SettingsStore &store, const EditorSettings *before = nullptr) const;
    bool operator==(const EditorSettings &) const = default;
};

// The completion of TeX command names.
struct InputSettings {
    QString commandList;              // "inputname"; "" is input_tex.mme in the data folder
    int abc = Keys::ABC.defaultValue; // "ABC": names in alphabetical order rather than by frequency
    int minimum = Keys::Minimum.defaultValue; // "Minimum": the list opens after minimum + 2 letters

    void Load(const SettingsStore &store);
    // An empty command list removes its key, so that the data folder's list applies again.
    void Save(SettingsStore &store, const InputSettings *before = nullptr) const;
    bool operator==(const InputSettings &) const = default;
    // The list file: the chosen one, else the one in dataDir.
    QString CommandListPath(const QString &dataDir) const;
};

// Printing: columns per page and margin, both 1..4.
struct PrintSettings {
    int columns = Keys::ColNum.defaultValue;     // "ColNum"
    int margin = Keys::PrintMargin.defaultValue; // "PrintMargin"

    void Load(const SettingsStore &store);
    void Save(SettingsStore &store, const PrintSettings *before = nullptr) const;
    bool operator==(const PrintSettings &) const = default;
};

// The stored printer font; height 0 (nothing chosen yet) prints the screen font at its size.
LogFont LoadPrintFont(const SettingsStore &store);
