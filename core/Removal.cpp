#include "core/Removal.h"

#include "core/BlockingWork.h"
#include "core/FileSystem.h"
#include "core/Handle.h"
#include "core/Listing.h"
#include "core/PlaceChecker.h"
#include "core/RecycleBin.h"

#include <shellapi.h>

#include <optional>
#include <vector>

namespace yorv {

namespace {

// Removes a junction or symbolic link itself, the entry `name` of the
// folder at `folder`. The link is opened as the link, and deleted through
// that same handle only when the handle is seen to be the link at its own
// place, carrying the reparse-point attribute. Where the system would open
// the target instead (Wine opens the target of a Unix symbolic link
// whatever it is asked), the check fails and the link stays: its target is
// never touched.
bool RemoveLink(const std::string& path, const Place& folder, const std::string& name)
{
    const UniqueFile link(::CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                        nullptr));
    if (!link)
        return false;
    const std::optional<Place> place = PlaceOf(link.Get());
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (!place || !IsEntryAt(*place, folder, name)
        || !::GetFileInformationByHandleEx(link.Get(), FileAttributeTagInfo, &tag, sizeof tag)
        || !IsLinkEntry(tag.FileAttributes, tag.ReparseTag))
        return false;
    FILE_DISPOSITION_INFO dispose{};
    dispose.DeleteFile = TRUE;
    return ::SetFileInformationByHandle(link.Get(), FileDispositionInfo, &dispose, sizeof dispose) != FALSE;
}

// Windows refuses to remove a directory that carries the read-only
// attribute, which the shell also sets on a folder it has customised. The
// emptied directory is removed without it, or keeps it.
bool RemoveReadOnlyDirectory(const std::string& dir)
{
    const DWORD attributes = ::GetFileAttributesA(dir.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)
        || !(attributes & FILE_ATTRIBUTE_READONLY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    if (!::SetFileAttributesA(dir.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        return false;
    if (::RemoveDirectoryA(dir.c_str()))
        return true;
    ::SetFileAttributesA(dir.c_str(), attributes);
    return false;
}

class TreeRemover {
public:
    TreeRemover(const DirectoryNotRemoved& onNotRemoved, HWND shellOwner)
        : onNotRemoved_(onNotRemoved), shellOwner_(shellOwner)
    {
    }

    // Empties `dir`, which really lies at `place`, and removes it.
    void RemoveDirectoryTree(const std::string& dir, const Place& place)
    {
        RemoveEntries(dir, place);
        RemoveDir(dir);
    }

    void RemoveDir(const std::string& dir)
    {
        // Directories do not go to the recycle bin: an empty one holds nothing.
        if (!::RemoveDirectoryA(dir.c_str()) && !RemoveReadOnlyDirectory(dir))
            NotRemoved(dir);
    }

    void NotRemoved(const std::string& dir)
    {
        if (onNotRemoved_)
            onNotRemoved_(dir);
    }

private:
    void RemoveEntries(const std::string& dir, const Place& place)
    {
        // Read in full first: the listing is not changed under its feet.
        const std::vector<DirectoryEntry> entries = ListDirectory(dir);
        // A second guard, for links the listing does not show (Wine lists a
        // Unix symbolic link to a file as a plain file, and would send the
        // file it leads to to the bin): a file that does not lead to its
        // own place in the tree is left alone. The files are checked ahead,
        // while the shell sends the ones before them.
        PlaceChecker::Batch checks(placeChecker_, dir, place, entries);
        for (const DirectoryEntry& entry : entries) {
            const std::string path = JoinPath(dir, entry.name);
            switch (StepFor(entry)) {
            case RemovalStep::PassOver:
                if (entry.IsDirectory())
                    NotRemoved(path);
                break;
            case RemovalStep::RemoveLink:
                if (!RemoveLink(path, place, entry.name) && entry.IsDirectory())
                    NotRemoved(path);
                break;
            case RemovalStep::Enter:
                // The same guard for a directory, before it is entered.
                if (const std::optional<Place> sub = PlaceOf(path); sub && IsEntryAt(*sub, place, entry.name))
                    RemoveDirectoryTree(path, *sub);
                else
                    NotRemoved(path);
                break;
            case RemovalStep::Recycle:
                if (checks.LiesAt(entry))
                    RecycleFile(path, shellOwner_);
                break;
            }
        }
    }

    const DirectoryNotRemoved& onNotRemoved_;
    HWND shellOwner_;
    InputDroppedBeforeBoxes inputDropped_;
    PlaceChecker placeChecker_;
};

// Whether the directory `path` is itself a link, as its parent lists it.
bool IsLinkDirectory(const std::string& path)
{
    if (path.find_first_of("*?") != std::string::npos)
        return false;  // no such name exists; and no pattern is ever listed
    WIN32_FIND_DATAA entry{};  // Wine leaves the reparse tag unwritten
    const UniqueFind find(::FindFirstFileA(path.c_str(), &entry));
    return find && IsLinkEntry(entry.dwFileAttributes, entry.dwReserved0);
}

// What the directory at the top of a removal is: a link, gone (or not to
// be looked into), a path that leads elsewhere than its last name says, or
// the directory itself at its place.
struct Top {
    enum Kind { Link, Gone, Elsewhere, Own } kind;
    std::optional<Place> place;  // of its folder for a Link, its own for Own
    std::string name;            // its last name, for a Link
};

Top JudgeTop(const std::string& directory)
{
    const PathParts parts = SplitPath(directory, IsLeadByte);
    std::optional<Place> parent = PlaceOf(parts.folder);
    if (IsLinkDirectory(directory))
        return {Top::Link, std::move(parent), parts.name};
    std::optional<Place> place = PlaceOf(directory);
    if (!place)
        return {Top::Gone, std::nullopt, {}};
    if (!parent || !IsEntryAt(*place, *parent, parts.name))
        return {Top::Elsewhere, std::nullopt, {}};
    return {Top::Own, std::move(place), {}};
}

// Whether the tree holds a file that RemoveTree would recycle.
bool HoldsFiles(const std::string& directory)
{
    for (const DirectoryEntry& entry : ListDirectory(directory)) {
        const RemovalStep step = StepFor(entry);
        if (step == RemovalStep::Recycle
            || (step == RemovalStep::Enter && HoldsFiles(JoinPath(directory, entry.name))))
            return true;
    }
    return false;
}

}  // namespace

void RemoveTree(const std::string& directory, const DirectoryNotRemoved& onNotRemoved, HWND shellOwner)
{
    TreeRemover remover(onNotRemoved, shellOwner);
    const Top top = JudgeTop(directory);
    switch (top.kind) {
    case Top::Link:
        // The YMod's directory is itself a link: the link goes, its target stays.
        if (!top.place || !RemoveLink(directory, *top.place, top.name))
            remover.NotRemoved(directory);
        break;
    case Top::Gone:
        // Only tried for removal: nothing inside it is touched.
        remover.RemoveDir(directory);
        break;
    case Top::Elsewhere:
        // Its last name is one the system reads as another place: nothing
        // there is touched.
        remover.NotRemoved(directory);
        break;
    case Top::Own:
        remover.RemoveDirectoryTree(directory, *top.place);
        break;
    }
}

bool RecycleFile(const std::string& file, HWND shellOwner)
{
    if (!FileExists(file))
        return false;
    const std::string full = FullPath(file);
    if (full.empty())
        return false;
    if (!InputDroppedBeforeBoxes::ActiveOnThisThread())
        DiscardQueuedInput();
    // To the recycle bin without asking, but with a warning (and the
    // player's answer) before any file would be deleted for good instead.
    return SendToRecycleBin(full, FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING, shellOwner);
}

bool TreeHoldsFiles(const std::string& directory)
{
    // RemoveTree recycles files only from a directory at its own place.
    return JudgeTop(directory).kind == Top::Own && HoldsFiles(directory);
}

}  // namespace yorv
