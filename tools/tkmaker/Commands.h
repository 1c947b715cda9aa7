// The tkmaker command line: build, check, generate and rate puzzle collections.
#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace tkmaker {

// Runs one command (args without the program name); `program` is the name the tool was called by,
// for its usage text and its messages. Control characters in what it writes (titles and lines of a
// file, file names) are shown escaped, as \x1b. Returns the exit code: 0 on success, 1 when the
// work failed or found problems, 2 for a command line that makes no sense.
int RunCommand(const std::string& program, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err);

}  // namespace tkmaker
