// Reads arbitrary bytes as text lines with small and odd buffer sizes, and
// checks that the lines are the same whatever the buffer size.
#include "core/LineReader.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadAll(const std::string& data, std::size_t chunk, std::size_t cap)
{
    yorv::MemorySource source(data);
    yorv::LineReader reader(source, chunk);
    std::vector<std::string> lines;
    while (!reader.AtEnd() && lines.size() <= data.size()) {
        bool cut = false;
        std::string line = reader.ReadLine(cap, &cut);
        if (line.size() > cap || line.find('\r') != std::string::npos || line.find('\x1A') != std::string::npos)
            std::abort();
        lines.push_back(std::move(line));
        if (cut)
            break;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t chunk = 1 + data[0] % 17;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t cap = std::string::npos;
    if (ReadAll(text, chunk, cap) != ReadAll(text, 65536, cap))
        std::abort();
    ReadAll(text, chunk, 1 + data[0] % 5);
    return 0;
}
