// tkmaker: makes and checks the game's puzzle collection.
#include <iostream>

#include "tools/tkmaker/Commands.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return tkmaker::RunCommand(args, std::cout, std::cerr);
}
