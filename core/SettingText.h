// Conversion between the settings' stored texts and their values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yorv {

// The integer a stored text stands for, or nothing when it is not a number.
// Accepts leading blanks, then a decimal number with an optional sign in the
// 32-bit range, or "$" (or "0x"/"0X" at the very start) and 1 to 32 bits of
// hexadecimal digits. Anything else, trailing blanks included, is no number.
std::optional<std::int32_t> ParseSettingInt(std::string_view text);

// The decimal text a number is stored as ("-1", "0", "31").
std::string FormatSettingInt(std::int32_t value);

// The text of a stored value: its data up to the first zero byte, or all of
// it when there is none.
std::string SettingTextFromData(const char* data, std::size_t size);

}  // namespace yorv
