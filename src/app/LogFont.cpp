#include "app/LogFont.h"

#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"

namespace {
QString Str(const char *s)
{
    return QString::fromLatin1(s);
}

constexpr int DefaultHeight = -16;
constexpr int DefaultWeight = 700;
constexpr int DefaultItalic = 0;
constexpr int DefaultPitchAndFamily = 49;
constexpr int DefaultCharSet = 128;
constexpr const char *DefaultFaceName = "ＭＳ ゴシック"; // UTF-8
// LOGFONT keeps 32 characters with the terminator.
constexpr qsizetype FaceNameMax = 31;

QString CutFaceName(const QString &name)
{
    if (name.size() <= FaceNameMax)
        return name;
    qsizetype n = FaceNameMax;
    // Never keep half of a surrogate pair.
    if (name.at(n - 1).isHighSurrogate())
        --n;
    return name.left(n);
}
} // namespace

void LoadLogFont(const SettingsStore &store, const QString &section, LogFont &font)
{
    font.height = store.GetInt(section, Str(Keys::FontHeight), DefaultHeight);
    // Height 0 means "no font stored": the caller falls back to the system font and the other
    // fields keep what they held.
    if (font.height == 0)
        return;
    font.weight = store.GetInt(section, Str(Keys::FontWeight), DefaultWeight);
    font.italic = store.GetInt(section, Str(Keys::FontItalic), DefaultItalic);
    font.pitchAndFamily =
        store.GetInt(section, Str(Keys::FontPitchAndFamily), DefaultPitchAndFamily);
    font.charSet = store.GetInt(section, Str(Keys::FontCharSet), DefaultCharSet);
    font.faceName = CutFaceName(
        store.GetString(section, Str(Keys::FontFaceName), QString::fromUtf8(DefaultFaceName)));
}

void SaveLogFont(SettingsStore &store, const QString &section, const LogFont &font, LogFont &saved)
{
    if (font.height != saved.height)
        store.WriteInt(section, Str(Keys::FontHeight), font.height);
    if (font.height != 0) {
        if (font.weight != saved.weight)
            store.WriteInt(section, Str(Keys::FontWeight), font.weight);
        if (font.italic != saved.italic)
            store.WriteInt(section, Str(Keys::FontItalic), font.italic);
        if (font.pitchAndFamily != saved.pitchAndFamily)
            store.WriteInt(section, Str(Keys::FontPitchAndFamily), font.pitchAndFamily);
        if (font.charSet != saved.charSet)
            store.WriteInt(section, Str(Keys::FontCharSet), font.charSet);
        if (font.faceName != saved.faceName)
            store.WriteString(section, Str(Keys::FontFaceName), font.faceName);
    }
    saved = font;
}
