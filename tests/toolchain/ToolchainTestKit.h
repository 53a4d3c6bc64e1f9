#pragma once

// Toolchains for the toolchain tests: one on a folder of fake TeX programs that play prepared
// steps, one whose runs are only recorded.

#include "support/Columns.h"
#include "support/FakeLauncher.h"
#include "support/FakePrompter.h"
#include "support/FakeToolchainHost.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/ui/ProcessLauncher.h"
#include "toolchain/CToolchain.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Writes "name=content" into dir; dated an hour ago, so that any run writes a newer file.
inline void WriteEntry(const QString &dir, const QString &entry, bool old)
{
    const qsizetype eq = entry.indexOf(QLatin1Char('='));
    QFile f(dir + QLatin1Char('/') + entry.left(eq));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(entry.mid(eq + 1).toUtf8());
    f.flush(); // a later flush would date the file now
    if (old)
        f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
}

// The fake programs (tests/fixtures/faketex/faketool.sh) in bin/, the document doc/sample.tex.
struct ToolchainKit {
    QTemporaryDir tmp;
    MemorySettingsStore store;
    FakePrompter prompter;
    FakeToolchainHost host;
    ProcessLauncher launcher;
    ToolSettings settings;
    CToolchain tools{host, launcher, prompter, store, settings, true};

    ToolchainKit()
    {
        QDir(tmp.path()).mkpath(QStringLiteral("bin"));
        QDir(tmp.path()).mkpath(QStringLiteral("doc/plan"));
        for (const char *name : {"platex", "uplatex", "ptex", "pbibtex", "mendex", "dvipdfmx"})
            QFile::link(QStringLiteral(VELLOQUIN_FIXTURES_DIR "/faketex/faketool.sh"),
                        Bin(QLatin1String(name)));
        settings.makeIndexNoAsk = settings.skipPaperDialog = 1;
        settings.compiler = Bin(QStringLiteral("platex"));
        settings.bibTeX = Bin(QStringLiteral("jbibtex"));
        settings.makeIndex = Bin(QStringLiteral("mendex"));
        host.files = DocumentFiles::Of(Doc(QStringLiteral("sample.tex")), QString());
        // Nothing the fixed folders hold may answer.
        const QStringList none{tmp.filePath(QStringLiteral("none/"))};
        tools.SetToolFolders(none, none);
    }

    QString Bin(const QString &name) const { return tmp.filePath(QStringLiteral("bin/") + name); }
    QString Doc(const QString &name) const { return tmp.filePath(QStringLiteral("doc/") + name); }

    // Files before the compile, "name=content|…".
    void Before(const QString &files) const
    {
        for (const QString &entry : files.split(QLatin1Char('|'), Qt::SkipEmptyParts))
            WriteEntry(Doc(QString()), entry, true);
    }

    // Steps "tool.n|file=content|…|exit=N;…": what the n-th call of tool writes and returns.
    void Plan(const QString &steps) const
    {
        for (const QString &step : steps.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QStringList parts = step.split(QLatin1Char('|'));
            const QString dir = Doc(QStringLiteral("plan/") + parts.first());
            QDir().mkpath(dir);
            for (const QString &entry : parts.mid(1))
                WriteEntry(dir, entry, false);
        }
    }

    QStringList Calls() const
    {
        QFile f(Doc(QStringLiteral("calls.txt")));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
};

// Programs are only recorded and answer with queued exit codes (-1: cannot start); every
// command is taken as the program it names; the fixed folders are "/f1/", "/f2/", "/f3/".
struct RecordingKit {
    QTemporaryDir tmp;
    MemorySettingsStore store;
    FakePrompter prompter;
    FakeToolchainHost host;
    FakeLauncher launcher;
    ToolSettings settings;
    CToolchain tools{host, launcher, prompter, store, settings, true};

    RecordingKit()
    {
        settings.makeIndexNoAsk = settings.skipPaperDialog = 1;
        host.files = DocumentFiles::Of(File(QStringLiteral("paper.tex")), QString());
        const QStringList folders{QStringLiteral("/f1/"), QStringLiteral("/f2/"),
                                  QStringLiteral("/f3/")};
        tools.SetToolFolders(folders, folders);
        tools.SetProgramLookup([](const QString &command) { return command; });
    }

    QString File(const QString &name) const { return tmp.filePath(name); }
    void Touch(const QString &name) const
    {
        QFile f(File(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    // Answers the questions in turn (O OK, C Cancel), and the file dialog with chosen.
    void Answer(const QString &answers, const QString &chosen)
    {
        for (QChar a : answers)
            prompter.answers.enqueue(a == u'O' ? MsgAnswer::Ok : MsgAnswer::Cancel);
        prompter.openAnswers.enqueue(chosen);
    }
    QString Stored(const StringSetting &key) const // "-": not stored
    {
        return store.Contains(key.section, key.key) ? ReadSetting(store, key) : QStringLiteral("-");
    }
    // "program arg arg" of every run, or the file of every opening.
    QStringList Calls(FakeLauncher::Call::Kind kind = FakeLauncher::Call::Run) const
    {
        QStringList calls;
        for (const FakeLauncher::Call &c : launcher.calls) {
            if (c.kind == kind)
                calls << (QStringList{c.program} + c.arguments).join(QLatin1Char(' '));
        }
        return calls;
    }
};
