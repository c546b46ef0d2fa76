#include "chart/objects/EblList.h"

#include "foundation/ConfigFile.h"

CEBLList::~CEBLList()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
}

void CEBLList::MovePoint(double x, double y)
{
    if (current < 0 || current >= GetSize() || !GetAt(current))
        return;
    CEBL& line = *GetAt(current);
    const bool moveStart = (editEnd == 0 || editEnd == 1) && !line.fixedStart;
    const bool moveEnd = editEnd != 1 || line.fixedStart;
    if (moveStart)
    {
        line.startX = x;
        line.startY = y;
    }
    if (moveEnd)
    {
        line.endX = x;
        line.endY = y;
    }
    line.Update();
}

bool CEBLList::Save() const
{
    CStringArray lines;
    for (INT_PTR i = 0; i < GetSize(); ++i)
        if (const CEBL* line = GetAt(i))
            lines.Add(line->ToText());
    return CConfigFile::WriteSettingsFile(gridMode == 1 ? "EBL_GRID" : "EBL_GEOG", [&](CConfigFile& file) {
        file.WriteBool("Show", show != 0);
        file.WriteBool("Display Label", displayLabel != 0);
        file.WriteBool("Great Circle", greatCircle != 0);
        file.WriteSection("Electronic Bearing Lines", lines);
    });
}

void CEBLList::DeleteLine(INT_PTR index)
{
    if (index < 0 || index >= GetSize())
        return;
    delete GetAt(index);
    RemoveAt(index);
    if (current == index)
        current = -1;
    else if (current > index)
        --current;
}
