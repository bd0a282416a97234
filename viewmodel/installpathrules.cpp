#include "viewmodel/installpathrules.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

QString InstallPathRules::displayForm(const QString &path)
{
    if (path.size() <= 100)
        return path;
    return path.left(40) + QStringLiteral(" ... ") + path.right(40);
}

QString InstallPathRules::normalised(const QString &path)
{
    QString result = path;
    result.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    result.replace(QStringLiteral("//"), QStringLiteral("/"));
    if (result.endsWith(QLatin1Char('\\')) || result.endsWith(QLatin1Char('/'))) {
        result.chop(1);
        qDebug() << "removed :" << result;
    }
    return result;
}

QString InstallPathRules::absoluteForm(const QString &path)
{
    if (path.isEmpty() || !QDir::isRelativePath(path))
        return path;
    return QFileInfo(path).absoluteFilePath();
}

QString InstallPathRules::resolveInstallFolder(const QString &path, const QString &appDirPath, const QString &exeName)
{
    const QString installText = QDir::toNativeSeparators(path).toLower();
    const QString appText = QDir::toNativeSeparators(appDirPath).toLower();
    if (!appText.startsWith(installText))
        return path;

    for (int index = 0; index < kMaxCandidates; ++index) {
        QString candidate = path;
        if (index == 1)
            candidate += QStringLiteral("/Games");
        else if (index > 1)
            candidate += QStringLiteral("/Games%1").arg(index - 1);
        if (canTake(candidate, exeName))
            return candidate;
    }
    return QString();
}

bool InstallPathRules::canTake(const QString &candidate, const QString &exeName)
{
    const QDir dir(candidate);
    if (!dir.exists())
        return true;
    if (dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).isEmpty())
        return true;
    return QFileInfo::exists(candidate + QStringLiteral("/") + exeName);
}

QString InstallPathRules::defaultExeName()
{
    return QStringLiteral("Halvest.exe");
}

QString InstallPathRules::safeExeName(const QString &entry)
{
    if (entry.isEmpty())
        return defaultExeName();
    if (entry.contains(QLatin1Char('/')) || entry.contains(QLatin1Char('\\')) || entry.contains(QStringLiteral(".."))) {
        qWarning() << "game executable name refused, using the default:" << entry;
        return defaultExeName();
    }
    return entry;
}
