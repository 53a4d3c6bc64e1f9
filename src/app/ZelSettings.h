#pragma once

#include <QString>

// The settings line at the top of a ".zel" document ("%% TAB=8\tFont=...\tCOL=1\tMargin=1\t...").
// Only the listed values are taken; any other leaves the setting as it was.
struct ZelSettings {
    int tabWidth = 8;        // "TAB=": 4, 8, 12, 16, 20
    int printColumns = 1;    // "COL=": 1..4
    int printFontHeight = 0; // "Font=": any number (atoi)
    bool printFontHeightSet = false;
    int printMargin = 1; // "Margin=": 1..4
};

// Reads the line into settings when it begins with '%'; returns false when it does not.
bool ReadZelSettingsLine(const QString &firstRow, ZelSettings &settings);
// C runtime atoi: leading white space, an optional sign, digits; 0 when none.
int CAtoi(QStringView text);
