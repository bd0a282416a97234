#include "download/md5hash.h"

#include <QStringList>

namespace {

// The names the crypto library goes by: OpenSSL 3 and 1.1, on Linux by
// their sonames, on Windows as the DLLs deployed beside Qt's network module.
const QStringList kLibraryNames = {
#ifdef Q_OS_WIN
    QStringLiteral("libcrypto-3-x64"),
    QStringLiteral("libcrypto-1_1-x64"),
#else
    QStringLiteral("libcrypto.so.3"),
    QStringLiteral("libcrypto.so.1.1"),
#endif
};

} // namespace

md5hash::md5hash(Engine engine)
{
    if (engine == Engine::Best)
        loadSystemLibrary();
}

md5hash::~md5hash()
{
    if (m_context)
        m_freeContext(m_context);
}

// All or nothing: a library missing one of the calls is not used at all.
bool md5hash::loadSystemLibrary()
{
    for (const QString &name : kLibraryNames) {
        m_library.setFileName(name);
        if (m_library.load())
            break;
    }
    if (!m_library.isLoaded())
        return false;
    const auto newContext = reinterpret_cast<NewContext>(m_library.resolve("EVP_MD_CTX_new"));
    const auto md5 = reinterpret_cast<Algorithm>(m_library.resolve("EVP_md5"));
    const auto init = reinterpret_cast<Init>(m_library.resolve("EVP_DigestInit_ex"));
    m_freeContext = reinterpret_cast<FreeContext>(m_library.resolve("EVP_MD_CTX_free"));
    m_update = reinterpret_cast<Update>(m_library.resolve("EVP_DigestUpdate"));
    m_final = reinterpret_cast<Final>(m_library.resolve("EVP_DigestFinal_ex"));
    if (!newContext || !md5 || !init || !m_freeContext || !m_update || !m_final)
        return false;
    void *context = newContext();
    if (context && init(context, md5(), nullptr) == 1) {
        m_context = context;
        return true;
    }
    if (context)
        m_freeContext(context);
    return false;
}

void md5hash::addData(const char *data, qint64 length)
{
    if (m_context) {
        m_failed = m_failed || m_update(m_context, data, size_t(length)) != 1;
        return;
    }
    // Qt's digest takes an int's worth at a time.
    while (length > 0) {
        const int part = int(qMin<qint64>(length, 1 << 30));
        m_portable.addData(data, part);
        data += part;
        length -= part;
    }
}

QByteArray md5hash::result()
{
    if (!m_context)
        return m_portable.result();
    unsigned char digest[16];
    unsigned int size = 0;
    if (m_final(m_context, digest, &size) != 1 || size != sizeof digest || m_failed)
        return QByteArray();
    return QByteArray(reinterpret_cast<const char *>(digest), int(size));
}
