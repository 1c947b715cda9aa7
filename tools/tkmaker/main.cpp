// tkmaker: makes and checks the game's puzzle collection.
#include <iostream>

#include "tools/tkmaker/Commands.h"

int main(int argc, char** argv) {
  // Named as it was called: installed, it is velmora-tkmaker.
  std::string program = argc > 0 && argv[0][0] ? argv[0] : "tkmaker";
  program = program.substr(program.find_last_of('/') + 1);
  std::vector<std::string> args(argv + 1, argv + argc);
  return tkmaker::RunCommand(program, args, std::cout, std::cerr);
}
