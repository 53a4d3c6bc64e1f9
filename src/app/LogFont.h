#pragma once

#include <QString>

class SettingsStore;

// The fields of a Windows LOGFONT that the program stores in "Font" and "PrintFont".
struct LogFont {
    int height = 0; // negative: character height in pixels; 0: no font stored
    int weight = 0;
    int italic = 0;
    int pitchAndFamily = 0;
    int charSet = 0;
    QString faceName; // at most 31 characters

    bool operator==(const LogFont &) const = default;
};

// Reads "Height" (default -16); when it is not 0 also the other fields with their defaults
// (700, 0, 49, 128, "ＭＳ ゴシック"). Fields not read keep their value in font.
void LoadLogFont(const SettingsStore &store, const QString &section, LogFont &font);
// Writes only the fields that differ from saved ("Height" first; the others only when the
// height is not 0), then saved := font.
void SaveLogFont(SettingsStore &store, const QString &section, const LogFont &font, LogFont &saved);
