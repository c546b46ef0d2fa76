// CDxf: a drawing read from an ASCII DXF file (lines in pairs: a group code, then its value):
// the HEADER extents, the LAYER, LTYPE, STYLE and DIMSTYLE tables, the block definitions and
// the entities, for the outline and chart views to draw and for conversion to digitised data
// (CDig). Sections, tables and entities that nothing here uses are skipped. Each drawing keeps
// its display settings ("Use", "Show Text", "Scale") in a "DXI" file in the settings folder.
//
// A loader thread reads the drawing section by section (Open, then ReadSection until it
// returns false), reporting the bytes read so far through a counter that a progress dialog
// polls, and stopping between entities when its stop flag is set.
#pragma once

#include "features/DxfEntity.h"
#include "features/DxfTable.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

// A progress counter that a loader thread writes and the dialog's timer reads.
using LoadCounter = std::atomic<ULONGLONG>;

// One group of a DXF file.
struct DxfPairDef
{
    int Code = 0;
    CString Value; // the value line without its trailing blanks, CR and LF
};

class CDxf
{
public:
    CDxf();
    ~CDxf();
    CDxf(const CDxf&) = delete;
    CDxf& operator=(const CDxf&) = delete;

    // Clears the header extents and centre, the file texts, read-only flag and length, the
    // read positions and the placement (offset and rotation 0); the scale keeps its value.
    void Reset();
    // Frees every entity, table entry and block.
    void Clear();

    // Reset and Clear, then opens `path` for reading and takes its size, date and time texts,
    // read-only flag, length and name. False when the file cannot be found or opened.
    bool Open(const char* path);
    // Closes the file (the drawing read so far stays).
    void Close();
    bool IsOpen() const { return m_pFile != nullptr; }

    // The next group: a line whose number is the code, then the value line. False at the end
    // of the file.
    bool ReadPair(DxfPairDef& pair);

    // Reads the next section: HEADER, TABLES, BLOCKS or ENTITIES into the drawing; any other
    // section is skipped (by the next call). `bytesDone`, when given, receives the file position
    // after each entity; when `stop` becomes true the section ends after the entity being read.
    // False when no further section is found.
    bool ReadSection(LoadCounter* bytesDone = nullptr, const std::atomic<bool>* stop = nullptr);

    // The "DXI" settings file: "<settings folder><file title>.DXI".
    CString GetDisplaySettingsFileName() const;
    // Writes "Use", "Show Text" and "Scale" (3 decimals); false when the file cannot be written
    // (the old file then stays as it was).
    bool SaveDisplaySettings() const;
    // Reads them back; a scale below 0 becomes 1.0. False, with use and show text on and scale
    // 1.0, when the file cannot be opened.
    bool LoadDisplaySettings();

    // True when the HEADER gave both $EXTMIN and $EXTMAX and they enclose an area (minimum not
    // above maximum in x and y). Programs that write no extents often write the empty box
    // (1e20 .. -1e20) instead.
    bool HasHeaderExtents() const;

    // The colour of a DXF colour number (0..255) as a COLORREF; black outside that range.
    COLORREF GetColour(int colourNumber) const;
    // The program's standard colour list; white is entry 7.
    static const COLORREF kStandardColours[28];

    // The first layer (line type) of the tables with that name; null when there is none.
    CDxfLayer* FindLayer(const CString& name);
    CDxfLineType* FindLineType(const CString& name);

    // True once the file's EOF marker was read: only then is the drawing whole.
    bool IsWhole() const { return m_bSeenEof; }
    // What was wrong with the drawing read: entities left out for sizes no drawing can hold,
    // or a file that ends before its EOF marker; one line each, empty when nothing was.
    CString m_strProblem;

    // Display settings.
    bool m_bUse = true;
    bool m_bShowText = true;
    // The file.
    CString m_FileName;
    ULONGLONG m_FileLength = 0;
    CString m_SizeText;
    BOOL m_bReadOnly = FALSE;
    CString m_DateText;
    CString m_TimeText;
    double m_Scale = 1.0;
    // Placement of the drawing on the chart.
    double m_OffsetX = 0.0;
    double m_OffsetY = 0.0;
    double m_Rotation = 0.0; // degrees
    double m_SinRotation = 0.0;
    double m_CosRotation = 1.0;
    // $EXTMIN and $EXTMAX of the HEADER; zero until read.
    DxfPointDef m_HeaderMin{0.0, 0.0, 0.0};
    DxfPointDef m_HeaderMax{0.0, 0.0, 0.0};
    bool m_bHaveExtMin = false;
    bool m_bHaveExtMax = false;
    double m_CentreX = 0.0;
    double m_CentreY = 0.0;
    // File positions after the last pair read, and before it.
    ULONGLONG m_CurrentPosition = 0;
    ULONGLONG m_PairStartPosition = 0;

    CDxfEntityList m_Entities;
    CDxfLayerList m_Layers;
    CDxfLineTypeList m_LineTypes;
    CDxfStyleList m_Styles;
    CDxfDimStyleList m_DimStyles;
    CDxfBlockList m_Blocks;

    // The colour of each colour number, the format's standard colour index (0, by block, black);
    // the first eight again, the colours of the drawing's layers' numbers 0 to 7.
    COLORREF m_ColourTable[256];
    COLORREF m_FirstColours[8];

private:
    // The next group into m_Pair (the held one first when a group was given back).
    bool Next();
    // Makes the next Next() return the current group again.
    void GiveBack() { m_bHeld = true; }
    // The next line of the file, its end of line cut off and a NUL put in its place; false at
    // the end of the file.
    bool NextLine(char*& text, size_t& length);
    bool Fill();

    void ReadHeader();
    void ReadHeaderPoint(DxfPointDef& point);
    void ReadTables();
    template <class T, class L> void ReadTableEntries(L& list, const char* entryName);
    void SkipTable();
    bool ReadBlocks(LoadCounter* bytesDone, const std::atomic<bool>* stop);
    // Entities up to ENDSEC (or, in a block, ENDBLK) into `list`; false when stopped.
    bool ReadEntities(CDxfEntityList& list, bool inBlock, LoadCounter* bytesDone,
                      const std::atomic<bool>* stop);
    // Skips the groups of an entity that is not kept; true when a code-0 group follows.
    bool SkipToNextEntity();
    void FreeEntities(CDxfEntityList& list);
    // Adds a line to m_strProblem (the first few are kept, then only counted).
    void NoteProblem(const CString& text);

    FILE* m_pFile = nullptr;
    std::vector<char> m_Buffer;
    ULONGLONG m_BufferStart = 0; // file offset of m_Buffer[0]
    size_t m_BufferUsed = 0;
    size_t m_BufferPos = 0;
    bool m_bEof = false;
    bool m_bSeenEof = false;
    int m_nProblems = 0;
    DxfPairDef m_Pair;
    bool m_bHeld = false;

    std::unordered_map<std::string, CDxfLayer*> m_LayerIndex;
    INT_PTR m_LayerIndexCount = 0;
    std::unordered_map<std::string, CDxfLineType*> m_LineTypeIndex;
    INT_PTR m_LineTypeIndexCount = 0;
};
