// The tkmaker command line: build, check, generate and rate puzzle collections.
#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace tkmaker {

// Runs one command (args without the program name). Returns the exit code: 0 on success,
// 1 when the work failed or found problems, 2 for a command line that makes no sense.
int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tkmaker
