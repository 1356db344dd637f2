// Writing an output file (a table, a picture) with the system's error texts when it fails.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace mouldview::runtime {

// Creates (or truncates) `path`, lets `write` put the content into it and closes it. Throws
// EInOutError naming the file, with the system's text of the error ("File access denied", "I/O
// error 28" ...), when the file cannot be created, written or closed.
void WriteOutputFile(const std::string& path, const std::function<void(std::FILE*)>& write);

} // namespace mouldview::runtime
