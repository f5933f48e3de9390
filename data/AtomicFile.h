#pragma once
// Writes a file so that the old one survives any failure: the bytes are buffered here and go to a
// new file beside the target that replaces it only when all of them are on the disk
// (data/platform/FileReplace.h does that the way each system allows).

#include <wx/string.h>

#include <string_view>
#include <vector>

#include "data/platform/FileReplace.h"

class AtomicFile {
public:
    explicit AtomicFile(const wxString& path);
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool IsOpen() const { return file_.IsOpen(); }

    // Buffered; a failed write is remembered and reported by Commit().
    void Write(const char* data, std::size_t size);
    void Write(std::string_view text) { Write(text.data(), text.size()); }

    // Room for at least `size` bytes at the end of the buffer; Advance() keeps what was written
    // there.
    char* Room(std::size_t size);
    void Advance(std::size_t used) { used_ += used; }

    // Flush, sync, replace the target. False (with Error()) leaves the old file as it was.
    bool Commit();
    const wxString& Error() const { return file_.Error(); }

private:
    void Flush();

    FileReplace file_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};
