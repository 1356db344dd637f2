// The arguments on Windows: the raw UTF-16 command line, converted to UTF-8 and split by the
// program's own rule.
#include "platform/runtime/CommandLine.h"
#include "platform/runtime/WideText.h"

#include <windows.h>

namespace mouldview::runtime {

std::vector<std::string> ProgramArguments(int /*argc*/, char** /*argv*/) {
    std::vector<std::string> words = SplitCommandLine(Utf8FromUtf16(GetCommandLineW()));
    if (!words.empty()) {
        words.erase(words.begin());
    }
    return words;
}

} // namespace mouldview::runtime
