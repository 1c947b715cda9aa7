// The shell's open operation: a web address or a mail address goes to the desktop's handler.
#pragma once
#include <functional>
#include <string>

namespace toolkit {

// Opens the address ("http://...", "mailto:...") with whatever the desktop uses for it. The result
// is not reported: an address nothing can open passes unnoticed.
void ShellOpen(const std::string& address);

// What ShellOpen calls; the desktop's handler unless replaced (tests put a recorder here).
using TShellOpener = std::function<void(const std::string& address)>;
extern TShellOpener ShellOpener;

}  // namespace toolkit
