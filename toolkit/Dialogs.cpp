// File dialogs over QFileDialog; in test mode they take the answer the test gave.
#include "toolkit/Dialogs.h"

#include <QFileDialog>
#include <filesystem>
#include <optional>

#include "toolkit/SysUtils.h"
#include "toolkit/qt_p.h"
#include "toolkit/testing.h"
#include "toolkit/testing_p.h"

namespace toolkit {

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}
TSaveDialog::TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

bool TOpenDialog::Execute() { return Run(false); }
bool TSaveDialog::Execute() { return Run(true); }

bool TOpenDialog::Run(bool save) {
  std::optional<std::string> answer;
  if (testing::Enabled()) {
    if (!testing::TakeFileDialogAnswer(answer)) answer.reset();  // no answer waiting: cancelled
  } else {
    QFileDialog dialog(DialogOwner());
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // Qt's own dialog, not the desktop's: it speaks the game's language and wears its colours.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(QString::fromStdString(InitialDir.empty() ? "." : InitialDir));
    if (!FileName.empty()) dialog.selectFile(QString::fromStdString(FileName));
    QString chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first() : QString();
    if (!chosen.isEmpty()) answer = chosen.toStdString();
  }
  if (!answer) return false;
  std::string name = *answer;
  // As the classic dialogs do: the default extension completes a typed name, but a file that exists
  // under the name as it stands is that file.
  if (!DefaultExt.empty() && !std::filesystem::path(name).has_extension() && !FileExists(name))
    name += "." + DefaultExt;
  FileName = name;
  return true;
}

}  // namespace toolkit
