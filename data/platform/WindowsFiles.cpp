// The toolkit's wrapper first: it includes the Windows headers in the order they need.
// clang-format off
#include <wx/msw/wrapwin.h>
#include <shlobj.h>
// clang-format on

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/utils.h>

#include <algorithm>
#include <atomic>
#include <climits>

#include "data/BaseOnly.h"
#include "data/platform/FileReplace.h"
#include "data/platform/SystemFiles.h"

namespace {

HANDLE AsHandle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

}  // namespace

int OpenPlainFileForReading(const wxString& path, std::uint64_t& size) {
    const int fd = ::_wopen(path.wc_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) return -1;
    struct _stati64 st {};
    if (::_fstati64(fd, &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) {
        ::_close(fd);
        return -1;
    }
    size = std::uint64_t(st.st_size);
    return fd;
}

long ReadFileBytes(int fd, char* buffer, std::size_t size) {
    return ::_read(fd, buffer, unsigned(std::min<std::size_t>(size, INT_MAX)));
}

void CloseFile(int fd) { ::_close(fd); }

wxString UserConfigDirWithoutApp() {
    wxString dir;
    if (wxGetEnv("APPDATA", &dir) && !dir.empty()) return dir;
    wchar_t buffer[MAX_PATH] = {};
    if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer)))
        return wxString(buffer);
    return wxFileName::GetHomeDir();
}

FileReplace::FileReplace(const wxString& path) : path_(path), target_(path) {
    wxFileName name(target_);
    const wxString dir = name.GetPath().empty() ? wxString(".") : name.GetPath();
    static std::atomic<unsigned> counter{0};
    DWORD err = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 100 && handle_ == kClosed; ++attempt) {
        // The start of the name is enough to tell whose it is; the whole of a long one would not
        // fit.
        tempPath_ = dir + "\\." + name.GetFullName().Left(40) +
                    wxString::Format(".tmp-%lu-%u", ::GetCurrentProcessId(), counter++);
        // Written through: once Commit() has closed it, its bytes are on the disk.
        const HANDLE h = ::CreateFileW(tempPath_.wc_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            handle_ = reinterpret_cast<std::intptr_t>(h);
            break;
        }
        err = ::GetLastError();
        if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS) break;
    }
    if (handle_ == kClosed) {
        tempPath_.clear();
        // Only a folder that refuses new files: on a full disk the file would not fit in place
        // either, and the old one would be lost.
        if (err == ERROR_ACCESS_DENIED && OpenInPlace()) return;
        Fail("Cannot create a temporary file in " + dir, err);
    }
}

bool FileReplace::OpenInPlace() {
    // A file the user made read-only stays as it is, as the replacing save leaves it.
    const DWORD attributes = ::GetFileAttributesW(target_.wc_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;
    const HANDLE h = ::CreateFileW(target_.wc_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<std::intptr_t>(h);
    inPlace_ = true;
    return true;
}

bool FileReplace::EmptyInPlace() {
    if (!inPlace_ || emptied_) return true;
    // Nothing was written yet, so the file pointer is at the start: the file ends there.
    if (!::SetEndOfFile(AsHandle(handle_))) {
        Fail(WriteFailure(), ::GetLastError());
        return false;
    }
    emptied_ = true;
    return true;
}

FileReplace::~FileReplace() {
    Close();
    if (!committed_ && !tempPath_.empty()) ::DeleteFileW(tempPath_.wc_str());
}

void FileReplace::Close() {
    if (handle_ == kClosed) return;
    if (!::CloseHandle(AsHandle(handle_))) Fail(WriteFailure(), ::GetLastError());
    handle_ = kClosed;
}

void FileReplace::Fail(const wxString& what, unsigned long code) {
    if (!error_.empty()) return;
    error_ = what + ": " + wxSysErrorMsgStr(code);
}

bool FileReplace::Write(const char* data, std::size_t size) {
    if (size > 0 && handle_ != kClosed && error_.empty() && !EmptyInPlace()) return false;
    while (handle_ != kClosed && error_.empty() && size > 0) {
        const DWORD chunk = DWORD(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(AsHandle(handle_), data, chunk, &written, nullptr) || written == 0) {
            Fail(WriteFailure(), ::GetLastError());
            break;
        }
        data += written;
        size -= written;
    }
    return handle_ != kClosed && error_.empty();
}

bool FileReplace::Commit() {
    if (handle_ == kClosed) return false;
    if (error_.empty()) EmptyInPlace();  // nothing was written: the new content is empty
    if (error_.empty() && !::FlushFileBuffers(AsHandle(handle_)))
        Fail(WriteFailure(), ::GetLastError());
    Close();
    if (!error_.empty()) return false;
    if (inPlace_) {
        committed_ = true;
        return true;
    }
    // MoveFileExW rather than ReplaceFileW: both refuse a file another program holds open or one
    // made read-only, but a failed ReplaceFileW may leave a temporary file of its own beside the
    // target (seen under Wine), and a data file needs no more than the folder's own security.
    DWORD err = ERROR_SUCCESS;
    const DWORD attributes = ::GetFileAttributesW(target_.wc_str());
    bool replaced = false;
    // A folder, or a file the user made read-only, is refused as Windows itself refuses it (Wine
    // would replace the read-only file).
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
        err = ERROR_ACCESS_DENIED;
    } else {
        replaced = ::MoveFileExW(tempPath_.wc_str(), target_.wc_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!replaced) err = ::GetLastError();
    }
    if (!replaced) {
        Fail("Cannot replace " + path_, err);
        return false;
    }
    committed_ = true;
    return true;
}
