// Test mode: the answers a test leaves for the program's dialogs and the error boxes it records.
#include <QEventLoop>
#include <QTimer>
#include <QtGlobal>

#include "toolkit/Forms.h"
#include "toolkit/testing.h"
#include "toolkit/testing_p.h"

namespace toolkit::testing {

namespace {
bool enabled = false;
std::vector<std::string> errorBoxes;
std::vector<std::string> messageBoxes;
std::vector<TForm*> modalForms;
std::function<void(TForm*)> pendingModal;
bool fileAnswerWaiting = false;
std::optional<std::string> fileAnswer;
bool printAnswerWaiting = false;
std::optional<std::string> printAnswer;
std::string printPaper;
bool replaceWaiting = false;
bool replaceAnswer = false;
std::vector<std::string> replaceQuestions;
bool writeFaultWaiting = false;
int writeFaultError = 0;
long long writeFaultAfter = -1;
bool lockFaultWaiting = false;
int lockFaultError = 0;
std::function<void()> lockMeanwhile, lockMeanwhileArmed;
bool folderSyncFaultWaiting = false;
int folderSyncFaultError = 0;
}  // namespace

void Enable() {
  enabled = true;
  // The tests' offscreen platform cannot raise a window or grab the keyboard (a popup menu asks it to),
  // and says so at every showing: nothing the program did wrong.
  static QtMessageHandler platform = qInstallMessageHandler(nullptr);
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    if (platform) platform(type, context, message);
  });
}
bool Enabled() { return enabled; }

void RecordErrorBox(const std::string& message) { errorBoxes.push_back(message); }
std::vector<std::string> ErrorBoxes() { return errorBoxes; }
void ClearErrorBoxes() { errorBoxes.clear(); }
void RecordMessageBox(const std::string& message) { messageBoxes.push_back(message); }
std::vector<std::string> MessageBoxes() { return messageBoxes; }
void ClearMessageBoxes() { messageBoxes.clear(); }

void OnNextModal(std::function<void(TForm*)> f) { pendingModal = std::move(f); }
std::vector<TForm*> ModalForms() { return modalForms; }
void ClearModalForms() { modalForms.clear(); }

void AnswerModal(TForm* form, QEventLoop* loop, std::exception_ptr& failure) {
  modalForms.push_back(form);
  std::function<void(TForm*)> f = std::move(pendingModal);
  pendingModal = nullptr;
  // Queued on the loop: it runs once the loop turns, and not at all if the form closed before.
  QTimer::singleShot(0, loop, [form, f = std::move(f), &failure] {
    if (f) {
      try {
        f(form);
      } catch (...) {
        failure = std::current_exception();
      }
    }
    if (form->ModalResult() == mrNone) form->Close();
  });
}

void AnswerFileDialog(std::optional<std::string> name) {
  fileAnswerWaiting = true;
  fileAnswer = std::move(name);
}

bool TakeFileDialogAnswer(std::optional<std::string>& answer) {
  if (!fileAnswerWaiting) return false;
  fileAnswerWaiting = false;
  answer = std::move(fileAnswer);
  return true;
}

void AnswerPrintDialog(std::optional<std::string> pdf, const std::string& paper) {
  printAnswerWaiting = true;
  printAnswer = std::move(pdf);
  printPaper = paper;
}

bool TakePrintAnswer(std::optional<std::string>& pdf, std::string& paper) {
  if (!printAnswerWaiting) return false;
  printAnswerWaiting = false;
  pdf = std::move(printAnswer);
  paper = printPaper;
  return true;
}

void AnswerReplace(bool replace) {
  replaceWaiting = true;
  replaceAnswer = replace;
}
std::vector<std::string> ReplaceQuestions() { return replaceQuestions; }
void ClearReplaceQuestions() { replaceQuestions.clear(); }

bool TakeReplaceAnswer(const std::string& question) {
  replaceQuestions.push_back(question);
  const bool answer = !replaceWaiting || replaceAnswer;
  replaceWaiting = false;
  return answer;
}

void FailNextWrite(int error, long long afterBytes) {
  writeFaultWaiting = true;
  writeFaultError = error;
  writeFaultAfter = afterBytes;
}

bool TakeWriteFault(int& error, long long& afterBytes) {
  if (!writeFaultWaiting) return false;
  writeFaultWaiting = false;
  error = writeFaultError;
  afterBytes = writeFaultAfter;
  return true;
}

void FailNextLock(int error, std::function<void()> meanwhile) {
  lockFaultWaiting = true;
  lockFaultError = error;
  lockMeanwhile = std::move(meanwhile);
}

bool TakeLockFault(int& error) {
  if (!lockFaultWaiting) return false;
  lockFaultWaiting = false;
  error = lockFaultError;
  lockMeanwhileArmed = std::move(lockMeanwhile);
  lockMeanwhile = nullptr;
  return true;
}

std::function<void()> TakeLockMeanwhile() {
  std::function<void()> f = std::move(lockMeanwhileArmed);
  lockMeanwhileArmed = nullptr;
  return f;
}

void FailNextFolderSync(int error) {
  folderSyncFaultWaiting = true;
  folderSyncFaultError = error;
}

bool TakeFolderSyncFault(int& error) {
  if (!folderSyncFaultWaiting) return false;
  folderSyncFaultWaiting = false;
  error = folderSyncFaultError;
  return true;
}

}  // namespace toolkit::testing
