#include "core/Places.h"

#include "core/FileSystem.h"

namespace yorv {

namespace {

// Opened for no access at all, so that a file another program holds open
// without sharing still answers.
UniqueFile OpenToLook(const std::string& path)
{
    return UniqueFile(::CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                    nullptr));
}

bool SameWidePath(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE)
           == CSTR_EQUAL;
}

}  // namespace

bool SamePath(const std::string& a, const std::string& b)
{
    const std::wstring wideA = WideFromAnsi(a);
    const std::wstring wideB = WideFromAnsi(b);
    if (wideA.empty() != a.empty() || wideB.empty() != b.empty())
        return false;  // not convertible: not known to be the same
    return SameWidePath(wideA, wideB);
}

std::size_t LastSeparator(const std::string& path)
{
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size();) {
        if (path[i] == '\\' || path[i] == '/')
            last = i;
        i += ::IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size() ? 2 : 1;
    }
    return last;
}

std::string PlaceIn(const std::string& folderFinal, const std::string& name)
{
    if (!folderFinal.empty() && LastSeparator(folderFinal) == folderFinal.size() - 1)
        return folderFinal + name;
    return folderFinal + "\\" + name;
}

namespace {

// A handle's final path, as `flags` ask for it, in UTF-16, which Wine
// answers faster.
std::optional<std::wstring> FinalPathByHandle(HANDLE handle, DWORD flags)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD len = ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), flags);
        if (len == 0)
            return std::nullopt;
        if (len < path.size()) {
            path.resize(len);
            return path;
        }
        path.assign(len + 1, L'\0');  // too small: len is the size needed
    }
}

// Asked of every file. Not normalized, it is the name the handle was opened
// by, which costs least: under Wine it is the name kept with the handle,
// links resolved, half the cost of the file-name query.
std::optional<std::wstring> OpenedPathOf(HANDLE handle)
{
    return FinalPathByHandle(handle, FILE_NAME_OPENED | VOLUME_NAME_DOS);
}

}  // namespace

std::optional<std::string> FinalPathOf(HANDLE handle)
{
    const std::optional<std::wstring> path = FinalPathByHandle(handle, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (!path)
        return std::nullopt;
    std::string ansi = AnsiFromWide(*path);
    if (ansi.empty())
        return std::nullopt;
    return ansi;
}

std::optional<Place> FinalPlace(const std::string& path)
{
    UniqueFile handle = OpenToLook(path);
    if (!handle)
        return std::nullopt;
    std::optional<std::string> full = FinalPathOf(handle.Get());
    std::optional<std::wstring> opened = OpenedPathOf(handle.Get());
    if (!full || !opened)
        return std::nullopt;
    // A drive's root ends in its own backslash already.
    if (opened->empty() || opened->back() != L'\\')
        opened->push_back(L'\\');
    return Place{std::move(*full), std::move(*opened)};
}

std::optional<std::string> FinalPath(const std::string& path)
{
    UniqueFile handle = OpenToLook(path);
    if (!handle)
        return std::nullopt;
    return FinalPathOf(handle.Get());
}

std::string FullPath(const std::string& path)
{
    // Most paths fit at the first try, which the removal asks of every file.
    char fits[MAX_PATH];
    const DWORD first = ::GetFullPathNameA(path.c_str(), MAX_PATH, fits, nullptr);
    if (first > 0 && first < MAX_PATH)
        return std::string(fits, first);
    const DWORD needed = ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return std::string();
    std::string full(needed, '\0');
    const DWORD len = ::GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
    if (len == 0 || len >= needed)
        return std::string();
    full.resize(len);
    return full;
}

bool LiesIn(const std::string& path, const std::string& name, const Place& folder)
{
    const std::wstring wideName = WideFromAnsi(name);
    if (wideName.empty())
        return false;
    UniqueFile handle = OpenToLook(path);
    if (!handle)
        return false;
    const std::optional<std::wstring> opened = OpenedPathOf(handle.Get());
    return opened && SameWidePath(*opened, folder.filesPrefix + wideName);
}

}  // namespace yorv
