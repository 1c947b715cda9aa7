// ShellOpen over QDesktopServices.
#include "toolkit/Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace toolkit {

TShellOpener ShellOpener = [](const std::string& address) {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
};

void ShellOpen(const std::string& address) {
  if (ShellOpener) ShellOpener(address);
}

}  // namespace toolkit
