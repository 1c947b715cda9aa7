// The chains of the logic solver: simple colouring, X-chains, XY-chains, alternating inference chains and
// forcing chains. Each fills the
// step and returns true when it finds one that removes a candidate.
#pragma once
#include "engine/Solver.h"

namespace velmora::Chains {

using Solver::Position;
using Solver::Step;

bool SimpleColouring(const Position& p, Step& s);
bool XChain(const Position& p, Step& s);
bool XYChain(const Position& p, Step& s);
bool AlternatingChain(const Position& p, Step& s);
bool ForcingChain(const Position& p, Step& s);

}  // namespace velmora::Chains
