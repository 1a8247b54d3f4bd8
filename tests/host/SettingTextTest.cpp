#include "core/SettingText.h"

#include "tests/Printable.h"

#include <string>

using yorv::ParseSettingInt;

TEST_CASE("stored texts that are numbers")
{
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"0", 0},
        {"1", 1},
        {"2", 2},
        {"-1", -1},
        {"+7", 7},
        {"007", 7},
        {" 3", 3},
        {"   -12", -12},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"$1F", 31},
        {"$1f", 31},
        {"  $a", 10},
        {"0x2", 2},
        {"0X10", 16},
        {"0xFFFFFFFF", -1},
        {"$80000000", -2147483647 - 1},
        {"$7FFFFFFF", 2147483647},
        {"$00000000FF", 255},
    };
    for (const Case& c : cases) {
        CAPTURE(c.text);
        const auto value = ParseSettingInt(c.text);
        REQUIRE(value.has_value());
        CHECK(*value == c.value);
    }
}

TEST_CASE("stored texts that are no number")
{
    const char* const cases[] = {
        "", " ", "abc", "0 ", "3 ", "1a", "-", "+", "$", "0x", "0X", "-0x1", "+$1", "-$1", "$-1", "0x-1",
        " 0x1",  // the hex prefix counts only at the very start
        "2147483648", "-2147483649", "99999999999999999999", "$100000000", "$G", "1.5", "1,000", "- 1",
        "\t1", "1\t",
    };
    for (const char* text : cases) {
        CAPTURE(text);
        CHECK_FALSE(ParseSettingInt(text).has_value());
    }
}

TEST_CASE("numbers are stored as their decimal text and read back")
{
    for (int value : {0, 1, -1, 31, 2147483647, -2147483647 - 1}) {
        const std::string text = yorv::FormatSettingInt(value);
        CHECK(ParseSettingInt(text) == value);
    }
    CHECK(yorv::FormatSettingInt(-1) == "-1");
}

TEST_CASE("a value's text ends at its first zero byte, or at its end")
{
    CHECK(yorv::SettingTextFromData("12\0" "34", 5) == "12");
    CHECK(yorv::SettingTextFromData("12", 2) == "12");
    CHECK(yorv::SettingTextFromData("", 0).empty());
    CHECK(yorv::SettingTextFromData("\0" "1", 2).empty());
}
