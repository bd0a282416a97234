#include "viewmodel/traychoice.h"

QByteArrayList TrayChoice::windowMethods(bool trayAvailable)
{
    if (!trayAvailable)
        return {"showMinimized"};
    // Minimised first: the tray brings it back with showNormal, restoring it.
    return {"showMinimized", "hide", "raise", "requestActivate"};
}
