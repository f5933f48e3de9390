#include "data/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wx/filename.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "data/BaseOnly.h"

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

std::string Narrow(const wxString& path) { return std::string(path.fn_str()); }

wxString ErrnoText(int err) { return wxString(std::strerror(err), wxConvLocal); }

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

AtomicFile::AtomicFile(const wxString& path) : path_(path), target_(LinkTarget(path)) {
    wxFileName name(target_);
    const wxString dir = name.GetPath().empty() ? wxString(".") : name.GetPath();
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        // The start of the name is enough to tell whose it is; the whole of a long one would not
        // fit.
        tempPath_ = dir + "/." + name.GetFullName().Left(40) +
                    wxString::Format(".tmp-%ld-%u", long(getpid()), counter++);
        fd_ = ::open(Narrow(tempPath_).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        Fail("Cannot create a temporary file in " + dir, errno);
        tempPath_.clear();
        return;
    }
    // A file that is replaced keeps its permissions.
    struct stat old {};
    if (::stat(Narrow(target_).c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd_, old.st_mode & 07777);
    buffer_.resize(kBufferSize);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !tempPath_.empty()) ::unlink(Narrow(tempPath_).c_str());
}

void AtomicFile::Fail(const wxString& what, int err) {
    if (!error_.empty()) return;
    error_ = what + ": " + ErrnoText(err);
}

void AtomicFile::WriteAll(const char* data, std::size_t size) {
    while (fd_ >= 0 && error_.empty() && size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail("Cannot write " + path_, errno);
            break;
        }
        data += n;
        size -= std::size_t(n);
    }
}

void AtomicFile::Flush() {
    WriteAll(buffer_.data(), used_);
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
        WriteAll(data, size);
        return;
    }
    std::memcpy(Room(size), data, size);
    used_ += size;
}

bool AtomicFile::Commit() {
    if (fd_ < 0) return false;
    Flush();
    if (error_.empty() && ::fsync(fd_) != 0) Fail("Cannot write " + path_, errno);
    if (::close(fd_) != 0) Fail("Cannot write " + path_, errno);
    fd_ = -1;
    if (!error_.empty()) return false;
    if (::rename(Narrow(tempPath_).c_str(), Narrow(target_).c_str()) != 0) {
        Fail("Cannot replace " + path_, errno);
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
