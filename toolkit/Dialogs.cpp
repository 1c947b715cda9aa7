// File dialogs over QFileDialog; in test mode they take the answer the test gave.
#include "toolkit/Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <filesystem>
#include <memory>
#include <optional>

#include "toolkit/Forms.h"
#include "toolkit/SysUtils.h"
#include "toolkit/qt_p.h"
#include "toolkit/testing.h"
#include "toolkit/testing_p.h"

namespace toolkit {

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}
TSaveDialog::TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

bool TOpenDialog::Execute() { return Run(false); }
bool TSaveDialog::Execute() { return Run(true); }

namespace {
// The platform's question before a file is replaced, in its words, with "no" the default.
bool MayReplace(const std::string& name) {
  const std::string question = std::filesystem::path(name).filename().string() + " 已经存在。\n要替换它吗？";
  if (testing::Enabled()) return testing::TakeReplaceAnswer(question);
  QWidget* owner = DialogOwner();
  const bool yes = QMessageBox::warning(owner, ToQString(Application->Title), ToQString(question),
                                        QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
  Reactivate(owner);
  return yes;
}
}  // namespace

std::unique_ptr<QFileDialog> MakeFileDialog(bool save, const std::string& folder, const std::string& name) {
  auto dialog = std::make_unique<QFileDialog>(DialogOwner());
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::AnyFile);
  // Asked in Run, of the name the default extension completes, which the dialog cannot know.
  dialog->setOption(QFileDialog::DontConfirmOverwrite);
  // Qt's own dialog, not the desktop's: it speaks the game's language and wears its colours.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setDirectory(QString::fromStdString(folder.empty() ? "." : folder));
  if (!name.empty()) dialog->selectFile(QString::fromStdString(name));
  return dialog;
}

bool TOpenDialog::Run(bool save) {
  std::string start = FileName;
  for (;;) {
    std::optional<std::string> answer;
    if (testing::Enabled()) {
      if (!testing::TakeFileDialogAnswer(answer)) answer.reset();  // no answer waiting: cancelled
    } else {
      std::unique_ptr<QFileDialog> dialog = MakeFileDialog(save, InitialDir, start);
      QString chosen = dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty() ? dialog->selectedFiles().first() : QString();
      Reactivate(dialog->parentWidget());
      if (!chosen.isEmpty()) answer = chosen.toStdString();
    }
    if (!answer) return false;
    std::string name = *answer;
    // As the classic dialogs do: the default extension completes a typed name, but a file that exists
    // under the name as it stands is that file.
    if (!DefaultExt.empty() && !std::filesystem::path(name).has_extension() && !FileExists(name))
      name += "." + DefaultExt;
    // "No" goes back to the dialog, at the name given.
    if (save && FileExists(name) && !MayReplace(name)) {
      start = name;
      continue;
    }
    FileName = name;
    return true;
  }
}

}  // namespace toolkit
