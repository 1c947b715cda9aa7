// The game's move history.
#include "engine/History.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace velmora::History {

void THistory::Clear(bool touched) {
  moves_.clear();
  done_ = 0;
  grouping_ = false;
  touched_ = touched;
  group_ = {};
}

void THistory::Record(TMove move) {
  if (move.Changes.empty()) return;
  moves_.resize(done_);
  moves_.push_back(std::move(move));
  done_ = moves_.size();
  touched_ = true;
}

namespace {
// The length of the longest common start of two texts, and of their longest common end within what
// is left: compared a block at a time, as a memory compare goes.
std::size_t CommonStart(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  constexpr std::size_t Block = 4096;
  std::size_t i = 0;
  while (i + Block <= n && std::memcmp(a.data() + i, b.data() + i, Block) == 0) i += Block;
  while (i < n && a[i] == b[i]) ++i;
  return i;
}

std::size_t CommonEnd(const std::string& a, const std::string& b, std::size_t start) {
  const std::size_t n = std::min(a.size(), b.size()) - start;
  constexpr std::size_t Block = 4096;
  std::size_t i = 0;
  while (i + Block <= n && std::memcmp(a.data() + a.size() - i - Block, b.data() + b.size() - i - Block, Block) == 0)
    i += Block;
  while (i < n && a[a.size() - 1 - i] == b[b.size() - 1 - i]) ++i;
  return i;
}
}  // namespace

std::string TChange::Undone(const std::string& after) const {
  return after.substr(0, At) + Before + after.substr(At + After.size());
}

std::string TChange::Redone(const std::string& before) const {
  return before.substr(0, At) + After + before.substr(At + Before.size());
}

void THistory::Record(int cell, const std::string& before, const std::string& after) {
  const std::size_t at = CommonStart(before, after);
  if (at == before.size() && at == after.size()) return;  // nothing changed
  const std::size_t end = CommonEnd(before, after, at);
  TChange change{cell, at, before.substr(at, before.size() - at - end), after.substr(at, after.size() - at - end)};
  if (grouping_)
    group_.Changes.push_back(std::move(change));
  else
    Record(TMove{{std::move(change)}});
}

void THistory::BeginGroup(long long clock) {
  grouping_ = true;
  group_ = TMove{{}, clock};
}

void THistory::EndGroup() {
  grouping_ = false;
  Record(std::move(group_));
  group_ = {};
}

void THistory::Reopen() {
  grouping_ = true;
  group_ = std::move(moves_[done_ - 1]);
  moves_.resize(--done_);
}

const TMove& THistory::Undo() { return moves_[--done_]; }

const TMove& THistory::Redo() { return moves_[done_++]; }

}  // namespace velmora::History
