// A text file read line by line with the program's line rules, streaming through one bounded
// buffer: lines of any length and files of any size, never a second copy of the file in memory.
//
// Line rules: a line ends at a line feed (LF) or at a carriage return followed by a line feed
// (CR LF). A CR that is not followed by an LF does not end the line and is dropped from its text.
// A Ctrl-Z (code 26) at the start of a line ends the file; inside a line it ends that line's text
// and the rest of the line up to its line end is skipped. The last line needs no line end; a file
// that ends with a line end has no extra empty line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace mouldview::runtime {

class TFileSystem;

class TTextFile {
public:
    // Large enough that the system calls cost little, small enough that the buffer shares the
    // processor's second-level cache with the tables a reader looks up while it parses (with a
    // 1 MiB cache, 256 KiB read measurably slower).
    static constexpr std::size_t DefaultBufferSize = std::size_t{1} << 17;
    // Readable bytes that always follow the line-end sentinel behind the buffered bytes (and the
    // CR or LF behind every piece), so that a scanner may load a few bytes at once from any
    // position up to the sentinel without a bounds check.
    static constexpr std::size_t ReadAhead = 64;

    // Opens the file for reading through the current file system; raises EInOutError ("File not
    // found", "File access denied" ...).
    explicit TTextFile(const std::string& path, std::size_t bufferSize = DefaultBufferSize);
    ~TTextFile();
    TTextFile(const TTextFile&) = delete;
    TTextFile& operator=(const TTextFile&) = delete;

    // A stretch of one line's raw bytes: the line end (LF or CR LF) is removed, lone CRs and a
    // Ctrl-Z are still in it. A line longer than the buffer comes in several pieces; the last
    // piece of a line has Complete set. The byte right after every piece is always a CR or an LF
    // (the buffer keeps one behind each piece), so a scanner that stops at CR and LF needs no
    // bounds check; and at least ReadAhead more readable bytes follow that one.
    struct TLinePiece {
        std::string_view Bytes;
        bool Complete = false;
    };

    // The next piece; false at the end of the file (end of data or a Ctrl-Z at a line start).
    // Raises EInOutError when reading fails.
    bool NextPiece(TLinePiece& piece);

    // Direct scanning of whole lines in the buffer, for readers that parse in place. Valid at a
    // line start only (before the first NextPiece, or after a piece that completed its line).
    // [Cursor(), BufferEnd()) are the unread bytes in the buffer; *BufferEnd() is an LF that is
    // not part of the file, and ReadAhead readable bytes follow it. A scanner that finds whole lines
    // there, each ending in a real LF, consumes them with SkipScannedLines; whatever it does not
    // take it leaves to NextPiece, which also reads more of the file.
    const char* Cursor() const { return m_buffer.get() + m_pos; }
    const char* BufferEnd() const { return m_buffer.get() + m_end; }
    // Consumes the given number of whole lines, the last of whose LF lies right before next.
    void SkipScannedLines(const char* next, std::int64_t lines);

    // The next whole line with the line rules applied; false at the end of the file.
    bool ReadLine(std::string& line);

    const std::string& Path() const { return m_path; }
    // Number of the line the last piece belongs to (1 for the first line).
    std::int64_t LineNumber() const { return m_lineNumber; }

    // Closes the file early; the destructor closes it otherwise.
    void Close();

    // Appends a line's raw bytes to text with the rules for the inside of a line: CRs dropped,
    // everything from a Ctrl-Z on cut (cut is set then and stays set for the line's later pieces).
    static void AppendLineText(std::string& text, std::string_view bytes, bool& cut);

private:
    // Moves the unread bytes to the buffer's start and reads more; sets m_eof at the end of data.
    void Fill();

    std::string m_path;
    TFileSystem* m_fileSystem; // the one the file was opened with, until it is closed
    int m_fd = -1;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_size;        // usable bytes; one more is allocated for the line-end sentinel
    std::size_t m_pos = 0;     // first unread byte
    std::size_t m_end = 0;     // end of the valid bytes
    std::size_t m_scanned = 0; // bytes before this have been searched for an LF already
    bool m_eof = false;
    bool m_ended = false;
    bool m_atLineStart = true;
    std::int64_t m_lineNumber = 0;
};

// Deletes a file by path through the current file system; a failure is ignored, as the control
// file's delete setting asks.
void DeleteFileIgnoringFailure(const std::string& path);

} // namespace mouldview::runtime
