#pragma once

#include <QDialog>

class QLabel;

// The About box: name and version, the maker, the toolbar's TeX buttons, and the machine's
// physical memory and the free space of the working folder's disk as formatted values.
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    CAboutDialog(const QString &memory, const QString &freeDisk, QWidget *parent = nullptr);

    QLabel *MemoryField() const { return m_pMemory; }
    QLabel *DiskField() const { return m_pDisk; }

private:
    QLabel *m_pMemory;
    QLabel *m_pDisk;
};
