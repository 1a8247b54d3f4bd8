#include "tests/wine/remove/ShellBin.h"

#include "core/RecycleBin.h"
#include "core/Path.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <stdexcept>

namespace test {

namespace {

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
    const std::wstring result = SUCCEEDED(StrRetToStrW(&text, item, &copy)) && copy ? copy : L"";
    CoTaskMemFree(copy);
    return result;
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
        const std::wstring extension = PathFindExtensionW(Take(text, item).c_str());
        if (!extension.empty()
            && CompareStringOrdinal(PathFindExtensionW(name.c_str()), -1, extension.c_str(), -1, TRUE) != CSTR_EQUAL)
            name += extension;
    }
    return name;
}

// The folder the bin names, as a path: Windows may put marks of the
// writing direction in it, end a drive's root with a backslash, and name
// the folder as it was handed the file, in short names. Those are given
// in their long form, as far as the folder still exists; a long name keeps
// its case, also where a twin in another case now answers to it.
std::wstring FolderPath(const std::wstring& named)
{
    std::wstring head = yorv::WithoutDirectionMarks<wchar_t>(named);
    while (!head.empty() && head.back() == L'\\')
        head.pop_back();
    std::wstring tail;
    for (std::wstring full(32768, L'\0'); head.find(L'~') != std::wstring::npos && head.size() > 3;) {
        const DWORD got = GetLongPathNameW(head.c_str(), full.data(), static_cast<DWORD>(full.size()));
        const std::size_t slash = head.find_last_of(L'\\');
        if ((got > 0 && got < full.size()) || slash == std::wstring::npos) {
            head = got > 0 && got < full.size() ? full.substr(0, got) : head;
            break;
        }
        tail = head.substr(slash) + tail;
        head.resize(slash);
    }
    head[0] = head.size() >= 2 && head[1] == L':' ? static_cast<wchar_t>(towupper(head[0])) : head[0];
    return head + tail;
}

}  // namespace

std::vector<std::wstring> BinItems()
{
    std::vector<std::wstring> items;
    const yorv::ComApartment com;
    // As the launcher opens it: a bin the shell cannot count is not listed.
    const yorv::UniqueCom<IShellFolder2> bin = yorv::OpenRecycleBinFolder(L"");
    if (!bin)
        return items;

    UINT fromColumn = 0;
    for (SHCOLUMNID column{};; ++fromColumn) {
        Require(fromColumn < 64 ? bin.Get()->MapColumnToSCID(fromColumn, &column) : E_FAIL,
                "the column of the folder an item was deleted from");
        if (IsEqualGUID(column.fmtid, kDisplaced) && column.pid == kDisplacedFrom)
            break;
    }
    yorv::UniqueCom<IEnumIDList> list;
    const HRESULT listed =
        bin.Get()->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, list.Put());
    Require(listed, "the list of items");
    LPITEMIDLIST next = nullptr;
    ULONG fetched = 0;
    while (listed == S_OK && list && list.Get()->Next(1, &next, &fetched) == S_OK && fetched == 1) {
        const yorv::UniqueIdList item(next);
        SHELLDETAILS from{};
        Require(bin.Get()->GetDetailsOf(item.Get(), fromColumn, &from), "the folder an item was deleted from");
        items.push_back(FolderPath(Take(from.str, item.Get())) + L"\\" + NameOf(bin.Get(), item.Get()));
    }
    std::sort(items.begin(), items.end());
    return items;
}

}  // namespace test
