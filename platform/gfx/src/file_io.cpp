#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "gfx/image_error.h"

namespace vtl::gfx::detail {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

[[noreturn]] void failWith(const std::string& path, const char* what, int error) {
    throw ImageError(path + ": " + what + ": " + std::strerror(error));
}

}  // namespace

std::vector<std::uint8_t> readFileBytes(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) failWith(path, "cannot open", errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) failWith(path, "cannot read", errno);
    if (!S_ISREG(st.st_mode)) throw ImageError(path + ": not a regular file");
    if (static_cast<std::uint64_t>(st.st_size) > kMaxFileBytes) throw ImageError(path + ": file too large");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failWith(path, "cannot read", errno);
        if (n == 0) break;  // the file shrank while being read
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::string temp = path + ".XXXXXX";
    Fd fd(::mkstemp(temp.data()));
    if (fd.get() < 0) failWith(path, "cannot create", errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            ::unlink(temp.c_str());
            failWith(path, "cannot write", error);
        }
        done += static_cast<std::size_t>(n);
    }
    ::fchmod(fd.get(), 0644);
    if (::close(fd.release()) != 0 || ::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        failWith(path, "cannot write", error);
    }
}

}  // namespace vtl::gfx::detail
