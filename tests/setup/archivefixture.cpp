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

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool run7z(const QStringList &args, const QString &workDir)
{
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("7z"), args);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool pack(const QString &sourceDir, const QString &archivePath, const QStringList &extra)
{
    return run7z(QStringList{"a", "-bd", "-y"} << extra << archivePath << ".", sourceDir);
}

bool writeZip(const QString &archivePath, const QStringList &entries)
{
    const char *script = R"(import sys, zipfile
z = zipfile.ZipFile(sys.argv[1], 'w')
raw = False
for entry in sys.argv[2:]:
    name, content, attr = (entry.split('|') + ['', ''])[:3]
    info = zipfile.ZipInfo(name, (2020, 1, 2, 3, 4, 6))
    raw = raw or attr == 'raw'
    if attr.startswith('dos'):
        info.create_system, info.external_attr = 0, int(attr[3:], 16)
    else:
        default = '40755' if name.endswith('/') else '100644'
        mode = int(attr if attr[:1].isdigit() else default, 8)
        info.external_attr = mode << 16 | (0x10 if name.endswith('/') else 0)
    z.writestr(info, content.encode(attr if attr.startswith('utf') else 'utf-8'))
z.close()
if raw:
    data = bytearray(open(sys.argv[1], 'rb').read())
    for mark, at in ((b'PK\x03\x04', 7), (b'PK\x01\x02', 9)):
        i = data.find(mark)
        while i >= 0:
            data[i + at] &= ~0x08
            i = data.find(mark, i + 4)
    open(sys.argv[1], 'wb').write(data)
)";
    QProcess process;
    process.start(QStringLiteral("python3"), QStringList{"-c", script, archivePath} << entries);
    return process.waitForFinished(30000) && process.exitCode() == 0;
}

bool damage(const QString &path, const QString &how)
{
    QByteArray data = readFile(path);
    if (how.startsWith("flip:")) {
        const QByteArray marker = how.mid(5).toUtf8();
        const int at = data.indexOf(marker);
        if (at < 0)
            return false;
        data[at + marker.size() / 2] = char(data.at(at + marker.size() / 2) ^ 0x20);
    } else if (how.startsWith("cut:")) {
        int at = -4;
        for (int n = how.mid(4).toInt(); n > 0 && at != -1; --n)
            at = data.indexOf("PK\x03\x04", at + 4);
        if (at < 0)
            return false;
        data.truncate(at);
    } else if (how == "nocd" && data.contains("PK\x01\x02")) {
        data.truncate(data.indexOf("PK\x01\x02"));
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
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
        QString entry = info.isSymLink() ? "l" : "d";
        if (!info.isSymLink() && !info.isDir())
            entry = QString("f %1 ").arg(info.size()) +
                    QCryptographicHash::hash(readFile(path), QCryptographicHash::Md5).toHex();
        tree.insert(root.relativeFilePath(path), entry);
    }
    return tree;
}

} // namespace ArchiveFixture
