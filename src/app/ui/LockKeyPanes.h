#pragma once

#include <QObject>

class QLabel;

// The state of Caps Lock and Num Lock where the platform can tell it (X11, through XKB).
struct LockKeys {
    bool known = false;
    bool caps = false;
    bool num = false;
};
LockKeys ReadLockKeys();

// Keeps the CAP and NUM panes of the status bar showing the lock keys: read at once, after
// each lock key and whenever the application becomes active (a key may have been pressed in
// another program). Where the platform cannot tell, the panes are hidden.
class CLockKeyPanes : public QObject {
public:
    CLockKeyPanes(QLabel *cap, QLabel *num, QObject *parent);
    void Refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_pCap;
    QLabel *m_pNum;
};
