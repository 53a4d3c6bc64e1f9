#include "app/ui/FontMapping.h"

#include <QApplication>
#include <QFontDatabase>

QString CjkMonospaceFamily()
{
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        for (const char *name : {"Noto Sans Mono CJK JP", "Noto Sans Mono CJK SC", "MS Gothic",
                                 "Osaka-Mono", "IPAGothic", "VL Gothic", "Takao Gothic"}) {
            const QString n = QString::fromLatin1(name);
            if (families.contains(n))
                return n;
        }
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }();
    return family;
}

QFont FontFromLogFont(const LogFont &lf)
{
    if (lf.height == 0)
        return QApplication::font(); // no font stored: the system font
    QFont font;
    const QStringList families = QFontDatabase::families();
    const bool known = !lf.faceName.isEmpty() && families.contains(lf.faceName);
    font.setFamilies(known ? QStringList{lf.faceName} : QStringList{CjkMonospaceFamily()});
    // A negative height is the character height, a positive one the cell height; both are
    // pixels on the screen the values were made for.
    font.setPixelSize(std::max(1, std::abs(lf.height)));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(lf.weight, 1, 1000)));
    font.setItalic(lf.italic != 0);
    if ((lf.pitchAndFamily & 0x03) == 1) // FIXED_PITCH
        font.setStyleHint(QFont::Monospace);
    return font;
}

LogFont LogFontFromFont(const QFont &font, const LogFont &base)
{
    LogFont lf = base;
    int pixels = font.pixelSize();
    if (pixels <= 0)
        pixels = qRound(font.pointSizeF() * 96.0 / 72.0);
    lf.height = -std::max(1, pixels);
    lf.weight = font.weight();
    lf.italic = font.italic() ? 1 : 0;
    lf.faceName = font.family().left(31);
    if (lf.pitchAndFamily == 0)
        lf.pitchAndFamily = 49;
    return lf;
}
