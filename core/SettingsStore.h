// The launcher's settings, kept per user in the registry like an ini file:
// a key for the file, a subkey per section, a REG_SZ value per entry.
#pragma once

#include "core/Handle.h"

#include <string>

namespace yorv {

inline constexpr const char* kStoreKey = "YorvFrontEnd";
inline constexpr const char* kSection = "YorvFrontEnd";

class SettingsStore {
public:
    // Opens HKEY_CURRENT_USER\<keyName>, creating it when missing. When that
    // fails every setting reads as its default.
    explicit SettingsStore(std::string keyName = kStoreKey);

    int ReadSettingInt(const std::string& section, const std::string& name, int defaultValue);
    bool ReadSettingBool(const std::string& section, const std::string& name, bool defaultValue);
    void WriteSettingInt(const std::string& section, const std::string& name, int value);
    void WriteSettingBool(const std::string& section, const std::string& name, bool value);

    bool IsOpen() const { return static_cast<bool>(key_); }

private:
    void WriteText(const std::string& section, const std::string& name, const std::string& text);
    bool OpenStoreKey();

    std::string keyName_;
    UniqueKey key_;
};

}  // namespace yorv
