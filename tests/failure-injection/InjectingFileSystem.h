// A file system for tests that passes every call on to the real one, records it, and makes one
// chosen open, read or delete fail with a given system error number instead.
#pragma once

#include "platform/runtime/FileSystem.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mouldview::testing {

enum class TCall { Open, Read, Close, Unlink };

const char* CallName(TCall call);

struct TCallRecord {
    TCall Call;
    std::string Path;
    int Error = 0; // the system error number returned, 0 for success
};

class TInjectingFileSystem final : public runtime::TFileSystem {
public:
    // Makes the call-th call (counted from 0) of the given kind fail with errorNumber.
    void FailAt(TCall call, std::size_t index, int errorNumber);
    // Hands out at most this many bytes per read, as a pipe or a network file system may.
    void SetReadLimit(std::size_t bytes) { m_readLimit = bytes; }

    const std::vector<TCallRecord>& Calls() const { return m_calls; }
    // Paths of the descriptors opened and not yet closed.
    std::vector<std::string> OpenFiles() const;

    int Open(const std::string& path) override;
    long Read(int descriptor, char* buffer, std::size_t size) override;
    void Close(int descriptor) override;
    int Unlink(const std::string& path) override;

private:
    struct TFailure {
        TCall Call;
        std::size_t Index;
        int ErrorNumber;
    };
    // The error to return for the next call of this kind, 0 to let it through; counts the call.
    int Injected(TCall call);
    std::string PathOf(int descriptor) const;

    std::optional<TFailure> m_failure;
    std::size_t m_readLimit = 0; // 0: no limit
    std::map<TCall, std::size_t> m_counts;
    std::map<int, std::string> m_open;
    std::vector<TCallRecord> m_calls;
};

} // namespace mouldview::testing
