// The exceptions of a model run. Each carries the system's own message text, and optionally the
// file and line it concerns, so that the program's outermost layer can report the cause.
#pragma once

#include <cstdint>
#include <source_location>
#include <stdexcept>
#include <string>

namespace mouldview::runtime {

// Base of every error a model run raises. The message is the system's text ("File not found");
// the location (file, line) is extra context for the standard-error report and may be empty.
class ERunError : public std::runtime_error {
public:
    explicit ERunError(const std::string& message,
                       std::source_location raisedAt = std::source_location::current());

    // The whole message; unlike what(), it keeps NUL bytes quoted from a file.
    const std::string& Message() const { return m_message; }
    const std::string& FileName() const { return m_fileName; }
    std::int64_t LineNumber() const { return m_lineNumber; }
    // Sets the file (and line, 0 for none) the error concerns.
    void SetLocation(std::string fileName, std::int64_t lineNumber);
    // A period of the computation the error concerns (0 for none).
    std::int64_t Period() const { return m_period; }
    void SetPeriod(std::int64_t period) { m_period = period; }

    // A 32-bit code naming the place in the program that raised the error; stable from build to
    // build, unlike a load address. Shown in the start-up failure box.
    std::uint32_t CodeAddress() const { return m_codeAddress; }

private:
    std::string m_message;
    std::string m_fileName;
    std::int64_t m_lineNumber = 0;
    std::int64_t m_period = 0;
    std::uint32_t m_codeAddress;
};

// A file could not be opened or read: "File not found", "File access denied", "I/O error 5" ...
class EInOutError : public ERunError {
public:
    EInOutError(int errorCode, const std::string& message,
                std::source_location raisedAt = std::source_location::current());
    // The system's error number behind it (errno).
    int ErrorCode() const { return m_errorCode; }

private:
    int m_errorCode;
};

// A text that does not convert: "'%s' is not a valid floating point value", "... date and time".
class EConvertError : public ERunError {
public:
    using ERunError::ERunError;
};

// A value beyond the single-precision range: "Floating point overflow".
class EOverflow : public ERunError {
public:
    explicit EOverflow(std::source_location raisedAt = std::source_location::current());
};

// The error for a failed open or read, from the system's error number, with the system's texts.
EInOutError InOutErrorFromErrno(int errnoValue, const std::string& path,
                                std::source_location raisedAt = std::source_location::current());

} // namespace mouldview::runtime
