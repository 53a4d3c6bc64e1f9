#pragma once

// Shared by the toolchain tests: a target folder with fake TeX programs that play prepared
// steps, and a toolchain working on it.

#include "support/FakePrompter.h"
#include "support/FakeToolchainHost.h"
#include "app/SettingsStore.h"
#include "app/ui/ProcessLauncher.h"
#include "toolchain/CToolchain.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

struct ToolchainKit {
    QTemporaryDir tmp;
    MemorySettingsStore store;
    FakePrompter prompter;
    FakeToolchainHost host;
    ProcessLauncher launcher;
    CToolchain tools{host, launcher, prompter, store};

    ToolchainKit()
    {
        QDir(tmp.path()).mkpath(QStringLiteral("bin"));
        QDir(tmp.path()).mkpath(QStringLiteral("doc"));
        const QString fake = QStringLiteral(VELLOQUIN_FIXTURES_DIR "/faketex/faketool.sh");
        for (const char *name : {"platex", "uplatex", "ptex", "latex", "pbibtex", "bibtex",
                                 "mendex", "makeindex", "dvipdfmx"})
            QFile::link(fake, Bin(QLatin1String(name)));
        ToolchainState &s = tools.State();
        s.m_bEnglish = 1;
        s.m_strCompiler = Bin(QStringLiteral("platex"));
        s.m_strBibTeX = Bin(QStringLiteral("jbibtex"));
        s.m_strMakeIndex = Bin(QStringLiteral("mendex"));
        s.m_strDviPdf = Bin(QStringLiteral("dvipdfmx"));
        s.m_bMakeIndexNoAsk = 1;
        s.m_bSkipPaperDialog = 1;
        s.m_strEditedPath = Doc(QStringLiteral("sample.tex"));
        s.m_strTargetDir = tmp.filePath(QStringLiteral("doc")) + QLatin1Char('/');
        s.m_strTargetBase = QStringLiteral("sample");
        s.m_strTargetExt = QStringLiteral(".tex");
        Write(QStringLiteral("sample.tex"), "\\documentclass{jarticle}\n");
        // Nothing the fixed folders hold may answer unless a test puts it there.
        tools.SetToolFolders({Folder("f1"), Folder("f2"), Folder("f3")},
                             {Folder("f1"), Folder("f2"), Folder("f3")});
    }

    QString Bin(const QString &name) const { return tmp.filePath(QStringLiteral("bin/") + name); }
    QString Doc(const QString &name) const { return tmp.filePath(QStringLiteral("doc/") + name); }
    QString Folder(const char *name) const
    {
        return tmp.filePath(QLatin1String(name)) + QLatin1Char('/');
    }

    // A file of the target folder, dated an hour ago so that any run writes a newer one.
    void Write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(Doc(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.flush(); // a later flush would date the file now
        f.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                      QFileDevice::FileModificationTime);
    }

    // "name=content" entries.
    void WriteAll(const QStringList &files) const
    {
        for (const QString &entry : files) {
            const qsizetype eq = entry.indexOf(QLatin1Char('='));
            Write(entry.left(eq), entry.mid(eq + 1).toUtf8());
        }
    }

    // Steps "tool.n|file=content|…|exit=N": what the n-th call of tool writes and returns.
    void Plan(const QStringList &steps) const
    {
        for (const QString &step : steps) {
            const QStringList parts = step.split(QLatin1Char('|'));
            const QString dir = Doc(QStringLiteral("plan/") + parts.first());
            QDir().mkpath(dir);
            for (const QString &entry : parts.mid(1)) {
                const qsizetype eq = entry.indexOf(QLatin1Char('='));
                QFile f(dir + QLatin1Char('/') + entry.left(eq));
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write(entry.mid(eq + 1).toUtf8());
            }
        }
    }

    QStringList Calls() const
    {
        QFile f(Doc(QStringLiteral("calls.txt")));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        lines.removeAll(QString());
        return lines;
    }
};

#include "support/FakeLauncher.h"

// A toolchain whose programs are only recorded and answer with queued exit codes; every
// command is taken as the program it names; the fixed folders are "/f1/", "/f2/", "/f3/".
struct RecordingKit {
    QTemporaryDir tmp;
    MemorySettingsStore store;
    FakePrompter prompter;
    FakeToolchainHost host;
    FakeLauncher launcher;
    CToolchain tools{host, launcher, prompter, store};

    RecordingKit()
    {
        ToolchainState &s = tools.State();
        s.m_bEnglish = 1;
        s.m_bMakeIndexNoAsk = 1;
        s.m_bSkipPaperDialog = 1;
        s.m_strTargetDir = tmp.path() + QLatin1Char('/');
        s.m_strTargetBase = QStringLiteral("paper");
        s.m_strTargetExt = QStringLiteral(".tex");
        s.m_strEditedPath = File(QStringLiteral("paper.tex"));
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
    void Results(const QList<int> &codes)
    {
        for (int c : codes)
            launcher.runResults.enqueue(c);
    }
    // "program arg arg" of every run, the program as given to the launcher.
    QStringList Runs() const
    {
        QStringList runs;
        for (const FakeLauncher::Call &c : launcher.calls) {
            if (c.kind == FakeLauncher::Call::Run)
                runs << (QStringList{c.program} + c.arguments).join(QLatin1Char(' '));
        }
        return runs;
    }
    QStringList Opened() const
    {
        QStringList opened;
        for (const FakeLauncher::Call &c : launcher.calls) {
            if (c.kind == FakeLauncher::Call::OpenFile)
                opened << c.program;
        }
        return opened;
    }
};
