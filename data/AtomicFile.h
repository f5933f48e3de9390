#pragma once
// Writes a file so that the old one survives any failure: the bytes go to a temporary file in the
// same folder, which is flushed, synced and then renamed over the target (over the file a link
// points to, so the link is kept).

#include <wx/string.h>

#include <string_view>
#include <vector>

class AtomicFile {
public:
    explicit AtomicFile(const wxString& path);
    ~AtomicFile();  // removes the temporary file unless Commit() succeeded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }

    // Buffered; a failed write is remembered and reported by Commit().
    void Write(const char* data, std::size_t size);
    void Write(std::string_view text) { Write(text.data(), text.size()); }

    // Room for at least `size` bytes at the end of the buffer; Advance() keeps what was written
    // there.
    char* Room(std::size_t size);
    void Advance(std::size_t used) { used_ += used; }

    // Flush, sync, rename over the target. False (with Error()) leaves the old file as it was.
    bool Commit();
    const wxString& Error() const { return error_; }

private:
    void WriteAll(const char* data, std::size_t size);
    void Flush();
    void Fail(const wxString& what, int err);

    wxString path_;
    wxString target_;  // path_, or the file it links to
    wxString tempPath_;
    int fd_ = -1;
    bool committed_ = false;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    wxString error_;
};
