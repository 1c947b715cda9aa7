// Basic types of the toolkit layer: colours, mouse and key enumerations, event signatures.
#pragma once
#include <cstdint>
#include <functional>
#include <set>

namespace toolkit {

class TObject;

// 0x00BBGGRR; a value whose top byte is 0xFF names a system colour by the index in its low byte.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clWindowFrame = 0xFF000006;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clGrayText = 0xFF000011;
constexpr TColor clBtnText = 0xFF000012;
constexpr TColor clBtnHighlight = 0xFF000014;

// Resolves a system colour to a plain 0x00BBGGRR value of the platform palette.
TColor ColorToRGB(TColor c);

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = std::set<TShiftFlag>;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TBevelCut { bvNone, bvLowered, bvRaised };
enum TBorderStyle { bsNone, bsSingle };
enum TCursor { crDefault, crHandPoint };

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
// A key as it goes down: its virtual key code (the classic VK_ values; a letter or digit is its upper-
// case character) and the modifiers held. A handler that sets Key to 0 uses the key up.
using TKeyEvent = std::function<void(TObject* Sender, unsigned short& Key, TShiftState Shift)>;
// The focus came into a control; ByPlayer when the player brought it (a click, Tab or Shift+Tab, a
// shortcut), not the program (SetFocus) nor the window becoming active again.
using TEnterEvent = std::function<void(TObject* Sender, bool ByPlayer)>;
enum TVirtualKey : unsigned short {
  vkBack = 8, vkTab = 9, vkReturn = 13, vkEscape = 27, vkSpace = 32,
  vkLeft = 37, vkUp = 38, vkRight = 39, vkDown = 40
};
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

struct TPoint {
  int X, Y;
};
// WheelDelta: 120 a notch, positive when the wheel turns away from the player; MousePos on the screen.
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;

}  // namespace toolkit
