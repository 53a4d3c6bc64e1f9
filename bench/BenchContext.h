#pragma once

#include "app/SettingsStore.h"
#include "app/ui/AppContext.h"
#include "app/ui/ProcessLauncher.h"
#include "app/ui/QtPrompter.h"

#include <QCoreApplication>

// The program's real prompter and launcher over a settings store of the benchmark's own.
struct BenchContext {
    explicit BenchContext(SettingsStore &store)
    {
        context.store = &store;
        context.prompter = &prompter;
        context.launcher = &launcher;
        context.programPath = QCoreApplication::applicationFilePath();
    }

    QtPrompter prompter;
    ProcessLauncher launcher;
    AppContext context;
};
