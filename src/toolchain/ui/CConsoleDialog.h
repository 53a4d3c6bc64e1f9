#pragma once

#include "app/Launcher.h"

#include <QDialog>
#include <QProcess>
#include <QStringDecoder>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// A program's console: its output as it comes, a line whose text is sent to the program's
// input (so that TeX's "?" prompt can be answered), and Stop. It closes by itself when the
// program succeeds; after a failure it stays open with the output and a Close button, so that
// the program's own words can be read.
class CConsoleDialog : public QDialog {
    Q_OBJECT
public:
    CConsoleDialog(bool english, QWidget *parent = nullptr);

    // Runs program and waits: its exit code, -1 when it cannot be started; a program that
    // crashed or was stopped counts as a failure. A run the user ended (Stop, or "x" to TeX's
    // question) says so in the status bar of the owner's window.
    int Run(const QString &program, const QStringList &arguments, const QString &workDir);

    QPlainTextEdit *Output() const { return m_pOutput; }
    QLineEdit *Input() const { return m_pInput; }
    QPushButton *StopButton() const { return m_pStop; }
    QPushButton *CloseButton() const { return m_pClose; }

private:
    void Finished();
    void ReadOutput();
    void SendInput();
    void Stop();

    bool m_bEnglish;
    QProcess m_process;
    QPlainTextEdit *m_pOutput;
    QLineEdit *m_pInput;
    QPushButton *m_pSend;
    QPushButton *m_pStop;
    QPushButton *m_pClose;
    QStringDecoder m_decoder{QStringDecoder::System};
    bool m_bStopped = false;
    bool m_bQuitAnswered = false; // "x" sent to TeX's question
};

// The window's launcher: programs that are waited for run in the console dialog; starting
// without waiting and opening files go to the launcher it wraps.
class CConsoleLauncher : public Launcher {
public:
    CConsoleLauncher(Launcher &inner, bool english)
        : m_inner(inner)
        , m_bEnglish(english)
    {
    }

    int RunAndWait(const QString &program, const QStringList &arguments,
                   const QString &workDir) override;
    bool StartDetached(const QString &program, const QStringList &arguments,
                       const QString &workDir) override
    {
        return m_inner.StartDetached(program, arguments, workDir);
    }
    bool Open(const QString &fileOrUrl) override { return m_inner.Open(fileOrUrl); }

private:
    Launcher &m_inner;
    bool m_bEnglish;
};
