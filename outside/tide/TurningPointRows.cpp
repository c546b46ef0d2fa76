#include "outside/tide/TurningPointRows.h"

#include "outside/tide/TideText.h"

std::vector<TurningPointRow> TurningPointRowsOf(const CStandardPort& port)
{
    std::vector<TurningPointRow> rows;
    for (const CTurningPoint* day : port)
        if (day != nullptr)
            for (const TurningPointDef* point : *day)
                if (point != nullptr)
                {
                    TurningPointRow row{day, point, false, 0.0, 0};
                    row.bHeight = TurningPointHeight(*point, &row.dHeight);
                    rows.push_back(row);
                }
    for (size_t i = 0; i < rows.size(); ++i)
    {
        if (!rows[i].bHeight)
            continue;
        const bool hasBefore = i > 0 && rows[i - 1].bHeight;
        const bool hasAfter = i + 1 < rows.size() && rows[i + 1].bHeight;
        if (!hasBefore && !hasAfter)
            continue;
        const double h = rows[i].dHeight;
        const bool above = (!hasBefore || h > rows[i - 1].dHeight) && (!hasAfter || h > rows[i + 1].dHeight);
        const bool below = (!hasBefore || h < rows[i - 1].dHeight) && (!hasAfter || h < rows[i + 1].dHeight);
        rows[i].nKind = above ? 1 : (below ? -1 : 0);
    }
    return rows;
}

const char* TurningPointKindText(int kind)
{
    return kind > 0 ? "High" : (kind < 0 ? "Low" : "");
}
