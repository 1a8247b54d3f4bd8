#include "core/Removal.h"

#include "core/CatalogueRules.h"
#include "core/FileSystem.h"
#include "core/Handle.h"
#include "core/Links.h"
#include "core/PlaceChecker.h"
#include "core/Places.h"
#include "core/RecycleBin.h"

#include <shellapi.h>

#include <optional>
#include <vector>

namespace yorv {

namespace {

// Removes a junction or symbolic link itself. The link is opened as the
// link, and deleted through that same handle only when the handle is seen
// to be the link at its own place (`ownFinalPath`), carrying the
// reparse-point attribute. Where the system would open the target instead
// (Wine opens the target of a Unix symbolic link whatever it is asked),
// the check fails and the link stays: its target is never touched.
bool RemoveLink(const std::string& path, const std::string& ownFinalPath)
{
    UniqueFile link(::CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!link)
        return false;
    const std::optional<std::string> opened = FinalPathOf(link.Get());
    if (!opened || !SamePath(*opened, ownFinalPath))
        return false;
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (!::GetFileInformationByHandleEx(link.Get(), FileAttributeTagInfo, &tag, sizeof tag)
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

// While it lives, whatever the player typed or clicked is dropped the
// moment a box of this thread's is activated: such input was meant for no
// question that comes up in the middle of the work, such as the shell's
// offer to delete a file for good, whose default is Yes. Asking the queue
// before every file instead would cost a round trip each.
class InputDroppedBeforeBoxes {
public:
    InputDroppedBeforeBoxes() : hook_(::SetWindowsHookExA(WH_CBT, &Activating, nullptr, ::GetCurrentThreadId())) {}
    bool Active() const { return static_cast<bool>(hook_); }

private:
    static LRESULT CALLBACK Activating(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_ACTIVATE)
            DiscardQueuedInput();
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    UniqueHook hook_;
};

// Sends one file, named by its full path, to the recycle bin. Input
// waiting in the queue is dropped first unless `inputDropped` says a box
// drops it itself.
bool SendToBin(const std::string& fullPath, HWND shellOwner, bool inputDropped)
{
    // What the player typed while the work ran was meant for no question
    // the shell may now ask, such as its offer to delete the file for good.
    if (!inputDropped)
        DiscardQueuedInput();
    // To the recycle bin without asking, but with a warning (and the
    // player's answer) before any file would be deleted for good instead.
    return SendToRecycleBin(fullPath, FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING, shellOwner);
}

class TreeRemover {
public:
    TreeRemover(const DirectoryNotRemoved& onNotRemoved, HWND shellOwner)
        : onNotRemoved_(onNotRemoved), shellOwner_(shellOwner)
    {
    }

    // Empties `dir`, which really lies at `place`, and removes it.
    void RemoveDirectoryTree(const std::string& dir, const std::optional<Place>& place)
    {
        if (place)
            RemoveEntries(dir, *place);
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
    struct Entry {
        std::string name;
        DWORD attributes;
        DWORD reparseTag;
        bool IsLink() const { return IsLinkEntry(attributes, reparseTag); }
    };

    static std::vector<Entry> ListEntries(const std::string& dir)
    {
        std::vector<Entry> entries;
        WIN32_FIND_DATAA entry;
        UniqueFind find(::FindFirstFileA(JoinPath(dir, "*.*").c_str(), &entry));
        if (!find)
            return entries;
        do {
            if (!IsDotEntry(entry.cFileName))
                entries.push_back({entry.cFileName, entry.dwFileAttributes, entry.dwReserved0});
        } while (::FindNextFileA(find.Get(), &entry));
        return entries;
    }

    void RemoveEntries(const std::string& dir, const Place& place)
    {
        // Read in full first: the listing is not changed under its feet.
        const std::vector<Entry> entries = ListEntries(dir);
        // A second guard, for links the listing does not show (Wine lists a
        // Unix symbolic link to a file as a plain file, and would send the
        // file it leads to to the bin): a file that does not lead to its
        // own place in the tree is left alone. The files are checked ahead,
        // while the shell sends the ones before them.
        PlaceChecker::Batch checks(placeChecker_, place);
        std::vector<std::size_t> checkOf(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const Entry& entry = entries[i];
            if (IsPlainName(entry.name) && !entry.IsLink() && !(entry.attributes & FILE_ATTRIBUTE_DIRECTORY))
                checkOf[i] = checks.Add(JoinPath(dir, entry.name), entry.name);
        }
        checks.Start();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const Entry& entry = entries[i];
            const std::string path = JoinPath(dir, entry.name);
            const bool isDirectory = entry.attributes & FILE_ATTRIBUTE_DIRECTORY;
            if (!IsPlainName(entry.name)) {
                // Joined to the folder's path, the name leads elsewhere:
                // nothing is entered, recycled or deleted through it.
                if (isDirectory)
                    NotRemoved(path);
                continue;
            }
            if (entry.IsLink()) {
                // Never entered, never followed.
                if (!RemoveLink(path, PlaceIn(place.full, entry.name)) && isDirectory)
                    NotRemoved(path);
                continue;
            }
            if (isDirectory) {
                // The same guard for a directory, before it is entered.
                const std::optional<Place> sub = FinalPlace(path);
                if (sub && SamePath(sub->full, PlaceIn(place.full, entry.name)))
                    RemoveDirectoryTree(path, sub);
                else
                    NotRemoved(path);
            } else if (checks.LiesIn(checkOf[i])) {
                const std::string full = FullPath(path);
                if (!full.empty())
                    SendToBin(full, shellOwner_, inputDropped_.Active());
            }
        }
    }

    const DirectoryNotRemoved& onNotRemoved_;
    HWND shellOwner_;
    InputDroppedBeforeBoxes inputDropped_;
    PlaceChecker placeChecker_;
};

// The folder holding `path` and the last name in it.
void SplitPath(const std::string& path, std::string& parent, std::string& name)
{
    const std::size_t slash = LastSeparator(path);
    if (slash == std::string::npos) {
        parent = ".";
        name = path;
    } else {
        parent = path.substr(0, slash);
        name = path.substr(slash + 1);
        if (parent.empty() || parent.back() == ':')
            parent += '\\';
    }
}

// Whether the directory `path` is itself a link, as its parent lists it.
bool IsLinkDirectory(const std::string& path)
{
    if (path.find_first_of("*?") != std::string::npos)
        return false;  // no such name exists; and no pattern is ever listed
    WIN32_FIND_DATAA entry;
    UniqueFind find(::FindFirstFileA(path.c_str(), &entry));
    return find && IsLinkEntry(entry.dwFileAttributes, entry.dwReserved0);
}

// What the directory at the top of a removal is: a link, gone (or not to
// be looked into), a path that leads elsewhere than its last name says, or
// the directory itself at its place.
struct Top {
    enum Kind { Link, Gone, Elsewhere, Own } kind;
    std::optional<Place> place;  // for Own
};

Top JudgeTop(const std::string& directory)
{
    if (IsLinkDirectory(directory))
        return {Top::Link, std::nullopt};
    std::optional<Place> place = FinalPlace(directory);
    if (!place)
        return {Top::Gone, std::nullopt};
    std::string parent;
    std::string name;
    SplitPath(directory, parent, name);
    const std::optional<std::string> parentFinal = FinalPath(parent);
    if (!parentFinal || !SamePath(place->full, PlaceIn(*parentFinal, name)))
        return {Top::Elsewhere, std::nullopt};
    return {Top::Own, std::move(place)};
}

// Whether the tree holds a file that RemoveTree would recycle: links and
// names that lead elsewhere are passed over, as it passes them over.
bool HoldsFiles(const std::string& directory)
{
    WIN32_FIND_DATAA entry;
    UniqueFind find(::FindFirstFileA(JoinPath(directory, "*.*").c_str(), &entry));
    if (!find)
        return false;
    do {
        if (IsDotEntry(entry.cFileName) || IsLinkEntry(entry.dwFileAttributes, entry.dwReserved0)
            || !IsPlainName(entry.cFileName))
            continue;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return true;
        if (HoldsFiles(JoinPath(directory, entry.cFileName)))
            return true;
    } while (::FindNextFileA(find.Get(), &entry));
    return false;
}

}  // namespace

void DiscardQueuedInput()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (::PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
}

void RemoveTree(const std::string& directory, const DirectoryNotRemoved& onNotRemoved, HWND shellOwner)
{
    TreeRemover remover(onNotRemoved, shellOwner);
    const Top top = JudgeTop(directory);
    switch (top.kind) {
    case Top::Link: {
        // The YMod's directory is itself a link: the link goes, its target stays.
        std::string parent;
        std::string name;
        SplitPath(directory, parent, name);
        const std::optional<std::string> parentFinal = FinalPath(parent);
        if (!parentFinal || !RemoveLink(directory, PlaceIn(*parentFinal, name)))
            remover.NotRemoved(directory);
        break;
    }
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
        remover.RemoveDirectoryTree(directory, top.place);
        break;
    }
}

bool RecycleFile(const std::string& file, HWND shellOwner)
{
    if (!FileExists(file))
        return false;
    const std::string full = FullPath(file);
    return !full.empty() && SendToBin(full, shellOwner, false);
}

bool TreeHoldsFiles(const std::string& directory)
{
    // RemoveTree recycles files only from a directory at its own place.
    return JudgeTop(directory).kind == Top::Own && HoldsFiles(directory);
}

}  // namespace yorv
