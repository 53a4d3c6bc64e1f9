#pragma once

#include "view/ViewColors.h"

#include <array>

class SettingsStore;

// The stored side of the colour settings: the chooser's sixteen custom colours ("ColorCust"),
// writing every colour on OK and the reset buttons, which act on the store at once.
using CustomColors = std::array<unsigned, 16>;

CustomColors DefaultCustomColors();
CustomColors LoadCustomColors(const SettingsStore &store);

// "ColorTB", the symbols and user strings of "Colors" (each user colour under the string's own
// text as key) and "ColorCust".
void SaveColorSettings(SettingsStore &store, const ViewColors &colors, const CustomColors &custom);

// Each reset deletes its section and puts the defaults into the values being edited.
void ResetTextAndBack(SettingsStore &store, ViewColors &colors);
void ResetCharacterColors(SettingsStore &store, ViewColors &colors);
void ResetCustomColors(SettingsStore &store, CustomColors &custom);
void ResetAllColors(SettingsStore &store, ViewColors &colors, CustomColors &custom);
