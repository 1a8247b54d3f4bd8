// A text file opened for one read: read-only, shared with other readers
// only, closed when the object goes. Errors are raised as IoError.
#pragma once

#include "core/Handle.h"
#include "core/LineReader.h"

#include <string>

namespace yorv {

class FileSource final : public ByteSource {
public:
    explicit FileSource(const std::string& path);
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    UniqueFile file_;
};

class TextFile {
public:
    explicit TextFile(const std::string& path, std::size_t chunkSize = LineReader::kDefaultChunk)
        : source_(path), reader_(source_, chunkSize)
    {
    }

    bool AtEnd() { return reader_.AtEnd(); }
    std::string ReadLine() { return reader_.ReadLine(); }
    std::string ReadLine(std::size_t maxChars, bool* cut) { return reader_.ReadLine(maxChars, cut); }

private:
    FileSource source_;
    LineReader reader_;
};

}  // namespace yorv
