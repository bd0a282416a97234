#pragma once

#include <QString>

// The activity button's link goes to the system's URL opener, which would
// also run local files and other schemes: only web addresses are handed on.
class ActivityLink
{
public:
    // The link when it is http or https, otherwise the empty text.
    static QString forBrowser(const QString &link);
};
