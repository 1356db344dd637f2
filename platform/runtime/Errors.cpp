// Error classes of a model run and the mapping of system error numbers to their texts.
#include "platform/runtime/Errors.h"

#include <cerrno>
#include <string_view>
#include <sys/stat.h>

namespace mouldview::runtime {

namespace {

// FNV-1a over the raising function's file and line: a fixed code per raising place.
std::uint32_t CodeOf(const std::source_location& where) {
    std::uint32_t hash = 2166136261u;
    auto mix = [&hash](std::string_view text) {
        for (const char c : text) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 16777619u;
        }
    };
    std::string_view file = where.file_name();
    // Only the project-relative part, so the code does not depend on where the sources lie.
    for (const std::string_view layer : {"platform/", "model/", "tools/", "ui/"}) {
        if (const auto at = file.rfind(layer); at != std::string_view::npos) {
            file.remove_prefix(at);
            break;
        }
    }
    mix(file);
    mix(std::to_string(where.line()));
    return hash;
}

// Whether the directory part of a path exists, which tells "File not found" (the directory is
// there, the file is not) from "Invalid filename" (the path leads nowhere).
bool ParentDirectoryExists(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return true;
    }
    const std::string parent = slash == 0 ? "/" : path.substr(0, slash);
    struct stat info {};
    return ::stat(parent.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

ERunError::ERunError(const std::string& message, std::source_location raisedAt)
    : std::runtime_error(message), m_message(message), m_codeAddress(CodeOf(raisedAt)) {}

void ERunError::SetLocation(std::string fileName, std::int64_t lineNumber) {
    m_fileName = std::move(fileName);
    m_lineNumber = lineNumber;
}

EInOutError::EInOutError(int errorCode, const std::string& message, std::source_location raisedAt)
    : ERunError(message, raisedAt), m_errorCode(errorCode) {}

EOverflow::EOverflow(std::source_location raisedAt) : ERunError("Floating point overflow", raisedAt) {}

EInOutError InOutErrorFromErrno(int errnoValue, const std::string& path, std::source_location raisedAt) {
    std::string message;
    switch (errnoValue) {
    case ENOENT:
        message = ParentDirectoryExists(path) ? "File not found" : "Invalid filename";
        break;
    case ENOTDIR:
    case ENAMETOOLONG:
        message = "Invalid filename";
        break;
    case EMFILE:
    case ENFILE:
        message = "Too many open files";
        break;
    case EACCES:
    case EPERM:
    case EISDIR: // A directory opened as a file is refused like a file without read access.
        message = "File access denied";
        break;
    default:
        message = "I/O error " + std::to_string(errnoValue);
        break;
    }
    EInOutError error(errnoValue, message, raisedAt);
    error.SetLocation(path, 0);
    return error;
}

} // namespace mouldview::runtime
