#pragma once

#include "net/httprequestapi.h"

#include <QMap>
#include <QObject>
#include <QString>

// One GET per stage of the installer's work to the report endpoint. Nothing
// comes back: failures are silent and never retried.
class StatusReport : public QObject
{
    Q_OBJECT

public:
    enum StatusType {
        GAME_LOADER_CHECK_UPDATE = 0,
        GAME_LOADER_CHECK_UPDATE_FINISH = 1,
        GAME_LOADER_CHECK_UPDATE_ERROR = 2,
        GAME_LOADER_DOWNLOAD_INSTALL_GAME = 3,
        GAME_LOADER_DOWNLOAD_UPDATE_GAME = 4,
        GAME_LOADER_DOWNLOAD_GAME_FINISH = 5,
        GAME_LOADER_UNZIP_START = 6,
        GAME_LOADER_UNZIP_FINISH = 7,
        GAME_LOADER_START_GAME = 8,
        GAME_LOADER_ERROR = 9,
        GAME_LOADER_CHECK_MD5_FINISH = 10,
        GAME_LOADER_PAUSE_DOWNLOAD = 11,
        GAME_LOADER_CHANGE_INSTALL_PATH = 12,
        GAME_LOADER_CHECK_INSTALL_PATH_ERROR = 13,
        LAUNCHER_LOADER_CHECK_UPDATE = 14,
        LAUNCHER_LOADER_CHECK_UPDATE_FINISH = 15,
        LAUNCHER_LOADER_CHECK_UPDATE_ERROR = 16,
        PROGRAM_OPEN_OPEN = 17,
        PROGRAM_HOME_PAGE = 18,
        PROGRAM_HOME_DOWNLOAD = 19,
        PROGRAM_HOME_DOWNLOADED = 20,
        PROGRAM_HOME_INSTALL = 21,
        PROGRAM_HOME_INSTALLED = 22,
        PROGRAM_HOME_MD5 = 23,
        PROGRAM_HOME_OPEN = 24,
        PROGRAM_HOME_AD = 25,
        PROGRAM_QUIT_MIN = 26,
        PROGRAM_QUIT_QUIT = 27,
        GLOBAL_META_DATA_ERROR = 28,
        GLOBAL_META_DATA_DISSMISS_OR_ZERO = 29,
    };
    Q_ENUM(StatusType)

    using Fields = QMap<QString, QString>;

    static StatusReport *instance();

    // The language the player sees, sent as "client_language". Start-up sets
    // it before the first report; the reporter reads it once, when it is made.
    static void setClientLanguage(const QString &languageCode);

    // instance() reports to the build's endpoint; tests pass their own server.
    explicit StatusReport(const QString &reportBaseUrl);

    void report(StatusType type, const Fields *extra = nullptr);

    // The query text report() sends for these fields.
    QString query(StatusType type, const Fields *extra = nullptr) const;
    const Fields &fields() const { return baseFields; }

    static QString typeName(StatusType type);
    // Percent-encodes "%", "&", "#" and "+", which would otherwise cut or
    // change a value on its way through the query; nothing else.
    static QString encodeValue(const QString &value);

private:
    void fillBaseFields();

    Fields baseFields;
    HttpRequestAPI client;
    QString reportBase;
};
