#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QSettings>
#include <QString>
#include <QStringList>

#include "support/testpaths.h"

// Runs fetch_package as the launcher would be run: its own process, its
// settings store under a folder of the test's.
class ToolRun
{
public:
    explicit ToolRun(const QString &configHome)
        : m_configHome(configHome)
    {}

    void start(const QStringList &arguments, const QString &wrapper = QString())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_configHome);
        environment.insert(QStringLiteral("HOME"), m_configHome);
        environment.insert(QStringLiteral("FETCH_PACKAGE_RETRY_MS"), QStringLiteral("100"));
        m_process.setProcessEnvironment(environment);
        const QString tool = TestPaths::programDir() + QStringLiteral("/fetch_package");
        if (wrapper.isEmpty()) {
            m_process.start(tool, arguments);
            return;
        }
        m_process.start(QStringLiteral("/bin/sh"), QStringList{QStringLiteral("-c"), wrapper, tool} + arguments);
    }

    // Exit code, or -1 when it did not end in time or crashed.
    int finish(int timeoutMs = 30000)
    {
        if (!m_process.waitForFinished(timeoutMs)) {
            m_process.kill();
            m_process.waitForFinished();
            return -1;
        }
        m_stdout += m_process.readAllStandardOutput();
        m_stderr += m_process.readAllStandardError();
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    bool waitForOutput(const QString &text, int timeoutMs = 30000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!QString::fromUtf8(m_stdout).contains(text)) {
            if (deadline.hasExpired() || !m_process.waitForReadyRead(int(deadline.remainingTime())))
                return false;
            m_stdout += m_process.readAllStandardOutput();
        }
        return true;
    }

    void kill()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    QString errorOutput() const { return QString::fromUtf8(m_stderr); }
    QString output() const { return QString::fromUtf8(m_stdout); }

    // The bytes the record says are on disk; -1 without a record.
    qint64 recordedSize(const QString &package) const
    {
        QSettings store(recordPath(), QSettings::IniFormat);
        return store.value(package + QStringLiteral("/0"), -1).toLongLong();
    }

    void setRecordedSize(const QString &package, qint64 size) const
    {
        QSettings store(recordPath(), QSettings::IniFormat);
        store.setValue(package + QStringLiteral("/0"), size);
    }

    QString recordPath() const { return m_configHome + QStringLiteral("/Tavoro/Aurelith Launcher.conf"); }

private:
    QString m_configHome;
    QProcess m_process;
    QByteArray m_stdout;
    QByteArray m_stderr;
};
