#include "net/launcherapi.h"

#include <QUrl>
#include <QUrlQuery>
#include <QtTest>

class TestLauncherApi : public QObject
{
    Q_OBJECT

private slots:
    void resourceAddressCarriesOnlyTheLauncherId();
    void contentAddressEndsWithTheLanguage_data();
    void contentAddressEndsWithTheLanguage();
    void backgroundPageGivesBackTheApiBase_data();
    void backgroundPageGivesBackTheApiBase();
};

void TestLauncherApi::resourceAddressCarriesOnlyTheLauncherId()
{
    const QString address = LauncherApi::makeApiUrl(true, QStringLiteral("en-us"));
    QCOMPARE(address, LauncherApi::apiBaseUrl() + QStringLiteral("/zqk/launcher/api/resource?launcher_id=5"));
    QVERIFY(LauncherApi::apiBaseUrl().endsWith(QLatin1String("/qz7r_global")));
}

void TestLauncherApi::contentAddressEndsWithTheLanguage_data()
{
    QTest::addColumn<QString>("language");
    for (const char *code : {"zh-cn", "zh-tw", "en-us", "ja-jp", "ko-kr", "vi-vn", "id-id"})
        QTest::newRow(code) << QString::fromLatin1(code);
}

void TestLauncherApi::contentAddressEndsWithTheLanguage()
{
    QFETCH(QString, language);
    QCOMPARE(LauncherApi::makeApiUrl(false, language),
             LauncherApi::apiBaseUrl() +
                 QStringLiteral("/zqk/launcher/api/content?launcher_id=5&filter_adv=true&language=") + language);
}

void TestLauncherApi::backgroundPageGivesBackTheApiBase_data()
{
    contentAddressEndsWithTheLanguage_data();
}

void TestLauncherApi::backgroundPageGivesBackTheApiBase()
{
    QFETCH(QString, language);
    const QUrl page(LauncherApi::mainBgUrl(language), QUrl::StrictMode);
    QVERIFY(page.isValid());
    QCOMPARE(page.toString(QUrl::RemoveQuery), LauncherApi::webBaseUrl() + QStringLiteral("/5/") + language);
    const QUrlQuery query(page);
    QCOMPARE(query.queryItems(QUrl::FullyDecoded).size(), 2);
    QCOMPARE(query.queryItems().first().first, QStringLiteral("api_url"));
    QCOMPARE(query.queryItemValue(QStringLiteral("api_url"), QUrl::FullyDecoded), LauncherApi::apiBaseUrl());
    QCOMPARE(query.queryItems().last(), qMakePair(QStringLiteral("prev"), QStringLiteral("false")));
    // Only unreserved characters stay as they are inside the value.
    const QString raw = page.query(QUrl::FullyEncoded).section(QLatin1Char('&'), 0, 0).mid(8);
    QVERIFY(!raw.contains(QLatin1Char(':')));
    QVERIFY(!raw.contains(QLatin1Char('/')));
}

QTEST_GUILESS_MAIN(TestLauncherApi)
#include "tst_launcherapi.moc"
