#include "data/AtomicFile.h"

#include <cstring>

#include "data/BaseOnly.h"

namespace {
constexpr std::size_t kBufferSize = 1 << 20;
}

AtomicFile::AtomicFile(const wxString& path) : file_(path) {
    if (file_.IsOpen()) buffer_.resize(kBufferSize);
}

void AtomicFile::Flush() {
    file_.Write(buffer_.data(), used_);
    used_ = 0;
}

char* AtomicFile::Room(std::size_t size) {
    if (buffer_.size() - used_ < size) {
        Flush();
        if (buffer_.size() < size) buffer_.resize(size);
    }
    return buffer_.data() + used_;
}

void AtomicFile::Write(const char* data, std::size_t size) {
    if (size > buffer_.size() / 2) {
        Flush();
        file_.Write(data, size);
        return;
    }
    std::memcpy(Room(size), data, size);
    used_ += size;
}

bool AtomicFile::Commit() {
    if (!file_.IsOpen()) return false;
    Flush();
    return file_.Commit();
}
