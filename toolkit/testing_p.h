// The test mode's hooks into the layer. Included by toolkit/*.cpp only.
#pragma once
#include <exception>
#include <functional>
#include <optional>
#include <string>

class QEventLoop;

namespace toolkit {
class TForm;
}

namespace toolkit::testing {

// Called by a modal form in test mode once it is shown, before its loop runs: queues the test's pending
// function on the loop, so that it runs inside it, and closes the form after it (at once when nothing
// is pending). What the function throws is left in `failure`, for ShowModal to throw on after the loop.
void AnswerModal(TForm* form, QEventLoop* loop, std::exception_ptr& failure);
void RecordErrorBox(const std::string& message);
void RecordMessageBox(const std::string& message);
// The answer waiting for the next file dialog; consumed by the call. False when none is waiting.
bool TakeFileDialogAnswer(std::optional<std::string>& answer);
// The answer waiting for the next print dialog (a PDF file and its paper, or cancelled); consumed by
// the call. False when none is waiting.
bool TakePrintAnswer(std::optional<std::string>& pdf, std::string& paper);
// Records the question whether to replace a file and gives the answer waiting for it (consumed); yes
// when none is waiting.
bool TakeReplaceAnswer(const std::string& question);
// The fault waiting for the next file write; consumed by the call. False when none is waiting.
bool TakeWriteFault(int& error, long long& afterBytes);
// The error waiting for the next exclusive lock; consumed by the call, which arms the function that
// runs when the unlocked holder next reads the file again (TakeLockMeanwhile). False when none waits.
bool TakeLockFault(int& error);
std::function<void()> TakeLockMeanwhile();
// The error waiting for the next write's folder sync; consumed by the call.
bool TakeFolderSyncFault(int& error);

}  // namespace toolkit::testing
