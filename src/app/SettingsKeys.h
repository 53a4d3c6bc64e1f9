#pragma once

// The one table of settings sections, keys and defaults. Callers never spell a section or a
// key as a literal: they name an entry here. Where two readers use different defaults for the
// same value, the entry carries the usual one and the other reader passes its own.

#include <QString>

struct IntSetting {
    const char *section;
    const char *key;
    int defaultValue;
};

struct StringSetting {
    const char *section;
    const char *key;
    const char *defaultValue; // UTF-8
};

namespace Sections {
inline constexpr const char *Settings = "Settings";
inline constexpr const char *RecentFiles = "Recent File List";
inline constexpr const char *Find = "Find";
inline constexpr const char *Replace = "Replace";
inline constexpr const char *Caret = "Caret";
inline constexpr const char *CaretTemp = "CaretTemp";
inline constexpr const char *Font = "Font";
inline constexpr const char *PrintFont = "PrintFont";
inline constexpr const char *ColorTB = "ColorTB";
inline constexpr const char *Colors = "Colors";
inline constexpr const char *ColorCust = "ColorCust";
inline constexpr const char *TeXFile = "TeXFile";
} // namespace Sections

namespace Keys {
// Language and installation folder.
inline constexpr IntSetting English{"Settings", "English", 0};
inline constexpr StringSetting InstDir{"Settings", "InstDir", ""};

// Window placement: the current and the "restored" rectangle (defaults are computed).
inline constexpr const char *WndX = "wndX";
inline constexpr const char *WndY = "wndY";
inline constexpr const char *WndW = "wndW";
inline constexpr const char *WndH = "wndH";
inline constexpr const char *WndDefX = "wndDefX";
inline constexpr const char *WndDefY = "wndDefY";
inline constexpr const char *WndDefW = "wndDefW";
inline constexpr const char *WndDefH = "wndDefH";

// Document.
inline constexpr IntSetting Backup{"Settings", "Backup", 1};

// View.
inline constexpr IntSetting Line{"Settings", "Line", 0};
inline constexpr IntSetting Enter{"Settings", "Enter", 1};
inline constexpr IntSetting CaretPos{"Settings", "CaretPos", 1};
inline constexpr IntSetting TabStops{"Settings", "TabStops", 8};
inline constexpr IntSetting PrintMargin{"Settings", "PrintMargin", 1};
inline constexpr IntSetting ColNum{"Settings", "ColNum", 1};
inline constexpr IntSetting Input{"Settings", "Input", 1};
inline constexpr IntSetting ABC{"Settings", "ABC", 0};
inline constexpr IntSetting Minimum{"Settings", "Minimum", 2};
inline constexpr IntSetting RetuHaba{"Settings", "RetuHaba", 8};
inline constexpr IntSetting Sho{"Settings", "Sho", 1};
inline constexpr IntSetting YNC{"Settings", "YNC", 1};

// Calculation dialogs: their last parameters. "ABC" is shared with the completion order above,
// as it always was.
inline constexpr IntSetting Num1{"Settings", "Num1", 1}; // Y = X*m/n + p/q: m
inline constexpr IntSetting Num{"Settings", "Num", 1};   // n
inline constexpr IntSetting Num2{"Settings", "Num2", 1}; // p
inline constexpr IntSetting Num3{"Settings", "Num3", 1}; // q
inline constexpr IntSetting TransA{"Settings", "A", 60};
inline constexpr IntSetting TransB{"Settings", "B", 120};
inline constexpr IntSetting TransC{"Settings", "C", 65};
inline constexpr IntSetting TransD{"Settings", "D", 100};
inline constexpr IntSetting SisokuR{"Settings", "SisokuR", 0};
inline constexpr IntSetting SisokuG{"Settings", "SisokuG", 0};
inline constexpr IntSetting Down{"Settings", "Down", 1};
inline constexpr IntSetting Value{"Settings", "Value", 1};
inline constexpr IntSetting Order{"Settings", "Order", 1};
inline constexpr IntSetting Gyo{"Settings", "Gyo", 5};
inline constexpr IntSetting Retu{"Settings", "Retu", 5};
inline constexpr IntSetting No{"Settings", "No", 0};

// Tools.
inline constexpr StringSetting TeXInstDir{"Settings", "TeXInstDir", ""};
inline constexpr StringSetting TeX{"Settings", "TeX", "platex"};
inline constexpr StringSetting DviPdf{"Settings", "DviPdf", "dvipdfmx"};
inline constexpr StringSetting Bib{"Settings", "Bib", "jbibtex"};
inline constexpr StringSetting MkIdx{"Settings", "MkIdx", "mendex"};
inline constexpr StringSetting MkIdxOpt{"Settings", "MkIdxOpt", ""};
inline constexpr IntSetting MkIdxNvr{"Settings", "MkIdxNvr", 0};
inline constexpr IntSetting Acr{"Settings", "Acr", 0};
inline constexpr IntSetting PdfSizeNo{"Settings", "PdfSizeNo", 1};
inline constexpr IntSetting PdfNShow{"Settings", "PdfNShow", 0};
inline constexpr IntSetting PdfNeShow{"Settings", "PdfNeShow", 0};

// The maker's web page, the update check's version file and the download it offers.
inline constexpr StringSetting WebPageUrl{"Settings", "WebPageURL",
                                          "https://www.wendro.jp/velloquin/"};
inline constexpr StringSetting VersionFileUrl{"Settings", "UpdateURL",
                                              "https://www.wendro.jp/velloquin/VelloquinV.txt"};
inline constexpr StringSetting DownloadUrl{"Settings", "DownloadURL",
                                           "https://www.wendro.jp/velloquin/Velloquin.zip"};

// Command list file; its default is computed from the installation folder.
inline constexpr StringSetting InputName{"Settings", "inputname", ""};

// Colours.
inline constexpr IntSetting TextColor{"ColorTB", "TextColor", 0x000000};
inline constexpr IntSetting BackColor{"ColorTB", "BackColor", 0xFFFFFF};

// Keys formed from a number or a path.
inline constexpr const char *RecentFileFormat = "File%1"; // 1..16
inline constexpr const char *HistoryFormat = "List%1";    // 0..15
inline constexpr const char *CaretOffsetSuffix = "cL";
inline constexpr const char *CaretTopSuffix = "cH";

inline constexpr int RecentFileCount = 16;
inline constexpr int HistoryMax = 16;

// LOGFONT fields of the "Font" and "PrintFont" sections.
inline constexpr const char *FontHeight = "Height";
inline constexpr const char *FontWeight = "Weight";
inline constexpr const char *FontItalic = "Italic";
inline constexpr const char *FontPitchAndFamily = "PitchAndFamily";
inline constexpr const char *FontCharSet = "CharSet";
inline constexpr const char *FontFaceName = "FaceName";
} // namespace Keys

class SettingsStore;

// Convenience readers and writers over the table entries.
int ReadSetting(const SettingsStore &store, const IntSetting &s);
int ReadSetting(const SettingsStore &store, const IntSetting &s, int otherDefault);
QString ReadSetting(const SettingsStore &store, const StringSetting &s);
void WriteSetting(SettingsStore &store, const IntSetting &s, int value);
void WriteSetting(SettingsStore &store, const StringSetting &s, const QString &value);
// Removes the value, so that its default applies again (writing "" stores an empty value).
void DeleteSetting(SettingsStore &store, const StringSetting &s);
QString RecentFileKey(int oneBasedIndex);
inline QString SectionName(const char *section)
{
    return QString::fromLatin1(section);
}
QString HistoryKey(int index);
