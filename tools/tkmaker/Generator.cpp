// Random solved grids thinned to minimal puzzles, rated until one of the wanted grade turns up.
#include "tools/tkmaker/Generator.h"

#include <numeric>

namespace tkmaker {

Grid RemoveClues(const Grid& solution, std::mt19937& rng, bool symmetric) {
  int order[81];
  std::iota(order, order + 81, 0);
  Shuffle(order, order + 81, rng);
  Grid puzzle = solution;
  for (int cell : order) {
    const int mirror = 80 - cell;
    if (symmetric && mirror < cell) continue;  // the pair was tried from its other cell
    if (!puzzle[cell]) continue;
    Grid trial = puzzle;
    trial[cell] = 0;
    if (symmetric) trial[mirror] = 0;
    if (HasUniqueSolution(trial)) puzzle = trial;
  }
  return puzzle;
}

std::optional<Generated> Generate(std::mt19937& rng, const GenerateOptions& options) {
  for (int tries = 1; tries <= options.maxTries; ++tries) {
    Generated g;
    g.solution = RandomSolvedGrid(rng);
    g.puzzle = RemoveClues(g.solution, rng, options.symmetric);
    g.rating = Rate(g.puzzle);
    g.tries = tries;
    if (!options.grade || g.rating.grade == *options.grade) return g;
  }
  return std::nullopt;
}

}  // namespace tkmaker
