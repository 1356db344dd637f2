// Output files through the C library's streams, their failures turned into EInOutError.
#include "platform/runtime/OutputFile.h"

#include "platform/runtime/Errors.h"
#include "platform/runtime/FileSystem.h"

#include <cerrno>
#include <memory>

namespace mouldview::runtime {

void WriteOutputFile(const std::string& path, const std::function<void(std::FILE*)>& write) {
    // Closed on every way out; a failed close is only reported on the normal way.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenOutputFile(path, "wb"), &std::fclose);
    if (file == nullptr) {
        throw InOutErrorFromErrno(errno, path);
    }
    write(file.get());
    // The error number of a failed write is the one that counts, not what closing adds.
    const bool writeFailed = std::ferror(file.get()) != 0;
    const int writeError = errno;
    if (std::fclose(file.release()) != 0 || writeFailed) {
        throw InOutErrorFromErrno(writeFailed ? writeError : errno, path);
    }
}

} // namespace mouldview::runtime
