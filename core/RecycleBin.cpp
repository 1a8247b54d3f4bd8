#include "core/RecycleBin.h"

#include "core/FileSystem.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace yorv {

namespace {

constexpr UINT kFirstCommand = 1;
const LPCWSTR kMenuResources = MAKEINTRESOURCEW(4);  // RT_MENU, in its UTF-16 form

// A text the shell hands over; its copy is freed.
std::wstring TextOf(STRRET& text, LPCITEMIDLIST item)
{
    if (text.uType == STRRET_WSTR) {
        const std::wstring result = text.pOleStr ? text.pOleStr : L"";
        ::SHFree(std::exchange(text.pOleStr, nullptr));
        return result;
    }
    const char* ansi = text.uType == STRRET_CSTR ? text.cStr : reinterpret_cast<const char*>(item) + text.uOffset;
    return WideFromAnsi(ansi).value_or(L"");
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
        if (id != static_cast<UINT>(-1) && ::CompareStringOrdinal(caption.c_str(), -1, L"Restore", -1, TRUE) == CSTR_EQUAL)
            captions.push_back(CaptionOf(shown, id, MF_BYCOMMAND));
    }
}

// Whether a caption is the shell's own for its Restore command in the
// player's language (each item of shell32's menus that reads Restore in
// English): how the command is known where the shell names no verbs (Wine).
bool IsRestoreCaption(const std::wstring& caption)
{
    static const std::vector<std::wstring> captions = [] {
        std::vector<std::wstring> found;
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
        if (const HMODULE shell = ::GetModuleHandleA("shell32.dll"))
            ::EnumResourceNamesW(shell, kMenuResources, eachMenu, reinterpret_cast<LONG_PTR>(&found));
        return found;
    }();
    return std::find(captions.begin(), captions.end(), caption) != captions.end();
}

}  // namespace

bool SendToRecycleBin(const std::wstring& fullPath, FILEOP_FLAGS flags, HWND owner)
{
    // A list of one name, ended by a double NUL (the string's own is the
    // second), sized to the path, so that it is never shortened.
    const std::wstring names = fullPath + L'\0';
    SHFILEOPSTRUCTW request{};
    request.hwnd = owner;
    request.wFunc = FO_DELETE;
    request.pFrom = names.c_str();
    request.fFlags = FOF_ALLOWUNDO | flags;
    // Declining the shell's warning is no error to it, but the file stayed.
    return ::SHFileOperationW(&request) == 0 && !request.fAnyOperationsAborted;
}

UniqueCom<IShellFolder2> OpenRecycleBinFolder(const std::wstring& folder)
{
    SHQUERYRBINFO info{sizeof info, 0, 0};
    UniqueCom<IShellFolder> desktop;
    UniqueIdList binId;
    UniqueCom<IShellFolder2> bin;
    if (SUCCEEDED(::SHQueryRecycleBinW(!folder.empty() && folder.size() < MAX_PATH ? folder.c_str() : nullptr, &info))
        && SUCCEEDED(::SHGetDesktopFolder(desktop.Put()))
        && SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, binId.Put())))
        desktop.Get()->BindToObject(binId.Get(), nullptr, IID_PPV_ARGS(bin.Put()));
    return bin;
}

bool ShellRecycleBin::Send(const std::wstring& fullPath)
{
    return SendToRecycleBin(fullPath, FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI, nullptr);
}

bool ShellRecycleBin::Find(const std::wstring& name)
{
    item_.Reset();
    if (com_ && !folder2_)
        folder2_ = OpenRecycleBinFolder(folder_);
    UniqueCom<IEnumIDList> items;
    constexpr SHCONTF kEveryItem = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;
    if (!folder2_ || folder2_.Get()->EnumObjects(nullptr, kEveryItem, items.Put()) != S_OK || !items)
        return false;
    LPITEMIDLIST next = nullptr;
    ULONG fetched = 0;
    while (items.Get()->Next(1, &next, &fetched) == S_OK && fetched == 1) {
        UniqueIdList item(next);
        STRRET shown{};
        if (SUCCEEDED(folder2_.Get()->GetDisplayNameOf(item.Get(), SHGDN_INFOLDER, &shown))
            && WithoutDirectionMarks<wchar_t>(TextOf(shown, item.Get())) == name) {
            item_ = std::move(item);
            return true;
        }
    }
    return false;
}

std::vector<RecycleBin::Command> ShellRecycleBin::Commands()
{
    std::vector<Command> found;
    LPCITEMIDLIST item = item_.Get();
    menu_.Reset(::CreatePopupMenu());
    if (!item || !menu_
        || FAILED(folder2_.Get()->GetUIObjectOf(nullptr, 1, &item, IID_IContextMenu, nullptr,
                                                reinterpret_cast<void**>(commands_.Put())))
        || FAILED(commands_.Get()->QueryContextMenu(menu_.Get(), 0, kFirstCommand, 0x7FFF, CMF_NORMAL)))
        return found;
    for (int i = 0, count = ::GetMenuItemCount(menu_.Get()); i < count; ++i) {
        const UINT id = ::GetMenuItemID(menu_.Get(), i);
        if (id == static_cast<UINT>(-1) || id < kFirstCommand)
            continue;
        char verb[64] = {};
        const bool named = SUCCEEDED(commands_.Get()->GetCommandString(id - kFirstCommand, GCS_VERBA, nullptr, verb,
                                                                       sizeof verb));
        found.push_back({id - kFirstCommand, named ? std::optional<std::string>(verb) : std::nullopt,
                         IsRestoreCaption(CaptionOf(menu_.Get(), static_cast<UINT>(i), MF_BYPOSITION))});
    }
    return found;
}

bool ShellRecycleBin::Run(unsigned id)
{
    CMINVOKECOMMANDINFO invoke{};
    invoke.cbSize = sizeof invoke;
    invoke.fMask = CMIC_MASK_FLAG_NO_UI;
    invoke.lpVerb = MAKEINTRESOURCEA(id);
    invoke.nShow = SW_HIDE;
    return commands_ && SUCCEEDED(commands_.Get()->InvokeCommand(&invoke));
}

}  // namespace yorv
