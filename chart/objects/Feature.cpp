#include "chart/objects/Feature.h"

void CFeature::Set(int type, int fileIndex, const char* titleSource, int pointIndex, const char* name, uint32_t item,
                   int subIndex)
{
    Reset();
    Type = type;
    FileIndex = static_cast<int16_t>(fileIndex);
    if (titleSource != nullptr)
    {
        CString title(titleSource);
        const int slash = title.ReverseFind('\\');
        if (slash >= 0)
            title = title.Mid(slash + 1);
        const int dot = title.ReverseFind('.');
        if (dot >= 0)
            title = title.Left(dot);
        title.Trim();
        Title = title;
    }
    PointIndex = pointIndex;
    if (name != nullptr && *name != '\0')
        Name = name;
    else if (pointIndex != -1)
        Name.Format("%d", pointIndex + 1);
    Item = item;
    SubIndex = static_cast<int16_t>(subIndex);

    const char* typeName = type > 0 && type < FEATURE_TYPE_COUNT ? FeatureTypeTxt[type] : nullptr;
    auto joined = [typeName](const CString& text) {
        CString line;
        if (typeName == nullptr)
            line = text;
        else
            line.Format("%s : %s", typeName, (LPCSTR)text);
        return line;
    };
    if (!Title.IsEmpty())
        MenuText = joined(Title);
    if (!Name.IsEmpty())
        MenuText = MenuText.IsEmpty() ? joined(Name) : MenuText + " - " + Name;
}
