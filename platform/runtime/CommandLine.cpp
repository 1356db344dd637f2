// Splitting a command line into words.
#include "platform/runtime/CommandLine.h"

namespace mouldview::runtime {

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    const auto isSeparator = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::vector<std::string> words;
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    for (;;) {
        while (i < n && isSeparator(commandLine[i])) {
            ++i;
        }
        if (i == n) {
            return words;
        }
        std::string word;
        while (i < n && !isSeparator(commandLine[i])) {
            if (commandLine[i] == '"') {
                const std::size_t close = commandLine.find('"', i + 1);
                const std::size_t end = close == std::string_view::npos ? n : close;
                word.append(commandLine.substr(i + 1, end - i - 1));
                i = close == std::string_view::npos ? n : close + 1;
            } else {
                word.push_back(commandLine[i++]);
            }
        }
        words.push_back(std::move(word));
    }
}

} // namespace mouldview::runtime
