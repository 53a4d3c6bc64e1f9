#pragma once

class QString;
class QWidget;

// Shows text in the message pane of the status bar of the main window that holds widget;
// nothing when widget is in no main window.
void ShowStatusMessage(const QWidget *widget, const QString &text);
