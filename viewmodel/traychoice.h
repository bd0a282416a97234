#pragma once

#include <QByteArrayList>

// What the close question's "minimise to the tray" does with the window: into
// the tray where the desktop has one; without one (GNOME without extensions)
// a hidden window could only come back through a second start, so there it
// goes to the task bar.
class TrayChoice
{
public:
    // The root window's methods to invoke, in order.
    static QByteArrayList windowMethods(bool trayAvailable);
};
