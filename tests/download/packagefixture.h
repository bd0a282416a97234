#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QString>

// Package contents for the download tests: bytes that do not repeat, so a
// chunk written at the wrong offset always changes the digest.
namespace PackageFixture {

inline QByteArray content(int size, quint32 seed = 20240607)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = seed;
    for (int i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        bytes[i] = char(state >> 24);
    }
    return bytes;
}

inline QString md5(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

} // namespace PackageFixture
