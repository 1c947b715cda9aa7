// The move history keeps of each change only the part of the text that changed, and gives back the
// whole text before and after it.
#include "engine/History.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using velmora::History::THistory;

namespace {
struct Edit {
  const char* name;
  std::string before, after;
  std::size_t at;
  std::string removed, inserted;
};

const std::string Long(1 << 20, '3');

const Edit Edits[] = {
    {"TypedAtTheEndOfALongText", Long, Long + "7", Long.size(), "", "7"},
    {"TypedAtTheStartOfALongText", Long, "7" + Long, 0, "", "7"},
    {"DeletedInTheMiddle", Long + "45" + Long, Long + "5" + Long, Long.size(), "4", ""},
    {"ALeadByteLeftAlone", "\x81" "1@", "\x81@", 1, "1", ""},
    {"AllReplaced", "178", "4", 0, "178", "4"},
    {"EmptiedAndFilled", "", "12", 0, "", "12"},
};

class Changes : public ::testing::TestWithParam<Edit> {};
}  // namespace

TEST_P(Changes, KeepOnlyThePartThatChanged) {
  const Edit& e = GetParam();
  THistory history;
  history.Record(4, e.before, e.after);
  ASSERT_TRUE(history.CanUndo());
  const auto& change = history.Undo().Changes.at(0);
  EXPECT_EQ(change.Cell, 4);
  EXPECT_EQ(change.At, e.at);
  EXPECT_EQ(change.Before, e.removed);
  EXPECT_EQ(change.After, e.inserted);
  EXPECT_TRUE(change.Undone(e.after) == e.before);
  EXPECT_TRUE(change.Redone(e.before) == e.after);
}

INSTANTIATE_TEST_SUITE_P(Edits, Changes, ::testing::ValuesIn(Edits),
                         [](const auto& info) { return std::string(info.param.name); });

// Any two texts: the change kept gives each back from the other, byte for byte.
TEST(Changes, GiveBackBothTextsOfAnyChange) {
  std::mt19937 random(36);
  auto text = [&] {
    std::string s(random() % 12, '\0');
    for (char& c : s) c = "12\x81@\0 "[random() % 6];
    return s;
  };
  for (int i = 0; i < 2000; ++i) {
    const std::string before = text(), after = random() % 2 ? text() : before + text();
    THistory history;
    history.Record(0, before, after);
    if (before == after) {
      EXPECT_FALSE(history.CanUndo());
      continue;
    }
    const auto& change = history.Undo().Changes.at(0);
    ASSERT_EQ(change.Undone(after), before);
    ASSERT_EQ(change.Redone(before), after);
  }
}
