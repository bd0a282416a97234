// unpack_package FOLDER ARCHIVE_NAME: one installation run of the package
// FOLDER/ARCHIVE_NAME into FOLDER, headless. Exit 0 only after setupFinished.
#include "common/errordefine.h"
#include "setup/setupmanager.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <atomic>
#include <cstdio>

namespace {

struct RunCounters
{
    std::atomic<qint64> progressSignals{0};
    std::atomic<qint64> itemSignals{0};
    std::atomic<qint64> errors{0};
    std::atomic<bool> finished{false};
};

// One line per event: a name from the archive cannot start a line of its own.
QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const ushort code = c.unicode();
        if (code == '\\')
            out += QLatin1String("\\\\");
        else if (code < 0x20 || (code >= 0x7F && code < 0xA0) || code == 0x2028 || code == 0x2029)
            out += QStringLiteral("\\x{%1}").arg(code, 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

// Whole lines in one call, so lines written from several threads never mix.
void printLine(const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
}

// Printed on the thread that reports, so no item wakes the main thread.
void connectReports(setupmanager *shared, setupmanager *runner, RunCounters *counters)
{
    QObject::connect(
        shared, &setupmanager::setupProgress, shared,
        [counters](qint64 finishSize, qint64 totalSize) {
            ++counters->progressSignals;
            printLine(QStringLiteral("progress %1/%2").arg(finishSize).arg(totalSize));
        },
        Qt::DirectConnection);
    QObject::connect(
        shared, &setupmanager::setupUnzipFilePath, shared,
        [counters](const QString &path) {
            ++counters->itemSignals;
            printLine(QStringLiteral("unpack %1").arg(escaped(path)));
        },
        Qt::DirectConnection);
    QObject::connect(
        runner, &setupmanager::setupError, runner,
        [counters](ErrorDefine::ErrorCode error, const QString &msg) {
            ++counters->errors;
            printLine(QStringLiteral("error %1 (%2): %3").arg(errorCodeName(error)).arg(int(error)).arg(escaped(msg)));
        },
        Qt::DirectConnection);
    QObject::connect(
        runner, &setupmanager::globalMetaDataDismiss, runner,
        [] { printLine(QStringLiteral("metadata missing or empty")); }, Qt::DirectConnection);
    QObject::connect(
        runner, &setupmanager::globalMetaDataError, runner, [] { printLine(QStringLiteral("metadata not restored")); },
        Qt::DirectConnection);
    QObject::connect(
        runner, &setupmanager::setupFinished, runner, [counters] { counters->finished = true; }, Qt::DirectConnection);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: unpack_package FOLDER ARCHIVE_NAME\n", stderr);
        return 2;
    }

    setupmanager *shared = setupmanager::sharedInstance();
    shared->setZipFilePath(args.at(1));
    shared->setZipFileName(args.at(2));

    RunCounters counters;
    connectReports(shared, shared, &counters);
    QElapsedTimer clock;
    QObject::connect(
        shared, &QThread::finished, &app,
        [&] {
            const double seconds = clock.elapsed() / 1000.0;
            printLine(QStringLiteral("signals progress=%1 items=%2 errors=%3 seconds=%4")
                          .arg(counters.progressSignals.load())
                          .arg(counters.itemSignals.load())
                          .arg(counters.errors.load())
                          .arg(seconds, 0, 'f', 3));
            printLine(counters.finished ? QStringLiteral("finished") : QStringLiteral("failed"));
            std::fflush(stdout);
            app.exit(counters.finished ? 0 : 1);
        },
        Qt::QueuedConnection);

    clock.start();
    shared->start();
    return app.exec();
}
