// The parameter strings handed to the game and the editor.
#pragma once

#include <string>

namespace yorv {

inline constexpr const char* kGameExe = "yorv.exe";
inline constexpr const char* kEditorExe = "yorvedit.exe";

// "-nosound ", "-debug ", then "-game <dir>" when a YMod directory is given
// (empty `ymodDir`: the game starts without a YMod). The directory name is
// passed as it is, unquoted.
std::string ComposeGameParameters(bool noSound, bool logFile, const std::string& ymodDir);

// "-game <dir>"
std::string ComposeEditorParameters(const std::string& ymodDir);

}  // namespace yorv
