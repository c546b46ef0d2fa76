// CLoadShape: the modal progress dialog behind which one shapefile is read by a
// CLoadShapeThread, with "Quit" to stop it; and the exported functions that load shapefiles
// into a CShapeFileList through it.
#pragma once

#include "featureui/TolvarApi.h"

#include "featureui/loaders/ProgressDialog.h"

#include <atomic>
#include <cstdint>

class CShape;
class CShapeFileList;

class TOLVAR_API CLoadShape : public CProgressDialog
{
    DECLARE_DYNAMIC(CLoadShape)
public:
    explicit CLoadShape(CWnd* pParent = nullptr);
    // Stops the worker, if one still runs, waits for it and deletes it.
    ~CLoadShape() override;

    // The shape to load (its path and title set); before DoModal. The dialog's DoModal gives
    // IDOK when the whole shapefile was read and IDCANCEL when the user quit or the shapefile
    // did not open; it returns only once the worker has ended, so the caller may delete the
    // shape at once whatever the result.
    void SetShape(CShape* shape) { m_pShape = shape; }

protected:
    // "Loading Shape File <title>.........".
    CString GetCaption() override;
    // A CLoadShapeThread on the shape, counting into m_EntitiesRead.
    CWinThread* StartWorker() override;
    void RequestStop() override;
    // Once the entity count is known: the bar spans 1..count at the entities read, and the
    // status line shows "Copied <read> of <count> Entities".
    void OnProgressTick() override;
    // UM_SHAPE_THREAD: wParam 0 ends the dialog with its result, anything else with IDCANCEL.
    LRESULT OnEndThread(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CShape* m_pShape = nullptr;
    std::atomic<int32_t> m_EntitiesRead{0}; // written by the worker
};

// Reads the shapefile `path` (a Windows path to its ".shp") behind a CLoadShape dialog and, when
// it was read whole, appends it to the list and marks the list changed. True when it was
// appended; otherwise the list is unchanged.
TOLVAR_API bool LoadShapeFile(const char* path, CShapeFileList* list);
// LoadShapeFile for every path of the list's file names, in order.
TOLVAR_API void LoadShapeFiles(CShapeFileList* list);
// Loads a shapefile that the list does not hold yet (compared without regard to letter case)
// and records it: its path is added to the file names and the list's "FLS" file rewritten.
// False when it is held already (nothing is opened) or was not loaded.
TOLVAR_API bool AddShapeFile(const char* path, CShapeFileList* list);
