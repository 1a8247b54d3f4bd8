// COM for the shell's folders: the apartment a thread joins while it asks
// them, and the owner of the item lists they hand out.
#pragma once

#include "core/Handle.h"

#include <windows.h>
#include <shlobj.h>

namespace yorv {

// Joins this thread to a single-threaded apartment while it lives. The
// library is loaded then, not at the program's start, which needs it for
// nothing else; it is one of the system's known libraries, so its name
// alone finds the system's own.
class ComApartment {
public:
    ComApartment()
    {
        static const HMODULE ole = ::LoadLibraryA("ole32.dll");
        const auto initialize = reinterpret_cast<HRESULT(WINAPI*)(void*, DWORD)>(
            ole ? reinterpret_cast<void*>(::GetProcAddress(ole, "CoInitializeEx")) : nullptr);
        uninitialize_ = reinterpret_cast<void(WINAPI*)()>(
            ole ? reinterpret_cast<void*>(::GetProcAddress(ole, "CoUninitialize")) : nullptr);
        if (!initialize || !uninitialize_)
            return;
        const HRESULT result = initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        joined_ = SUCCEEDED(result);  // S_FALSE too: every success is balanced
        usable_ = joined_ || result == RPC_E_CHANGED_MODE;
    }
    ~ComApartment()
    {
        if (joined_)
            uninitialize_();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    // Whether COM can be used on this thread.
    explicit operator bool() const { return usable_; }

private:
    void(WINAPI* uninitialize_)() = nullptr;
    bool joined_ = false;
    bool usable_ = false;
};

namespace detail {
inline void FreeIdList(LPITEMIDLIST list) { ::ILFree(list); }
}  // namespace detail
using UniqueIdList = UniqueHandle<detail::NullTraits<LPITEMIDLIST, detail::FreeIdList>>;

}  // namespace yorv
