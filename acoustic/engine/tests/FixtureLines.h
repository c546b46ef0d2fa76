// Reading the checked-in fixture files of data/: each line that is not empty and not a
// "#" comment is handed over as its first word and a stream of the rest.
#pragma once

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

// Returns the number of lines handed over; 0 when the file is missing.
inline int ForEachFixtureLine(
    const char* name, const std::function<void(const std::string& kind, std::istringstream& rest)>& take)
{
    std::ifstream in(std::string(SUITE_SOURCE_DIR "/acoustic/engine/tests/data/") + name);
    std::string line;
    int count = 0;
    while (std::getline(in, line))
    {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        take(kind, fields);
        ++count;
    }
    return count;
}
