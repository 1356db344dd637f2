// An anonymous in-memory file holding a fuzzer's input, reachable by a path, so that the readers
// under test open and read it through their ordinary file code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace mouldview::fuzz {

class TMemoryFile {
public:
    TMemoryFile(const std::uint8_t* data, std::size_t size) : m_fd(memfd_create("fuzz-input", 0)) {
        if (m_fd < 0) {
            std::abort();
        }
        std::size_t written = 0;
        while (written < size) {
            const ssize_t n = write(m_fd, data + written, size - written);
            if (n <= 0) {
                std::abort();
            }
            written += static_cast<std::size_t>(n);
        }
        m_path = "/proc/self/fd/" + std::to_string(m_fd);
    }
    ~TMemoryFile() { close(m_fd); }
    TMemoryFile(const TMemoryFile&) = delete;
    TMemoryFile& operator=(const TMemoryFile&) = delete;

    const std::string& Path() const { return m_path; }

private:
    int m_fd;
    std::string m_path;
};

} // namespace mouldview::fuzz
