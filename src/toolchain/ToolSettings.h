#pragma once

#include "app/SettingsKeys.h"

#include <QString>

class SettingsStore;

// The programs and choices the TeX commands work with. The application's settings hold one
// (the window's); the headless compile makes its own. The commands change it as they go and
// write each change to the store themselves, with their own rules (a cancelled chooser removes
// its key, so that the default applies again; a first line "% name.exe" chooses the compiler
// for this process only).
struct ToolSettings {
    QString texInstDir; // "TeXInstDir": the folder of the chosen compiler
    QString compiler = QString::fromUtf8(Keys::TeX.defaultValue);
    QString dviPdf = QString::fromUtf8(Keys::DviPdf.defaultValue);
    QString bibTeX = QString::fromUtf8(Keys::Bib.defaultValue);
    QString makeIndex = QString::fromUtf8(Keys::MkIdx.defaultValue);
    QString makeIndexOptions;
    int makeIndexNoAsk = Keys::MkIdxNvr.defaultValue; // the options are not asked before each run
    int pdfMadeOnce = Keys::Acr.defaultValue;
    int pdfPaper = Keys::PdfSizeNo.defaultValue;         // index into PaperOption, A4
    int neverPaperDialog = Keys::PdfNeShow.defaultValue; // "don't show any more"
    int skipPaperDialog = 0; // not stored: either box skips the dialog until the end

    void Load(const SettingsStore &store);
    // Writes every stored field.
    void Save(SettingsStore &store) const;
    bool operator==(const ToolSettings &) const = default;

    // While the paper dialog is allowed, each start shows it again at the default size; called
    // once at start, before Load.
    static void ResetPaperDialog(SettingsStore &store);
};

// The values the paper-size dialog shows and returns.
struct PaperDialogValues {
    int nShow = 0;  // don't show until the program ends
    int neShow = 0; // don't show any more
    int sizeNo = 1; // radio index, 0..13
};

// The option string the converter gets for a paper index; empty for A4 and unknown indexes.
QString PaperOption(int index);
inline constexpr int PaperSizeCount = 14;
