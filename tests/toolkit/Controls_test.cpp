// The layer's promises: text change, typing filter, where mouse and keys go, error box, painting, ownership, timers.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <ostream>
#include <thread>
#include <set>
#include <string>

#include "toolkit/ComCtrls.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Grids.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/SysUtils.h"
#include "toolkit/testing.h"

using namespace toolkit;
namespace tt = toolkit::testing;

namespace {

struct FormFixture : ::testing::Test {
  TForm* form = new TForm(nullptr);
  void SetUp() override {
    form->SetBounds(0, 0, 300, 200);
    tt::ClearErrorBoxes();
  }
  void TearDown() override { delete form; }
  template <class T>
  T* Make(int l, int t, int w, int h) {
    T* c = new T(form);
    c->set_Parent(form);
    c->SetBounds(l, t, w, h);
    return c;
  }
};

// Only the digits 1..9, Backspace and the full stop, as a game cell allows.
void DigitsOnly(TObject*, char& key) {
  if (!((key >= '1' && key <= '9') || key == 8 || key == '.')) key = 0;
}

}  // namespace

using TextChange = FormFixture;

TEST_F(TextChange, FiresOnceForEveryRealChangeAndNeverForTheSameText) {
  auto* memo = Make<TMemo>(0, 0, 50, 50);
  int changes = 0;
  memo->OnChange = [&](TObject*) { ++changes; };
  memo->set_Text("5");  // before the widget exists
  EXPECT_EQ(changes, 1);
  memo->set_Text("5");
  EXPECT_EQ(changes, 1);
  tt::TypeText(memo, "6");  // makes the widget, then types
  EXPECT_EQ(memo->Text(), "56");
  EXPECT_EQ(changes, 2);
  tt::TypeText(memo, "\b");
  EXPECT_EQ(memo->Text(), "5");
  EXPECT_EQ(changes, 3);
  memo->set_Text("");
  EXPECT_EQ(changes, 4);
  memo->set_Text("");
  EXPECT_EQ(changes, 4);
}

using Typing = FormFixture;

TEST_F(Typing, EveryCharacterPassesTheFilterFirst) {
  auto* memo = Make<TMemo>(0, 0, 50, 50);
  std::string seen;
  memo->OnKeyPress = [&](TObject* s, char& k) {
    seen += k;
    DigitsOnly(s, k);
  };
  tt::TypeText(memo, "1a0 .9\r\t\x16");
  EXPECT_EQ(memo->Text(), "1.9");
  EXPECT_EQ(seen, std::string("1a0 .9\r\t\x16"));
}

TEST_F(Typing, MaxLengthLimitsTypingButNotAssignment) {
  auto* memo = Make<TMemo>(0, 0, 50, 50);
  memo->set_MaxLength(3);
  tt::TypeText(memo, "12345");
  EXPECT_EQ(memo->Text(), "123");
  memo->set_Text("123456789");
  EXPECT_EQ(memo->Text(), "123456789");
}

TEST_F(Typing, PasteAndDropGoThroughTheSameFilter) {
  auto* memo = Make<TMemo>(0, 0, 50, 50);
  memo->OnKeyPress = DigitsOnly;
  memo->set_MaxLength(8);
  tt::Paste(memo, "a5b");
  EXPECT_EQ(memo->Text(), "5");
  tt::Drop(memo, "x7y中");
  EXPECT_EQ(memo->Text().find_first_not_of("57"), std::string::npos) << memo->Text();
  EXPECT_NE(memo->Text().find('7'), std::string::npos);
  tt::Paste(memo, "123456789");
  EXPECT_EQ(memo->Text().size(), 8u);
}

TEST_F(Typing, ArrowsAndDeleteEditAsUsual) {
  auto* memo = Make<TMemo>(0, 0, 50, 50);
  memo->OnKeyPress = DigitsOnly;
  tt::TypeText(memo, "123");
  tt::PressKey(memo, tt::keyLeft);
  tt::PressKey(memo, tt::keyLeft);
  tt::PressKey(memo, tt::keyDelete);
  EXPECT_EQ(memo->Text(), "13");
}

TEST_F(Typing, ReadOnlyRefusesTyping) {
  auto* edit = Make<TEdit>(0, 0, 80, 21);
  edit->set_ReadOnly(true);
  tt::TypeText(edit, "abc");
  EXPECT_EQ(edit->Text(), "");
  edit->set_ReadOnly(false);
  tt::TypeText(edit, "佚名 x");
  EXPECT_EQ(edit->Text(), "佚名 x");
}

TEST_F(Typing, ASingleLineEditTakesPastedAndDroppedTextUpToItsFirstLineBreak) {
  auto* edit = Make<TEdit>(0, 0, 80, 21);
  tt::Paste(edit, "张三\r\n李四");
  EXPECT_EQ(edit->Text(), "张三");
  tt::Drop(edit, "a\nb");
  tt::Paste(edit, "c\rd");
  tt::TypeText(edit, "\re\x0a");  // Enter and Ctrl+J type nothing
  EXPECT_EQ(edit->Text(), "张三ace");
}

// Only on a platform with a primary selection: ctest runs it on an X server of its own, where a
// selection that cannot be set is a failure; the offscreen run has none and skips.
TEST_F(Typing, TheMiddleButtonPastesTheSelectionByTheSameRules) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const bool onX = platform && std::string(platform) == "xcb";
  auto* edit = Make<TEdit>(0, 0, 80, 21);
  auto* memo = Make<TMemo>(0, 30, 50, 50);
  memo->OnKeyPress = DigitsOnly;
  auto* readOnly = Make<TMemo>(60, 30, 50, 50);
  readOnly->set_ReadOnly(true);
  struct {
    TCustomEdit* control;
    std::string selection, text;
  } rows[] = {{edit, "张三\r\n李四", "张三"}, {memo, "a5b\r\n6", "56"}, {readOnly, "5", ""}};
  for (auto& row : rows) {
    if (!tt::PasteSelection(row.control, row.selection)) {
      if (onX) FAIL() << "no primary selection could be set on X";
      GTEST_SKIP() << "no primary selection here";
    }
    EXPECT_EQ(row.control->Text(), row.text) << row.selection;
  }
}

// A kept byte (the escape of 0xFF) is one character: drawn as one replacement character, counted,
// deleted and undone as one, and given back as the same escape after edits around it.
TEST_F(Typing, AKeptByteIsOneCharacterOnScreenAndInEditing) {
  const std::string kept = "\xED\xB3\xBF";
  auto grab = [&](TControl* c, const std::string& text) {
    c->set_Caption(text);
    return tt::Grab(c);
  };
  for (TControl* c : std::initializer_list<TControl*>{Make<TLabel>(0, 0, 80, 21), Make<TEdit>(0, 30, 80, 21),
                                                      Make<TMemo>(0, 60, 80, 40)}) {
    tt::Picture one = grab(c, "5\uFFFD5");
    EXPECT_TRUE(grab(c, "5" + kept + "5") == one);
    EXPECT_FALSE(grab(c, "55") == one);
  }
  for (TCustomEdit* e : std::initializer_list<TCustomEdit*>{Make<TMemo>(100, 0, 80, 40), Make<TEdit>(100, 50, 80, 21)}) {
    e->set_Text("1" + kept);
    e->set_MaxLength(3);
    tt::TypeText(e, "23");
    EXPECT_EQ(e->Text(), "1" + kept + "2");
    tt::TypeText(e, "\b\b");
    EXPECT_EQ(e->Text(), "1");
    tt::TypeText(e, "\x1a");  // Ctrl+Z
    EXPECT_EQ(e->Text().substr(0, 4), "1" + kept);
  }
}

// A pasted character that does not fit whole is left out, never cut in half: half a pair would take
// the kept byte after it for its other half, and the byte would be lost.
TEST_F(Typing, APasteCutAtTheLimitKeepsCharactersWholeAndTheKeptByteAlone) {
  const std::string kept = "\xED\xB3\xBF", smile = "\xF0\x9F\x98\x80";
  const struct {
    int maxLength;
    std::string pasted, text;
  } rows[] = {
      {2, smile, kept},                    // one unit of room: the pair does not fit
      {3, smile, smile + kept},            // two units: it does
      {3, "a" + smile, "a" + kept},        // "a" fits, the pair after it no longer
      {4, "a" + smile + "b", "a" + smile + kept},
  };
  for (TCustomEdit* e : std::initializer_list<TCustomEdit*>{Make<TMemo>(0, 0, 80, 40), Make<TEdit>(0, 50, 80, 21)}) {
    for (const auto& row : rows) {
      e->set_Text(kept);
      e->set_MaxLength(row.maxLength);
      e->set_SelStart(0);
      tt::Paste(e, row.pasted);
      EXPECT_EQ(e->Text(), row.text) << row.maxLength << " " << row.pasted;
      EXPECT_EQ(Utf8ToAnsi(e->Text()).back(), '\xFF');
    }
  }
}

// A kept byte leaves the program as the replacement character the screen shows, never as "?": copied
// from either edit, selected (where there is a primary selection), and as a screen reader hears it.
TEST_F(Typing, AKeptByteLeavesTheProgramAsTheReplacementCharacter) {
  const std::string kept = "\xED\xB3\xBF", shown = "1\uFFFD2";
  auto* label = Make<TLabel>(0, 100, 80, 21);
  label->set_Caption("1" + kept + "2");
  auto* button = Make<TButton>(100, 100, 80, 25);
  button->set_Caption("1" + kept + "2");
  EXPECT_EQ(tt::Accessible(label).Name, shown);
  EXPECT_EQ(tt::Accessible(button).Name, shown);
  for (TCustomEdit* e : std::initializer_list<TCustomEdit*>{Make<TMemo>(0, 0, 80, 40), Make<TEdit>(0, 50, 80, 21)}) {
    e->set_Text("1" + kept + "2");
    EXPECT_EQ(tt::Accessible(e).Value, shown);
    tt::PressKey(e, tt::keyHome);
    tt::PressKey(e, tt::keyEnd, {ssShift});
    tt::TypeAtCaret(e, "\x03");  // Ctrl+C
    EXPECT_EQ(tt::ClipboardText(), shown);
    EXPECT_EQ(e->Text(), "1" + kept + "2");  // inside, the byte is kept
  }
  // Text selected with the mouse is the primary selection, where the platform has one: ctest runs this
  // test on an X server of its own too, where the drag must make one. The offscreen platform has none.
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const bool onX = platform && std::string(platform) == "xcb";
  auto* edit = Make<TEdit>(100, 50, 80, 21);
  edit->set_Text("1" + kept + "2");
  tt::DragMouse(edit, 2, 10, 78, 10);
  EXPECT_EQ(tt::ClipboardText(true), onX ? shown : "");
}

using Buttons = FormFixture;

TEST_F(Buttons, EnterAndSpaceOnTheFocusedButtonPressItButEnterInAnEditDoesNot) {
  auto* button = Make<TButton>(10, 10, 75, 25);
  auto* edit = Make<TEdit>(10, 50, 80, 21);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  tt::PressKey(button, tt::keyEnter);
  EXPECT_EQ(clicks, 1);
  tt::TypeText(button, " ");
  EXPECT_EQ(clicks, 2);
  tt::PressKey(edit, tt::keyEnter);
  EXPECT_EQ(clicks, 2);
}

using Accessibility = FormFixture;

// What a screen reader is told: names, texts as values, the read-only state, painted parts as children.
TEST_F(Accessibility, ControlsTellTheirNamesTextsStatesAndPaintedParts) {
  auto* memo = Make<TMemo>(0, 0, 50, 50);
  memo->set_AccessibleName("第1行第1列");
  memo->set_Text("12");
  tt::AccessibleObject cell = tt::Accessible(memo);
  EXPECT_EQ(cell.Role, "text");
  EXPECT_EQ(cell.Name, "第1行第1列");
  EXPECT_EQ(cell.Value, "12");
  EXPECT_FALSE(cell.ReadOnly);
  memo->set_ReadOnly(true);
  tt::TypeText(memo, "3");  // refused: the value stays
  EXPECT_TRUE(tt::Accessible(memo).ReadOnly);
  EXPECT_EQ(tt::Accessible(memo).Value, "12");

  auto* bar = Make<TToolBar>(0, 60, 200, 29);
  auto* button = new TToolButton(form);
  button->set_Parent(bar);
  button->set_Hint("初级");
  auto* gap = new TToolButton(form);
  gap->set_Parent(bar);
  gap->set_Style(tbsSeparator);
  tt::AccessibleObject tools = tt::Accessible(bar);
  EXPECT_EQ(tools.Role, "tool bar");
  ASSERT_EQ(tools.Children.size(), 2u);
  EXPECT_EQ(tools.Children[0].Name, "初级") << "a picture-only button is named by its hint";
  EXPECT_EQ(tools.Children[1].Role, "separator");
  button->set_Hint("中级");
  EXPECT_EQ(tt::Accessible(button).Name, "中级");

  auto* status = Make<TStatusBar>(0, 100, 200, 19);
  status->Panels = {{"Velmora 1.5", 90}, {"velmora@velmora.example", 150}};
  tt::AccessibleObject panels = tt::Accessible(status);
  EXPECT_EQ(panels.Role, "status bar");
  ASSERT_EQ(panels.Children.size(), 2u);
  EXPECT_EQ(panels.Children[0].Role, "label");
  EXPECT_EQ(panels.Children[0].Name, "Velmora 1.5");
  EXPECT_EQ(panels.Children[1].Name, "velmora@velmora.example");
}

// Aborts the whole test program with a message unless released within a generous bound: a screen
// reader's question that never returns shows as a hang, which this turns into a failure.
class Watchdog {
 public:
  explicit Watchdog(std::string what) : thread_([this, what] {
    std::unique_lock lock(mutex_);
    if (!done_.wait_for(lock, std::chrono::minutes(5), [this] { return released_; })) {
      std::fprintf(stderr, "FAIL: no answer from %s: a screen reader's question hangs\n", what.c_str());
      std::abort();
    }
  }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      released_ = true;
    }
    done_.notify_one();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  bool released_ = false;
  std::thread thread_;
};

// Every text kind the layer shows a screen reader: a multi-line edit (the rules box, help, the hint
// line, a cell), a single-line edit (a name box), the file dialogs' name box and an entry of a list.
enum TextKind { Memo, Edit, FileName, ListEntry };
const char* const KindNames[] = {"memo", "edit", "file dialog's name box", "list entry"};

struct TextFixture : FormFixture {
  Watchdog watchdog{"a text's accessible interface"};
  tt::AccessibleText Text(TextKind kind, const std::string& text) {
    switch (kind) {
      case Memo: {
        auto* memo = Make<TMemo>(0, 0, 280, 180);
        memo->set_Text(text);
        return tt::AccessibleText(memo);
      }
      case Edit: {
        auto* edit = Make<TEdit>(0, 0, 280, 21);
        edit->set_Text(text);
        return tt::AccessibleText(edit);
      }
      case FileName: return tt::AccessibleText::FileDialogName(false, text);
      case ListEntry: break;
    }
    auto* list = Make<TStringGrid>(0, 0, 280, 180);
    list->set_AccessibleRole(arList);
    list->set_ColCount(1);
    list->set_FixedCols(0);
    list->set_RowCount(2);
    list->set_FixedRows(1);
    list->set_Cells(0, 1, text);
    return tt::AccessibleText(list, 0);
  }
};
using ScreenReaderText = TextFixture;

namespace toolkit::testing {
std::ostream& operator<<(std::ostream& out, const TextPiece& p) {
  return out << '"' << p.Text << "\" " << p.Start << ".." << p.End;
}
}  // namespace toolkit::testing

// Pieces as a screen reader gets them after a caret move: a Chinese character is a word of its own,
// punctuation ends a sentence (a Latin full stop only where no letter or digit follows), and nothing
// lies before the first piece or after the last.
TEST_F(ScreenReaderText, WordsAndSentencesOfChineseLatinAndMixedText) {
  struct Case {
    std::string text;
    tt::TTextSide side;
    tt::TTextBoundary boundary;
    int offset;
    tt::TextPiece piece;
  } cases[] = {
      {"佚名", tt::tsAt, tt::tbWord, 0, {"佚", 0, 1}},
      {"佚名", tt::tsAfter, tt::tbWord, 0, {"名", 1, 2}},
      {"佚名", tt::tsBefore, tt::tbWord, 0, {"", 0, 0}},
      {"佚名", tt::tsAt, tt::tbWord, 2, {"名", 1, 2}},
      {"佚名", tt::tsAt, tt::tbChar, 2, {"", 2, 2}},
      {"佚名", tt::tsBefore, tt::tbChar, 2, {"名", 1, 2}},
      {"佚名", tt::tsAt, tt::tbSentence, 0, {"佚名", 0, 2}},
      {"在每一行填数。祝你好运！", tt::tsAt, tt::tbSentence, 3, {"在每一行填数。", 0, 7}},
      {"在每一行填数。祝你好运！", tt::tsAfter, tt::tbSentence, 0, {"祝你好运！", 7, 12}},
      {"在每一行填数。祝你好运！", tt::tsAt, tt::tbWord, 6, {"。", 6, 7}},
      {"Fill every row. Then stop!", tt::tsAt, tt::tbWord, 2, {"Fill", 0, 4}},
      {"Fill every row. Then stop!", tt::tsAt, tt::tbWord, 4, {" ", 4, 5}},
      {"Fill every row. Then stop!", tt::tsAfter, tt::tbWord, 2, {" ", 4, 5}},
      {"Fill every row. Then stop!", tt::tsAt, tt::tbSentence, 20, {"Then stop!", 16, 26}},
      {"Fill every row. Then stop!", tt::tsBefore, tt::tbSentence, 20, {"Fill every row. ", 0, 16}},
      {"版本1.5，见tk.vlm。Hello 世界", tt::tsAt, tt::tbSentence, 0, {"版本1.5，见tk.vlm。", 0, 14}},
      {"版本1.5，见tk.vlm。Hello 世界", tt::tsAt, tt::tbWord, 16, {"Hello", 14, 19}},
      {"版本1.5，见tk.vlm。Hello 世界", tt::tsAt, tt::tbWord, 21, {"界", 21, 22}},
      {"“好！”他说。", tt::tsAt, tt::tbSentence, 0, {"“好！”", 0, 4}},
      {"第一行。\n第二行", tt::tsAt, tt::tbParagraph, 2, {"第一行。\n", 0, 5}},
      {"第一行。\n第二行", tt::tsAfter, tt::tbParagraph, 2, {"第二行", 5, 8}},
      {"第一行。\n第二行", tt::tsAt, tt::tbLine, 8, {"第二行", 5, 8}},
      {"第一行\n", tt::tsAt, tt::tbLine, 4, {"", 4, 4}},
      {"第一行\n", tt::tsAt, tt::tbSentence, 1, {"第一行\n", 0, 4}},
      {"数独", tt::tsAt, tt::tbWhole, 1, {"数独", 0, 2}},
      {"", tt::tsAt, tt::tbWord, 0, {"", 0, 0}},
      {"a", tt::tsAt, tt::tbWord, 0, {"a", 0, 1}},
  };
  for (TextKind kind : {Memo, Edit, FileName, ListEntry})
    for (const Case& c : cases) {
      // A single line holds no line break.
      if (kind != Memo && c.text.find('\n') != std::string::npos) continue;
      tt::AccessibleText text = Text(kind, c.text);
      EXPECT_EQ(text.Piece(c.side, c.boundary, c.offset), c.piece)
          << KindNames[kind] << " \"" << c.text << "\" side " << c.side << " boundary " << c.boundary << " at " << c.offset;
    }
}

// Every question at every offset of every text kind gets its answer at once, on every kind of text:
// the pieces of each boundary tile the text, the piece at an offset holds it, and the pieces before
// and after are its neighbours.
TEST_F(ScreenReaderText, EveryPieceAtEveryOffsetOfEveryTextKindIsAnswered) {
  std::string big;
  for (int i = 0; big.size() < 100 * 1024; ++i)
    big += i % 7 == 6 ? "\n" : i % 3 ? "第" + std::to_string(i) + "句，a word or two. " : "游戏说明：填入1到9！";
  const std::string texts[] = {"游戏说明：在每一行、每一列填入1到9。祝你好运！", "Fill every row. Then stop! Done?",
                               "Velmora 数独 1.5版。Hello, 世界！tk.vlm ok\n第二段", "", "数", "a", big};
  for (TextKind kind : {Memo, Edit, FileName, ListEntry})
    for (const std::string& t : texts) {
      if (kind == ListEntry && t.size() > 1000) continue;  // an entry is a collection's title
      tt::AccessibleText text = Text(kind, t);
      const int n = text.Length();
      ASSERT_GE(n, 0) << KindNames[kind] << " has no accessible text";
      const std::string whole = text.Piece(tt::tsAt, tt::tbWhole, 0).Text;
      for (tt::TTextBoundary b : {tt::tbChar, tt::tbWord, tt::tbSentence, tt::tbLine, tt::tbParagraph}) {
        const std::string where = std::string(KindNames[kind]) + " of " + std::to_string(n) + " boundary " + std::to_string(b);
        std::string tiled;
        int next = 0;
        for (int o = 0; o <= n; ++o) {
          tt::TextPiece at = text.Piece(tt::tsAt, b, o), before = text.Piece(tt::tsBefore, b, o),
                        after = text.Piece(tt::tsAfter, b, o);
          ASSERT_TRUE(0 <= at.Start && at.Start <= at.End && at.End <= n) << where << " at " << o << ": " << at;
          ASSERT_TRUE(o == n || (at.Start <= o && o < at.End)) << where << " at " << o << ": " << at;
          const tt::TextPiece first{"", 0, 0}, last{"", n, n};
          ASSERT_EQ(before, at.Start > 0 ? text.Piece(tt::tsAt, b, at.Start - 1) : first) << where << " at " << o;
          ASSERT_EQ(after, at.End < n ? text.Piece(tt::tsAt, b, at.End) : last) << where << " at " << o;
          if (at.Start == next && at.End > next) {
            tiled += at.Text;
            next = at.End;
          }
        }
        EXPECT_EQ(next, n) << where;
        EXPECT_EQ(tiled, whole) << where;
      }
    }
}

using Input = FormFixture;

TEST_F(Input, ReachesOnlyTheEnabledControlUnderThePoint) {
  auto* panel = Make<TPanel>(10, 10, 150, 150);
  auto* memo = new TMemo(form);
  memo->set_Parent(panel);
  memo->SetBounds(10, 10, 60, 60);
  auto* cover = new TPanel(form);  // lies over the memo's right part
  cover->set_Parent(panel);
  cover->SetBounds(50, 10, 40, 40);
  std::set<std::string> got;
  for (TControl* c : std::initializer_list<TControl*>{form, panel, memo, cover}) {
    std::string name = c == form ? "form" : c == panel ? "panel" : c == memo ? "memo" : "cover";
    c->OnMouseDown = [&got, name](TObject*, TMouseButton, TShiftState, int, int) { got.insert(name + " down"); };
    c->OnMouseMove = [&got, name](TObject*, TShiftState, int, int) { got.insert(name + " move"); };
    c->OnClick = [&got, name](TObject*) { got.insert(name + " click"); };
  }
  memo->OnKeyPress = [&](TObject*, char&) { got.insert("memo key"); };
  using Events = std::set<std::string>;

  // Over a plain panel or an edit, the mouse is theirs alone: nothing climbs to the parent under them.
  tt::MoveMouse(panel, 100, 100);
  tt::PressMouse(memo, mbLeft, 5, 5);
  EXPECT_EQ(got, (Events{"panel move", "memo move", "memo down", "memo click"}));
  got.clear();
  // A point of the memo under the cover is the cover's.
  tt::PressMouse(memo, mbLeft, 50, 5);
  EXPECT_EQ(got, (Events{"cover move", "cover down", "cover click"}));
  got.clear();
  // A disabled control, or one on a disabled parent, takes no mouse and no keys, and passes nothing on.
  tt::TypeText(memo, "1");
  got.clear();
  memo->set_Enabled(false);
  tt::PressMouse(memo, mbLeft, 5, 5);
  tt::TypeText(memo, "2");
  memo->set_Enabled(true);
  panel->set_Enabled(false);
  tt::PressMouse(memo, mbLeft, 6, 6);
  tt::PressMouse(panel, mbLeft, 100, 100);
  tt::TypeText(memo, "3");
  EXPECT_EQ(got, Events{});
  EXPECT_EQ(memo->Text(), "1");
  panel->set_Enabled(true);
  tt::TypeText(memo, "4");
  EXPECT_EQ(memo->Text(), "14");
}

using Errors = FormFixture;

TEST_F(Errors, AnExceptionInAHandlerShowsOneErrorBoxAndAbortShowsNone) {
  auto* button = Make<TButton>(10, 10, 75, 25);
  button->OnClick = [](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
  tt::Click(button);
  ASSERT_EQ(tt::ErrorBoxes().size(), 1u);
  EXPECT_EQ(tt::ErrorBoxes()[0], "'x' is not a valid integer value");
  button->OnClick = [](TObject*) { Abort(); };
  tt::Click(button);
  EXPECT_EQ(tt::ErrorBoxes().size(), 1u);
}

TEST_F(Errors, AFailingCreateHandlerShowsTheBoxAndTheFormLives) {
  struct Failing : TForm {
    explicit Failing(TComponent* o) : TForm(o) {
      OnCreate = [](TObject*) { throw EFOpenError("无法打开文件“/x/tk.vlm”：文件或目录不存在"); };
      DoCreate();
    }
  };
  Failing f(nullptr);
  ASSERT_EQ(tt::ErrorBoxes().size(), 1u);
  EXPECT_NE(tt::ErrorBoxes()[0].find("tk.vlm"), std::string::npos);
}

TEST_F(Errors, AVeryLongMessageShowsItsStartAndEndCutBetweenCharacters) {
  std::string chinese;
  for (int i = 0; i < 100000; ++i) chinese += "中";
  auto* button = Make<TButton>(10, 10, 75, 25);
  button->OnClick = [&](TObject*) { throw EConvertError("'" + chinese + "' is not a valid integer value"); };
  tt::Click(button);
  ASSERT_EQ(tt::ErrorBoxes().size(), 1u);
  std::string box = tt::ErrorBoxes()[0];
  EXPECT_LT(box.size(), 1000u);
  EXPECT_EQ(box.substr(0, 4), "'中");
  EXPECT_EQ(box.substr(box.size() - 33), "中' is not a valid integer value");
  std::size_t cut = box.find("…");
  ASSERT_NE(cut, std::string::npos);
  EXPECT_EQ((cut - 1) % 3, 0u);  // whole characters before the cut ...
  EXPECT_EQ(box.substr(cut + 3, 3), "中");  // ... and after it
  button->OnClick = [](TObject*) { throw EConvertError(std::string(800, 'x')); };  // short enough: whole
  tt::Click(button);
  EXPECT_EQ(tt::ErrorBoxes()[1], std::string(800, 'x'));
}

using Painting = FormFixture;

TEST_F(Painting, PanelFillsItsColourAndDrawsItsRaisedBevel) {
  struct Cross : TPanel {
    using TPanel::TPanel;
    void Paint() override {
      TPanel::Paint();
      Canvas()->Pen.Color = clRed;
      Canvas()->Pen.Width = 1;
      Canvas()->MoveTo(0, 20);
      Canvas()->LineTo(30, 20);  // the end point is not drawn
    }
  };
  auto* p = new Cross(form);
  p->set_Parent(form);
  p->SetBounds(0, 0, 40, 30);
  p->set_Color(0x00F0FBFF);
  auto pic = tt::Grab(p);
  EXPECT_EQ(pic.Pixel(10, 10), 0x00F0FBFFu);
  EXPECT_EQ(pic.Pixel(0, 5), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(pic.Pixel(39, 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(pic.Pixel(5, 29), ColorToRGB(clBtnShadow));
  EXPECT_EQ(pic.Pixel(20, 20), clRed);
  EXPECT_EQ(pic.Pixel(29, 20), clRed);
  EXPECT_EQ(pic.Pixel(30, 20), 0x00F0FBFFu);
}

TEST_F(Painting, FlatSingleBorderIsOnePixelAndChildrenSitInsideIt) {
  auto* p = Make<TPanel>(0, 0, 50, 50);
  p->set_BevelOuter(bvNone);
  p->set_BorderStyle(bsSingle);
  p->set_Ctl3D(false);
  p->set_Color(clWhite);
  auto* child = new TPanel(form);
  child->set_Parent(p);
  child->SetBounds(0, 0, 10, 10);
  child->set_BevelOuter(bvNone);
  child->set_Color(clBlue);
  auto* wide = new TPanel(form);  // larger than the panel: clipped inside the border
  wide->set_Parent(p);
  wide->SetBounds(20, 20, 100, 100);
  wide->set_BevelOuter(bvNone);
  wide->set_Color(clLime);
  EXPECT_EQ(p->ClientWidth(), 48);
  auto pic = tt::Grab(p);
  EXPECT_EQ(pic.Pixel(0, 0), clBlack);
  EXPECT_EQ(pic.Pixel(49, 49), clBlack);
  EXPECT_EQ(pic.Pixel(49, 30), clBlack);
  EXPECT_EQ(pic.Pixel(30, 49), clBlack);
  EXPECT_EQ(pic.Pixel(1, 1), clBlue);
  EXPECT_EQ(pic.Pixel(11, 11), clWhite);
  EXPECT_EQ(pic.Pixel(48, 48), clLime);
}

TEST_F(Painting, AlignedChildrenShareTheClientArea) {
  auto* top = Make<TPanel>(0, 0, 10, 29);
  top->set_Align(alTop);
  auto* left = Make<TPanel>(0, 0, 100, 10);
  left->set_Align(alLeft);
  EXPECT_EQ(top->Width(), 300);
  EXPECT_EQ(left->Top(), 29);
  EXPECT_EQ(left->Height(), 171);
  EXPECT_EQ(left->Width(), 100);
}

TEST(Ownership, FreeingAParentDetachesChildrenItDoesNotOwn) {
  TForm owner(nullptr);
  auto* a = new TPanel(&owner);
  auto* b = new TPanel(&owner);
  b->set_Parent(a);
  tt::Grab(a);  // with widgets
  delete a;
  EXPECT_EQ(b->Parent(), nullptr);
  EXPECT_FALSE(b->HandleAllocated());
}

TEST(Timer, TicksOnlyWhenEnabledWithIntervalAndHandler) {
  TTimer timer(nullptr);
  int ticks = 0;
  EXPECT_FALSE(timer.Active());
  timer.set_OnTimer([&](TObject*) { ++ticks; });
  EXPECT_TRUE(timer.Active());
  EXPECT_TRUE(tt::Tick(&timer));
  EXPECT_EQ(ticks, 1);
  timer.set_Enabled(false);
  EXPECT_FALSE(tt::Tick(&timer));
  timer.set_Interval(0);
  timer.set_Enabled(true);
  EXPECT_FALSE(timer.Active());
}

TEST(Fonts, PointsAndPixelsAgreeAtNinetySixDotsPerInch) {
  TFont f;
  f.set_Size(25);
  EXPECT_EQ(f.Height(), -33);
  f.set_Size(12);
  EXPECT_EQ(f.Height(), -16);
  f.set_Size(11);
  EXPECT_EQ(f.Height(), -15);
  f.set_Height(-33);
  EXPECT_EQ(f.Size(), 25);
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
}
