// The file-system calls of the model run's inputs (open, read, close, delete) behind one seam, so
// that a test can watch them or make any one of them fail. The default is the real file system.
#pragma once

#include <cstddef>
#include <cstdio>
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

// The process's real file system: POSIX calls on Linux; on Windows the file calls with UTF-16
// names (CreateFileW, ReadFile, DeleteFileW), whose errors are given as the errno values the C
// runtime maps them to (ERROR_PATH_NOT_FOUND as ENOTDIR, so that it reads "Invalid filename").
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

// The characters that end a path's folder part: "/" on Linux; "\", "/" and the drive's ":" on
// Windows. A file name's extension is a "." after the last of them.
#ifdef _WIN32
inline constexpr const char* PathSeparators = "\\/:";
#else
inline constexpr const char* PathSeparators = "/";
#endif

// Opens a file that a tool writes, by its UTF-8 path with fopen's modes (on Windows through the
// path's UTF-16 form, so that any name works); nullptr and errno set when it fails.
std::FILE* OpenOutputFile(const std::string& path, const char* mode);

// Whether anything (a file, a folder) has this name.
bool PathExists(const std::string& path);

// Gives the file `from` the name `to` in one step, unless something already has that name, which
// is never replaced: 0, or -errno (-EEXIST when `to` exists). Both names lie in one folder, so a
// file written under a temporary name appears complete or not at all.
int RenameWithoutReplacing(const std::string& from, const std::string& to);

// Makes standard output take bytes unchanged: on Windows it would otherwise write CR LF for every
// LF. Nothing to do on Linux.
void UseBinaryStandardOutput();

} // namespace mouldview::runtime
