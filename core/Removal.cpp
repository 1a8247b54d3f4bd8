#include "core/Removal.h"

#include "core/RecycleBin.h"

namespace yorv {

Judgement Judge(const std::wstring& path, const DirectoryEntry<wchar_t>& entry, std::wstring_view folder)
{
    // The shell takes no longer name: what it cannot be handed whole stays.
    if (!IsPlainEntryName(entry.name) || path.size() >= MAX_PATH)
        return {};
    const bool link = entry.IsLink();
    UniqueFile opened = OpenEntry(path, link ? DELETE | FILE_READ_ATTRIBUTES : FILE_READ_ATTRIBUTES);
    std::optional<Place> place = opened ? PlaceOf(opened.Get()) : std::nullopt;
    if (!place || !IsEntryAt(*place, folder, entry.name))
        return {};
    // Links and folders asked again by handle: one put in place since is left.
    FILE_ATTRIBUTE_TAG_INFO tag{};
    const bool asked = (link || entry.IsDirectory())
                       && ::GetFileInformationByHandleEx(opened.Get(), FileAttributeTagInfo, &tag, sizeof tag);
    const bool linkNow = asked && IsLinkEntry(tag.FileAttributes, tag.ReparseTag);
    if (link)  // never entered nor followed: removed through this handle
        return linkNow ? Judgement{Step::RemoveLink, {}, std::move(opened)} : Judgement{};
    if (entry.IsDirectory() && (!asked || linkNow))
        return {};
    return {entry.IsDirectory() ? Step::Enter : Step::Recycle, std::move(*place), {}};
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

// Directories do not go to the recycle bin. Windows refuses to remove one
// with the read-only attribute, which the shell also sets on a folder it
// has customised: the emptied directory is removed without it, or keeps it.
bool RemoveEmptiedDirectory(const std::wstring& dir)
{
    const DWORD attributes = ::GetFileAttributesW(dir.c_str());
    if (::RemoveDirectoryW(dir.c_str()))
        return true;
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)
        || !::SetFileAttributesW(dir.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        return false;
    return ::RemoveDirectoryW(dir.c_str()) || (::SetFileAttributesW(dir.c_str(), attributes), false);
}

// Empties `dir`, which lies at `place`, and removes it.
void RemoveDirectoryTree(const std::wstring& dir, const Place& place, const DirectoryNotRemoved& notRemoved,
                         HWND shellOwner)
{
    const auto left = [&](const std::wstring& path) {
        if (notRemoved)
            notRemoved(AnsiForDisplay(path));
    };
    for (const DirectoryEntry<wchar_t>& entry : ListDirectory(dir)) {
        const std::wstring path = JoinPath(dir, entry.name);
        const Judgement judgement = Judge(path, entry, place);
        if (judgement.step == Step::Enter)
            RemoveDirectoryTree(path, judgement.place, notRemoved, shellOwner);
        else if (judgement.step == Step::Recycle)
            RecycleFile(path, shellOwner);
        else if ((judgement.step == Step::Leave || !DeleteByHandle(judgement.link.Get())) && entry.IsDirectory())
            left(path);
    }
    if (!RemoveEmptiedDirectory(dir))
        left(dir);
}

bool HoldsFiles(const std::wstring& dir, const Place& place)
{
    for (const DirectoryEntry<wchar_t>& entry : ListDirectory(dir)) {
        const std::wstring path = JoinPath(dir, entry.name);
        const Judgement judgement = Judge(path, entry, place);
        if (judgement.step == Step::Recycle || (judgement.step == Step::Enter && HoldsFiles(path, judgement.place)))
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
        RemoveDirectoryTree(*path, top.place, onNotRemoved, shellOwner);
    else if ((top.step == Step::Leave || !DeleteByHandle(top.link.Get())) && onNotRemoved)
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
    return top.step == Step::Enter && HoldsFiles(*path, top.place);
}

DirectoryIdentity::DirectoryIdentity(const std::string& path) : path_(path), id_(IdOf(path)) {}

bool DirectoryIdentity::StillThere() const
{
    // One that was not there to begin with is asked for by its path.
    return id_ ? IdOf(path_) == id_ : DirectoryExists(path_);
}

}  // namespace yorv
