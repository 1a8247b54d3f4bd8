// What a failed check prints: the contents of texts and lists, never
// "{?}" or a pointer. Included by every test file after doctest.
#pragma once

#include <doctest.h>

#include <string>
#include <vector>

namespace doctest {

template <>
struct StringMaker<const char*> {
    static String convert(const char* text) { return text ? String("\"") + text + "\"" : String("nullptr"); }
};
template <>
struct StringMaker<char*> : StringMaker<const char*> {};
template <>
struct StringMaker<std::string> {
    static String convert(const std::string& text) { return StringMaker<const char*>::convert(text.c_str()); }
};

// UTF-16 on Windows, UTF-32 on Linux; shown in UTF-8, controls as \x..
template <>
struct StringMaker<std::wstring> {
    static String convert(const std::wstring& text)
    {
        std::string shown = "L\"";
        for (std::size_t i = 0; i < text.size(); ++i) {
            char32_t c = static_cast<char32_t>(text[i]);
            if (sizeof(wchar_t) == 2 && c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()
                && static_cast<char32_t>(text[i + 1]) >= 0xDC00 && static_cast<char32_t>(text[i + 1]) < 0xE000)
                c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
            if (c < 0x20 || c == 0x7F) {
                const char digits[] = "0123456789abcdef";
                shown += std::string("\\x") + digits[c >> 4] + digits[c & 15];
            } else if (c < 0x80) {
                shown += static_cast<char>(c);
            } else if (c < 0x800) {
                shown += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
            } else if (c < 0x10000) {
                shown += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                          static_cast<char>(0x80 | (c & 0x3F))};
            } else {
                shown += {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
                          static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
            }
        }
        return (shown + "\"").c_str();
    }
};

template <typename T>
struct StringMaker<std::vector<T>> {
    static String convert(const std::vector<T>& values)
    {
        String shown = "{";
        for (std::size_t i = 0; i < values.size(); ++i)
            shown += (i ? ", " : "") + toString(values[i]);
        return shown + "}";
    }
};

}  // namespace doctest
