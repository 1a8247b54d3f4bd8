// Whether the recycle bin keeps what a YMod's directory sends it, asked
// before any of its files go: with the removal's flags, a file the bin
// cannot take (no bin on the drive, too small a bin, no usable trash under
// Wine) is deleted for good without a word. So a file of the launcher's
// own goes there the same way, is found by its unique name, and taken back.
#pragma once

#include "core/RecycleBin.h"

#include <string>
#include <string_view>

namespace yorv {

struct BinCheck {
    bool goOn = false;    // the bin was seen to keep a file from the directory
    std::string message;  // for the player: why nothing may go, or what the bin keeps of the check's
};

// The command that restores an item where it was: the verb "undelete", else the caption Restore.
std::optional<unsigned> RestoreCommand(const std::vector<RecycleBin::Command>& commands);

// Creates a new file holding `text`: the system's error, or 0. The check's
// file is made through it; a test can stand in a folder that refuses one.
using NewFileWriter = DWORD (*)(const std::wstring& path, std::string_view text);
DWORD WriteNewFile(const std::wstring& path, std::string_view text);

// The check for `directory`, against the shell's recycle bin.
BinCheck CheckRecycleBin(const std::string& directory);

// The check for the folder at the full path `folder`, against `bin`.
BinCheck CheckRecycleBin(const std::wstring& folder, RecycleBin& bin, NewFileWriter write = WriteNewFile);

}  // namespace yorv
