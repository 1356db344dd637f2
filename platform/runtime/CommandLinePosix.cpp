// The arguments on Linux: the shell has split the command line already.
#include "platform/runtime/CommandLine.h"

namespace mouldview::runtime {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

} // namespace mouldview::runtime
