// fetch_package: downloads one package the way the launcher does (same
// resume record, same temporary file, same digest check), without a window.
//
//   fetch_package URL FOLDER [MD5]   download, exit 0 once the digest matched
//   fetch_package --digest FILE      print FILE's MD5 as the launcher computes it
//
// FETCH_PACKAGE_TIMEOUT_MS shortens the 10 s inactivity time-out and
// FETCH_PACKAGE_RETRY_MS the first 1 s wait before a failed request is tried
// again (tests). FETCH_PACKAGE_SEGMENTS sets the connections per package
// instead of the installer's config.ini beside the tool (benchmarks).

#include "common/errordefine.h"
#include "download/downloadmanager.h"
#include "download/md5checkworker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QUrl>

#include <cstdio>

namespace {

const char kUsage[] = "usage: fetch_package URL FOLDER [MD5]\n"
                      "       fetch_package --digest FILE\n";

void printProgress(qint64 done, qint64 total)
{
    const double percent = total > 0 ? 100.0 * double(done) / double(total) : 0.0;
    std::fprintf(stdout, "\r%lld / %lld bytes (%.1f%%)", static_cast<long long>(done), static_cast<long long>(total),
                 percent);
    std::fflush(stdout);
}

void failWith(ErrorDefine::ErrorCode code, const QString &text)
{
    std::fprintf(stdout, "\n");
    std::fprintf(stderr, "%s (%d): %s\n", qPrintable(errorCodeName(code)), int(code), qUtf8Printable(text));
    QCoreApplication::exit(1);
}

int runDigest(const QString &path)
{
    QThread thread;
    md5checkworker worker;
    worker.setFilePath(path);
    worker.moveToThread(&thread);
    QString digest;
    QObject::connect(&thread, &QThread::started, &worker, &md5checkworker::md5);
    // Direct: the main thread is blocked in wait() until the digest is there.
    QObject::connect(
        &worker, &md5checkworker::md5Checkfinished, &thread,
        [&digest, &thread](const QString &md5) {
            digest = md5;
            thread.quit();
        },
        Qt::DirectConnection);
    thread.start();
    thread.wait();
    if (digest.isEmpty()) {
        std::fprintf(stderr, "cannot read %s\n", qUtf8Printable(path));
        return 1;
    }
    std::fprintf(stdout, "%s  %s\n", qPrintable(digest), qUtf8Printable(path));
    return 0;
}

int runDownload(const QUrl &url, const QString &folder, const QString &md5)
{
    downloadmanager manager;
    const int timeoutMs = qEnvironmentVariableIntValue("FETCH_PACKAGE_TIMEOUT_MS");
    if (timeoutMs > 0)
        manager.setInactivityTimeout(timeoutMs);
    const int retryMs = qEnvironmentVariableIntValue("FETCH_PACKAGE_RETRY_MS");
    if (retryMs > 0)
        manager.setRetryDelay(retryMs);
    const int segments = qEnvironmentVariableIntValue("FETCH_PACKAGE_SEGMENTS");
    if (segments > 0)
        manager.setSegmentCount(segments);

    QElapsedTimer sinceStart;
    sinceStart.start();
    QElapsedTimer sincePrint; // invalid until the first report, which shows where a resume starts
    double downloadSeconds = 0;
    QObject::connect(&manager, &downloadmanager::downloadReplyProgress, [&sincePrint](qint64 done, qint64 total) {
        if (sincePrint.isValid() && sincePrint.elapsed() < 200 && done < total)
            return;
        sincePrint.start();
        printProgress(done, total);
    });
    QObject::connect(&manager, &downloadmanager::downloadFinished, [&] {
        downloadSeconds = sinceStart.nsecsElapsed() / 1e9;
        std::fprintf(stdout, "\ndownloaded in %.3f s, checking digest\n", downloadSeconds);
        std::fflush(stdout);
    });
    QObject::connect(&manager, &downloadmanager::downloadError, &failWith);
    QObject::connect(&manager, &downloadmanager::httpError, &failWith);
    QObject::connect(&manager, &downloadmanager::md5CheckFinish, [&] {
        std::fprintf(stdout, "digest checked in %.3f s\n", sinceStart.nsecsElapsed() / 1e9 - downloadSeconds);
        std::fprintf(stdout, "done %s\n", qUtf8Printable(manager.finalFilePath()));
        QCoreApplication::exit(0);
    });

    manager.setUrl(url);
    manager.setFilePath(folder);
    manager.setFileMD5(md5);
    manager.startDownload();
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The launcher's names: they key the resume record in the per-user store.
    QCoreApplication::setOrganizationName(QStringLiteral("Tavoro"));
    QCoreApplication::setApplicationName(QStringLiteral("Aurelith Launcher"));

    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--digest"))
        return runDigest(args[1]);
    if (args.size() < 2 || args.size() > 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    QString folder = args[1];
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return runDownload(QUrl(args[0]), folder, args.value(2));
}
