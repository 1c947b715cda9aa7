// The test mode's hooks into the layer. Included by toolkit/*.cpp only.
#pragma once
#include <optional>
#include <string>

namespace toolkit {
class TForm;
}

namespace toolkit::testing {

// Runs a modal form in test mode: the pending function, if any, then the form closes.
void RunModal(TForm* form);
void RecordErrorBox(const std::string& message);
// The answer waiting for the next file dialog; consumed by the call. False when none is waiting.
bool TakeFileDialogAnswer(std::optional<std::string>& answer);
// The fault waiting for the next file write; consumed by the call. False when none is waiting.
bool TakeWriteFault(int& error, long long& afterBytes);

}  // namespace toolkit::testing
