#pragma once
// Reads a text file line by line in large blocks, without locale or per-line allocation. Lines are
// handed out without their line break ("\n" or "\r\n"); a last line without a break still counts.

#include <wx/string.h>

#include <cstdint>
#include <string_view>
#include <vector>

class LineReader {
public:
    explicit LineReader(const wxString& path);     // reads the file in blocks
    explicit LineReader(std::string_view memory);  // reads a buffer the caller keeps alive
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool IsOpen() const { return open_; }
    // False at the end of the input or on a read error (see Failed()).
    bool Next(std::string_view& line);
    // Number of the line last returned by Next(), from 1.
    std::size_t LineNumber() const { return lineNumber_; }
    bool Failed() const { return failed_; }
    // Bytes not yet handed out; bounds any count the file claims before it sizes anything.
    std::uint64_t BytesLeft() const;

private:
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
