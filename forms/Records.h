// The record file "phb.txt": eight lines, a time and a name for each of the four levels.
#pragma once
#include <string>

#include "toolkit/Classes.h"

namespace velmora::Records {

inline const char* const FileName = "phb.txt";
inline const char* const DefaultTime = "9999秒";
inline const char* const DefaultName = "佚名";

// The store cleared and filled with the eight default lines; written, it is the 56-byte default file.
void FillDefaults(toolkit::TStringList& store);

// Replaces the level's two lines (time line 2L-2, name line 2L-1). The name is one line: it is cut at
// its first CR or LF, wherever it came from; what is left is stored exactly, or DefaultName when it
// is blank (bytes 0x00..0x20 only). A file that is too short is first completed with default lines,
// so that neither the record nor the name is ever lost; lines after the eighth stay as they are.
void PutRecord(toolkit::TStringList& store, int level, const std::string& time, const std::string& name);

}  // namespace velmora::Records
