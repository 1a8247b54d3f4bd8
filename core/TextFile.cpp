#include "core/TextFile.h"

#include "core/Errors.h"

#include <climits>

namespace yorv {

FileSource::FileSource(const std::string& path)
    : file_(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr))
{
    if (!file_)
        throw IoError(::GetLastError());
}

std::size_t FileSource::Read(char* buffer, std::size_t size)
{
    DWORD got = 0;
    const DWORD want = size > INT_MAX ? INT_MAX : static_cast<DWORD>(size);
    if (!::ReadFile(file_.Get(), buffer, want, &got, nullptr))
        throw IoError(::GetLastError());
    return got;
}

}  // namespace yorv
