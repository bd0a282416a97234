#pragma once

#include <QApplication>
#include <QLockFile>
#include <memory>

class QLocalServer;

// The application object of a program that runs once per user: the first
// copy holds a lock file and listens on a local socket beside it, later
// copies find the lock taken and hand their message to the first.
//
// The lock, not the socket, decides who runs: a copy killed without
// cleaning up leaves a lock whose owner is gone (taken over at once) and a
// socket file nobody listens on (removed by the next first copy).
class SingleApplication : public QApplication
{
    Q_OBJECT

public:
    SingleApplication(int &argc, char **argv);
    ~SingleApplication() override;

    bool isRunning() const;
    bool sendMessage(const QString &message, int timeout);

    // The lock file and the socket live here, named after user and program.
    static QString instanceKeyPath();

signals:
    void messageReceived(const QString &message);

private:
    void listen();
    void acceptConnection();

    QLockFile lock;
    bool otherInstance = false;
    QLocalServer *server = nullptr;
};
