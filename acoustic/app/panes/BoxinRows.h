// Imported Boxin rows turned into observations: the list's columns hold the definition's mapped
// fields in field order (vessel easting, vessel northing, gyro heading, transponder depth,
// observation); each row becomes one record.
#pragma once

#include "platform/core/String.h"

#include <functional>
#include <vector>

class CBoxin;
class CListCtrlImport;

// Fills `boxin`'s records from `rowCount` rows whose cells `cell(row, column)` gives, and sets
// its heading and depth flags from the fields mapped (a depth column also asks for the depth
// to be computed). A cell is read from its first 39 characters, trimmed; a row with a mapped
// cell that is not a finite number is kept but not used: its record carries what did read and
// its used flag clear, and `used[row]` is false (a heading row, a typo). Returns how many rows
// were kept unused. A definition of fewer than five fields raises the invalid-argument exception.
int ConvertBoxinRows(CBoxin& boxin, const CListCtrlImport& import, int rowCount,
                     const std::function<CString(int row, int column)>& cell, std::vector<bool>& used);

// A cell's text as a number: its first 39 characters trimmed, read whole; false for anything
// else ("", "Easting", "12O.5", "nan").
bool ReadBoxinCell(const CString& text, double& value);
