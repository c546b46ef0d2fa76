#include "features/LoadShapeThread.h"

#include "features/Shape.h"
#include "features/ShapeIo.h"
#include "foundation/WindowMessages.h"
#include "platform/core/Sync.h"

IMPLEMENT_DYNCREATE(CLoadShapeThread, CWinThread)

CLoadShapeThread::CLoadShapeThread()
    : m_pOwner(nullptr), m_hOwner(nullptr), m_pShape(nullptr), m_pProgress(nullptr), m_bStop(false)
{
    m_bAutoDelete = FALSE;
}

BOOL CLoadShapeThread::InitInstance()
{
    return TRUE;
}

int CLoadShapeThread::Run()
{
    bool complete = false;
    if (m_pShape)
    {
        CShape& shape = *m_pShape;
        shape.RemoveAllEntities();
        shape.m_strProblem.Empty();
        shape.ReadProjectionFile(shape.m_FilePath);
        shape.m_Dbase.SetFile(shape.m_FilePath);
        shape.m_Dbase.ReadFieldNames();
        SHPHandle file = shape.ReadInfo() ? SHPOpenLL(shape.m_FilePath, "rb", GetShapeFileHooks()) : nullptr;
        if (file)
        {
            const int count = shape.m_EntityCount;
            int read = 0;
            int unreadable = 0;
            while (read < count && !m_bStop)
            {
                if (m_pProgress)
                    *m_pProgress = read + 1;
                // An entity that cannot be read keeps its place, so that entities and table
                // records stay paired.
                SHPObject* entity = SHPReadObject(file, read);
                unreadable += entity ? 0 : 1;
                shape.AddTail(entity);
                ++read;
            }
            SHPClose(file);
            complete = (read == count) && unreadable == 0;
            if (unreadable > 0)
                shape.m_strProblem.Format("%d of the %d entities of %s cannot be read: the shapefile is damaged.",
                                          unreadable, count, shape.m_FilePath.GetString());

            shape.LoadDisplaySettings();
            const int column = shape.m_Dbase.FindFieldName("TEXTSTRING");
            if (column >= 0 && column != shape.m_LabelColumn)
            {
                shape.m_LabelColumn = static_cast<int16_t>(column);
                shape.SaveDisplaySettings();
            }
        }
    }
    if (m_hOwner)
        ::PostMessage(m_hOwner, UM_SHAPE_THREAD, complete ? 0 : 1, 0);
    return 0;
}

void CLoadShapeThread::SetOwner(CCmdTarget* owner)
{
    m_pOwner = owner;
    m_hOwner = owner ? owner->GetSafeHwnd() : nullptr;
}

void CLoadShapeThread::WaitForEnd()
{
    if (m_hThread)
        WaitForSingleObject(m_hThread, INFINITE);
}
