// Whether the recycle bin keeps what it is sent from a YMod's directory,
// asked before any of the YMod's files go: a file the bin cannot take (a
// drive without a bin, a too small bin, no usable trash under Wine) is
// deleted for good without a word with the removal's flags. So a file of
// the launcher's own is sent there the same way, found by its unique name,
// and taken back out.
#pragma once

#include "core/RecycleBin.h"

#include <string>
#include <string_view>

namespace yorv {

struct BinCheck {
    bool goOn = false;    // the bin was seen to keep a file from the directory
    std::string message;  // for the player: why nothing may go, or what the bin keeps of the check's
};

// Creates a new file holding `text`: the system's error, or 0. The check's
// file is made through it; a test can stand in a folder that refuses one.
using NewFileWriter = DWORD (*)(const std::wstring& path, std::string_view text);
DWORD WriteNewFile(const std::wstring& path, std::string_view text);

// The check for `directory`, against the shell's recycle bin.
BinCheck CheckRecycleBin(const std::string& directory);

// The check for the folder at the full path `folder`, against `bin`.
BinCheck CheckRecycleBin(const std::wstring& folder, RecycleBin& bin, NewFileWriter write = WriteNewFile);

}  // namespace yorv
