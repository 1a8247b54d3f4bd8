// The settings store on the real registry; each test has a clean key.
#include "tests/wine/TestSupport.h"

#include "core/Errors.h"
#include "core/SettingsStore.h"

#include "tests/Printable.h"

#include <string>

using namespace yorv;

namespace {
const std::string kSectionName = "YorvFrontEnd";
const std::string kSettingsTestKey = "YorvFrontEndSettingsTest";

bool KeyExists(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}
}  // namespace

TEST_SUITE("settings")
{
    TEST_CASE("a first run creates only the store's key and reads every default")
    {
        test::CleanKey key(kSettingsTestKey);
        SettingsStore store(key.Name());
        CHECK(store.IsOpen());
        CHECK(KeyExists(key.Name()));
        CHECK_FALSE(KeyExists(key.Name() + "\\" + kSectionName));
        CHECK(store.ReadSettingBool(kSectionName, "CloseOnRun", true));
        CHECK_FALSE(store.ReadSettingBool(kSectionName, "NoSound", false));
        CHECK(store.ReadSettingInt(kSectionName, "PrevYmod", -1) == -1);
    }

    TEST_CASE("stored texts convert as numbers or fall back to the default")
    {
        test::CleanKey key(kSettingsTestKey);
        SettingsStore store(key.Name());
        struct Case {
            const char* text;
            int expected;  // with default -1
        };
        const Case cases[] = {
            {"0x2", 2}, {"abc", -1}, {" 3", 3}, {"3 ", -1}, {"$1F", 31}, {"0xFFFFFFFF", -1},
            {"0x7FFFFFFF", 2147483647}, {"0x", -1}, {"-0x1", -1}, {"", -1}, {"-5", -5}, {"99999999999", -1},
        };
        for (const Case& c : cases) {
            CAPTURE(c.text);
            key.SetString("PrevYmod", c.text);
            CHECK(store.ReadSettingInt(kSectionName, "PrevYmod", -1) == c.expected);
        }
        key.SetString("CloseOnRun", "2");
        CHECK(store.ReadSettingBool(kSectionName, "CloseOnRun", false));
        key.SetString("CloseOnRun", "0");
        CHECK_FALSE(store.ReadSettingBool(kSectionName, "CloseOnRun", true));
        key.SetString("CloseOnRun", "0 ");
        CHECK(store.ReadSettingBool(kSectionName, "CloseOnRun", true));
    }

    TEST_CASE("registry types and odd data")
    {
        test::CleanKey key(kSettingsTestKey);
        SettingsStore store(key.Name());

        key.Set("NoSound", REG_DWORD, std::string("\x01\x00\x00\x00", 4));
        CHECK_THROWS_WITH_AS(store.ReadSettingBool(kSectionName, "NoSound", false),
                             "Invalid data type for 'NoSound'", AppError);
        key.Set("Binary", REG_BINARY, "1");
        CHECK_THROWS_WITH_AS(store.ReadSettingInt(kSectionName, "Binary", 0), "Invalid data type for 'Binary'",
                             AppError);

        // Empty data of any type reads as empty text: the default.
        key.Set("EmptyDword", REG_BINARY, "");
        CHECK(store.ReadSettingInt(kSectionName, "EmptyDword", 42) == 42);

        // REG_EXPAND_SZ is read as it is, nothing expanded.
        key.Set("Expand", REG_EXPAND_SZ, std::string("7\0", 2));
        CHECK(store.ReadSettingInt(kSectionName, "Expand", 0) == 7);
        key.Set("ExpandVar", REG_EXPAND_SZ, std::string("%NUMBER%\0", 9));
        CHECK(store.ReadSettingInt(kSectionName, "ExpandVar", 5) == 5);

        // Data without a terminating zero, and data past an inner zero.
        key.Set("NoZero", REG_SZ, "12");
        CHECK(store.ReadSettingInt(kSectionName, "NoZero", 0) == 12);
        key.Set("InnerZero", REG_SZ, std::string("4\0" "9\0", 4));
        CHECK(store.ReadSettingInt(kSectionName, "InnerZero", 0) == 4);

        // A very long value is read whole and is no number.
        key.SetString("Long", std::string(100000, '7'));
        CHECK(store.ReadSettingInt(kSectionName, "Long", -3) == -3);
        key.SetString("LongBlanks", std::string(100000, ' ') + "8");
        CHECK(store.ReadSettingInt(kSectionName, "LongBlanks", -3) == 8);
    }

    TEST_CASE("writes create the section and store decimal REG_SZ text with its zero")
    {
        test::CleanKey key(kSettingsTestKey);
        SettingsStore store(key.Name());
        store.WriteSettingBool(kSectionName, "CloseOnRun", false);
        store.WriteSettingBool(kSectionName, "NoSound", true);
        store.WriteSettingInt(kSectionName, "PrevYmod", -1);
        CHECK(key.Get("CloseOnRun") == "0");
        CHECK(key.Get("NoSound") == "1");
        CHECK(key.Get("PrevYmod") == "-1");

        HKEY section = nullptr;
        REQUIRE(RegOpenKeyExA(HKEY_CURRENT_USER, (key.Name() + "\\" + kSectionName).c_str(), 0, KEY_READ,
                              &section) == ERROR_SUCCESS);
        char data[16];
        DWORD size = sizeof data;
        DWORD type = 0;
        REQUIRE(RegQueryValueExA(section, "PrevYmod", nullptr, &type, reinterpret_cast<BYTE*>(data), &size)
                == ERROR_SUCCESS);
        RegCloseKey(section);
        CHECK(type == REG_SZ);
        CHECK(size == 3);
        CHECK(std::string(data, size) == std::string("-1\0", 3));

        // Read back through a new store, as the next start does.
        SettingsStore next(key.Name());
        CHECK(next.ReadSettingInt(kSectionName, "PrevYmod", 5) == -1);
        CHECK(next.ReadSettingBool(kSectionName, "NoSound", false));
    }

    TEST_CASE("a store key that cannot be made reads defaults and refuses to save silently")
    {
        // Registry key names are limited to 255 characters.
        const std::string impossible(300, 'K');
        SettingsStore store(impossible);
        CHECK_FALSE(store.IsOpen());
        CHECK(store.ReadSettingInt(kSectionName, "PrevYmod", -1) == -1);
        CHECK(store.ReadSettingBool(kSectionName, "CloseOnRun", true));
        CHECK_THROWS_WITH_AS(store.WriteSettingInt(kSectionName, "PrevYmod", 1),
                             ("Failed to create key " + impossible).c_str(), AppError);

        test::CleanKey key(kSettingsTestKey);
        SettingsStore good(key.Name());
        CHECK_THROWS_WITH_AS(good.WriteSettingInt(std::string(300, 'S'), "PrevYmod", 1),
                             ("Failed to create key " + std::string(300, 'S')).c_str(), AppError);
    }
}
