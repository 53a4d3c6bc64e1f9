#pragma once

// The help texts, the About box's values and the other small programs of the Help menu.

#include <QString>
#include <QStringList>

#include <optional>

enum class HelpText {
    Description,
    CalcHelp,
    HtmlManual,
    Install
};

// The help file for a command in the chosen language; the HTML manual and the installation
// notes exist in one language only.
QString HelpFileName(HelpText which, bool english);

// The arguments that start the program as a help viewer (no menu, bars or line numbers) on a
// file of the installation folder; the viewer starts in that folder.
QStringList HelpViewerArguments(const QString &fileName);

// The calculators tried in order; the first one that starts wins.
QStringList CalculatorCandidates();

// The About box's fixed texts: one template serves both languages.
namespace AboutText {
inline constexpr const char *Title = "About Velloquin Editor";
inline constexpr const char *NameAndVersion = "Velloquin 2.5.0.0";
inline constexpr const char *Maker = "Copyright (C) Wendro";
inline constexpr const char *Buttons = "TeX-PDF: compile the document and show its PDF\n"
                                       "Log: show the TeX log beside the text\n"
                                       "PDF: show the PDF of the document";
inline constexpr const char *MemoryLabel = "Physical Memory: ";
inline constexpr const char *DiskLabel = "Free Disk Space: ";
inline constexpr const char *Unavailable = "Unavailable";
} // namespace AboutText

// MemTotal of a /proc/meminfo text, in bytes; nothing when the line is missing or damaged.
std::optional<quint64> ParseMemTotal(const QByteArray &meminfo);
// The machine's physical memory in bytes (/proc/meminfo, else the C library's page count).
std::optional<quint64> PhysicalMemoryBytes();

// What the About box shows of the disk: the bytes free for this user on the volume that holds
// a folder, and how the volume is named.
struct DiskFacts {
    std::optional<quint64> freeBytes;
    QString where;
};
DiskFacts FreeDiskOf(const QString &folder);

// A volume as the About box names it: "C:" for a root with a drive letter; without a drive
// letter (Linux, macOS) the mount point itself.
QString VolumeLabel(const QString &rootPath);

// "%lu KB" of the memory, or "Unavailable".
QString FormatMemory(std::optional<quint64> bytes);
// "%lu KB Free on %c:" of the disk, or "Unavailable".
QString FormatFreeDisk(const DiskFacts &disk);
