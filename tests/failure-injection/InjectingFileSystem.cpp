// Records the calls and fails the chosen one before it reaches the real file system.
#include "InjectingFileSystem.h"

namespace mouldview::testing {

const char* CallName(TCall call) {
    switch (call) {
    case TCall::Open:
        return "open";
    case TCall::Read:
        return "read";
    case TCall::Close:
        return "close";
    case TCall::Unlink:
        return "unlink";
    }
    return "?";
}

void TInjectingFileSystem::FailAt(TCall call, std::size_t index, int errorNumber) {
    m_failure = TFailure{call, index, errorNumber};
}

std::vector<std::string> TInjectingFileSystem::OpenFiles() const {
    std::vector<std::string> paths;
    for (const auto& [descriptor, path] : m_open) {
        paths.push_back(path);
    }
    return paths;
}

int TInjectingFileSystem::Injected(TCall call) {
    const std::size_t index = m_counts[call]++;
    if (m_failure && m_failure->Call == call && m_failure->Index == index) {
        return m_failure->ErrorNumber;
    }
    return 0;
}

std::string TInjectingFileSystem::PathOf(int descriptor) const {
    const auto found = m_open.find(descriptor);
    return found == m_open.end() ? "<not open>" : found->second;
}

int TInjectingFileSystem::Open(const std::string& path) {
    int result = -Injected(TCall::Open);
    if (result == 0) {
        result = runtime::RealFileSystem().Open(path);
    }
    if (result >= 0) {
        m_open[result] = path;
    }
    m_calls.push_back({TCall::Open, path, result < 0 ? -result : 0});
    return result;
}

long TInjectingFileSystem::Read(int descriptor, char* buffer, std::size_t size) {
    long result = -Injected(TCall::Read);
    if (result == 0) {
        const std::size_t limit = m_readLimit > 0 && m_readLimit < size ? m_readLimit : size;
        result = runtime::RealFileSystem().Read(descriptor, buffer, limit);
    }
    m_calls.push_back({TCall::Read, PathOf(descriptor), result < 0 ? static_cast<int>(-result) : 0});
    return result;
}

void TInjectingFileSystem::Close(int descriptor) {
    m_calls.push_back({TCall::Close, PathOf(descriptor), 0});
    m_open.erase(descriptor);
    runtime::RealFileSystem().Close(descriptor);
}

int TInjectingFileSystem::Unlink(const std::string& path) {
    int result = -Injected(TCall::Unlink);
    if (result == 0) {
        result = runtime::RealFileSystem().Unlink(path);
    }
    m_calls.push_back({TCall::Unlink, path, -result});
    return result;
}

} // namespace mouldview::testing
