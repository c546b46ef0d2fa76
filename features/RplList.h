// CRPLList: the route position lists a program has loaded. The list owns them: it deletes each
// one it still holds when it is destroyed, whichever deliverable allocated it.
#pragma once

#include "features/Rpl.h"
#include "platform/core/Array.h"

class CRPLList : public CArray<CRPL*, CRPL*>
{
public:
    CRPLList() = default;
    CRPLList(const CRPLList&) = delete;
    CRPLList& operator=(const CRPLList&) = delete;
    ~CRPLList() override;

    // Deletes every list and empties the array.
    void DeleteAll();

    // Writes the file path of every list, in order, to "RPLs.FLS" in the settings folder. True
    // when the file was written.
    bool SaveFileList() const;
    // The paths of "RPLs.FLS", appended to `paths`; false when it cannot be read.
    static bool LoadFileList(CStringArray& paths);
};
