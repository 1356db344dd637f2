// The file-system calls of the model run's inputs (open, read, close, delete) behind one seam, so
// that a test can watch them or make any one of them fail. The default is the real file system.
#pragma once

#include <cstddef>
#include <string>

namespace mouldview::runtime {

// Errors come back as negative system error numbers (-ENOENT ...), never through errno, so that
// nothing between the failing call and the raised error can change them.
class TFileSystem {
public:
    virtual ~TFileSystem() = default;

    // Opens path for sequential reading: a descriptor >= 0, or -errno. A directory is refused
    // with -EISDIR.
    virtual int Open(const std::string& path) = 0;
    // Reads up to size bytes into buffer: the count (0 at the end of the file), or -errno.
    // An interrupted read is retried, never reported.
    virtual long Read(int descriptor, char* buffer, std::size_t size) = 0;
    virtual void Close(int descriptor) = 0;
    // Deletes the file path: 0, or -errno.
    virtual int Unlink(const std::string& path) = 0;
};

// The process's real file system (POSIX calls).
TFileSystem& RealFileSystem();

// The file system that text files and deletions use from now on: the real one unless a
// TFileSystemOverride is in force.
TFileSystem& CurrentFileSystem();

// Puts another file system in place for as long as the object lives, then restores the previous
// one. Files opened meanwhile keep the file system they were opened with.
class TFileSystemOverride {
public:
    explicit TFileSystemOverride(TFileSystem& fileSystem);
    ~TFileSystemOverride();
    TFileSystemOverride(const TFileSystemOverride&) = delete;
    TFileSystemOverride& operator=(const TFileSystemOverride&) = delete;

private:
    TFileSystem* m_previous;
};

} // namespace mouldview::runtime
