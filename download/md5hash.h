#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QLibrary>

// MD5 over a stream of blocks. Where the system's OpenSSL crypto library can
// be loaded its assembler MD5 does the work, about a sixth faster than Qt's
// portable one: on a package of tens of GiB that is the better part of a
// minute of verifying. Without it, Qt's digest gives the same result.
class md5hash
{
public:
    enum class Engine { Best, Portable };

    explicit md5hash(Engine engine = Engine::Best);
    ~md5hash();
    md5hash(const md5hash &) = delete;
    md5hash &operator=(const md5hash &) = delete;

    void addData(const char *data, qint64 length);
    // The 16 bytes of the digest, or none when the library failed; call it
    // once, at the end.
    QByteArray result();
    bool usesSystemLibrary() const { return m_context != nullptr; }

private:
    using NewContext = void *(*)();
    using FreeContext = void (*)(void *);
    using Algorithm = const void *(*)();
    using Init = int (*)(void *, const void *, void *);
    using Update = int (*)(void *, const void *, size_t);
    using Final = int (*)(void *, unsigned char *, unsigned int *);

    bool loadSystemLibrary();

    QLibrary m_library;
    FreeContext m_freeContext = nullptr;
    Update m_update = nullptr;
    Final m_final = nullptr;
    void *m_context = nullptr;
    bool m_failed = false;
    QCryptographicHash m_portable{QCryptographicHash::Md5};
};
