// The player's choices kept across starts.
#include "forms/Settings.h"

#include "toolkit/Classes.h"
#include "toolkit/SafeWrite.h"
#include "toolkit/SysUtils.h"

namespace velmora::Settings {

using namespace toolkit;

namespace {
const char* const SameDigitName = "同数高亮";
const char* const ClearMarksName = "自动清除候选";
// Far more than the two lines it holds: anything bigger is not this file.
constexpr std::size_t Limit = 4096;
}  // namespace

TSettings Read() {
  TSettings settings;
  std::string bytes;
  try {
    if (!FileExists(FileName)) return settings;
    bytes = ReadFileBytes(FileName, Limit);
  } catch (const Exception&) {
    return settings;
  }
  TStringList lines;
  lines.set_Text(AnsiToUtf8(bytes));
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string line = Trim(lines.Get(i));
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string name = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
    if (value != "0" && value != "1") continue;
    if (name == SameDigitName) settings.SameDigit = value == "1";
    if (name == ClearMarksName) settings.ClearMarks = value == "1";
  }
  return settings;
}

void Write(const TSettings& settings) {
  TStringList lines;
  lines.Add(std::string(SameDigitName) + "=" + (settings.SameDigit ? "1" : "0"));
  lines.Add(std::string(ClearMarksName) + "=" + (settings.ClearMarks ? "1" : "0"));
  lines.SaveToFile(FileName);
}

}  // namespace velmora::Settings
