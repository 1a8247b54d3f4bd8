#include "core/Removal.h"

#include "core/RecycleBin.h"

#include <shellapi.h>

namespace yorv {

namespace {

// The YMod's directory read as an entry of the folder that holds it.
Judgement JudgeTop(const std::wstring& path)
{
    const PathParts parts = SplitPath(path);
    if (!IsPlainEntryName(parts.name))
        return {};  // no entry of its folder, or a pattern, which is never looked up
    std::optional<DirectoryEntry<wchar_t>> entry = FindEntry(path);
    const UniqueFile folder = OpenEntry(parts.folder, 0, false);  // the game directory may be reached through a link
    const std::optional<Place> folderPlace = folder ? PlaceOf(folder.Get()) : std::nullopt;
    if (!entry || !folderPlace)
        return {};
    // Compared with the path as it was opened, in the name it was given
    // (the listing gives the long form of a short name).
    entry->name = parts.name;
    Judgement top = Judge(path, *entry, *folderPlace);
    if (top.step == Step::Recycle)
        top.step = Step::Leave;  // a file where the YMod's directory was
    return top;
}

bool RemoveLink(const UniqueFile& link)
{
    FILE_DISPOSITION_INFO dispose{};
    dispose.DeleteFile = TRUE;
    return ::SetFileInformationByHandle(link.Get(), FileDispositionInfo, &dispose, sizeof dispose) != FALSE;
}

// Directories do not go to the recycle bin: an empty one holds nothing.
// Windows refuses to remove one that carries the read-only attribute,
// which the shell also sets on a folder it has customised: the emptied
// directory is removed without it, or keeps it.
bool RemoveEmptiedDirectory(const std::wstring& dir)
{
    if (::RemoveDirectoryW(dir.c_str()))
        return true;
    const DWORD attributes = ::GetFileAttributesW(dir.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)
        || !::SetFileAttributesW(dir.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        return false;
    if (::RemoveDirectoryW(dir.c_str()))
        return true;
    ::SetFileAttributesW(dir.c_str(), attributes);
    return false;
}

class TreeRemover {
public:
    TreeRemover(const DirectoryNotRemoved& onNotRemoved, HWND shellOwner)
        : onNotRemoved_(onNotRemoved), shellOwner_(shellOwner)
    {
    }

    // Empties `dir`, which lies at `place`, and removes it.
    void RemoveDirectoryTree(const std::wstring& dir, const Place& place)
    {
        for (const DirectoryEntry<wchar_t>& entry : ListDirectory(dir)) {
            const std::wstring path = JoinPath(dir, entry.name);
            Judgement judgement = Judge(path, entry, place);
            switch (judgement.step) {
            case Step::Enter:
                RemoveDirectoryTree(path, judgement.place);
                break;
            case Step::RemoveLink:
                if (!RemoveLink(judgement.link) && entry.IsDirectory())
                    NotRemoved(path);
                break;
            case Step::Recycle:
                RecycleFile(path, shellOwner_);
                break;
            case Step::Leave:
                if (entry.IsDirectory())
                    NotRemoved(path);
                break;
            }
        }
        if (!RemoveEmptiedDirectory(dir))
            NotRemoved(dir);
    }

    void NotRemoved(const std::wstring& dir) const
    {
        if (onNotRemoved_)
            onNotRemoved_(AnsiForDisplay(dir));
    }

private:
    const DirectoryNotRemoved& onNotRemoved_;
    HWND shellOwner_;
};

// Whether the tree at `dir`, which lies at `place`, holds a file that
// RemoveTree would recycle.
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

}  // namespace

Judgement Judge(const std::wstring& path, const DirectoryEntry<wchar_t>& entry, std::wstring_view folder)
{
    // The shell takes no longer name, and what it cannot be handed whole
    // stays where it is.
    if (!IsPlainEntryName(entry.name) || path.size() >= MAX_PATH)
        return {};
    const bool link = entry.IsLink();
    UniqueFile opened = OpenEntry(path, link ? DELETE | FILE_READ_ATTRIBUTES : FILE_READ_ATTRIBUTES);
    std::optional<Place> place = opened ? PlaceOf(opened.Get()) : std::nullopt;
    if (!place || !IsEntryAt(*place, folder, entry.name))
        return {};
    // A link, or a folder, is what the handle says it is, as well as the
    // listing: one replaced since it was listed is left alone.
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if ((link || entry.IsDirectory())
        && (!::GetFileInformationByHandleEx(opened.Get(), FileAttributeTagInfo, &tag, sizeof tag)
            || IsLinkEntry(tag.FileAttributes, tag.ReparseTag) != link))
        return {};
    if (link)
        return {Step::RemoveLink, {}, std::move(opened)};  // removed through this handle
    return {entry.IsDirectory() ? Step::Enter : Step::Recycle, std::move(*place), {}};
}

void RemoveTree(const std::string& directory, const DirectoryNotRemoved& onNotRemoved, HWND shellOwner)
{
    TreeRemover remover(onNotRemoved, shellOwner);
    const std::optional<std::wstring> path = WideFromAnsi(directory);
    const Judgement top = path ? JudgeTop(*path) : Judgement{};
    if (top.step == Step::Enter)
        remover.RemoveDirectoryTree(*path, top.place);
    else if ((top.step != Step::RemoveLink || !RemoveLink(top.link)) && onNotRemoved)
        onNotRemoved(directory);  // nothing there is touched
}

bool RecycleFile(const std::wstring& file, HWND shellOwner)
{
    if (!FileExists(file))
        return false;
    const std::wstring full = FullPath(file);
    // To the recycle bin without asking, but with a warning (and the
    // player's answer) before any file would be deleted for good instead.
    return !full.empty() && SendToRecycleBin(full, FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING, shellOwner);
}

bool TreeHoldsFiles(const std::string& directory)
{
    const std::optional<std::wstring> path = WideFromAnsi(directory);
    const Judgement top = path ? JudgeTop(*path) : Judgement{};
    return top.step == Step::Enter && HoldsFiles(*path, top.place);
}

namespace {

std::optional<DirectoryIdentity::Id> IdOf(const std::string& path)
{
    const std::optional<std::wstring> wide = WideFromAnsi(path);
    const UniqueFile opened = wide ? OpenEntry(*wide) : UniqueFile();
    BY_HANDLE_FILE_INFORMATION info{};
    if (!opened || !::GetFileInformationByHandle(opened.Get(), &info)
        || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return DirectoryIdentity::Id{info.dwVolumeSerialNumber,
                                 (ULONGLONG{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

}  // namespace

DirectoryIdentity::DirectoryIdentity(const std::string& path) : path_(path), id_(IdOf(path)) {}

bool DirectoryIdentity::StillThere() const
{
    // A directory that was not there to begin with is asked for by its path.
    if (!id_)
        return DirectoryExists(path_);
    const std::optional<Id> now = IdOf(path_);
    return now && now->volume == id_->volume && now->index == id_->index;
}

}  // namespace yorv
