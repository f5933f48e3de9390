#pragma once
// Reads a text file line by line in large blocks, without locale or per-line allocation. Lines are
// handed out without their line break ("\n" or "\r\n"); a last line without a break still counts.

#include <wx/string.h>

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

class LineReader {
public:
    explicit LineReader(
        const wxString& path);  // a plain file, read in blocks; anything else does not open
    explicit LineReader(std::string_view memory);  // reads a buffer the caller keeps alive
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool IsOpen() const { return open_; }
    // False at the end of the input or on a read error (see Failed()).
    bool Next(std::string_view& line) {
        // Inline for the common case, a whole line already in the buffer.
        const void* nl =
            data_ != end_ ? std::memchr(data_, '\n', std::size_t(end_ - data_)) : nullptr;
        if (nl == nullptr) return NextSlow(line);
        const char* stop = static_cast<const char*>(nl);
        const char* next = stop + 1;
        if (stop > data_ && stop[-1] == '\r') --stop;
        line = std::string_view(data_, std::size_t(stop - data_));
        data_ = next;
        ++lineNumber_;
        return true;
    }
    // Number of the line last returned by Next(), from 1.
    std::size_t LineNumber() const { return lineNumber_; }
    bool Failed() const { return failed_; }
    // Bytes not yet handed out; bounds any count the file claims before it sizes anything.
    std::uint64_t BytesLeft() const;

private:
    bool NextSlow(std::string_view& line);
    bool Fill();

    int fd_ = -1;
    bool open_ = false;
    bool eof_ = false;
    bool failed_ = false;
    std::uint64_t fileSize_ = 0;
    std::uint64_t consumed_ = 0;
    std::vector<char> buffer_;
    const char* data_ = nullptr;  // start of unread bytes
    const char* end_ = nullptr;
    std::size_t lineNumber_ = 0;
};
