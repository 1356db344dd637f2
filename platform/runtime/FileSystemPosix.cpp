// The real file system on Linux: POSIX calls.
#include "platform/runtime/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mouldview::runtime {

namespace {

class TPosixFileSystem final : public TFileSystem {
public:
    int Open(const std::string& path) override {
        const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0) {
            return -errno;
        }
        struct stat info {};
        if (::fstat(descriptor, &info) == 0 && S_ISDIR(info.st_mode)) {
            ::close(descriptor);
            return -EISDIR;
        }
        ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_SEQUENTIAL);
        return descriptor;
    }

    long Read(int descriptor, char* buffer, std::size_t size) override {
        for (;;) {
            const ssize_t got = ::read(descriptor, buffer, size);
            if (got >= 0) {
                return static_cast<long>(got);
            }
            if (errno != EINTR) {
                return -errno;
            }
        }
    }

    void Close(int descriptor) override { ::close(descriptor); }

    int Unlink(const std::string& path) override { return ::unlink(path.c_str()) == 0 ? 0 : -errno; }
};

} // namespace

TFileSystem& RealFileSystem() {
    static TPosixFileSystem real;
    return real;
}

std::FILE* OpenOutputFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

int RenameWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return -errno;
    }
    // A file system without the no-replace rename: a second hard link fails just as well when
    // the name is taken, and the temporary name is removed after it.
    if (::link(from.c_str(), to.c_str()) != 0) {
        return -errno;
    }
    ::unlink(from.c_str());
    return 0;
}

void UseBinaryStandardOutput() {}

} // namespace mouldview::runtime
