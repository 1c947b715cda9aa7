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

// The seconds of a time line: its code-page-936 form without its last two bytes (the unit "秒"), read
// as an integer; 9999 when that is no integer.
long long Seconds(const std::string& timeLine);

// At start, in the current folder: removes what interrupted writes left, and writes the default file
// when there is none. Raises the file error when that write fails. Waits for the record lock only a
// moment: while another copy holds it, it does neither.
void PrepareFolder(toolkit::TStringList& store);

// Stores a new record of the level, unless a time at least as good has been stored since the record
// was decided (another copy of the game in the same folder, say): under the record file's lock the file
// is read again, and written only when `time` still beats the level's time in it. Returns false, with
// the file unchanged, when it does not; `store` then holds the file's lines. A missing file is the
// default table, written with the record. Where no lock can be had, the file is read again just before
// it is written, and the record decided again when another copy changed it. Raises the file errors.
bool StoreRecord(toolkit::TStringList& store, int level, const std::string& time, const std::string& name);

}  // namespace velmora::Records
