#include "core/Places.h"

#include "core/FileSystem.h"

namespace yorv {

bool SamePath(const std::string& a, const std::string& b)
{
    const std::wstring wideA = WideFromAnsi(a);
    const std::wstring wideB = WideFromAnsi(b);
    if (wideA.empty() != a.empty() || wideB.empty() != b.empty())
        return false;  // not convertible: not known to be the same
    return ::CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                  static_cast<int>(wideB.size()), TRUE)
           == CSTR_EQUAL;
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

// A handle's final path, as `flags` ask for it. Asked in UTF-16, which
// Wine answers faster, and given in the ANSI code page.
std::optional<std::string> FinalPathByHandle(HANDLE handle, DWORD flags)
{
    std::wstring wide(MAX_PATH, L'\0');
    for (;;) {
        const DWORD len = ::GetFinalPathNameByHandleW(handle, wide.data(), static_cast<DWORD>(wide.size()), flags);
        if (len == 0)
            return std::nullopt;
        if (len < wide.size()) {
            wide.resize(len);
            break;
        }
        wide.assign(len + 1, L'\0');  // too small: len is the size needed
    }
    std::string path = AnsiFromWide(wide);
    if (path.empty())
        return std::nullopt;
    return path;
}

}  // namespace

std::optional<std::string> FinalPathOf(HANDLE handle)
{
    return FinalPathByHandle(handle, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
}

// Asked of every file. Not normalized, it is the name the handle was opened
// by, which costs least: under Wine it is the name kept with the handle,
// links resolved, half the cost of the file-name query.
std::optional<std::string> OpenedPathOf(HANDLE handle)
{
    return FinalPathByHandle(handle, FILE_NAME_OPENED | VOLUME_NAME_DOS);
}

UniqueFile OpenToLook(const std::string& path)
{
    return UniqueFile(::CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                    nullptr));
}

std::optional<Place> FinalPlace(const std::string& path)
{
    UniqueFile handle = OpenToLook(path);
    if (!handle)
        return std::nullopt;
    std::optional<std::string> full = FinalPathOf(handle.Get());
    std::optional<std::string> opened = OpenedPathOf(handle.Get());
    if (!full || !opened)
        return std::nullopt;
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

bool LiesAt(const std::string& path, const std::string& expected)
{
    UniqueFile handle = OpenToLook(path);
    if (!handle)
        return false;
    const std::optional<std::string> name = OpenedPathOf(handle.Get());
    return name && SamePath(*name, expected);
}

}  // namespace yorv
