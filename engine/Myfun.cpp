// Box numbering of the 9x9 board.
#include "engine/Myfun.h"

namespace velmora::Myfun {

int BoxNumber(int row, int col) { return 3 * ((row - 1) / 3) + (col - 1) / 3 + 1; }

}  // namespace velmora::Myfun
