// ReadTideRecordFile: the one loop that reads a tide data file of fixed-size records, so that
// every such file stops in the same way at the same kinds of damage and says why.
#pragma once

#include "marevo/TideLoadProblem.h"
#include "platform/core/String.h"

#include <cstdint>
#include <functional>
#include <vector>

class CFile;
class CRecordBytes;

// Reads record `number` (1-based) of `size` bytes from `file`: true when it is whole. False at
// the end of the file, past `limit` and at an incomplete record; all but the end of a file that
// held records add a problem naming `path`.
bool ReadNextTideRecord(CFile& file, const CString& path, uint8_t* bytes, int size, int number, int limit,
                        std::vector<TideLoadProblem>& problems);

// Reads `path` (a Windows path) record by record, `size` bytes each, handing each whole record
// and its 1-based number to `take`. Reading stops, with one problem appended, at an empty file,
// at a record past `limit`, at an incomplete record, at a read error, and where `take` answers
// false (its reason is the problem's). Returns whether the file opened; a file that does not
// open adds no problem.
bool ReadTideRecordFile(const CString& path, int size, int limit, std::vector<TideLoadProblem>& problems,
                        const std::function<bool(const CRecordBytes&, int record, CString& reason)>& take);
