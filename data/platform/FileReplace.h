#pragma once
// The system half of a safe save: a new file beside the target that takes the target's place in one
// step, or leaves it as it was. On POSIX a temporary file is synced and renamed over the target
// (over the file a link points to, so the link is kept), then the folder is synced. On Windows the
// temporary file is written through to the disk, flushed, and MoveFileExW (replace existing,
// write through) puts it in the target's place.
//
// A folder that refuses new files (no write permission) may still hold a file the user can write:
// then that file is written in place, as programs without a safe save do, rather than not at all.
// It is emptied on the first write, so a failure part way leaves it short, not mixed with the old
// bytes, and the error says it is now incomplete.

#include <wx/string.h>

#include <cstddef>
#include <cstdint>

class FileReplace {
public:
    explicit FileReplace(const wxString& path);
    ~FileReplace();  // removes the temporary file unless Commit() succeeded
    FileReplace(const FileReplace&) = delete;
    FileReplace& operator=(const FileReplace&) = delete;

    bool IsOpen() const { return handle_ != kClosed; }

    // Unbuffered; false (with Error()) on the first failure, and every call after it.
    bool Write(const char* data, std::size_t size);

    // Sync, close, replace the target. False (with Error()) leaves the old file as it was.
    bool Commit();
    const wxString& Error() const { return error_; }

private:
    static constexpr std::intptr_t kClosed = -1;  // also INVALID_HANDLE_VALUE

    void Fail(const wxString& what, unsigned long code);
    void Close();
    bool OpenInPlace();
    bool EmptyInPlace();  // before the first byte written in place
    wxString WriteFailure() const;

    wxString path_;
    wxString target_;
    wxString tempPath_;
    std::intptr_t handle_ = kClosed;  // a file descriptor, or a HANDLE on Windows
    bool committed_ = false;
    bool inPlace_ = false;
    bool emptied_ = false;  // the target written in place has lost its old bytes
    wxString error_;
};
