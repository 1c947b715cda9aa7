// The game's move history.
#include "engine/History.h"

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

void THistory::Record(int cell, const std::string& before, const std::string& after) {
  if (before == after) return;
  TChange change{cell, before, after};
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
