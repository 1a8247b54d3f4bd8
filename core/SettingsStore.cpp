#include "core/SettingsStore.h"

#include "core/Errors.h"
#include "core/SettingText.h"

#include <optional>
#include <vector>

namespace yorv {

namespace {

// The value's text, or nothing when it cannot be queried at all.
std::optional<std::string> ReadValueText(HKEY key, const std::string& name)
{
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (size == 0)
        return std::string();
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw AppError(FormatMessage1("Invalid data type for '%s'", name));
    std::vector<char> data(size);
    DWORD got = size;
    if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got)
        != ERROR_SUCCESS)
        throw AppError(FormatMessage1("Failed to get data for '%s'", name));
    return SettingTextFromData(data.data(), std::min<DWORD>(got, size));
}

}  // namespace

SettingsStore::SettingsStore(std::string keyName) : keyName_(std::move(keyName))
{
    OpenStoreKey();
}

bool SettingsStore::OpenStoreKey()
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, keyName_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS)
        key_.Reset(key);
    return static_cast<bool>(key_);
}

int SettingsStore::ReadSettingInt(const std::string& section, const std::string& name, int defaultValue)
{
    if (!key_)
        return defaultValue;
    UniqueKey sectionKey;
    if (::RegOpenKeyExA(key_.Get(), section.c_str(), 0, KEY_ALL_ACCESS, sectionKey.Put()) != ERROR_SUCCESS)
        return defaultValue;
    const std::optional<std::string> text = ReadValueText(sectionKey.Get(), name);
    if (!text)
        return defaultValue;
    return ParseSettingInt(*text).value_or(defaultValue);
}

bool SettingsStore::ReadSettingBool(const std::string& section, const std::string& name, bool defaultValue)
{
    return ReadSettingInt(section, name, defaultValue ? 1 : 0) != 0;
}

void SettingsStore::WriteSettingInt(const std::string& section, const std::string& name, int value)
{
    WriteText(section, name, FormatSettingInt(value));
}

void SettingsStore::WriteSettingBool(const std::string& section, const std::string& name, bool value)
{
    WriteText(section, name, value ? "1" : "0");
}

void SettingsStore::WriteText(const std::string& section, const std::string& name, const std::string& text)
{
    // A store key that could not be had at start-up is tried again here, so a
    // save is never silently dropped.
    if (!key_ && !OpenStoreKey())
        throw AppError(FormatMessage1("Failed to create key %s", keyName_));
    UniqueKey sectionKey;
    const LONG made = ::RegCreateKeyExA(key_.Get(), section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, sectionKey.Put(), nullptr);
    if (made != ERROR_SUCCESS) {
        // A section that exists but is closed to us is left alone, as it
        // always was; any other failure is reported.
        UniqueKey existing;
        if (made == ERROR_ACCESS_DENIED
            && ::RegOpenKeyExA(key_.Get(), section.c_str(), 0, KEY_READ, existing.Put()) == ERROR_SUCCESS)
            return;
        throw AppError(FormatMessage1("Failed to create key %s", section));
    }
    if (::RegSetValueExA(sectionKey.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size() + 1)) != ERROR_SUCCESS)
        throw AppError(FormatMessage1("Failed to set data for '%s'", name));
}

}  // namespace yorv
