#include "app/ui/AboutDialog.h"

#include "app/HelpCommands.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QIcon>
#include <QVBoxLayout>

CAboutDialog::CAboutDialog(const QString &memory, const QString &freeDisk, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QString::fromLatin1(AboutText::Title));
    auto *layout = new QVBoxLayout(this);

    auto *head = new QHBoxLayout;
    const QIcon appIcon = QApplication::windowIcon();
    if (!appIcon.isNull()) {
        auto *icon = new QLabel(this);
        icon->setPixmap(appIcon.pixmap(48, 48));
        head->addWidget(icon, 0, Qt::AlignTop);
    }
    auto *names = new QVBoxLayout;
    auto *version = new QLabel(QString::fromLatin1(AboutText::NameAndVersion), this);
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    names->addWidget(version);
    names->addWidget(new QLabel(QString::fromLatin1(AboutText::Maker), this));
    head->addLayout(names, 1);
    layout->addLayout(head);

    layout->addSpacing(6);
    layout->addWidget(new QLabel(QString::fromLatin1(AboutText::Buttons), this));
    layout->addSpacing(6);

    auto *grid = new QGridLayout;
    m_pMemory = new QLabel(memory, this);
    m_pMemory->setObjectName(QStringLiteral("memoryValue"));
    m_pDisk = new QLabel(freeDisk, this);
    m_pDisk->setObjectName(QStringLiteral("diskValue"));
    grid->addWidget(new QLabel(QString::fromLatin1(AboutText::MemoryLabel), this), 0, 0);
    grid->addWidget(m_pMemory, 0, 1);
    grid->addWidget(new QLabel(QString::fromLatin1(AboutText::DiskLabel), this), 1, 0);
    grid->addWidget(m_pDisk, 1, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto *ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(ok);
}
