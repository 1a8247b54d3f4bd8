#include "core/FileSystem.h"

#include "core/Handle.h"

namespace yorv {

bool FileExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
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

std::optional<std::string> AnsiFromWide(std::wstring_view text)
{
    if (text.empty())
        return std::string();
    // A character without its own byte form would be given a look-alike
    // or a default character; under UTF-8 only broken text fails.
    const bool utf8 = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL defaulted = FALSE;
    BOOL* const usedDefault = utf8 ? nullptr : &defaulted;
    const int size = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, usedDefault);
    if (length <= 0 || defaulted)
        return std::nullopt;
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, flags, text.data(), size, ansi.data(), length, nullptr, usedDefault);
    return ansi;
}

bool IsPlainName(const std::string& name)
{
    // Judged as the system will read it: in UTF-16, where the second byte of
    // a double-byte character is no backslash.
    const std::optional<std::wstring> wide = WideFromAnsi(name);
    return wide && IsPlainEntryName(std::u16string_view(reinterpret_cast<const char16_t*>(wide->data()), wide->size()));
}

std::string FullPath(const std::string& path)
{
    std::string full(MAX_PATH, '\0');
    DWORD len = ::GetFullPathNameA(path.c_str(), MAX_PATH, full.data(), nullptr);
    if (len >= MAX_PATH) {  // too small: len is the size needed
        full.assign(len, '\0');
        len = ::GetFullPathNameA(path.c_str(), len, full.data(), nullptr);
    }
    full.resize(len < full.size() ? len : 0);
    return full;
}

std::optional<Place> PlaceOf(HANDLE handle, DWORD form)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD len = ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                      form | VOLUME_NAME_DOS);
        if (len == 0)
            return std::nullopt;
        if (len < path.size()) {
            path.resize(len);
            return path;
        }
        path.assign(len + 1, L'\0');  // too small: len is the size needed
    }
}

std::optional<Place> PlaceOf(const std::string& path, DWORD form)
{
    // Opened for no access at all, so that a file another program holds
    // open without sharing still answers.
    const UniqueFile handle(::CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return handle ? PlaceOf(handle.Get(), form) : std::nullopt;
}

bool SamePlace(std::wstring_view a, std::wstring_view b)
{
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE)
           == CSTR_EQUAL;
}

bool IsEntryAt(std::wstring_view place, const Place& folder, const std::string& name)
{
    const std::optional<std::wstring> wideName = WideFromAnsi(name);
    const std::wstring_view entry = EntryNameIn(place, std::wstring_view(folder), SamePlace);
    return wideName && !entry.empty() && SamePlace(entry, *wideName);
}

bool LiesAt(const std::string& path, const Place& folder, const std::string& name) noexcept
{
    // Only running out of memory could throw here, and that ends the
    // program before any file is sent on a wrong answer.
    const std::optional<Place> place = PlaceOf(path);
    return place && IsEntryAt(*place, folder, name);
}

}  // namespace yorv
