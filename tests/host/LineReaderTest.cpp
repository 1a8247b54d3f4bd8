#include "core/LineReader.h"

#include "tests/Printable.h"

#include <string>
#include <vector>

using yorv::LineReader;
using yorv::MemorySource;

namespace {

// Every line of `data` as the reader sees it, with buffers of `chunk` bytes.
std::vector<std::string> Lines(const std::string& data, std::size_t chunk)
{
    MemorySource source(data);
    LineReader reader(source, chunk);
    std::vector<std::string> lines;
    while (!reader.AtEnd())
        lines.push_back(reader.ReadLine());
    return lines;
}

using Lines_t = std::vector<std::string>;

}  // namespace

TEST_CASE("line ends, Ctrl-Z and blanks read the same whatever the buffer size")
{
    struct Case {
        std::string data;
        Lines_t expected;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"one", {"one"}},
        {"one\r\ntwo\r\n", {"one", "two"}},           // a final line end adds no empty line
        {"one\r\ntwo", {"one", "two"}},               // nor does its absence lose the last line
        {"a\rb\rc\r", {"a", "b", "c"}},               // CR alone ends a line
        {"a\nb\nc\n", {"a\nb\nc\n"}},                 // a lone LF is an ordinary character
        {"a\r\n\r\n\r\nb\r\n", {"a", "", "", "b"}},   // blank lines are kept
        {"a\r\r\nb", {"a", "", "b"}},                 // CR, then CRLF
        {"a\n\rb", {"a\n", "b"}},                     // LF before the CR belongs to the line
        {"  padded  \r\n\t\r\n", {"  padded  ", "\t"}},
        {"a\r\nb\x1A" "c\r\nd\r\n", {"a", "b"}},      // Ctrl-Z ends the file
        {"\x1A" "hidden", {}},
        {"a\r\n\x1A\r\nb", {"a"}},
        {"a\r\x1A", {"a"}},
        {std::string("nul\0inside\r\nx", 13), {std::string("nul\0inside", 10), "x"}},
        {"\xE9t\xE9\r\n\xFF", {"\xE9t\xE9", "\xFF"}},  // 8-bit text passes untouched
    };
    for (const Case& c : cases) {
        for (std::size_t chunk : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}, std::size_t{65536}}) {
            CAPTURE(c.data);
            CAPTURE(chunk);
            CHECK(Lines(c.data, chunk) == c.expected);
        }
    }
}

TEST_CASE("a missing line reads as empty and the reader stays at end")
{
    MemorySource source("only\r\n");
    LineReader reader(source, 4);
    CHECK(reader.ReadLine() == "only");
    CHECK(reader.AtEnd());
    CHECK(reader.ReadLine().empty());
    CHECK(reader.ReadLine().empty());

    MemorySource stopped("x\x1Ay");
    LineReader afterCtrlZ(stopped);
    CHECK(afterCtrlZ.ReadLine() == "x");
    CHECK(afterCtrlZ.ReadLine().empty());
    CHECK(afterCtrlZ.AtEnd());
}

TEST_CASE("a capped read stops at the cap and reports the cut")
{
    const std::string longLine(5000, 'x');
    for (std::size_t chunk : {std::size_t{1}, std::size_t{100}, std::size_t{4096}}) {
        CAPTURE(chunk);
        MemorySource source(longLine + "\r\nnext");
        LineReader reader(source, chunk);
        bool cut = false;
        CHECK(reader.ReadLine(1024, &cut) == std::string(1024, 'x'));
        CHECK(cut);

        // Exactly the cap is not a cut, whatever follows.
        for (const std::string end : {"", "\r", "\r\n", "\x1A"}) {
            MemorySource exact(std::string(1024, 'y') + end);
            LineReader exactReader(exact, chunk);
            CHECK(exactReader.ReadLine(1024, &cut) == std::string(1024, 'y'));
            CHECK_FALSE(cut);
        }

        MemorySource shortLine("short\r\n");
        LineReader shortReader(shortLine, chunk);
        CHECK(shortReader.ReadLine(1024, &cut) == "short");
        CHECK_FALSE(cut);
    }
}

TEST_CASE("a capped read pulls no more of the source than it needs")
{
    struct CountingSource final : yorv::ByteSource {
        std::size_t served = 0;
        std::size_t Read(char* buffer, std::size_t size) override
        {
            for (std::size_t i = 0; i < size; ++i)
                buffer[i] = 'z';  // an endless line
            served += size;
            return size;
        }
    } endless;
    LineReader reader(endless, 4096);
    bool cut = false;
    CHECK(reader.ReadLine(1024, &cut).size() == 1024);
    CHECK(cut);
    CHECK(endless.served == 4096);
}
