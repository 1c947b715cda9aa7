// Character, word, sentence and paragraph boundaries of a text, for what a screen reader asks.
#include "toolkit/TextBoundaries_p.h"

#include <QChar>
#include <algorithm>

namespace toolkit {

namespace {

bool LineBreak(char32_t c) { return c == '\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator; }

// The code point that starts at unit i, and how many units it takes.
struct CodePoint {
  char32_t value;
  int units;
};
CodePoint At(QStringView t, int i) {
  if (t[i].isHighSurrogate() && i + 1 < t.size() && t[i + 1].isLowSurrogate())
    return {QChar::surrogateToUcs4(t[i], t[i + 1]), 2};
  return {t[i].unicode(), 1};
}
// The unit where the code point holding unit i starts.
int StartOf(QStringView t, int i) {
  return i > 0 && t[i].isLowSurrogate() && t[i - 1].isHighSurrogate() ? i - 1 : i;
}
// The code point that ends just before unit i (i > 0).
CodePoint Before(QStringView t, int i) { return At(t, StartOf(t, i - 1)); }

// ---------------------------------------------------------------- words

enum WordKind { Letters, Blanks, Alone };

WordKind KindOf(char32_t c) {
  if (LineBreak(c)) return Alone;
  if (QChar::isSpace(c)) return Blanks;
  switch (QChar::script(c)) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Hangul:
    case QChar::Script_Bopomofo:
      return Alone;  // a character is a word: no spaces mark where one ends
    default:
      break;
  }
  // A kept byte (a lone surrogate) is a sign of its own.
  if (QChar::isSurrogate(c)) return Alone;
  return QChar::isLetterOrNumber(c) || QChar::isMark(c) || c == '_' ? Letters : Alone;
}

TextSpan WordAt(QStringView t, int i) {
  int start = StartOf(t, i);
  CodePoint c = At(t, start);
  WordKind kind = KindOf(c.value);
  int end = start + c.units;
  if (kind == Alone) return {start, end};
  while (start > 0 && KindOf(Before(t, start).value) == kind) start = StartOf(t, start - 1);
  while (end < t.size() && KindOf(At(t, end).value) == kind) end += At(t, end).units;
  return {start, end};
}

// ---------------------------------------------------------------- sentences

bool Closer(char32_t c) {
  if (c == '"' || c == '\'') return true;
  QChar::Category k = QChar::category(c);
  return k == QChar::Punctuation_Close || k == QChar::Punctuation_FinalQuote;
}
bool Blank(char32_t c) { return QChar::isSpace(c) && !LineBreak(c); }
bool WordChar(char32_t c) { return QChar::isLetterOrNumber(c); }

// Whether the sign that starts at unit i ends a sentence (with what follows it).
bool Ends(QStringView t, int i) {
  CodePoint c = At(t, i);
  switch (c.value) {
    case u'。': case u'！': case u'？': case u'｡': case u'．': case '!': case '?':
      return true;
    case '.':
      return i + 1 >= t.size() || !WordChar(At(t, i + 1).value);
    default:
      return false;
  }
}

// Whether a sentence starts at unit b (0 < b < size): after a line break, or after a closing sign, the
// signs that close with it and the blanks, where b itself is none of those.
bool SentenceStartsAt(QStringView t, int b) {
  if (LineBreak(Before(t, b).value)) return true;
  char32_t here = At(t, b).value;
  if (Blank(here) || LineBreak(here) || Closer(here) || Ends(t, b)) return false;
  int j = b;
  while (j > 0 && Blank(Before(t, j).value)) j = StartOf(t, j - 1);
  while (j > 0 && (Closer(Before(t, j).value) || Ends(t, StartOf(t, j - 1)))) {
    if (Ends(t, StartOf(t, j - 1))) return true;
    j = StartOf(t, j - 1);
  }
  return false;
}

TextSpan SentenceAt(QStringView t, int i) {
  int start = StartOf(t, i);
  while (start > 0 && !SentenceStartsAt(t, start)) start = StartOf(t, start - 1);
  int end = StartOf(t, i) + At(t, StartOf(t, i)).units;
  while (end < t.size() && !SentenceStartsAt(t, end)) end += At(t, end).units;
  return {start, end};
}

// ---------------------------------------------------------------- paragraphs

TextSpan ParagraphAt(QStringView t, int i) {
  int start = i;
  while (start > 0 && !LineBreak(t[start - 1].unicode())) --start;
  int end = i;
  while (end < t.size() && !LineBreak(t[end].unicode())) ++end;
  return {start, std::min<int>(static_cast<int>(t.size()), end + 1)};
}

}  // namespace

TextSpan SpanAt(QStringView t, int i, QAccessible::TextBoundaryType type) {
  switch (type) {
    case QAccessible::CharBoundary: {
      int start = StartOf(t, i);
      return {start, start + At(t, start).units};
    }
    case QAccessible::WordBoundary: return WordAt(t, i);
    case QAccessible::SentenceBoundary: return SentenceAt(t, i);
    case QAccessible::LineBoundary:
    case QAccessible::ParagraphBoundary: return ParagraphAt(t, i);
    case QAccessible::NoBoundary: break;
  }
  return {0, static_cast<int>(t.size())};
}

TextSpan PieceOf(QStringView t, int offset, QAccessible::TextBoundaryType type, TextSide side,
                 const std::function<TextSpan(int)>& spanAt) {
  const int size = static_cast<int>(t.size());
  if (size == 0) return {};
  if (type == QAccessible::NoBoundary) {
    if (side == TextSide::At) return {0, size};
    return side == TextSide::Before ? TextSpan{0, 0} : TextSpan{size, size};
  }
  offset = std::clamp(offset, 0, size);
  TextSpan at;
  const bool lines = type == QAccessible::LineBoundary || type == QAccessible::ParagraphBoundary;
  if (offset < size)
    at = spanAt(offset);
  else if (type == QAccessible::CharBoundary || (lines && LineBreak(t[size - 1].unicode())))
    at = {size, size};
  else
    at = spanAt(size - 1);
  switch (side) {
    case TextSide::At: return at;
    case TextSide::Before: return at.Start > 0 ? spanAt(at.Start - 1) : TextSpan{0, 0};
    case TextSide::After: return at.End < size ? spanAt(at.End) : TextSpan{size, size};
  }
  return at;
}

}  // namespace toolkit
