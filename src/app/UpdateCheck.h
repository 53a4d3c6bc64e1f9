#pragma once

// The rules of the update check: which version this program is, what the first line of the
// version file says, and where the web page, the version file and the download are.

#include <QByteArray>

class SettingsStore;
class QString;

// The program's version as the version file states versions.
inline constexpr const char *ProgramVersion = "2500";

// The largest version file worth reading; anything bigger is not one.
inline constexpr qint64 VersionFileLimit = 64 * 1024;

struct UpdateVerdict {
    enum Kind {
        Newest,    // the file names this version or an older one
        Found,     // the file names a newer version: line holds it
        NotVersion // the answer is no version file (a web page, binary data, far too big)
    } kind = Newest;
    QByteArray line;
};

// The first line of the answer, without its line end.
QByteArray VersionFileFirstLine(const QByteArray &body);

// Versions compare as byte strings, so "2510" and "3" are newer than "2500" and "10000" is not.
bool IsNewerVersion(const QByteArray &line, const QByteArray &current = ProgramVersion);

// The verdict on the answer of the version file. A first line that is not made of digits and
// dots is a page that something else served (a portal, an error page), never a version: it
// must not start a download and close the window.
UpdateVerdict JudgeVersionFile(const QByteArray &body, bool tooLarge);

// The addresses, each a setting with its default.
QString WebPageUrl(const SettingsStore &store);
QString VersionFileUrl(const SettingsStore &store);
QString DownloadUrl(const SettingsStore &store);
