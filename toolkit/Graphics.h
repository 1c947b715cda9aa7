// Fonts, pens, brushes and the canvas a control paints on.
#pragma once
#include <functional>
#include <set>
#include <string>

#include "toolkit/Classes.h"
#include "toolkit/Types.h"

namespace toolkit {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = std::set<TFontStyle>;

// A font: face name, height in pixels (negative: character height) or size in points at 96 dots per
// inch, colour and style. "MS Sans Serif" and "System" stand for the platform's sans-serif face with
// Chinese coverage. OnChange runs after every real change.
class TFont : public TObject {
 public:
  TFont() = default;

  std::string Name() const { return FName; }
  void set_Name(const std::string& v);
  int Height() const { return FHeight; }
  void set_Height(int v);
  int Size() const;
  void set_Size(int points);
  TColor Color() const { return FColor; }
  void set_Color(TColor v);
  TFontStyles Style() const { return FStyle; }
  void set_Style(const TFontStyles& v);
  // Character height in pixels.
  int PixelSize() const { return FHeight < 0 ? -FHeight : FHeight; }

  void Assign(const TFont& other);
  bool operator==(const TFont& o) const {
    return FName == o.FName && FHeight == o.FHeight && FColor == o.FColor && FStyle == o.FStyle;
  }

  std::function<void()> OnChange;

 private:
  void Changed();
  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  TColor FColor = clWindowText;
  TFontStyles FStyle;
};

enum TPenStyle { psSolid, psDot };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
};

struct TBrush {
  TColor Color = clWhite;
};

struct CanvasPainter;  // the platform's painter, known to the layer only

// Drawing on a control while it paints (inside its Paint). Lines follow the classic rule: LineTo draws
// up to, but not including, the end point.
class TCanvas : public TObject {
 public:
  explicit TCanvas(CanvasPainter* painter);

  TPen Pen;
  TBrush Brush;
  TFont Font;

  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  // Outline in the pen, interior in the brush, from (X1, Y1) to (X2, Y2) exclusive, as the classic call.
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void FillRect(int X1, int Y1, int X2, int Y2);
  // Text with its top-left corner at (X, Y), on the brush colour.
  void TextOut(int X, int Y, const std::string& text);
  int TextWidth(const std::string& text);

 private:
  CanvasPainter* FPainter;
  int FX = 0, FY = 0;
};

}  // namespace toolkit
