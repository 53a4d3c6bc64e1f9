#pragma once

#include <QRect>

class SettingsStore;
struct CommandLineSwitches;

struct ScreenMetrics {
    int screenWidth = 0;    // SM_CXSCREEN
    int screenHeight = 0;   // SM_CYSCREEN
    int captionHeight = 0;  // SM_CYCAPTION
    int minTrackWidth = 0;  // SM_CXMIN
    int minTrackHeight = 0; // SM_CYMIN
};

// Default window size: width = screen width * 5 / 6, height = screen height - 27.
QRect DefaultWindowRect(const ScreenMetrics &m);
// Where the main window goes at start (-w0, then -w1, then the stored rectangle).
QRect InitialWindowRect(const CommandLineSwitches &sw, const ScreenMetrics &m,
                        const SettingsStore &store);
// A rectangle too small to be worth storing (or a minimised window).
bool IsTooSmallToStore(const QRect &r, const ScreenMetrics &m);
// Close: the rectangle (or the defaults when too small) into wndX/Y/W/H.
void StoreWindowRect(SettingsStore &store, const QRect &r, const ScreenMetrics &m);
// Restore Window's target: wndDefX/Y/W/H.
QRect RestoredWindowRect(const ScreenMetrics &m, const SettingsStore &store);
// Set Window: true when r was stored; false when it was too small and the defaults were.
bool StoreRestoredRect(SettingsStore &store, const QRect &r, const ScreenMetrics &m);
void StoreDefaultRestoredRect(SettingsStore &store, const ScreenMetrics &m);
