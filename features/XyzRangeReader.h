// CXyzRangeReader: the points of one byte range of an XYZ file ("easting northing depth" a
// line, commas counted as blanks): the pieces of the lines that start in the range, read
// through a buffer of its own, so that several readers can share out one file between threads.
//
// A line is read as a 1024-byte line buffer would take it: at most 1023 characters, a longer
// line going on in the next piece, each piece read as a line of its own. Ranges that meet
// give every piece of the file once, in order.
#pragma once

#include <cstdint>
#include <vector>

// Reads one XYZ line ("easting northing depth", commas counted as blanks) into three values
// (m). False when the line does not begin with three numbers.
bool ParseXyzLine(const char* line, double& easting, double& northing, double& depth);

class CXyzRangeReader
{
public:
    // The three numbers a piece begins with (m), and its line, from 1 at the range's first.
    struct Point
    {
        double Easting, Northing, Depth;
        int64_t Line;
    };

    // Reads [start, stop) of the file `fd` (open for reading, `length` bytes): the lines that
    // start there, to their ends wherever they end.
    CXyzRangeReader(int fd, int64_t length, int64_t start, int64_t stop);

    // The next piece that begins with three numbers; false at the end of the range.
    bool Next(Point& point);
    // Lines of the range ended so far (pieces that end in a newline).
    int64_t Lines() const { return m_Lines; }
    // The file position up to which the range has been read.
    int64_t Offset() const { return m_At; }

private:
    // Makes [m_At, m_At + a piece) lie in the buffer, as far as the file goes; false when
    // nothing of it can be read.
    bool Fill();

    int m_Fd;
    int64_t m_Length;
    int64_t m_Stop;
    int64_t m_At; // the next piece begins here
    std::vector<char> m_Buffer;
    int64_t m_Base = 0;     // the file position of the buffer's first byte
    int64_t m_Size = 0;     // bytes in the buffer
    bool m_bInLine = false; // the last piece did not end its line
    int64_t m_Lines = 0;
};
