// CDbase: the dBASE attribute table (".dbf") of a shapefile, of which the system keeps only the
// column names: the shapefile pane offers them as label columns, and the shape loader takes the
// column "TEXTSTRING" as the default one.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"

class CDbase
{
public:
    CDbase() = default;
    virtual ~CDbase() = default;

    // Takes the shapefile's path (Windows path): the base path becomes its drive, folder and
    // file title (no extension), the title its file title.
    void SetFile(const char* path);

    // Replaces the column names with those of the table "<base path>.dbf" (or ".DBF"), in the
    // order of its field descriptors, so a name's index is its field number. False, with no
    // names, when the table does not open.
    bool ReadFieldNames();

    // The index of the column named exactly `name` (letter case counts); -1 when none is.
    int FindFieldName(const char* name) const;

    // A field descriptor's name as the table stores it: its first 11 bytes, up to a NUL, with
    // trailing blanks removed from the 11th character back to the 2nd (a name of blanks keeps
    // one).
    static CString FieldNameFromDescriptor(const char* descriptor);

    CString m_BasePath;        // drive, folder and file title of the shapefile
    CString m_Title;           // the file title alone
    CStringArray m_FieldNames; // column names, by field number
};
