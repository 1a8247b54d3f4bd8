#include "core/FileSystem.h"

#include "core/CatalogueRules.h"

#include <windows.h>

#include <algorithm>
#include <string>

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

std::wstring WideFromAnsi(const std::string& text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string AnsiFromWide(const std::wstring& text)
{
    const int wideLength = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::string();
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

void DropSplitCharacter(std::string& cutText)
{
    std::size_t i = 0;
    while (i + 1 < cutText.size())
        i += ::IsDBCSLeadByte(static_cast<BYTE>(cutText[i])) ? 2 : 1;
    // `i` is where the last character starts, or the end itself.
    if (i + 1 == cutText.size() && ::IsDBCSLeadByte(static_cast<BYTE>(cutText[i])))
        cutText.pop_back();
}

bool IsPlainName(const std::string& name)
{
    // Plain ASCII reads the same in every code page; anything else is judged
    // as the system will read it: in UTF-16, converted from the ANSI code
    // page, where the second byte of a double-byte character is no backslash.
    if (std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return IsPlainEntryName(std::string_view(name));
    const std::wstring wide = WideFromAnsi(name);
    return !wide.empty()
           && IsPlainEntryName(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace yorv
