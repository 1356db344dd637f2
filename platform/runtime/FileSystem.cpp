// The switch that lets a test put another file system in place of the real one.
#include "platform/runtime/FileSystem.h"

namespace mouldview::runtime {

namespace {

TFileSystem* current = nullptr;

} // namespace

TFileSystem& CurrentFileSystem() {
    return current != nullptr ? *current : RealFileSystem();
}

TFileSystemOverride::TFileSystemOverride(TFileSystem& fileSystem) : m_previous(current) {
    current = &fileSystem;
}

TFileSystemOverride::~TFileSystemOverride() {
    current = m_previous;
}

} // namespace mouldview::runtime
