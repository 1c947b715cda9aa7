// The words of a step, built from its data: where to look, the reason in one sentence, and each cell's
// part in it. Cells are named 第3行第5列, houses 第3行 / 第5列 / 第5宫.
#pragma once
#include <string>
#include <vector>

#include "engine/Solver.h"

namespace velmora::Explain {

using Solver::House;
using Solver::Mask;
using Solver::Step;

std::string CellName(int cell);    // 第3行第5列
std::string HouseName(House h);    // 第3行, 第5列, 第5宫
std::string DigitList(Mask digits);  // 2、5

// The technique's name as a player says it; a hidden single by its house: 宫摒除, 行摒除, 列摒除.
std::string Name(const Step& step);
// Where to look, e.g. "第5宫", "第3行第5列", "数字7".
std::string Where(const Step& step);
// Why the step holds and what it does, in one sentence.
std::string Reason(const Step& step);

// One cell's part in a step, e.g. "第5宫里唯一能填7的格" or "这里去掉7".
struct Part {
  int cell;
  std::string role;
};
// The cells that make the step and the cells it changes, each once, in the order of the reasoning.
std::vector<Part> Parts(const Step& step);
// The cell a hint outlines: the placed cell, or the first cell that loses a candidate; either way a cell
// the step changes.
int Target(const Step& step);

}  // namespace velmora::Explain
