#include "core/FileSystem.h"

#include <algorithm>

namespace yorv {

namespace {

template <typename Attributes>
bool IsFile(Attributes attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool FileExists(const std::string& path)
{
    return IsFile(::GetFileAttributesA(path.c_str()));
}

bool FileExists(const std::wstring& path)
{
    return IsFile(::GetFileAttributesW(path.c_str()));
}

bool DirectoryExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsLeadByte(unsigned char byte)
{
    return ::IsDBCSLeadByte(byte) != FALSE;
}

std::optional<std::wstring> WideFromAnsi(std::string_view text)
{
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
    return wide;
}

std::string AnsiForDisplay(std::wstring_view text)
{
    const int size = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(std::max(length, 0)), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

bool IsPlainName(const std::string& name)
{
    // Judged as the system will read it: in UTF-16, where the second byte of
    // a double-byte character is no backslash.
    const std::optional<std::wstring> wide = WideFromAnsi(name);
    return wide && IsPlainEntryName(*wide);
}

std::wstring FullPath(const std::wstring& path)
{
    std::wstring full(MAX_PATH, L'\0');
    DWORD len = ::GetFullPathNameW(path.c_str(), MAX_PATH, full.data(), nullptr);
    if (len >= MAX_PATH) {  // too small: len is the size needed
        full.assign(len, L'\0');
        len = ::GetFullPathNameW(path.c_str(), len, full.data(), nullptr);
    }
    full.resize(len < full.size() ? len : 0);
    return full;
}

UniqueFile OpenEntry(const std::wstring& path, DWORD access, bool asItself)
{
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (asItself ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    return UniqueFile(::CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING, flags, nullptr));
}

std::optional<Place> PlaceOf(HANDLE handle)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD len = ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                      FILE_NAME_OPENED | VOLUME_NAME_DOS);
        if (len == 0)
            return std::nullopt;
        if (len < path.size()) {
            path.resize(len);
            return path;
        }
        path.assign(len + 1, L'\0');  // too small: len is the size needed
    }
}

bool SamePlace(std::wstring_view a, std::wstring_view b)
{
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE)
           == CSTR_EQUAL;
}

bool IsEntryAt(std::wstring_view place, std::wstring_view folder, std::wstring_view name)
{
    const std::wstring_view entry = EntryNameIn(place, folder, SamePlace);
    return !entry.empty() && SamePlace(entry, name);
}

}  // namespace yorv
