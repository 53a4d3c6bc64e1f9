#include "app/UpdateCheck.h"

#include "app/SettingsKeys.h"

#include <QString>

QByteArray VersionFileFirstLine(const QByteArray &body)
{
    qsizetype end = 0;
    while (end < body.size() && body.at(end) != '\n' && body.at(end) != '\r'
           && body.at(end) != '\0')
        ++end;
    return body.left(end);
}

bool IsNewerVersion(const QByteArray &line, const QByteArray &current)
{
    // QByteArray orders by unsigned bytes, as the C library's string comparison does.
    return line > current;
}

UpdateVerdict JudgeVersionFile(const QByteArray &body, bool tooLarge)
{
    UpdateVerdict verdict;
    if (tooLarge || body.contains('\0')) {
        verdict.kind = UpdateVerdict::NotVersion;
        return verdict;
    }
    verdict.line = VersionFileFirstLine(body);
    // A space or TAB left behind when the file was edited by hand is no part of the version.
    while (verdict.line.endsWith(' ') || verdict.line.endsWith('\t'))
        verdict.line.chop(1);
    for (const char c : verdict.line) {
        if (!(c >= '0' && c <= '9') && c != '.') {
            verdict.kind = UpdateVerdict::NotVersion;
            return verdict;
        }
    }
    verdict.kind = IsNewerVersion(verdict.line) ? UpdateVerdict::Found : UpdateVerdict::Newest;
    return verdict;
}

QString WebPageUrl(const SettingsStore &store)
{
    return ReadSetting(store, Keys::WebPageUrl);
}

QString VersionFileUrl(const SettingsStore &store)
{
    return ReadSetting(store, Keys::VersionFileUrl);
}

QString DownloadUrl(const SettingsStore &store)
{
    return ReadSetting(store, Keys::DownloadUrl);
}
