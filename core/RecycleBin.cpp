#include "core/RecycleBin.h"

#include "core/BlockingWork.h"
#include "core/Com.h"
#include "core/FileSystem.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <vector>

namespace yorv {

namespace {

// Where a deleted item came from, as the bin's details give it.
constexpr GUID kDisplacedProperties = {0x9b174b33, 0x40ff, 0x11d2, {0xa2, 0x7e, 0x00, 0xc0, 0x4f, 0xc3, 0x08, 0x71}};
constexpr DWORD kDisplacedFrom = 2;

const LPCWSTR kMenuResources = MAKEINTRESOURCEW(4);  // RT_MENU, in its UTF-16 form

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
        return WideFromAnsi(text.cStr).value_or(L"");
    case STRRET_OFFSET:
        return WideFromAnsi(reinterpret_cast<const char*>(item) + text.uOffset).value_or(L"");
    default:
        return std::wstring();
    }
}

// Whether the folder the bin names is `folder`: as spelled, but for a
// trailing separator, or as the same directory reached another way (short
// names, another case).
bool SameFolder(const std::wstring& named, const std::string& folder)
{
    const auto trimmed = [](std::wstring_view path) {
        while (!path.empty() && IsSeparator(path.back()))
            path.remove_suffix(1);
        return path;
    };
    const std::optional<std::wstring> wideFolder = WideFromAnsi(folder);
    if (wideFolder && SamePlace(trimmed(named), trimmed(*wideFolder)))
        return true;
    const std::optional<std::string> ansi = AnsiFromWide(named);
    const std::optional<Place> namedPlace = ansi ? PlaceOf(*ansi, FILE_NAME_NORMALIZED) : std::nullopt;
    const std::optional<Place> folderPlace = PlaceOf(folder, FILE_NAME_NORMALIZED);
    return namedPlace && folderPlace && SamePlace(*namedPlace, *folderPlace);
}

// The check's file among the bin's items, known by its name, which no other
// item has. Where the bin tells which folder an item came from, that must
// be the probe's folder too: an item of its name from elsewhere is not it.
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
    if (bin->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, items.Put()) != S_OK
        || !items)
        return {};
    LPITEMIDLIST next = nullptr;
    ULONG fetched = 0;
    while (items.Get()->Next(1, &next, &fetched) == S_OK && fetched == 1) {
        UniqueIdList item(next);
        STRRET shown{};
        if (FAILED(bin->GetDisplayNameOf(item.Get(), SHGDN_INFOLDER, &shown))
            || WithoutDirectionMarks<wchar_t>(TextOf(shown, item.Get())) != probe.name)
            continue;
        SHELLDETAILS from{};
        const std::wstring fromText = fromColumn && SUCCEEDED(bin->GetDetailsOf(item.Get(), *fromColumn, &from))
                                          ? WithoutDirectionMarks<wchar_t>(TextOf(from.str, item.Get()))
                                          : std::wstring();
        if (fromText.empty() || SameFolder(fromText, folder))
            return item;
    }
    return {};
}

// A menu item's caption, as the menu holds it.
std::wstring CaptionOf(HMENU menu, UINT item, UINT byWhat)
{
    wchar_t caption[128] = {};
    ::GetMenuStringW(menu, item, caption, static_cast<int>(std::size(caption)), byWhat);
    return caption;
}

// Walks one of the shell's menus in English beside the same menu in the
// player's language, keeping the caption of each item that reads Restore.
void CollectRestoreCaptions(HMENU english, HMENU shown, std::vector<std::wstring>& captions)
{
    for (int i = 0, count = ::GetMenuItemCount(english); i < count; ++i) {
        if (const HMENU sub = ::GetSubMenu(english, i)) {
            CollectRestoreCaptions(sub, shown, captions);
            continue;
        }
        std::wstring caption = CaptionOf(english, static_cast<UINT>(i), MF_BYPOSITION);
        caption.erase(std::remove(caption.begin(), caption.end(), L'&'), caption.end());
        const UINT id = ::GetMenuItemID(english, i);
        const bool restore = ::CompareStringOrdinal(caption.c_str(), -1, L"Restore", -1, TRUE) == CSTR_EQUAL;
        if (restore && id != static_cast<UINT>(-1))
            captions.push_back(CaptionOf(shown, id, MF_BYCOMMAND));
    }
}

// The captions the shell gives its Restore command in the player's
// language, read from the shell's own menus: every item that reads Restore
// in their English form, as their form for the player's language, which
// the shell's menus take, names it. Where the shell names no verbs (Wine's
// bin), this is how the command is known in every language.
const std::vector<std::wstring>& ShellRestoreCaptions()
{
    static const std::vector<std::wstring> captions = [] {
        std::vector<std::wstring> found;
        const HMODULE shell = ::GetModuleHandleA("shell32.dll");
        const auto eachMenu = [](HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
            const HRSRC english =
                ::FindResourceExW(module, kMenuResources, name, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
            const HGLOBAL data = english ? ::LoadResource(module, english) : nullptr;
            const UniqueMenu englishMenu(data ? ::LoadMenuIndirectW(::LockResource(data)) : nullptr);
            const UniqueMenu shownMenu(englishMenu ? ::LoadMenuW(module, name) : nullptr);
            if (shownMenu)
                CollectRestoreCaptions(englishMenu.Get(), shownMenu.Get(),
                                       *reinterpret_cast<std::vector<std::wstring>*>(found));
            return TRUE;
        };
        if (shell)
            ::EnumResourceNamesW(shell, kMenuResources, eachMenu, reinterpret_cast<LONG_PTR>(&found));
        return found;
    }();
    return captions;
}

// The command among an item's that restores it where it was: by its verb,
// "undelete" in every language, where the shell names its commands; by the
// shell's own caption for it where it names none.
std::optional<UINT> RestoreCommand(IContextMenu* commands, HMENU menu, UINT first)
{
    std::optional<UINT> byCaption;
    for (int i = 0, count = ::GetMenuItemCount(menu); i < count; ++i) {
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
        const std::vector<std::wstring>& restore = ShellRestoreCaptions();
        if (std::find(restore.begin(), restore.end(), CaptionOf(menu, static_cast<UINT>(i), MF_BYPOSITION))
            != restore.end())
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
bool TakeBackFromBin(IShellFolder2* bin, LPCITEMIDLIST item, const Probe& probe, const std::string& folder)
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
    const UniqueChangeWatch folderChanges(::FindFirstChangeNotificationA(folder.c_str(), FALSE,
                                                                         FILE_NOTIFY_CHANGE_FILE_NAME));
    CMINVOKECOMMANDINFO invoke{};
    invoke.cbSize = sizeof invoke;
    invoke.fMask = CMIC_MASK_FLAG_NO_UI;
    invoke.lpVerb = MAKEINTRESOURCEA(*restore);
    invoke.nShow = SW_HIDE;
    if (FAILED(commands.Get()->InvokeCommand(&invoke)))
        return false;
    // A shell that restores in the background has the file back shortly;
    // one that could not, never. The windows are painted meanwhile.
    WaitKeepingPainted([&] { return FileExists(probe.path); }, folderChanges.Get(), 1000);
    return DeleteProbe(probe);
}

}  // namespace

bool SendToRecycleBin(const std::string& fullPath, FILEOP_FLAGS flags, HWND owner)
{
    // The shell's list of names: this one, ended by a double NUL (the
    // string's own terminator is the second); sized to the path, so it is
    // never shortened.
    const std::string names = fullPath + '\0';
    SHFILEOPSTRUCTA request{};
    request.hwnd = owner;
    request.wFunc = FO_DELETE;
    request.pFrom = names.c_str();
    request.pTo = nullptr;
    request.fFlags = FOF_ALLOWUNDO | flags;
    request.fAnyOperationsAborted = FALSE;
    request.hNameMappings = nullptr;
    const int result = ::SHFileOperationA(&request);
    // Declining the shell's warning is no error to it, but the file stayed.
    return result == 0 && !request.fAnyOperationsAborted;
}

// Why a probe: whether a file goes to the bin or is deleted for good is
// decided by the shell as it handles the file, and a file the bin cannot
// take (a drive without a bin, a too small bin, no usable trash folder
// under Wine) is deleted without a word with the flags the removal uses;
// the warning the shell can give instead is asked per file and, under
// Wine, says nothing of the file being lost. Asking the shell whether
// there is a bin does not tell whether it takes files from this folder. So
// a file of the program's own is created in the YMod's directory, sent to
// the bin the same way, and looked for among the bin's items through the
// shell's view of the bin, the same on Windows and under Wine. Found, it is
// taken back out again, so that the player's bin holds nothing of the
// program's. No other item of the bin is touched.
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

    const bool sent = SendToRecycleBin(probe->path, FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI, nullptr);
    if (FileExists(probe->path)) {
        ::DeleteFileA(probe->path.c_str());
        return false;
    }
    if (!sent)
        return false;

    // Not in the bin: it was deleted for good, as the player's files would be.
    const UniqueIdList item = FindInBin(bin.Get(), *probe, folder);
    if (!item)
        return false;
    TakeBackFromBin(bin.Get(), item.Get(), *probe, folder);
    return true;
}

}  // namespace yorv
