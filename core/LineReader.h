// Reads 8-bit text line by line, the way the game's own text files are
// written: a line ends at CR, a LF right after the CR is skipped, a lone LF
// is an ordinary character, and Ctrl-Z ends the file. Nothing is trimmed
// and a line has no length limit.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace yorv {

// Where the bytes come from: a file on Windows, memory in tests.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills up to `size` bytes and returns how many; 0 means end of data.
    // Throws on a read error.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string data) : data_(std::move(data)) {}
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    std::string data_;
    std::size_t pos_ = 0;
};

class LineReader {
public:
    static constexpr char kCtrlZ = 0x1A;
    static constexpr std::size_t kDefaultChunk = 64 * 1024;

    explicit LineReader(ByteSource& source, std::size_t chunkSize = kDefaultChunk);

    // True when no character is left or the next one is Ctrl-Z.
    bool AtEnd();

    // The next line without its line end; empty at end of file.
    std::string ReadLine();

    // At most `maxChars` characters of the next line. When the line is longer,
    // `*cut` is set and the rest of the line is left unread, so a huge line
    // costs no more than its first `maxChars` characters.
    std::string ReadLine(std::size_t maxChars, bool* cut);

private:
    bool Fill();

    ByteSource& source_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    bool drained_ = false;  // the source has nothing more
    bool ended_ = false;    // a Ctrl-Z was reached
};

}  // namespace yorv
