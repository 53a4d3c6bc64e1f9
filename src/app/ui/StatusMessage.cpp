#include "app/ui/StatusMessage.h"

#include <QMainWindow>
#include <QStatusBar>

void ShowStatusMessage(const QWidget *widget, const QString &text)
{
    if (auto *window = qobject_cast<QMainWindow *>(widget ? widget->window() : nullptr))
        window->statusBar()->showMessage(text);
}
