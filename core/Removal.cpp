#include "core/Removal.h"

#include "core/CatalogueRules.h"
#include "core/FileSystem.h"
#include "core/Handle.h"
#include "core/Links.h"
#include "core/Places.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
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
    if (!inputDropped)
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
            } else if (LiesIn(path, entry.name, place)) {
                const std::string full = FullPath(path);
                if (!full.empty())
                    SendToBin(full, shellOwner_, inputDropped_.Active());
            }
        }
    }

    const DirectoryNotRemoved& onNotRemoved_;
    HWND shellOwner_;
    InputDroppedBeforeBoxes inputDropped_;
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

// COM, for the shell's view of the recycle bin, while the bin check runs.
// The library is loaded then, not at the program's start, which needs it
// for nothing else; it is one of the system's known libraries, so its name
// alone finds the system's own.
class ComApartment {
public:
    ComApartment()
    {
        static const HMODULE ole = ::LoadLibraryA("ole32.dll");
        if (!ole)
            return;
        const auto initialize = reinterpret_cast<HRESULT(WINAPI*)(void*, DWORD)>(
            reinterpret_cast<void*>(::GetProcAddress(ole, "CoInitializeEx")));
        uninitialize_ = reinterpret_cast<void(WINAPI*)()>(
            reinterpret_cast<void*>(::GetProcAddress(ole, "CoUninitialize")));
        if (!initialize || !uninitialize_)
            return;
        const HRESULT result = initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        joined_ = SUCCEEDED(result);  // S_FALSE too: every success is balanced
        usable_ = joined_ || result == RPC_E_CHANGED_MODE;
    }
    ~ComApartment()
    {
        if (joined_)
            uninitialize_();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    explicit operator bool() const { return usable_; }

private:
    void(WINAPI* uninitialize_)() = nullptr;
    bool joined_ = false;
    bool usable_ = false;
};

struct IdListTraits {
    using Type = LPITEMIDLIST;
    static constexpr Type Invalid() { return nullptr; }
    static void Close(Type list) { ::ILFree(list); }
};
using UniqueIdList = UniqueHandle<IdListTraits>;

// Where a deleted item came from, as the bin's details give it.
constexpr GUID kDisplacedProperties = {0x9b174b33, 0x40ff, 0x11d2, {0xa2, 0x7e, 0x00, 0xc0, 0x4f, 0xc3, 0x08, 0x71}};
constexpr DWORD kDisplacedFrom = 2;

// The check's own file: a name no file of a player's has, shown by the bin
// as it stands (it has no extension a view could hide), and a text by
// which it is known again when it comes back out of the bin.
struct Probe {
    std::string path;
    std::wstring name;
    std::string text;
};

std::optional<Probe> CreateProbe(const std::string& folder)
{
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    const std::string stamp = std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(now.QuadPart);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string name = "~YorvFrontEnd recycle bin check " + stamp + "-" + std::to_string(attempt);
        Probe probe{JoinPath(folder, name), std::wstring(name.begin(), name.end()),
                    "Yorv HollowFen FrontEnd recycle bin check " + stamp};
        // CREATE_NEW never replaces a file of the player's.
        UniqueFile file(::CreateFileA(probe.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
        if (!file)
            continue;
        DWORD written = 0;
        const bool complete = ::WriteFile(file.Get(), probe.text.data(), static_cast<DWORD>(probe.text.size()),
                                          &written, nullptr)
                              && written == probe.text.size();
        file.Reset();
        if (complete)
            return probe;
        ::DeleteFileA(probe.path.c_str());
        return std::nullopt;
    }
    return std::nullopt;
}

// Deletes the check's file where it stands, once it is known by its text.
bool DeleteProbe(const Probe& probe)
{
    UniqueFile file(::CreateFileA(probe.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    std::string text(probe.text.size() + 1, '\0');
    DWORD read = 0;
    if (!::ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr))
        return false;
    text.resize(read);
    file.Reset();
    return text == probe.text && ::DeleteFileA(probe.path.c_str());
}

// The recycle bin as the shell shows it.
UniqueCom<IShellFolder2> OpenRecycleBin()
{
    UniqueCom<IShellFolder> desktop;
    LPITEMIDLIST binId = nullptr;
    if (FAILED(::SHGetDesktopFolder(desktop.Put()))
        || FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &binId)))
        return {};
    const UniqueIdList binOwner(binId);
    UniqueCom<IShellFolder2> bin;
    if (FAILED(desktop.Get()->BindToObject(binId, nullptr, IID_PPV_ARGS(bin.Put()))))
        return {};
    return bin;
}

// A text the shell hands over; its copy is freed.
std::wstring TextOf(STRRET& text, LPCITEMIDLIST item)
{
    switch (text.uType) {
    case STRRET_WSTR: {
        std::wstring result = text.pOleStr ? text.pOleStr : L"";
        ::SHFree(text.pOleStr);
        text.pOleStr = nullptr;
        return result;
    }
    case STRRET_CSTR:
        return WideFromAnsi(text.cStr);
    case STRRET_OFFSET:
        return WideFromAnsi(reinterpret_cast<const char*>(item) + text.uOffset);
    default:
        return std::wstring();
    }
}

// Whether the folder the bin names is `folder`: as spelled, or as the same
// directory reached another way (short names, another case).
bool SameFolder(const std::wstring& named, const std::string& folder)
{
    const std::string ansi = AnsiFromWide(named);
    if (ansi.empty())
        return false;
    if (SamePath(ansi, folder))
        return true;
    const std::optional<std::string> namedFinal = FinalPath(ansi);
    const std::optional<std::string> folderFinal = FinalPath(folder);
    return namedFinal && folderFinal && SamePath(*namedFinal, *folderFinal);
}

// The check's file among the bin's items: its name, and the folder it came
// from. Only these two are asked, and only of the items of its name.
UniqueIdList FindInBin(IShellFolder2* bin, const Probe& probe, const std::string& folder)
{
    std::optional<UINT> fromColumn;
    SHCOLUMNID column{};
    for (UINT i = 0; i < 64 && SUCCEEDED(bin->MapColumnToSCID(i, &column)); ++i) {
        if (IsEqualGUID(column.fmtid, kDisplacedProperties) && column.pid == kDisplacedFrom) {
            fromColumn = i;
            break;
        }
    }
    UniqueCom<IEnumIDList> items;
    if (!fromColumn
        || bin->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, items.Put()) != S_OK
        || !items)
        return {};
    LPITEMIDLIST next = nullptr;
    ULONG fetched = 0;
    while (items.Get()->Next(1, &next, &fetched) == S_OK && fetched == 1) {
        UniqueIdList item(next);
        STRRET shown{};
        if (FAILED(bin->GetDisplayNameOf(item.Get(), SHGDN_INFOLDER, &shown))
            || TextOf(shown, item.Get()) != probe.name)
            continue;
        SHELLDETAILS from{};
        if (SUCCEEDED(bin->GetDetailsOf(item.Get(), *fromColumn, &from))
            && SameFolder(TextOf(from.str, item.Get()), folder))
            return item;
    }
    return {};
}

// The command among an item's that restores it where it was: named by its
// verb where the shell names its commands, by its caption where it names
// none (Wine's bin).
std::optional<UINT> RestoreCommand(IContextMenu* commands, HMENU menu, UINT first)
{
    std::optional<UINT> byCaption;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const UINT id = ::GetMenuItemID(menu, i);
        if (id == static_cast<UINT>(-1) || id < first)
            continue;
        const UINT offset = id - first;
        char verb[64] = {};
        if (SUCCEEDED(commands->GetCommandString(offset, GCS_VERBA, nullptr, verb, sizeof verb))) {
            if (::lstrcmpiA(verb, "undelete") == 0)
                return offset;
            continue;
        }
        char caption[64] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), caption, sizeof caption, MF_BYPOSITION);
        std::string plain(caption);
        plain.erase(std::remove(plain.begin(), plain.end(), '&'), plain.end());
        if (::lstrcmpiA(plain.c_str(), "Restore") == 0)
            byCaption = offset;
    }
    return byCaption;
}

// Takes the check's file back out of the bin through the shell: the item
// is restored to where it was, without a word, and the file, known again
// by its text, is deleted there. Restoring rather than erasing, because
// Wine's bin asks the player before it erases an item, and because a
// restore destroys nothing, whatever item it were given. False where the
// shell could not: the item then stays in the bin.
bool TakeBackFromBin(IShellFolder2* bin, LPCITEMIDLIST item, const Probe& probe)
{
    constexpr UINT kFirst = 1;
    constexpr UINT kLast = 0x7FFF;
    UniqueCom<IContextMenu> commands;
    if (FAILED(bin->GetUIObjectOf(nullptr, 1, &item, IID_IContextMenu, nullptr,
                                  reinterpret_cast<void**>(commands.Put()))))
        return false;
    const UniqueMenu menu(::CreatePopupMenu());
    if (!menu || FAILED(commands.Get()->QueryContextMenu(menu.Get(), 0, kFirst, kLast, CMF_NORMAL)))
        return false;
    const std::optional<UINT> restore = RestoreCommand(commands.Get(), menu.Get(), kFirst);
    if (!restore)
        return false;
    CMINVOKECOMMANDINFO invoke{};
    invoke.cbSize = sizeof invoke;
    invoke.fMask = CMIC_MASK_FLAG_NO_UI;
    invoke.lpVerb = MAKEINTRESOURCEA(*restore);
    invoke.nShow = SW_HIDE;
    if (FAILED(commands.Get()->InvokeCommand(&invoke)))
        return false;
    // A shell that restores in the background has the file back shortly;
    // one that could not, never.
    for (int waited = 0; waited < 1000 && !FileExists(probe.path); waited += 20)
        ::Sleep(20);
    return DeleteProbe(probe);
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

// Why a probe: whether a file goes to the bin or is deleted for good is
// decided by the shell as it handles the file, and a file the bin cannot
// take (a drive without a bin, a too small bin, no usable trash folder
// under Wine) is deleted without a word with the flags the removal uses;
// the warning the shell can give instead is asked per file and, under
// Wine, says nothing of the file being lost. Asking the shell about the
// bin before the first file goes is not enough either: that tells whether
// there is a bin, not whether it takes files from this folder. So a file
// of the program's own is created in the YMod's directory (the same volume
// and folder as the files to come), sent to the bin the same way, and
// looked for among the bin's items by its name and the folder it came
// from, through the shell's view of the bin, which is the same on Windows
// and under Wine (whose bin is the XDG trash of the user's home). Found,
// it is taken back out again, so that the player's bin holds nothing of
// the program's. Nothing but the check file is ever at stake, and no other
// item of the bin is touched.
bool RecycleBinTakesFilesFrom(const std::string& directory)
{
    const std::string folder = FullPath(directory);
    if (folder.empty())
        return false;
    const ComApartment com;
    if (!com)
        return false;
    const UniqueCom<IShellFolder2> bin = OpenRecycleBin();
    if (!bin)
        return false;
    const std::optional<Probe> probe = CreateProbe(folder);
    if (!probe)
        return false;

    const std::string names = probe->path + '\0';
    SHFILEOPSTRUCTA request{};
    request.wFunc = FO_DELETE;
    request.pFrom = names.c_str();
    request.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    const int result = ::SHFileOperationA(&request);
    if (FileExists(probe->path)) {
        ::DeleteFileA(probe->path.c_str());
        return false;
    }
    if (result != 0 || request.fAnyOperationsAborted)
        return false;

    // Not in the bin: it was deleted for good, as the player's files would be.
    const UniqueIdList item = FindInBin(bin.Get(), *probe, folder);
    if (!item)
        return false;
    TakeBackFromBin(bin.Get(), item.Get(), *probe);
    return true;
}

}  // namespace yorv
