#include "dialogs/installpathcheck.h"

bool InstallPathCheck::hasForbiddenCharacter(const QString &text)
{
    // The fullwidth question mark, not the ASCII one.
    static const QString forbidden = QStringLiteral("\uFF1F*><|:\"");
    for (const QChar c : text) {
        if (forbidden.contains(c))
            return true;
    }
    return false;
}
