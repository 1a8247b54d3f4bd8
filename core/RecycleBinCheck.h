// Whether the recycle bin keeps what it is sent from a YMod's directory,
// asked before any of the YMod's files go. Whether a file goes to the bin
// or is deleted for good is decided by the shell as it handles the file,
// and a file the bin cannot take (a drive without a bin, a too small bin,
// no usable trash folder under Wine) is deleted without a word with the
// flags the removal uses; the warning the shell can give instead is asked
// per file and, under Wine, says nothing of the file being lost. So a file
// of the launcher's own is created in the YMod's directory, sent to the bin
// the same way, looked for there by its unique name, and taken back out.
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
