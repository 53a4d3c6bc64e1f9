#pragma once

#include <QString>

class QIODevice;
class SettingsStore;

// "TeX-PDF (make)" without a window, for scripts: the same driver and decisions as in the
// window, over the file on disk and the stored settings. The programs' output and every
// message go to err; each question takes its default answer and the MakeIndex options and
// paper dialogs are not shown; TeX reads the end of its input at a prompt, so an error ends
// the run. 0 when the PDF was made, 1 otherwise.
int CompileToPdfWithoutWindow(const QString &file, SettingsStore &store, bool english,
                              QIODevice &err);
