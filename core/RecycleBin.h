// The recycle bin: sending a file there through the shell, and the bin's
// folder, a thin typed wrapper for the check that the bin keeps what it is
// sent (core/RecycleBinCheck.h).
#pragma once

#include "core/Com.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

namespace yorv {

// Hands one file, named by its full path, to the shell to be sent to the
// recycle bin (FOF_ALLOWUNDO), with `flags` besides. True when the shell
// reports it done and the player declined nothing.
bool SendToRecycleBin(const std::wstring& fullPath, FILEOP_FLAGS flags, HWND owner);

// The recycle bin's folder; nothing where the shell cannot count the bin of
// `folder` ("": all), never listed then: Wine's listing of it may crash.
UniqueCom<IShellFolder2> OpenRecycleBinFolder(const std::wstring& folder);

// What the check asks of the recycle bin.
class RecycleBin {
public:
    struct Command {  // one the bin offers for an item
        unsigned id = 0;
        std::optional<std::string> verb;  // where the shell names its commands
        bool readsRestore = false;        // captioned as the shell captions Restore, in the player's language
    };

    virtual ~RecycleBin() = default;
    // Sends the file at `fullPath` there, without a word.
    virtual bool Send(const std::wstring& fullPath) = 0;
    // Looks for the item of this name; the calls below act on the one found.
    virtual bool Find(const std::wstring& name) = 0;
    virtual std::vector<Command> Commands() = 0;
    virtual bool Run(unsigned id) = 0;  // without a word
};

// The shell's recycle bin, which takes the files of `folder`.
class ShellRecycleBin final : public RecycleBin {
public:
    explicit ShellRecycleBin(std::wstring folder) : folder_(std::move(folder)) {}
    bool Send(const std::wstring& fullPath) override;
    bool Find(const std::wstring& name) override;
    std::vector<Command> Commands() override;
    bool Run(unsigned id) override;

private:
    std::wstring folder_;
    ComApartment com_;
    UniqueCom<IShellFolder2> folder2_;
    UniqueIdList item_;
    UniqueCom<IContextMenu> commands_;
    UniqueMenu menu_;
};

}  // namespace yorv
