// One move-only owner for every kind of Windows handle: it closes what it
// holds exactly once, on every path, and cannot be copied.
#pragma once

#include <windows.h>

#include <utility>

namespace yorv {

// Traits: `Type`, `static Type Invalid()` and `static void Close(Type)`.
template <typename Traits>
class UniqueHandle {
    using T = typename Traits::Type;


public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(T value) noexcept : value_(value) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    T Get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::Invalid(); }

    // For APIs that return a handle through a pointer.
    T* Put() noexcept
    {
        Reset();
        return &value_;
    }

    T Release() noexcept { return std::exchange(value_, Traits::Invalid()); }

    void Reset(T value = Traits::Invalid()) noexcept
    {
        const T old = std::exchange(value_, value);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }

private:
    T value_ = Traits::Invalid();
};

namespace detail {
template <typename H, void (*CloseFn)(H)>
struct NullTraits {
    using Type = H;
    static constexpr Type Invalid() { return nullptr; }
    static void Close(Type h) { CloseFn(h); }
};
template <void (*CloseFn)(HANDLE)>
struct InvalidValueTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseFn(h); }
};
inline void CloseKey(HKEY key) { ::RegCloseKey(key); }
inline void CloseKernelObject(HANDLE h) { ::CloseHandle(h); }
inline void CloseFind(HANDLE h) { ::FindClose(h); }
inline void CloseChangeWatch(HANDLE h) { ::FindCloseChangeNotification(h); }
inline void DeleteGdi(HGDIOBJ h) { ::DeleteObject(h); }
inline void DeleteMenu(HMENU h) { ::DestroyMenu(h); }
inline void DeleteDc(HDC h) { ::DeleteDC(h); }
inline void Unhook(HHOOK h) { ::UnhookWindowsHookEx(h); }
// A COM interface: released once.
template <typename Interface>
struct ComTraits {
    using Type = Interface*;
    static constexpr Type Invalid() { return nullptr; }
    static void Close(Type p) { p->Release(); }
};
}  // namespace detail

using UniqueKey = UniqueHandle<detail::NullTraits<HKEY, detail::CloseKey>>;
using UniqueFile = UniqueHandle<detail::InvalidValueTraits<detail::CloseKernelObject>>;
using UniqueProcess = UniqueHandle<detail::NullTraits<HANDLE, detail::CloseKernelObject>>;  // and threads
using UniqueFind = UniqueHandle<detail::InvalidValueTraits<detail::CloseFind>>;
using UniqueChangeWatch = UniqueHandle<detail::InvalidValueTraits<detail::CloseChangeWatch>>;
using UniqueGdi = UniqueHandle<detail::NullTraits<HGDIOBJ, detail::DeleteGdi>>;
using UniqueMenu = UniqueHandle<detail::NullTraits<HMENU, detail::DeleteMenu>>;
using UniqueDc = UniqueHandle<detail::NullTraits<HDC, detail::DeleteDc>>;  // memory DCs
using UniqueHook = UniqueHandle<detail::NullTraits<HHOOK, detail::Unhook>>;
template <typename Interface>
using UniqueCom = UniqueHandle<detail::ComTraits<Interface>>;

}  // namespace yorv
