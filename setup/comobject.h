#pragma once

#include "setup/archiveinterfaces.h"

#include <atomic>

// Reference counting and the QueryInterface answer shared by the objects we
// hand to the archive library. Derived is the final class; it keeps its
// destructor private and befriends this base.
template<class Derived, class... Interfaces> class ComObject : public Interfaces...
{
public:
    SevenZip::ULONG SEVENZIP_CALL AddRef() override { return ++m_refCount; }

    SevenZip::ULONG SEVENZIP_CALL Release() override
    {
        const SevenZip::ULONG count = --m_refCount;
        if (count == 0)
            delete static_cast<Derived *>(this);
        return count;
    }

protected:
    ComObject() = default;
    ~ComObject() = default;

    // found: the interface answering the asked id, or null when none does.
    SevenZip::HRESULT answerQuery(void *found, void **outObject)
    {
        *outObject = found;
        if (!found)
            return SevenZip::E_NOINTERFACE;
        AddRef();
        return SevenZip::S_OK;
    }

private:
    std::atomic<SevenZip::ULONG> m_refCount{0};
};
