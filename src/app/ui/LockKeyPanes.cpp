#include "app/ui/LockKeyPanes.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>

CLockKeyPanes::CLockKeyPanes(QLabel *cap, QLabel *num, QObject *parent)
    : QObject(parent)
    , m_pCap(cap)
    , m_pNum(num)
{
    qApp->installEventFilter(this);
    Refresh();
}

void CLockKeyPanes::Refresh()
{
    const LockKeys keys = ReadLockKeys();
    m_pCap->setVisible(keys.known);
    m_pNum->setVisible(keys.known);
    m_pCap->setEnabled(keys.caps);
    m_pNum->setEnabled(keys.num);
}

bool CLockKeyPanes::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyRelease: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock)
            Refresh();
        break;
    }
    case QEvent::ApplicationActivate:
        Refresh();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// Xlib's macros (KeyPress, None, Bool …) clash with Qt's names: its headers come last, after
// every use of those names.
#ifdef VELLOQUIN_HAVE_XKB
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#endif

LockKeys ReadLockKeys()
{
    LockKeys keys;
#ifdef VELLOQUIN_HAVE_XKB
    const auto *x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    XkbStateRec state;
    if (display && XkbGetState(display, XkbUseCoreKbd, &state) == Success) {
        keys.known = true;
        keys.caps = (state.locked_mods & LockMask) != 0;
        keys.num = (state.locked_mods & XkbKeysymToModifiers(display, XK_Num_Lock)) != 0;
    }
#endif
    return keys;
}
