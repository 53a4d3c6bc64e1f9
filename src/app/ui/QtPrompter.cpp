#include "app/ui/QtPrompter.h"

#include "app/LogFont.h"
#include "app/ui/FontMapping.h"

#include <QApplication>
#include <QFontDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

QtPrompter::QtPrompter(QWidget *owner)
    : m_owner(owner)
{
}

void QtPrompter::SetOwner(QWidget *owner)
{
    m_owner = owner;
}

MsgAnswer QtPrompter::Message(const MessageRequest &request)
{
    QMessageBox box(m_owner);
    box.setWindowTitle(request.caption.isEmpty() ? QStringLiteral("Error") : request.caption);
    box.setText(request.text);
    switch (request.icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    QList<QMessageBox::StandardButton> buttons;
    switch (request.buttons) {
    case MsgButtons::Ok:
        buttons = {QMessageBox::Ok};
        break;
    case MsgButtons::OkCancel:
        buttons = {QMessageBox::Ok, QMessageBox::Cancel};
        break;
    case MsgButtons::YesNo:
        buttons = {QMessageBox::Yes, QMessageBox::No};
        break;
    case MsgButtons::YesNoCancel:
        buttons = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
        break;
    }
    QMessageBox::StandardButtons set;
    for (auto b : buttons)
        set |= b;
    box.setStandardButtons(set);
    box.setDefaultButton(buttons.value(request.defaultButton, buttons.first()));
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    switch (pressed) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default:
        // Closing the box answers like its last button.
        return request.buttons == MsgButtons::Ok      ? MsgAnswer::Ok
               : request.buttons == MsgButtons::YesNo ? MsgAnswer::No
                                                      : MsgAnswer::Cancel;
    }
}

QString QtPrompter::OpenFileName(const QString &filter, const QString &initialDir)
{
    return QFileDialog::getOpenFileName(m_owner, QString(), initialDir, FilterToQt(filter));
}

QString QtPrompter::SaveFileName(const QString &filter, const QString &initialPath)
{
    return QFileDialog::getSaveFileName(m_owner, QString(), initialPath, FilterToQt(filter));
}

bool QtPrompter::ChooseFont(LogFont &font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, FontFromLogFont(font), m_owner);
    if (ok)
        font = LogFontFromFont(chosen, font);
    return ok;
}
