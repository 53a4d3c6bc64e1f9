#include "toolchain/ui/CConsoleDialog.h"

#include "app/ui/StatusMessage.h"
#include "res/Messages.h"
#include "toolchain/ToolLookup.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringDecoder>
#include <QVBoxLayout>

CConsoleDialog::CConsoleDialog(bool english, QWidget *parent)
    : QDialog(parent)
    , m_bEnglish(english)
    , m_pOutput(new QPlainTextEdit(this))
    , m_pInput(new QLineEdit(this))
    , m_pSend(new QPushButton(MsgText(Msg::ConsoleSend, english), this))
    , m_pStop(new QPushButton(MsgText(Msg::ConsoleStop, english), this))
    , m_pClose(new QPushButton(MsgText(Msg::ConsoleClose, english), this))
{
    setModal(true);
    resize(720, 420);
    m_pOutput->setReadOnly(true);
    m_pOutput->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_pOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pSend->setAutoDefault(false);
    m_pStop->setAutoDefault(false);
    m_pClose->hide();

    auto *inputRow = new QHBoxLayout;
    inputRow->addWidget(new QLabel(MsgText(Msg::ConsoleInput, english), this));
    inputRow->addWidget(m_pInput, 1);
    inputRow->addWidget(m_pSend);
    inputRow->addWidget(m_pStop);
    inputRow->addWidget(m_pClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pOutput, 1);
    layout->addLayout(inputRow);

    m_process.setProcessChannelMode(QProcess::MergedChannels);
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &CConsoleDialog::ReadOutput);
    connect(m_pInput, &QLineEdit::returnPressed, this, &CConsoleDialog::SendInput);
    connect(m_pSend, &QPushButton::clicked, this, &CConsoleDialog::SendInput);
    connect(m_pStop, &QPushButton::clicked, this, &CConsoleDialog::Stop);
    connect(m_pClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(&m_process, &QProcess::finished, this, &CConsoleDialog::Finished);
}

void CConsoleDialog::Finished()
{
    ReadOutput();
    if (m_bStopped
        || (m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0)) {
        // Queued, so that a program that ends before the dialog runs still closes it.
        QMetaObject::invokeMethod(this, &QDialog::accept, Qt::QueuedConnection);
        return;
    }
    // The reason for a failure is in the output: it stays until the user closes it (Enter).
    m_pInput->setEnabled(false);
    m_pSend->setEnabled(false);
    m_pStop->hide();
    m_pClose->show();
    m_pClose->setDefault(true);
    m_pClose->setFocus();
}

int CConsoleDialog::Run(const QString &program, const QStringList &arguments,
                        const QString &workDir)
{
    setWindowTitle(MsgText(Msg::ConsoleTitle, m_bEnglish).arg(QFileInfo(program).fileName()));
    QTextCursor c(m_pOutput->document());
    c.movePosition(QTextCursor::End);
    c.insertText(ShownCommand(program, arguments) + QLatin1Char('\n'));
    m_process.setWorkingDirectory(workDir);
    m_process.start(program, arguments);
    if (!m_process.waitForStarted())
        return -1;
    m_pInput->setFocus();
    exec();
    // Hand the keyboard back to the editor's window; without a window manager nobody else does.
    if (QWidget *owner = parentWidget())
        owner->window()->activateWindow();
    if (m_process.state() != QProcess::NotRunning) {
        // Closed by the window manager: the program must not outlive its console.
        m_process.kill();
        m_process.waitForFinished(-1);
        m_bStopped = true;
    }
    int result = m_process.exitCode();
    if (m_bStopped || m_process.exitStatus() != QProcess::NormalExit)
        result = result != 0 ? result : 1;
    if (result != 0 && (m_bStopped || m_bQuitAnswered))
        ShowStatusMessage(
            parentWidget(),
            MsgText(Msg::ConsoleStopped, m_bEnglish).arg(QFileInfo(program).fileName()));
    return result;
}

void CConsoleDialog::ReadOutput()
{
    const QByteArray bytes = m_process.readAllStandardOutput();
    if (bytes.isEmpty())
        return;
    QTextCursor c(m_pOutput->document());
    c.movePosition(QTextCursor::End);
    c.insertText(m_decoder.decode(bytes));
    m_pOutput->verticalScrollBar()->setValue(m_pOutput->verticalScrollBar()->maximum());
}

void CConsoleDialog::SendInput()
{
    const QString line = m_pInput->text();
    m_pInput->clear();
    m_bQuitAnswered =
        m_bQuitAnswered || line.trimmed().compare(QLatin1String("x"), Qt::CaseInsensitive) == 0;
    QTextCursor c(m_pOutput->document());
    c.movePosition(QTextCursor::End);
    c.insertText(line + QLatin1Char('\n'));
    m_process.write(line.toLocal8Bit() + '\n');
}

void CConsoleDialog::Stop()
{
    m_bStopped = true;
    m_process.kill();
}

int CConsoleLauncher::RunAndWait(const QString &program, const QStringList &arguments,
                                 const QString &workDir)
{
    CConsoleDialog dialog(m_bEnglish, QApplication::activeWindow());
    return dialog.Run(program, arguments, workDir);
}
