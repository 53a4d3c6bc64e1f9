#include "app/WindowPlacement.h"

#include "app/CommandLine.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"

namespace {
QString Str(const char *s)
{
    return QString::fromLatin1(s);
}

QRect ReadRect(const SettingsStore &store, const char *x, const char *y, const char *w,
               const char *h, const QRect &def)
{
    const QString section = Str(Sections::Settings);
    return QRect(store.GetInt(section, Str(x), def.x()), store.GetInt(section, Str(y), def.y()),
                 store.GetInt(section, Str(w), def.width()),
                 store.GetInt(section, Str(h), def.height()));
}

void WriteRect(SettingsStore &store, const char *x, const char *y, const char *w, const char *h,
               const QRect &r)
{
    const QString section = Str(Sections::Settings);
    store.WriteInt(section, Str(x), r.x());
    store.WriteInt(section, Str(y), r.y());
    store.WriteInt(section, Str(w), r.width());
    store.WriteInt(section, Str(h), r.height());
}
} // namespace

QRect DefaultWindowRect(const ScreenMetrics &m)
{
    return QRect(0, 0, m.screenWidth * 5 / 6, m.screenHeight - 27);
}

QRect InitialWindowRect(const CommandLineSwitches &sw, const ScreenMetrics &m,
                        const SettingsStore &store)
{
    const QRect def = DefaultWindowRect(m);
    const int w = def.width();
    const int h = def.height();
    const int c = m.captionHeight;
    // A viewer window wins over a second window when both switches are given.
    if (sw.viewer)
        return QRect(w / 5, c + 2, w, h - (c + 2));
    if (sw.secondWindow)
        return QRect(c, c, w, h - c);
    return ReadRect(store, Keys::WndX, Keys::WndY, Keys::WndW, Keys::WndH, def);
}

bool IsTooSmallToStore(const QRect &r, const ScreenMetrics &m)
{
    return r.height() <= 5 * m.minTrackHeight || r.width() <= 3 * m.minTrackWidth;
}

void StoreWindowRect(SettingsStore &store, const QRect &r, const ScreenMetrics &m)
{
    // A minimised window has a tiny rectangle; the next start would open it unusable.
    const QRect toStore = IsTooSmallToStore(r, m) ? DefaultWindowRect(m) : r;
    WriteRect(store, Keys::WndX, Keys::WndY, Keys::WndW, Keys::WndH, toStore);
}

QRect RestoredWindowRect(const ScreenMetrics &m, const SettingsStore &store)
{
    return ReadRect(store, Keys::WndDefX, Keys::WndDefY, Keys::WndDefW, Keys::WndDefH,
                    DefaultWindowRect(m));
}

bool StoreRestoredRect(SettingsStore &store, const QRect &r, const ScreenMetrics &m)
{
    if (IsTooSmallToStore(r, m)) {
        StoreDefaultRestoredRect(store, m);
        return false;
    }
    WriteRect(store, Keys::WndDefX, Keys::WndDefY, Keys::WndDefW, Keys::WndDefH, r);
    return true;
}

void StoreDefaultRestoredRect(SettingsStore &store, const ScreenMetrics &m)
{
    WriteRect(store, Keys::WndDefX, Keys::WndDefY, Keys::WndDefW, Keys::WndDefH,
              DefaultWindowRect(m));
}
