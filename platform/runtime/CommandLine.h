// The program's arguments. On Windows a program gets its command line as one text and splits it
// itself; the rule is the program's own and the same on every system, so that a simulation
// program that starts mouldview quotes a path the same way everywhere.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mouldview::runtime {

// Splits a command line into its words, the program's name first: words are separated by runs of
// characters with codes up to and including the blank (32); inside a word a double quote opens a
// stretch that runs to the next double quote (or the end), and the quotes are removed, so a
// quoted path may hold blanks. "" makes an empty word. The text is UTF-8; bytes of multi-byte
// characters are never separators.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The arguments after the program's name, in UTF-8. On Linux they are argv as the caller's shell
// split them; on Windows they come from the process's UTF-16 command line (GetCommandLineW), split
// by SplitCommandLine, and argc and argv are not used.
std::vector<std::string> ProgramArguments(int argc, char** argv);

} // namespace mouldview::runtime
