#include "core/Removal.h"

#include "core/RecycleBin.h"

namespace yorv {

namespace {

// The path that reaches an entry as itself, from `path`, its folder's route
// joined with its listed name; empty where none does.
std::wstring RouteTo(const std::wstring& path, const DirectoryEntry<wchar_t>& entry)
{
    const std::wstring folder = path.substr(0, path.size() - entry.name.size());
    if (!IsPlainEntryName(entry.name))
        return IsPlainEntryName(entry.shortName) ? folder + entry.shortName : std::wstring();
    if (!IsDeviceName(entry.name) || path.starts_with(L"\\\\?\\"))
        return path;
    const std::wstring full = FullPath(folder);  // the system takes a \\?\ path as written
    return full.size() > 2 && full[1] == L':' ? L"\\\\?\\" + full + entry.name : std::wstring();
}

// What an entry is, as its folder's listing or its handle tells.
enum class Kind { Gone, File, Folder, Link };

Kind KindOf(DWORD attributes, DWORD reparseTag)
{
    const Kind plain = attributes & FILE_ATTRIBUTE_DIRECTORY ? Kind::Folder : Kind::File;
    return IsLinkEntry(attributes, reparseTag) ? Kind::Link : plain;
}

}  // namespace

Judgement Judge(const std::wstring& path, const DirectoryEntry<wchar_t>& entry, std::wstring_view folder)
{
    const Kind listed = KindOf(entry.attributes, entry.reparseTag);
    std::wstring route = RouteTo(path, entry);
    // The shell takes no longer name: what it cannot be handed whole stays.
    const DWORD access = listed == Kind::Link ? DELETE | FILE_READ_ATTRIBUTES : FILE_READ_ATTRIBUTES;
    UniqueFile opened = route.empty() || route.size() >= MAX_PATH ? UniqueFile() : OpenEntry(route, access);
    std::optional<Place> place = opened ? PlaceOf(opened.Get()) : std::nullopt;
    // Links and folders asked again by handle: one put in place since is left.
    FILE_ATTRIBUTE_TAG_INFO tag{};
    const bool there = place && IsEntryAt(*place, folder, entry.name)
                       && (listed == Kind::File
                           || ::GetFileInformationByHandleEx(opened.Get(), FileAttributeTagInfo, &tag, sizeof tag));
    const Kind now = there ? KindOf(tag.FileAttributes, tag.ReparseTag) : Kind::Gone;
    // Only what is still what its listing said is acted on; a link is
    // removed through this handle, never entered nor followed.
    switch (now == listed ? now : Kind::Gone) {
    case Kind::Folder:
        return {Step::Enter, std::move(route), std::move(*place), {}};
    case Kind::Link:
        return {Step::RemoveLink, std::move(route), {}, std::move(opened)};
    case Kind::File:
        return {Step::Recycle, std::move(route), {}, {}};
    default:
        return {};
    }
}

bool Carry(const Judgement& judgement, HWND shellOwner, bool (*deleteLink)(HANDLE))
{
    switch (judgement.step) {
    case Step::Recycle:
        RecycleFile(judgement.route, shellOwner);
        return true;
    case Step::RemoveLink:
        return deleteLink(judgement.link.Get());
    default:
        return false;
    }
}

bool RemoveEmptiedDirectory(const std::wstring& dir, const DirectoryCalls& calls)
{
    const DWORD attributes = calls.attributesOf(dir.c_str());
    if (calls.remove(dir.c_str()))
        return true;
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (!readOnly || !calls.setAttributes(dir.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        return false;
    const bool removed = calls.remove(dir.c_str());
    if (!removed)
        calls.setAttributes(dir.c_str(), attributes);
    return removed;
}

namespace {

// The YMod's directory, read as an entry of the folder that holds it, in
// the name it was given (a listing gives the long form of a short name).
Judgement JudgeTop(const std::optional<std::wstring>& path)
{
    const PathParts parts = SplitPath(path.value_or(L""));
    std::optional<DirectoryEntry<wchar_t>> entry = IsPlainEntryName(parts.name) ? FindEntry(*path) : std::nullopt;
    const UniqueFile folder = OpenEntry(parts.folder, 0, false);  // the game directory may lie behind a link
    const std::optional<Place> folderPlace = folder ? PlaceOf(folder.Get()) : std::nullopt;
    if (!entry || !folderPlace)
        return {};
    entry->name = parts.name;
    Judgement top = Judge(*path, *entry, *folderPlace);
    return top.step == Step::Recycle ? Judgement{} : std::move(top);  // a file is no YMod
}

// Empties the directory reached by `dir`, which lies at `place` and is
// named to the player as `shown`, and removes it.
void RemoveDirectoryTree(const std::wstring& dir, const std::wstring& shown, const Place& place,
                         const DirectoryNotRemoved& notRemoved, HWND shellOwner)
{
    const auto left = [&](const std::wstring& path) {
        if (notRemoved)
            notRemoved(AnsiForDisplay(path));
    };
    for (const DirectoryEntry<wchar_t>& entry : ListDirectory(dir)) {
        const std::wstring own = JoinPath(shown, entry.name);
        const Judgement judgement = Judge(JoinPath(dir, entry.name), entry, place);
        if (judgement.step == Step::Enter) {
            RemoveDirectoryTree(judgement.route, own, judgement.place, notRemoved, shellOwner);
            continue;
        }
        const bool gone = Carry(judgement, shellOwner);
        if (!gone && entry.IsDirectory())
            left(own);
    }
    if (!RemoveEmptiedDirectory(dir))
        left(shown);
}

bool HoldsFiles(const std::wstring& dir, const Place& place)
{
    for (const DirectoryEntry<wchar_t>& entry : ListDirectory(dir)) {
        const Judgement judgement = Judge(JoinPath(dir, entry.name), entry, place);
        if (judgement.step == Step::Recycle
            || (judgement.step == Step::Enter && HoldsFiles(judgement.route, judgement.place)))
            return true;
    }
    return false;
}

std::optional<DirectoryIdentity::Id> IdOf(const std::string& path)
{
    const std::optional<std::wstring> wide = WideFromAnsi(path);
    const UniqueFile opened = wide ? OpenEntry(*wide) : UniqueFile();
    BY_HANDLE_FILE_INFORMATION info{};
    if (!opened || !::GetFileInformationByHandle(opened.Get(), &info)
        || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return DirectoryIdentity::Id{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

}  // namespace

void RemoveTree(const std::string& directory, const DirectoryNotRemoved& onNotRemoved, HWND shellOwner)
{
    const std::optional<std::wstring> path = WideFromAnsi(directory);
    const Judgement top = JudgeTop(path);
    if (top.step == Step::Enter)
        return RemoveDirectoryTree(top.route, *path, top.place, onNotRemoved, shellOwner);
    const bool gone = Carry(top, shellOwner);
    if (!gone && onNotRemoved)
        onNotRemoved(directory);  // nothing there is touched
}

bool RecycleFile(const std::wstring& file, HWND shellOwner)
{
    const std::wstring full = FileExists(file) ? FullPath(file) : std::wstring();
    // To the recycle bin without asking, but with a warning (and the
    // player's answer) before any file would be deleted for good instead.
    return !full.empty() && SendToRecycleBin(full, FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING, shellOwner);
}

bool TreeHoldsFiles(const std::string& directory)
{
    const std::optional<std::wstring> path = WideFromAnsi(directory);
    const Judgement top = JudgeTop(path);
    return top.step == Step::Enter && HoldsFiles(top.route, top.place);
}

DirectoryIdentity::DirectoryIdentity(const std::string& path) : path_(path), id_(IdOf(path)) {}

bool DirectoryIdentity::StillThere() const
{
    // One that was not there to begin with is asked for by its path.
    return id_ ? IdOf(path_) == id_ : DirectoryExists(path_);
}

}  // namespace yorv
