#include "data/LineReader.h"

#include <cstring>

#include "data/BaseOnly.h"
#include "data/platform/SystemFiles.h"

namespace {
constexpr std::size_t kBlock = 1 << 20;
}

LineReader::LineReader(const wxString& path) {
    fd_ = OpenPlainFileForReading(path, fileSize_);
    if (fd_ < 0) return;
    open_ = true;
    buffer_.resize(kBlock);
    data_ = end_ = buffer_.data();
}

LineReader::LineReader(std::string_view memory)
    : open_(true), eof_(true), fileSize_(memory.size()) {
    data_ = memory.data();
    end_ = memory.data() + memory.size();
}

LineReader::~LineReader() {
    if (fd_ >= 0) CloseFile(fd_);
}

std::uint64_t LineReader::BytesLeft() const {
    if (fd_ < 0) return std::uint64_t(end_ - data_);
    const std::uint64_t pending = std::uint64_t(end_ - data_);
    return fileSize_ > consumed_ ? fileSize_ - consumed_ + pending : pending;
}

// Moves the unread tail to the front of the buffer and reads more after it; grows the buffer only
// when a single line is longer than it.
bool LineReader::Fill() {
    if (eof_ || failed_) return false;
    const std::size_t pending = std::size_t(end_ - data_);
    if (pending > 0 && data_ != buffer_.data()) std::memmove(buffer_.data(), data_, pending);
    if (pending == buffer_.size()) buffer_.resize(buffer_.size() * 2);
    char* base = buffer_.data();
    const long n = ReadFileBytes(fd_, base + pending, buffer_.size() - pending);
    data_ = base;
    end_ = base + pending;
    if (n < 0) {
        failed_ = true;
        return false;
    }
    if (n == 0) {
        eof_ = true;
        return false;
    }
    end_ += n;
    consumed_ += std::uint64_t(n);
    return true;
}

bool LineReader::NextSlow(std::string_view& line) {
    if (!open_) return false;
    const char* scanFrom = data_;
    for (;;) {
        const char* nl =
            static_cast<const char*>(std::memchr(scanFrom, '\n', std::size_t(end_ - scanFrom)));
        if (nl != nullptr) {
            const char* stop = nl;
            if (stop > data_ && stop[-1] == '\r') --stop;
            line = std::string_view(data_, std::size_t(stop - data_));
            data_ = nl + 1;
            ++lineNumber_;
            return true;
        }
        const std::size_t scanned = std::size_t(end_ - data_);
        if (!Fill()) break;
        scanFrom = data_ + scanned;
    }
    if (failed_ || data_ == end_) return false;
    const char* stop = end_;
    if (stop[-1] == '\r') --stop;
    line = std::string_view(data_, std::size_t(stop - data_));
    data_ = end_;
    ++lineNumber_;
    return true;
}
