#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wx/filename.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "data/BaseOnly.h"
#include "data/platform/FileReplace.h"
#include "data/platform/SystemFiles.h"

namespace {

std::string Narrow(const wxString& path) { return std::string(path.fn_str()); }

// A link stays a link: the file it points to is the one replaced.
wxString LinkTarget(const wxString& path) {
    struct stat st {};
    if (::lstat(Narrow(path).c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = ::realpath(Narrow(path).c_str(), nullptr);
    if (real == nullptr) return path;
    const wxString resolved(real, *wxConvFileName);
    std::free(real);
    return resolved.empty() ? path : resolved;
}

}  // namespace

int OpenPlainFileForReading(const wxString& path, std::uint64_t& size) {
    // O_NONBLOCK keeps the open of a pipe from waiting for a writer; it changes nothing for a plain
    // file.
    const int fd = ::open(Narrow(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    size = std::uint64_t(st.st_size);
    return fd;
}

long ReadFileBytes(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n < 0 && errno == EINTR) continue;
        return long(n);
    }
}

void CloseFile(int fd) { ::close(fd); }

wxString UserConfigDirWithoutApp() { return wxFileName::GetHomeDir(); }

FileReplace::FileReplace(const wxString& path) : path_(path), target_(LinkTarget(path)) {
    wxFileName name(target_);
    const wxString dir = name.GetPath().empty() ? wxString(".") : name.GetPath();
    static std::atomic<unsigned> counter{0};
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        // The start of the name is enough to tell whose it is; the whole of a long one would not
        // fit.
        tempPath_ = dir + "/." + name.GetFullName().Left(40) +
                    wxString::Format(".tmp-%ld-%u", long(getpid()), counter++);
        fd = ::open(Narrow(tempPath_).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const int err = errno;
        tempPath_.clear();
        // Only a folder that refuses new files: on a full disk the file would not fit in place
        // either, and the old one would be lost.
        if ((err == EACCES || err == EPERM) && OpenInPlace()) return;
        Fail("Cannot create a temporary file in " + dir, unsigned(err));
        return;
    }
    handle_ = fd;
    // A file that is replaced keeps its permissions.
    struct stat old {};
    if (::stat(Narrow(target_).c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
}

bool FileReplace::OpenInPlace() {
    struct stat st {};
    if (::stat(Narrow(target_).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const int fd = ::open(Narrow(target_).c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    handle_ = fd;
    inPlace_ = true;
    return true;
}

bool FileReplace::EmptyInPlace() {
    if (!inPlace_ || emptied_) return true;
    if (::ftruncate(int(handle_), 0) != 0) {
        Fail(WriteFailure(), unsigned(errno));
        return false;
    }
    emptied_ = true;
    return true;
}

FileReplace::~FileReplace() {
    Close();
    if (!committed_ && !tempPath_.empty()) ::unlink(Narrow(tempPath_).c_str());
}

void FileReplace::Close() {
    if (handle_ == kClosed) return;
    if (::close(int(handle_)) != 0) Fail(WriteFailure(), unsigned(errno));
    handle_ = kClosed;
}

void FileReplace::Fail(const wxString& what, unsigned long code) {
    if (!error_.empty()) return;
    error_ = what + ": " + wxString(std::strerror(int(code)), wxConvLocal);
}

bool FileReplace::Write(const char* data, std::size_t size) {
    if (size > 0 && handle_ != kClosed && error_.empty() && !EmptyInPlace()) return false;
    while (handle_ != kClosed && error_.empty() && size > 0) {
        const ssize_t n = ::write(int(handle_), data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(WriteFailure(), unsigned(errno));
            break;
        }
        data += n;
        size -= std::size_t(n);
    }
    return handle_ != kClosed && error_.empty();
}

bool FileReplace::Commit() {
    if (handle_ == kClosed) return false;
    if (error_.empty()) EmptyInPlace();  // nothing was written: the new content is empty
    if (error_.empty() && ::fsync(int(handle_)) != 0) Fail(WriteFailure(), unsigned(errno));
    Close();
    if (!error_.empty()) return false;
    if (inPlace_) {
        committed_ = true;
        return true;
    }
    if (::rename(Narrow(tempPath_).c_str(), Narrow(target_).c_str()) != 0) {
        Fail("Cannot replace " + path_, unsigned(errno));
        return false;
    }
    committed_ = true;
    // Make the rename itself durable; a failure here no longer endangers the old or new file.
    const wxString dir = wxFileName(target_).GetPath();
    const int dirFd = ::open(Narrow(dir.empty() ? wxString(".") : dir).c_str(),
                             O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}
