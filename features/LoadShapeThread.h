// CLoadShapeThread: reads one shapefile into its CShape in the background, behind the modal
// progress dialog that started it, and ends that dialog with UM_SHAPE_THREAD.
//
//     CLoadShapeThread* t = static_cast<CLoadShapeThread*>(AfxBeginThread(
//         RUNTIME_CLASS(CLoadShapeThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
//     t->SetOwner(this);  t->m_pShape = shape;  t->m_pProgress = &m_EntitiesRead;
//     t->ResumeThread();
//
// The object does not delete itself: its owner sets m_bStop when the user quits, waits for the
// thread to end (WaitForEnd) and deletes it. Until then the thread may still write the shape and
// the progress counter and post to the owner, so none of them may go before the wait.
#pragma once

#include "platform/core/WinThread.h"

#include <atomic>
#include <cstdint>

class CShape;

class CLoadShapeThread : public CWinThread
{
    DECLARE_DYNCREATE(CLoadShapeThread)
public:
    CLoadShapeThread();

    BOOL InitInstance() override;
    // Empties the shape and reads, in order: the ".prj" text, the ".dbf" column names, the
    // file's record count, type and bounds, then every entity, one by one, writing the
    // progress counter (entities read) before each; after the entities, the display settings,
    // made to label with a "TEXTSTRING" column when the table has one. Stops after the entity
    // being read once m_bStop is set; the entities read so far stay in the shape. Posts
    // UM_SHAPE_THREAD to the owner with wParam 0 when every entity was read, 1 when it was
    // stopped, the shapefile did not open or some entity could not be read (the shape's
    // m_strProblem then says how many), and lParam 0. Returns 0.
    int Run() override;

    // The target of the end message, with its handle taken now (on the owner's thread), so that
    // the thread posts by handle and never reads the owner.
    void SetOwner(CCmdTarget* owner);
    // Blocks until the thread has ended (at once for one never started).
    void WaitForEnd();

    CCmdTarget* m_pOwner;              // receives the end message
    HWND m_hOwner;                     // its handle
    CShape* m_pShape;                  // the shape to fill
    std::atomic<int32_t>* m_pProgress; // entities read so far; may be null
    // Set by the owner to stop the load; the thread only reads it, so a stop asked for at any
    // moment, even before the file is open, is never lost.
    std::atomic<bool> m_bStop;
};
