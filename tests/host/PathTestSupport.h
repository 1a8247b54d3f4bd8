// For the path rules' tests and fuzzing: a double-byte code page's lead
// bytes, and names compared as the file systems compare them.
#pragma once

#include <string_view>

// The lead bytes of code page 932 (Japanese), where the second byte of a
// character can be the byte of a backslash.
inline bool Cp932Lead(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Case ignored, here for the letters of ASCII.
inline bool SameIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    const auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}
