// The record file's default content and the replacement of one level's record.
#include "forms/Records.h"

#include <optional>

#include "toolkit/SysUtils.h"

namespace velmora::Records {

void FillDefaults(toolkit::TStringList& store) {
  store.Clear();
  for (int level = 1; level <= 4; ++level) {
    store.Add(DefaultTime);
    store.Add(DefaultName);
  }
}

void PutRecord(toolkit::TStringList& store, int level, const std::string& time, const std::string& name) {
  // Complete a short file with default lines; each Add ends its line, as in the default file. An empty
  // eighth line at the very end is the open line after the last break, so it is missing too.
  while (store.Count() < 8 || (store.Count() == 8 && store.Get(7).empty())) {
    bool lastOpen = store.Get(store.Count() - 1).empty();
    int next = lastOpen ? store.Count() - 1 : store.Count();
    store.Add(next % 2 == 0 ? DefaultTime : DefaultName);
  }
  std::string line = name.substr(0, name.find_first_of("\r\n"));
  store.Put(2 * level - 2, time);
  store.Put(2 * level - 1, toolkit::Trim(line).empty() ? std::string(DefaultName) : line);
}

long long Seconds(const std::string& timeLine) {
  std::string line = toolkit::Utf8ToAnsi(timeLine);
  line = line.size() >= 2 ? line.substr(0, line.size() - 2) : std::string();
  try {
    return toolkit::StrToInt(toolkit::AnsiToUtf8(line));
  } catch (const toolkit::EConvertError&) {
    return 9999;
  }
}

void PrepareFolder(toolkit::TStringList& store) {
  // Start waits only a moment for the lock. While another copy holds it, that copy is storing or
  // resetting records: the file is there then, and the sweep waits for the next write.
  toolkit::TFileLock lock(FileName, toolkit::TFileLock::Moment);
  if (lock.Busy()) return;
  toolkit::RemoveLeftoverTemporaries(".");
  if (toolkit::FileExists(FileName)) return;
  FillDefaults(store);
  if (!lock.Unchanged(std::nullopt)) return;  // another copy wrote it meanwhile
  store.SaveToFile(FileName);
}

bool StoreRecord(toolkit::TStringList& store, int level, const std::string& time, const std::string& name) {
  toolkit::TFileLock lock(FileName);
  // Without the lock the file is read again just before it is written; when another copy changed it
  // in between, the record is decided again on what it wrote.
  for (int tries = 0;; ++tries) {
    // A missing file (deleted, or never written at start) is the default table.
    std::optional<std::string> seen = toolkit::ReadFileIfAny(FileName);
    if (seen) {
      store.set_Text(toolkit::AnsiToUtf8(*seen));
    } else {
      FillDefaults(store);
    }
    if (Seconds(time) >= Seconds(store.Get(2 * level - 2))) return false;
    PutRecord(store, level, time, name);
    if (tries < 20 && !lock.Unchanged(seen)) continue;
    store.SaveToFile(FileName);
    return true;
  }
}

}  // namespace velmora::Records
