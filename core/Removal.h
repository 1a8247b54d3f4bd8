// Removing a YMod's directory tree: files to the recycle bin one at a time,
// directories deleted depth first, every entry (the top directory too) by
// one rule, Judge. Paths are UTF-16 inside, so that files of any name reach
// the bin; a directory left in place is named in ANSI again.
#pragma once

#include "core/FileSystem.h"
#include "core/Listing.h"

#include <functional>

namespace yorv {

// Told about every directory left in place, innermost first.
using DirectoryNotRemoved = std::function<void(const std::string& directory)>;

// Sends every file under `directory` to the recycle bin and deletes the
// emptied directories, `directory` last. `shellOwner`, which may be null,
// owns the shell's warning before a file would be deleted for good.
void RemoveTree(const std::string& directory, const DirectoryNotRemoved& onNotRemoved, HWND shellOwner = nullptr);

// Sends one file to the recycle bin, the shell warning before it would delete
// it for good instead. True when the shell reports it done; false when `file`
// is no existing file, the shell refused, or the player declined.
bool RecycleFile(const std::wstring& file, HWND shellOwner = nullptr);

// True when the tree holds anything that RemoveTree would send to the bin.
bool TreeHoldsFiles(const std::string& directory);

enum class Step {
    Enter,       // a folder: emptied and removed
    RemoveLink,  // a link: removed itself, never entered nor followed
    Recycle,     // a file: sent to the recycle bin
    Leave,       // anything else: left alone, and a folder left says so
};

struct Judgement {
    Step step = Step::Leave;
    std::wstring route;  // the path that reaches the entry as itself
    Place place;         // where a folder to enter lies
    UniqueFile link;     // a link, opened for its removal
};

// The one rule: what the removal does with `entry`, as the listing of the
// folder at `folder` gave it (`path`: the folder's route and the listed name).
// It is opened as itself just before anything is done, and must lie at its
// own place: a name Win32 forbids is reached by the listing's short name, a
// device's by the \\?\ form; where no name reaches it, it stays.
Judgement Judge(const std::wstring& path, const DirectoryEntry<wchar_t>& entry, std::wstring_view folder);

// Does what `judgement` says with an entry not entered: true when nothing is
// left to tell of (a file left is told by its folder). `deleteLink` removes
// a link through its handle.
bool Carry(const Judgement& judgement, HWND shellOwner, bool (*deleteLink)(HANDLE) = DeleteByHandle);

// Removes an emptied directory through `calls`. Windows refuses one that is
// read-only (as the shell makes a folder it customised): it goes without
// the attribute, or keeps it.
struct DirectoryCalls {
    DWORD (*attributesOf)(LPCWSTR) = ::GetFileAttributesW;
    BOOL (*setAttributes)(LPCWSTR, DWORD) = ::SetFileAttributesW;
    BOOL (*remove)(LPCWSTR) = ::RemoveDirectoryW;
};
bool RemoveEmptiedDirectory(const std::wstring& dir, const DirectoryCalls& calls = {});

// A directory known apart from the path that finds it: another that the
// path finds later (a twin whose name differs only in case) is not it.
class DirectoryIdentity {
public:
    explicit DirectoryIdentity(const std::string& path);
    bool StillThere() const;

    struct Id {
        DWORD volume, high, low;  // the volume, and the directory's number on it
        bool operator==(const Id&) const = default;
    };

private:
    std::string path_;
    std::optional<Id> id_;
};

}  // namespace yorv
