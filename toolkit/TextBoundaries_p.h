// Where characters, words, sentences and paragraphs of a text begin and end, as a screen reader asks
// of every text the layer shows. Included by toolkit/*.cpp only.
//
// Qt 6.4's own answer (QTextBoundaryFinder under QAccessibleTextInterface) never returns for the word
// at the start of a text that begins with a Chinese character, and the game froze for good: the layer
// finds every boundary itself, each from the place asked about, in time of the piece it returns.
#pragma once
#include <QAccessible>
#include <QStringView>
#include <functional>

namespace toolkit {

// Offsets [Start, End) of a piece of a text, in UTF-16 units.
struct TextSpan {
  int Start = 0, End = 0;
};

// The piece of the text that holds unit i (0 <= i < size), by the boundary given:
// - a character: one code point, a pair of surrogates together;
// - a word: a run of letters and digits, or a run of blanks; a Chinese (or Japanese, Korean) character
//   is a word of its own, and so is every other sign;
// - a sentence: up to and with its closing 。！？ or .!? (a Latin full stop only where no letter or digit
//   follows it, so "1.5" and "tk.vlm" run on), the quotes and brackets that close it and the blanks
//   after; a line break ends a sentence too;
// - a paragraph (and a line, where the text has no shown lines of its own): up to and with its line break.
TextSpan SpanAt(QStringView text, int i, QAccessible::TextBoundaryType type);

enum class TextSide { At, Before, After };

// What a screen reader asks of a text of `size` units: the piece at an offset, or the one before or
// after that piece, by a boundary; `spanAt` gives the piece holding a unit. An offset out of the text
// is taken as its nearer end. At the end of the text there is no character, and the line or paragraph
// after a final line break is empty; any other piece at the end is the last one. Nothing before the
// first piece or after the last: an empty piece at that end.
TextSpan PieceOf(QStringView text, int offset, QAccessible::TextBoundaryType type, TextSide side,
                 const std::function<TextSpan(int)>& spanAt);

}  // namespace toolkit
