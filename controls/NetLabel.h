// The hyperlink label: lights up under the mouse and opens its link through the shell when clicked.
#pragma once
#include <cstdint>
#include <string>

#include "toolkit/StdCtrls.h"

namespace velmora::NetLabel {

enum THyperLink : std::uint8_t { hlHTTP, hlMail, hlTelnet, hlGopher, hlNews, hlFTP };

// The scheme put before a link of that kind ("http://", "mailto:", ...).
const char* Prefix(THyperLink kind);

// The four published settings are plain values: setting one changes nothing on screen, and the
// caption is independent of the link.
//
// Under the mouse the label shows HLinkColor, underlined; when the mouse leaves it takes LeaveColor
// without underline. A click opens the kind's prefix followed by HyperLink, or HyperLink as it stands
// when it names its own scheme ("https://…"), and makes VLinkColor the colour to leave to.
class TNetLabel : public toolkit::TLabel {
 public:
  explicit TNetLabel(toolkit::TComponent* AOwner);

  THyperLink HyperLinkKind = hlHTTP;
  std::string HyperLink;
  toolkit::TColor HLinkColor = 0xFF0000;
  toolkit::TColor VLinkColor = 0x800000;
  // The colour the label returns to when the mouse leaves.
  toolkit::TColor LeaveColor;

  void MouseEnter() override;
  void MouseLeave() override;
  void Click() override;
};

}  // namespace velmora::NetLabel
