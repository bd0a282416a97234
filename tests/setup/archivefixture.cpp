#include "archivefixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace ArchiveFixture {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

bool run7z(const QStringList &args, const QString &workDir, QByteArray *output)
{
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("7z"), args);
    if (!process.waitForFinished(60000))
        return false;
    if (output)
        *output = process.readAll();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool pack(const QString &sourceDir, const QString &archivePath, const QStringList &extra)
{
    QStringList args{QStringLiteral("a"), QStringLiteral("-bd"), QStringLiteral("-y")};
    args << extra << archivePath << QStringLiteral(".");
    return run7z(args, sourceDir);
}

bool unpackWith7z(const QString &archivePath, const QString &targetDir)
{
    return run7z({QStringLiteral("x"), QStringLiteral("-bd"), QStringLiteral("-y"), QStringLiteral("-o") + targetDir,
                  archivePath},
                 targetDir);
}

bool writeZip(const QString &archivePath, const QList<ZipEntry> &entries)
{
    // python3's zipfile stores names as given, which is what a hostile archive does.
    QString script = QStringLiteral("import sys, zipfile\n"
                                    "z = zipfile.ZipFile(sys.argv[1], 'w')\n"
                                    "args = sys.argv[2:]\n"
                                    "for i in range(0, len(args), 3):\n"
                                    "    info = zipfile.ZipInfo(args[i], (2020, 1, 2, 3, 4, 6))\n"
                                    "    kind = args[i + 2]\n"
                                    "    info.create_system = 0 if kind == 'r' else 3\n"
                                    "    info.external_attr = 0x01 if kind == 'r' else "
                                    "(0o120777 if kind == 'l' else 0o100644) << 16\n"
                                    "    z.writestr(info, args[i + 1].encode())\n"
                                    "z.close()\n");
    QStringList args{QStringLiteral("-c"), script, archivePath};
    for (const ZipEntry &entry : entries)
        args << entry.name << QString::fromUtf8(entry.content) << (entry.symlink ? "l" : entry.dosReadOnly ? "r" : "f");
    QProcess process;
    process.start(QStringLiteral("python3"), args);
    return process.waitForFinished(30000) && process.exitCode() == 0;
}

bool packUnnamed(const QByteArray &content, const QString &archivePath)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("7z"),
                  {QStringLiteral("a"), QStringLiteral("-bd"), QStringLiteral("-si"), archivePath});
    if (!process.waitForStarted(10000))
        return false;
    process.write(content);
    process.closeWriteChannel();
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

bool flipByteAfter(const QString &path, const QByteArray &marker)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray data = file.readAll();
    const int at = data.indexOf(marker);
    if (at < 0)
        return false;
    data[at + marker.size() / 2] = char(data.at(at + marker.size() / 2) ^ 0x20);
    file.seek(0);
    return file.write(data) == data.size();
}

QMap<QString, QString> listTree(const QString &dir)
{
    QMap<QString, QString> tree;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir root(dir);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = root.relativeFilePath(path);
        if (info.isSymLink()) {
            tree.insert(relative, QStringLiteral("l"));
        } else if (info.isDir()) {
            tree.insert(relative, QStringLiteral("d"));
        } else {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            const QByteArray md5 = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5).toHex();
            tree.insert(relative, QStringLiteral("f %1 %2").arg(info.size()).arg(QString::fromLatin1(md5)));
        }
    }
    return tree;
}

} // namespace ArchiveFixture
