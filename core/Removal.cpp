#include "core/Removal.h"

#include "core/CatalogueRules.h"
#include "core/FileSystem.h"
#include "core/Handle.h"
#include "core/Links.h"

#include <shellapi.h>

#include <optional>
#include <vector>

namespace yorv {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Paths are compared as the file systems compare names: character by
// character, case ignored; in UTF-16, so that the second byte of a
// double-byte character is never taken for a letter.
bool SamePath(const std::string& a, const std::string& b)
{
    const std::wstring wideA = WideFromAnsi(a);
    const std::wstring wideB = WideFromAnsi(b);
    if (wideA.empty() != a.empty() || wideB.empty() != b.empty())
        return false;  // not convertible: not known to be the same
    return ::CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                  static_cast<int>(wideB.size()), TRUE)
           == CSTR_EQUAL;
}

// Where the last path separator of an ANSI path stands, or npos: in a
// double-byte code page the second byte of a character can be the byte of
// a backslash, and is no separator.
std::size_t LastSeparator(const std::string& path)
{
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size();) {
        if (path[i] == '\\' || path[i] == '/')
            last = i;
        i += ::IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size() ? 2 : 1;
    }
    return last;
}

// A name's place in a folder's final path; a drive's root ends in its own
// backslash already.
std::string PlaceIn(const std::string& folderFinal, const std::string& name)
{
    if (!folderFinal.empty() && LastSeparator(folderFinal) == folderFinal.size() - 1)
        return folderFinal + name;
    return folderFinal + "\\" + name;
}

// Where a handle really leads, links and mounts resolved: "\\?\C:\...".
std::optional<std::string> FinalPathOf(HANDLE handle)
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD len = ::GetFinalPathNameByHandleA(handle, path.data(), static_cast<DWORD>(path.size()),
                                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (len == 0)
            return std::nullopt;
        if (len < path.size()) {
            path.resize(len);
            return path;
        }
        path.assign(len + 1, '\0');  // too small: len is the size needed
    }
}

// Opened for no access at all, so that a file another program holds open
// without sharing still answers.
UniqueFile OpenToLook(const std::string& path)
{
    return UniqueFile(::CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                    nullptr));
}

// The name of an open file or directory on its volume ("\Games\..."),
// spelled as it was opened, after any link on the way was resolved.
std::optional<std::string> NameOnVolume(HANDLE handle)
{
    std::vector<DWORD> buffer(64 + MAX_PATH);  // DWORD-aligned
    for (;;) {
        const DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(DWORD));
        if (::GetFileInformationByHandleEx(handle, FileNameInfo, buffer.data(), bytes))
            break;
        if (::GetLastError() != ERROR_MORE_DATA || buffer.size() > 65536)
            return std::nullopt;
        buffer.resize(buffer.size() * 2);
    }
    const auto* info = reinterpret_cast<const FILE_NAME_INFO*>(buffer.data());
    const int wideLength = static_cast<int>(info->FileNameLength / sizeof(WCHAR));
    const int length = ::WideCharToMultiByte(CP_ACP, 0, info->FileName, wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::nullopt;
    std::string name(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, info->FileName, wideLength, name.data(), length, nullptr, nullptr);
    return name;
}

// Where a directory really lies: in full, every name in its long form, to
// compare with its parent's; and its name on its volume, spelled as its
// files will be, to compare with theirs. Files are asked only the second,
// the question about a file that costs least; asked the same way, a path
// written with short names or in another case compares alike on both sides.
struct Place {
    std::string full;
    std::string onVolume;
};

std::optional<Place> FinalPlace(const std::string& path)
{
    UniqueFile handle = OpenToLook(path);
    if (!handle)
        return std::nullopt;
    std::optional<std::string> full = FinalPathOf(handle.Get());
    std::optional<std::string> onVolume = NameOnVolume(handle.Get());
    if (!full || !onVolume)
        return std::nullopt;
    return Place{std::move(*full), std::move(*onVolume)};
}

std::optional<std::string> FinalPath(const std::string& path)
{
    UniqueFile handle = OpenToLook(path);
    if (!handle)
        return std::nullopt;
    return FinalPathOf(handle.Get());
}

// The full path of `path`, however long; empty when it cannot be formed.
std::string FullPath(const std::string& path)
{
    const DWORD needed = ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return std::string();
    std::string full(needed, '\0');
    const DWORD len = ::GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
    if (len == 0 || len >= needed)
        return std::string();
    full.resize(len);
    return full;
}

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

// Whether the file `path` really lies at `expected` on its volume.
bool LiesAt(const std::string& path, const std::string& expected)
{
    UniqueFile handle = OpenToLook(path);
    if (!handle)
        return false;
    const std::optional<std::string> name = NameOnVolume(handle.Get());
    return name && SamePath(*name, expected);
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

// Sends one file, named by its full path, to the recycle bin.
bool SendToBin(const std::string& fullPath, HWND shellOwner)
{
    // The shell's list of names: this one, ended by a double NUL (the
    // string's own terminator is the second); sized to the path, so it is
    // never shortened.
    const std::string names = fullPath + '\0';
    SHFILEOPSTRUCTA request{};
    request.hwnd = shellOwner;
    request.wFunc = FO_DELETE;
    request.pFrom = names.c_str();
    request.pTo = nullptr;
    // To the recycle bin without asking, but with a warning (and the
    // player's answer) before any file would be deleted for good instead.
    request.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING;
    request.fAnyOperationsAborted = FALSE;
    request.hNameMappings = nullptr;
    // What the player typed while the work ran was meant for no question
    // the shell may now ask, such as its offer to delete the file for good.
    DiscardQueuedInput();
    const int result = ::SHFileOperationA(&request);
    // Declining the warning is no error to the shell, but the file stayed.
    return result == 0 && !request.fAnyOperationsAborted;
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
        for (const Entry& entry : ListEntries(dir)) {
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
            // A second guard, for links the listing does not show (Wine
            // lists a Unix symbolic link to a file as a plain file, and
            // would send the file it leads to to the bin): what does not
            // lead to its own place in the tree is left alone.
            if (isDirectory) {
                const std::optional<Place> sub = FinalPlace(path);
                if (sub && SamePath(sub->full, PlaceIn(place.full, entry.name)))
                    RemoveDirectoryTree(path, sub);
                else
                    NotRemoved(path);
            } else if (LiesAt(path, PlaceIn(place.onVolume, entry.name))) {
                const std::string full = FullPath(path);
                if (!full.empty())
                    SendToBin(full, shellOwner_);
            }
        }
    }

    const DirectoryNotRemoved& onNotRemoved_;
    HWND shellOwner_;
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
    return !full.empty() && SendToBin(full, shellOwner);
}

bool TreeHoldsFiles(const std::string& directory)
{
    // RemoveTree recycles files only from a directory at its own place.
    return JudgeTop(directory).kind == Top::Own && HoldsFiles(directory);
}

// Why a probe: whether a file goes to the bin or is deleted for good is
// decided by the shell as it handles the file, and a file the bin cannot
// take (a drive without a bin, a full or too small bin, no usable trash
// folder under Wine) is deleted without a word with the flags the removal
// uses; the warning the shell can give instead is asked per file and,
// under Wine, says nothing of the file being lost. Asking the shell about
// the bin before the first file goes is not enough either: that tells
// whether there is a bin, not whether it takes files from this folder. So
// an empty file of the program's own is created in the YMod's directory
// (the same volume and folder as the files to come) and sent to the bin
// the same way, and the bin's item count, read before and after through
// the shell, must have grown. This works alike on Windows and under Wine (whose bin is the
// XDG trash of the user's home), and the only thing ever at stake is the
// check file.
bool RecycleBinTakesFilesFrom(const std::string& directory)
{
    const std::string full = FullPath(directory);
    if (full.empty())
        return false;
    std::string volume(full.size() + 2, '\0');
    const char* root = nullptr;
    if (::GetVolumePathNameA(full.c_str(), volume.data(), static_cast<DWORD>(volume.size())))
        root = volume.c_str();

    SHQUERYRBINFO before{};
    before.cbSize = sizeof before;
    if (FAILED(::SHQueryRecycleBinA(root, &before)))
        return false;

    // A name of its own; CREATE_NEW never replaces a player's file.
    std::string probe;
    UniqueFile file;
    for (DWORD attempt = 0; attempt < 16 && !file; ++attempt) {
        probe = JoinPath(full, "~YorvFrontEnd recycle bin check "
                                   + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(attempt) + ".tmp");
        file.Reset(::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
    }
    if (!file)
        return false;
    file.Reset();

    const std::string names = probe + '\0';
    SHFILEOPSTRUCTA request{};
    request.wFunc = FO_DELETE;
    request.pFrom = names.c_str();
    request.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    const int result = ::SHFileOperationA(&request);
    if (FileExists(probe)) {
        ::DeleteFileA(probe.c_str());
        return false;
    }
    if (result != 0 || request.fAnyOperationsAborted)
        return false;

    SHQUERYRBINFO after{};
    after.cbSize = sizeof after;
    if (FAILED(::SHQueryRecycleBinA(root, &after)))
        return false;
    return after.i64NumItems > before.i64NumItems;
}

}  // namespace yorv
