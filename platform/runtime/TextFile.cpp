// Buffered line reading with read(2) in large sequential blocks.
#include "platform/runtime/TextFile.h"

#include "platform/runtime/Errors.h"
#include "platform/runtime/FileSystem.h"

#include <algorithm>
#include <cstring>

namespace mouldview::runtime {

namespace {
constexpr char CtrlZ = 26;
// Zero bytes after the sentinel: the read-ahead that scanners are promised.
constexpr std::size_t TrailingPadding = TTextFile::ReadAhead;
} // namespace

TTextFile::TTextFile(const std::string& path, std::size_t bufferSize)
    : m_path(path), m_fileSystem(&CurrentFileSystem()), m_size(std::max<std::size_t>(bufferSize, 2)) {
    // The buffer comes first: a failed allocation then leaves no descriptor behind.
    m_buffer = std::make_unique<char[]>(m_size + 1 + TrailingPadding);
    m_buffer[0] = '\n';
    const int descriptor = m_fileSystem->Open(path);
    if (descriptor < 0) {
        throw InOutErrorFromErrno(-descriptor, path);
    }
    m_fd = descriptor;
}

TTextFile::~TTextFile() {
    Close();
}

void TTextFile::Close() {
    if (m_fd >= 0) {
        m_fileSystem->Close(m_fd);
        m_fd = -1;
    }
}

void TTextFile::Fill() {
    char* buffer = m_buffer.get();
    if (m_pos > 0) {
        std::memmove(buffer, buffer + m_pos, m_end - m_pos);
        m_end -= m_pos;
        m_scanned -= m_pos;
        m_pos = 0;
    }
    while (m_end < m_size && !m_eof) {
        const long got = m_fileSystem->Read(m_fd, buffer + m_end, m_size - m_end);
        if (got < 0) {
            throw InOutErrorFromErrno(static_cast<int>(-got), m_path);
        }
        if (got == 0) {
            m_eof = true;
        } else {
            m_end += static_cast<std::size_t>(got);
        }
    }
    buffer[m_end] = '\n';
}

bool TTextFile::NextPiece(TLinePiece& piece) {
    if (m_ended) {
        return false;
    }
    char* buffer = m_buffer.get();
    for (;;) {
        const auto* lf = static_cast<const char*>(std::memchr(buffer + m_scanned, '\n', m_end - m_scanned));
        if (lf != nullptr) {
            const char* start = buffer + m_pos;
            auto length = static_cast<std::size_t>(lf - start);
            if (length > 0 && start[length - 1] == '\r') {
                --length;
            }
            piece = {std::string_view(start, length), true};
            m_pos = m_scanned = static_cast<std::size_t>(lf - buffer) + 1;
            break;
        }
        m_scanned = m_end;
        if (m_eof) {
            if (m_pos == m_end && m_atLineStart) {
                m_ended = true;
                return false;
            }
            piece = {std::string_view(buffer + m_pos, m_end - m_pos), true};
            m_pos = m_end;
            break;
        }
        if (m_pos > 0 || m_end < m_size) {
            Fill();
            continue;
        }
        // The buffer is full and holds no line end: hand out what is there. A CR at the very end
        // stays behind, because the LF that may follow it decides whether it is a line end.
        std::size_t length = m_end - m_pos;
        if (buffer[m_end - 1] == '\r') {
            --length;
        }
        piece = {std::string_view(buffer + m_pos, length), false};
        m_pos += length;
        break;
    }
    if (m_atLineStart) {
        ++m_lineNumber;
        if (!piece.Bytes.empty() && piece.Bytes.front() == CtrlZ) {
            m_ended = true;
            return false;
        }
    }
    m_atLineStart = piece.Complete;
    return true;
}

void TTextFile::SkipScannedLines(const char* next, std::int64_t lines) {
    m_pos = m_scanned = static_cast<std::size_t>(next - m_buffer.get());
    m_lineNumber += lines;
}

void TTextFile::AppendLineText(std::string& text, std::string_view bytes, bool& cut) {
    if (cut) {
        return;
    }
    if (const auto ctrlZ = bytes.find(CtrlZ); ctrlZ != std::string_view::npos) {
        bytes = bytes.substr(0, ctrlZ);
        cut = true;
    }
    while (!bytes.empty()) {
        const auto cr = bytes.find('\r');
        text.append(bytes.substr(0, cr));
        if (cr == std::string_view::npos) {
            break;
        }
        bytes.remove_prefix(cr + 1);
    }
}

bool TTextFile::ReadLine(std::string& line) {
    line.clear();
    bool cut = false;
    TLinePiece piece;
    if (!NextPiece(piece)) {
        return false;
    }
    AppendLineText(line, piece.Bytes, cut);
    while (!piece.Complete) {
        NextPiece(piece);
        AppendLineText(line, piece.Bytes, cut);
    }
    return true;
}

void DeleteFileIgnoringFailure(const std::string& path) {
    CurrentFileSystem().Unlink(path);
}

} // namespace mouldview::runtime
