#include "tests/wine/remove/ShellBin.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <stdexcept>

namespace test {

namespace {

// COM on this thread while the bin is read.
struct ComOnThread {
    ComOnThread() : joined(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComOnThread()
    {
        if (joined)
            CoUninitialize();
    }
    bool joined;
};

// An interface or item list the shell hands over, let go once.
template <typename T, void (*Free)(T*)>
struct Owned {
    Owned() = default;
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned()
    {
        if (p)
            Free(p);
    }
    T* p = nullptr;
};
template <typename T>
void Release(T* p)
{
    p->Release();
}
void FreeIdList(ITEMIDLIST* p) { CoTaskMemFree(p); }
template <typename T>
using Com = Owned<T, Release<T>>;
using IdList = Owned<ITEMIDLIST, FreeIdList>;

// The column of the folder an item was deleted from.
constexpr GUID kDisplaced = {0x9b174b33, 0x40ff, 0x11d2, {0xa2, 0x7e, 0x00, 0xc0, 0x4f, 0xc3, 0x08, 0x71}};
constexpr DWORD kDisplacedFrom = 2;

void Require(HRESULT result, const char* what)
{
    if (FAILED(result))
        throw std::runtime_error(std::string("reading the recycle bin: ") + what + " failed");
}

// A text the shell hands over; its copy is freed.
std::wstring Take(STRRET& text, LPCITEMIDLIST item)
{
    LPWSTR copy = nullptr;
    if (FAILED(StrRetToStrW(&text, item, &copy)) || !copy)
        return std::wstring();
    std::wstring result = copy;
    CoTaskMemFree(copy);
    return result;
}

bool EndsWithNoCase(const std::wstring& text, const std::wstring& end)
{
    return text.size() >= end.size()
           && CompareStringOrdinal(text.c_str() + text.size() - end.size(), static_cast<int>(end.size()), end.c_str(),
                                   static_cast<int>(end.size()), TRUE)
                  == CSTR_EQUAL;
}

// An item's name. Windows shows it as the player's view does, which may
// leave out an extension it knows; the name the item is parsed by (its
// file in the bin) keeps the extension. Wine gives the whole name whatever
// is asked.
std::wstring NameOf(IShellFolder2* bin, LPCITEMIDLIST item)
{
    STRRET text{};
    Require(bin->GetDisplayNameOf(item, SHGDN_INFOLDER, &text), "an item's name");
    std::wstring name = Take(text, item);
    if (SUCCEEDED(bin->GetDisplayNameOf(item, SHGDN_INFOLDER | SHGDN_FORPARSING, &text))) {
        const std::wstring parsed = Take(text, item);
        const std::wstring extension = PathFindExtensionW(parsed.c_str());
        if (!extension.empty() && !EndsWithNoCase(name, extension))
            name += extension;
    }
    return name;
}

// The long form of as much of `path` as still exists, the rest as it
// stands, with a capital drive letter: the bin may name a folder as it was
// handed the file (short names, another case).
std::wstring LongForm(const std::wstring& path)
{
    std::wstring head = path;
    std::wstring tail;
    while (head.size() > 3) {
        std::wstring full(32768, L'\0');
        const DWORD got = GetLongPathNameW(head.c_str(), full.data(), static_cast<DWORD>(full.size()));
        if (got > 0 && got < full.size()) {
            full.resize(got);
            head = full;
            break;
        }
        const std::size_t slash = head.find_last_of(L'\\');
        if (slash == std::wstring::npos)
            break;
        tail = head.substr(slash) + tail;
        head.resize(slash);
    }
    std::wstring result = head + tail;
    if (result.size() >= 2 && result[1] == L':')
        result[0] = static_cast<wchar_t>(towupper(result[0]));
    return result;
}

// The folder the bin names, as a path: Windows may put marks of the
// writing direction in it, and end a drive's root with a backslash.
std::wstring FolderPath(std::wstring folder)
{
    folder.erase(std::remove_if(folder.begin(), folder.end(),
                                [](wchar_t c) { return c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E); }),
                 folder.end());
    while (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    return LongForm(folder);
}

std::string Ansi(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

}  // namespace

std::vector<std::string> BinItems()
{
    const ComOnThread com;
    Com<IShellFolder> desktop;
    Require(SHGetDesktopFolder(&desktop.p), "the desktop folder");
    IdList binId;
    Require(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &binId.p), "the bin's location");
    Com<IShellFolder2> bin;
    Require(desktop.p->BindToObject(binId.p, nullptr, IID_PPV_ARGS(&bin.p)), "the bin's folder");

    UINT fromColumn = 0;
    for (SHCOLUMNID column{};; ++fromColumn) {
        Require(fromColumn < 64 ? bin.p->MapColumnToSCID(fromColumn, &column) : E_FAIL,
                "the column of the folder an item was deleted from");
        if (IsEqualGUID(column.fmtid, kDisplaced) && column.pid == kDisplacedFrom)
            break;
    }

    std::vector<std::string> items;
    Com<IEnumIDList> list;
    const HRESULT listed =
        bin.p->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &list.p);
    Require(listed, "the list of items");
    if (listed != S_OK || !list.p)
        return items;  // an empty bin
    for (;;) {
        IdList item;
        ULONG fetched = 0;
        if (list.p->Next(1, &item.p, &fetched) != S_OK || fetched != 1)
            break;
        SHELLDETAILS from{};
        Require(bin.p->GetDetailsOf(item.p, fromColumn, &from), "the folder an item was deleted from");
        items.push_back(Ansi(FolderPath(Take(from.str, item.p)) + L"\\" + NameOf(bin.p, item.p)));
    }
    std::sort(items.begin(), items.end());
    return items;
}

}  // namespace test
