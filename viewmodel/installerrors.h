#pragma once

#include "common/errordefine.h"

#include <QObject>
#include <QString>

class GameStatus;
class Messages;
class ProgressDisplay;

// What the game's download and extraction report going wrong: the state the
// records give again, the message with its code, and the reports.
class InstallErrors : public QObject
{
    Q_OBJECT

public:
    InstallErrors(GameStatus &status, Messages &messages, ProgressDisplay &display, QObject *parent = nullptr);

    void downloadFailed(ErrorDefine::ErrorCode error, const QString &msg);
    void httpFailed(ErrorDefine::ErrorCode error, const QString &msg);
    void extractFailed(ErrorDefine::ErrorCode error, const QString &msg);

    static void reportMetaDataDismissed();
    static void reportMetaDataFailed();

signals:
    // A failed download leaves the page as the last answer made it.
    void pageStale();

private:
    GameStatus &status;
    Messages &messages;
    ProgressDisplay &display;
};
