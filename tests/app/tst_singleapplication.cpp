#include "app/singleapplication.h"

#include <QtTest>

namespace {

QString self; // this program, for the other copy
int argc = 1;
char name[] = "tst_singleapplication";
char *argv[] = {name, nullptr};

// Another copy: prints "listening", then each message it receives, one a line.
int runCopy(int copyArgc, char **copyArgv)
{
    SingleApplication app(copyArgc, copyArgv);
    if (app.isRunning())
        return 1;
    setvbuf(stdout, nullptr, _IOLBF, 0); // each line reaches the test as it is printed
    QObject::connect(&app, &SingleApplication::messageReceived,
                     [](const QString &message) { printf("%s\n", qPrintable(message)); });
    printf("listening\n");
    return app.exec();
}

} // namespace

// Who may run, decided in this process against what earlier copies left in the
// runtime folder: another live copy, a killed copy's lock and socket, a folder
// nobody can write. This program is also the other copy ("--copy").
class TestSingleApplication : public QObject
{
    Q_OBJECT

private slots:
    void whoRuns_data()
    {
        QTest::addColumn<QString>("before"); // what the runtime folder holds
        QTest::addColumn<bool>("refused");
        QTest::newRow("nothing") << "nothing" << false;
        QTest::newRow("a live copy") << "live" << true;
        QTest::newRow("a killed copy's lock and socket") << "killed" << false;
        QTest::newRow("a leftover socket file") << "socket" << false;
        // A folder that cannot hold the lock says nothing about another copy.
        QTest::newRow("read-only runtime folder") << "unwritable" << false;
    }
    void whoRuns()
    {
        QFETCH(QString, before);
        QFETCH(bool, refused);
        const QString folder = runtime.filePath(before), key = folder + "/aurelith-launcher-tester";
        QVERIFY(QDir().mkpath(folder));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // A runtime folder below a file is unusable, and Qt falls back to the temporary folder. Nobody,
        // not even root, creates files in sysfs: a read-only folder on any Linux machine.
        QFile blocker(folder + "/file");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("XDG_RUNTIME_DIR", (before == "unwritable" ? blocker.fileName() + "/runtime" : folder).toUtf8());
        qputenv("TMPDIR", "/sys");
        qputenv("USER", "tester");

        QProcess copy;
        if (before == "live" || before == "killed") {
            copy.start(self, {"--copy"});
            QVERIFY(copy.waitForReadyRead(30000));
            QCOMPARE(copy.readLine(), QByteArray("listening\n"));
        }
        if (before == "live") {
            // The first copy may have run for days: only a dead owner makes its lock stale.
            QFile lock(key + ".lock");
            QVERIFY(lock.open(QIODevice::ReadWrite));
            QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime));
        }
        if (before == "killed") {
            copy.kill();
            QVERIFY(copy.waitForFinished());
            QVERIFY(QFile::exists(key + ".lock") && QFile::exists(key + ".socket"));
        }
        if (before == "socket")
            QVERIFY(QFile(key + ".socket").open(QIODevice::WriteOnly));

        SingleApplication app(argc, argv);
        QCOMPARE(app.isRunning(), refused);
        if (before == "unwritable")
            return;
        // The message reaches the copy that runs: the other one when refused, else this one.
        QSignalSpy received(&app, &SingleApplication::messageReceived);
        QVERIFY(app.sendMessage("raise_window_noop", 10000));
        if (refused) {
            QTRY_VERIFY(copy.canReadLine() || copy.waitForReadyRead(100));
            QCOMPARE(copy.readLine(), QByteArray("raise_window_noop\n"));
        } else {
            QVERIFY(received.wait(10000));
            QCOMPARE(received.first().first().toString(), QString("raise_window_noop"));
        }
    }

private:
    QTemporaryDir runtime;
};

int main(int mainArgc, char **mainArgv)
{
    if (mainArgc > 1 && QByteArray(mainArgv[1]) == "--copy")
        return runCopy(mainArgc, mainArgv);
    self = QFileInfo(mainArgv[0]).absoluteFilePath();
    TestSingleApplication test;
    return QTest::qExec(&test, mainArgc, mainArgv);
}

#include "tst_singleapplication.moc"
