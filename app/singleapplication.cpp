#include "app/singleapplication.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {

QString userName()
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("USERNAME");
    return name.isEmpty() ? QStringLiteral("user") : name;
}

QString socketPath()
{
    return SingleApplication::instanceKeyPath() + QStringLiteral(".socket");
}

} // namespace

QString SingleApplication::instanceKeyPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    return folder + QStringLiteral("/aurelith-launcher-") + userName();
}

SingleApplication::SingleApplication(int &argc, char **argv)
    : QApplication(argc, argv)
    , lock(instanceKeyPath() + QStringLiteral(".lock"))
{
    // Only a dead owner makes the lock stale, never its age: the first copy
    // may run for days.
    lock.setStaleLockTime(0);
    // A lock that cannot even be written (no runtime folder) says nothing
    // about another copy; better to run than to refuse every start.
    otherInstance = !lock.tryLock(0) && lock.error() == QLockFile::LockFailedError;
    if (!otherInstance)
        listen();
}

SingleApplication::~SingleApplication()
{
    if (server)
        server->close();
}

bool SingleApplication::isRunning() const
{
    return otherInstance;
}

void SingleApplication::listen()
{
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // Holding the lock, any socket of that name is a crashed copy's leftover.
    QLocalServer::removeServer(socketPath());
    if (!server->listen(socketPath()))
        qWarning("single instance: cannot listen on %s: %s", qPrintable(socketPath()),
                 qPrintable(server->errorString()));
    connect(server, &QLocalServer::newConnection, this, &SingleApplication::acceptConnection);
}

void SingleApplication::acceptConnection()
{
    while (QLocalSocket *socket = server->nextPendingConnection()) {
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, socket, [socket, received] { received->append(socket->readAll()); });
        // A message is complete when the sender hangs up.
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, received] {
            received->append(socket->readAll());
            socket->deleteLater();
            emit messageReceived(QString::fromUtf8(*received));
        });
    }
}

// Reaches whichever copy listens, this one included.
bool SingleApplication::sendMessage(const QString &message, int timeout)
{
    QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    // The first copy may have just taken the lock and not be listening yet.
    for (;;) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    socket.write(message.toUtf8());
    // Leaves once the message is written: the hang-up ends the message.
    socket.disconnectFromServer();
    return socket.state() == QLocalSocket::UnconnectedState ||
           socket.waitForDisconnected(int(deadline.remainingTime()));
}
