// The game's move history: what undo and redo walk. Plain data: a move is the changes of one step, each
// one cell's text before and after; the main window records them and plays them back through the same
// change path as any other change of a cell's text.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace velmora::History {

// One cell's text changed: the cell 0..80 row by row, and the part of its text that changed: from byte
// At on, the bytes Before became the bytes After. A keystroke in a long text keeps a byte or two, not
// the text.
struct TChange {
  int Cell = 0;
  std::size_t At = 0;
  std::string Before;
  std::string After;
  // The cell's whole text before the change, from its text after it; and the other way round.
  std::string Undone(const std::string& after) const;
  std::string Redone(const std::string& before) const;
};

// One step of the player's: one change, or the whole board at once (replay). Clock is the elapsed time
// before a step that also reset the clock, so that taking the step back gives that time back; -1 for
// every other step.
struct TMove {
  std::vector<TChange> Changes;
  long long Clock = -1;
};

// The steps of one game, with a mark between those done and those taken back. Recording a new step
// forgets the steps taken back; the history is unlimited within a game.
class THistory {
 public:
  // A new game: nothing to take back or bring back, and nothing changed unless `touched` (a game
  // brought back from an earlier run, which the player had changed).
  void Clear(bool touched = false);
  // A step of the player's. A step that changes nothing is not recorded.
  void Record(TMove move);
  // One cell's change, from its whole text before and after, as one step; while a group is open, it
  // joins the group's step. Only the part that changed is kept.
  void Record(int cell, const std::string& before, const std::string& after);
  // Collects the changes recorded until EndGroup into one step (with the clock given).
  void BeginGroup(long long clock = -1);
  void EndGroup();
  // Opens the last step done again as the group, so that the changes recorded until EndGroup join it
  // (the pencil marks a placed digit clears go with the digit). Only when CanUndo.
  void Reopen();

  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < moves_.size(); }
  // The step to take back, now counted as taken back: its changes are undone last first, to their
  // Before texts. Only when CanUndo.
  const TMove& Undo();
  // The step to bring back, now counted as done: its changes are redone in order, to their After texts.
  // Only when CanRedo.
  const TMove& Redo();
  // The player has changed something since the game began (taken back or not).
  bool Touched() const { return touched_; }

 private:
  std::vector<TMove> moves_;
  std::size_t done_ = 0;
  bool grouping_ = false;
  bool touched_ = false;
  TMove group_;
};

}  // namespace velmora::History
