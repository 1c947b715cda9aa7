// The platform's open and save file dialogs.
#pragma once
#include <string>

#include "toolkit/Classes.h"

namespace toolkit {

// A file dialog. Execute shows it and returns false when the player cancels; FileName then holds the
// chosen name, with DefaultExt added when the name has no extension and no file exists under it. No
// file-type filter; the open dialog accepts a name that does not exist. The save dialog asks before
// it names a file that exists (its name with DefaultExt added, when that is the one): "no" goes back
// to the dialog, so that no slip replaces a saved game.
// The dialog never changes the process's current directory.
class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* AOwner);
  std::string DefaultExt;
  std::string FileName;
  std::string InitialDir;
  virtual bool Execute();

 protected:
  bool Run(bool save);
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* AOwner);
  bool Execute() override;
};

}  // namespace toolkit
