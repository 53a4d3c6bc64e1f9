#pragma once

#include <QString>

// Whether a PDF is complete: a writer that has not finished (or a copy cut short) has not yet
// written the end-of-file marker that closes every PDF.
bool PdfIsWhole(const QString &path);
