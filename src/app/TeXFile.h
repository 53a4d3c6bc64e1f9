#pragma once

#include <QString>

// The extensions that make a file a TeX document, spelt exactly so (".Tex" is not one).
inline bool IsTeXExtension(const QString &ext)
{
    return ext == QLatin1String(".tex") || ext == QLatin1String(".TEX");
}
