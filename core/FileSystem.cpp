#include "core/FileSystem.h"

#include <algorithm>

namespace yorv {

namespace {

bool IsFile(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A path the system writes into a buffer, however long: `fill` gives the
// length written, or the size needed when the buffer is too small; empty
// when it fails.
template <typename Fill>
std::wstring Filled(Fill fill)
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD len = fill(path.data(), MAX_PATH);
    if (len >= MAX_PATH) {
        path.assign(len, L'\0');
        len = fill(path.data(), len);
    }
    path.resize(len < path.size() ? len : 0);
    return path;
}

// Names compared as the file systems compare them: case ignored.
bool SamePlace(std::wstring_view a, std::wstring_view b)
{
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE)
           == CSTR_EQUAL;
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

std::wstring FullPath(const std::wstring& path)
{
    return Filled([&](wchar_t* buffer, DWORD size) { return ::GetFullPathNameW(path.c_str(), size, buffer, nullptr); });
}

UniqueFile OpenEntry(const std::wstring& path, DWORD access, bool asItself)
{
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (asItself ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    return UniqueFile(::CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING, flags, nullptr));
}

bool DeleteByHandle(HANDLE handle)
{
    FILE_DISPOSITION_INFO dispose{};
    dispose.DeleteFile = TRUE;
    return ::SetFileInformationByHandle(handle, FileDispositionInfo, &dispose, sizeof dispose) != FALSE;
}

std::optional<Place> PlaceOf(HANDLE handle)
{
    Place place = Filled([&](wchar_t* buffer, DWORD size) {
        return ::GetFinalPathNameByHandleW(handle, buffer, size, FILE_NAME_OPENED | VOLUME_NAME_DOS);
    });
    return place.empty() ? std::nullopt : std::optional<Place>(std::move(place));
}

bool IsEntryAt(std::wstring_view place, std::wstring_view folder, std::wstring_view name)
{
    return IsEntryPath(place, folder, name, SamePlace);
}

}  // namespace yorv
