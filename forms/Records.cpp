// The record file's default content and the replacement of one level's record.
#include "forms/Records.h"

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

}  // namespace velmora::Records
