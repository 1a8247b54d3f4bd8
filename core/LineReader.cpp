#include "core/LineReader.h"

#include <cstring>

namespace yorv {

std::size_t MemorySource::Read(char* buffer, std::size_t size)
{
    const std::size_t n = std::min(size, data_.size() - pos_);
    std::memcpy(buffer, data_.data() + pos_, n);
    pos_ += n;
    return n;
}

LineReader::LineReader(ByteSource& source, std::size_t chunkSize)
    : source_(source), buffer_(chunkSize == 0 ? 1 : chunkSize)
{
}

bool LineReader::Fill()
{
    pos_ = 0;
    len_ = 0;
    if (drained_)
        return false;
    len_ = source_.Read(buffer_.data(), buffer_.size());
    if (len_ == 0)
        drained_ = true;
    return len_ > 0;
}

bool LineReader::AtEnd()
{
    if (ended_)
        return true;
    if (pos_ == len_ && !Fill())
        return true;
    if (buffer_[pos_] == kCtrlZ)
        ended_ = true;
    return ended_;
}

std::string LineReader::ReadLine()
{
    return ReadLine(std::string::npos, nullptr);
}

std::string LineReader::ReadLine(std::size_t maxChars, bool* cut)
{
    std::string line;
    if (cut)
        *cut = false;
    if (ended_)
        return line;
    for (;;) {
        if (pos_ == len_ && !Fill())
            return line;
        const char* begin = buffer_.data() + pos_;
        const std::size_t avail = len_ - pos_;
        const char* cr = static_cast<const char*>(std::memchr(begin, '\r', avail));
        const std::size_t upToCr = cr ? static_cast<std::size_t>(cr - begin) : avail;
        const char* eof = static_cast<const char*>(std::memchr(begin, kCtrlZ, upToCr));
        const std::size_t take = eof ? static_cast<std::size_t>(eof - begin) : upToCr;

        const std::size_t room = maxChars - line.size();
        if (take > room) {
            line.append(begin, room);
            pos_ += room;
            if (cut)
                *cut = true;
            return line;
        }
        line.append(begin, take);
        pos_ += take;
        if (eof) {
            ended_ = true;
            return line;
        }
        if (!cr)
            continue;
        ++pos_;  // the CR
        if (pos_ == len_ && !Fill())
            return line;
        if (buffer_[pos_] == '\n')
            ++pos_;
        return line;
    }
}

}  // namespace yorv
