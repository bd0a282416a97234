#include "app/language.h"

#include "settings/configsettings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QTranslator>

namespace {

QString &storedLanguage()
{
    // Written once at start, before any reader exists.
    static QString code;
    return code;
}

} // namespace

LanguageChoice languageChoiceFor(const QLocale &locale)
{
    switch (locale.language()) {
    case QLocale::Chinese:
        if (locale.country() == QLocale::Taiwan)
            return {QStringLiteral("//language/i18n_zh_tw.qm"), QStringLiteral("zh-tw")};
        return {QStringLiteral("//language/i18n_zh_cn.qm"), QStringLiteral("zh-cn")};
    case QLocale::Indonesian:
        return {QStringLiteral("//language/i18n_id.qm"), QStringLiteral("id-id")};
    case QLocale::Japanese:
        return {QStringLiteral("//language/i18n_ja.qm"), QStringLiteral("ja-jp")};
    case QLocale::Korean:
        return {QStringLiteral("//language/i18n_ko.qm"), QStringLiteral("ko-kr")};
    case QLocale::Vietnamese:
        return {QStringLiteral("//language/i18n_vi.qm"), QStringLiteral("vi-vn")};
    default:
        // English, and French, German, Portuguese, Russian, Spanish and Thai
        // too: their catalogues are not offered yet.
        return {QStringLiteral("//language/i18n_en.qm"), QStringLiteral("en-us")};
    }
}

QString languageBaseFolder(const QString &applicationDir)
{
    if (QFileInfo(applicationDir + QStringLiteral("/language")).isDir())
        return applicationDir;
    const QString installed = ConfigSettings::installedDataFolder(applicationDir);
    if (QFileInfo(installed + QStringLiteral("/language")).isDir())
        return installed;
    return applicationDir;
}

QString selectLanguage(QTranslator *translator)
{
    const LanguageChoice choice = languageChoiceFor(QLocale());
    // Whether the file loaded does not matter: without it the source texts show.
    if (translator)
        (void)translator->load(languageBaseFolder(QCoreApplication::applicationDirPath()) + choice.fileName);
    storedLanguage() = choice.code;
    return choice.code;
}

QString currentLanguage()
{
    return storedLanguage();
}
