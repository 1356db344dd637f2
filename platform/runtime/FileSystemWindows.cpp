// The real file system on Windows: the file calls with UTF-16 names. A file's handle is handed
// out as a C runtime descriptor (_open_osfhandle), so the file-system seam stays the same on both
// systems.
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/WideText.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace mouldview::runtime {

namespace {

// The errno value for a system error, as the C runtime maps them; a missing directory on the
// way to the file is told apart from a missing file, which the messages need.
int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return ENOENT;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ENOTDIR;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_TOO_MANY_OPEN_FILES:
        return EMFILE;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    default:
        return EIO;
    }
}

class TWindowsFileSystem final : public TFileSystem {
public:
    int Open(const std::string& path) override {
        // Others may read and write the file meanwhile, as a simulation program that still holds
        // its output open may; a directory cannot be opened this way (access denied).
        const HANDLE file =
            CreateFileW(Utf16FromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return -ErrnoOf(GetLastError());
        }
        const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY);
        if (descriptor < 0) {
            CloseHandle(file);
            return -EMFILE;
        }
        return descriptor;
    }

    long Read(int descriptor, char* buffer, std::size_t size) override {
        const auto file = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
        DWORD got = 0;
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, std::size_t{1} << 30));
        if (!ReadFile(file, buffer, wanted, &got, nullptr)) {
            return -ErrnoOf(GetLastError());
        }
        return static_cast<long>(got);
    }

    void Close(int descriptor) override { _close(descriptor); }

    int Unlink(const std::string& path) override {
        return DeleteFileW(Utf16FromUtf8(path).c_str()) ? 0 : -ErrnoOf(GetLastError());
    }
};

} // namespace

TFileSystem& RealFileSystem() {
    static TWindowsFileSystem real;
    return real;
}

std::FILE* OpenOutputFile(const std::string& path, const char* mode) {
    return _wfopen(Utf16FromUtf8(path).c_str(), Utf16FromUtf8(mode).c_str());
}

bool PathExists(const std::string& path) {
    return GetFileAttributesW(Utf16FromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

int RenameWithoutReplacing(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING an existing target makes the move fail.
    if (MoveFileExW(Utf16FromUtf8(from).c_str(), Utf16FromUtf8(to).c_str(), 0)) {
        return 0;
    }
    return -ErrnoOf(GetLastError());
}

void UseBinaryStandardOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
}

} // namespace mouldview::runtime
