// Converts arbitrary texts as stored settings; a number must round-trip
// through its stored decimal text.
#include "core/SettingText.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = yorv::SettingTextFromData(reinterpret_cast<const char*>(data), size);
    const auto value = yorv::ParseSettingInt(text);
    if (value && yorv::ParseSettingInt(yorv::FormatSettingInt(*value)) != value)
        std::abort();
    // A trailing blank always makes a text no number.
    if (yorv::ParseSettingInt(text + " "))
        std::abort();
    return 0;
}
