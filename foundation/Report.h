// CReport: a line-oriented text report written either to a printer (or a PDF file when no
// printer is chosen) or to a text file, with the same calls in both cases: open, print
// lines, ask for page breaks, close. Used by the Boxin and transit-fix reports, the
// grid-on-grid print and the catenary program's side view.
#pragma once

#include "platform/core/String.h"

#include <cstdio>
#include <memory>

class CDC;
class CPen;
class CBrush;
class CFont;

class CReport
{
public:
    enum OUTPUT_MODE
    {
        OUTPUT_PRINTER = 0,
        OUTPUT_FILE = 1
    };
    enum OPEN_MODE
    {
        OPEN_APPEND = 0, // "at+"
        OPEN_WRITE = 1,  // "w"
        OPEN_UPDATE = 2  // "r+": overwritten in place from the start
    };
    enum ALIGNMENT
    {
        ALIGN_LEFT = 0,
        ALIGN_CENTRE = 1,
        ALIGN_RIGHT = 2
    };
    // What the last Open came to.
    enum OPEN_RESULT
    {
        OPEN_NOT_TRIED = 0,
        OPEN_DONE = 1,
        OPEN_CANCELLED = 2, // the user cancelled a dialog: nothing to tell
        OPEN_FAILED = 3     // the file or the printer could not be opened: the user was told
    };

    // Lines per page and characters per line of a file report.
    static const int kFileLinesPerPage = 55;
    static const int kFileLineWidth = 80;
    // Character cells before the margin on every line.
    static const int kIndent = 4;

    CReport();
    ~CReport();
    CReport(const CReport&) = delete;
    CReport& operator=(const CReport&) = delete;

    // Printer: the print dialog, then a printer context and the document's first page.
    // File: the file dialog (proposing the file name, else "<program>.<extension>"), then the
    // chosen file in the open mode.
    // False when cancelled or when the output cannot be opened (the user is told the file
    // and the reason); GetOpenResult says which.
    bool Open();
    bool IsOpen() const;
    // The printer's drawing context while a printer report is open, for a caller that draws a
    // picture on the page; null otherwise.
    CDC* GetPrinterDC() const { return m_OutputMode == OUTPUT_PRINTER ? m_Dc.get() : nullptr; }
    OPEN_RESULT GetOpenResult() const { return m_OpenResult; }

    // Prints one line (or, with wrapping, the pieces of a long one), opening the report first
    // when it is closed and auto-open is set. False for a null text or when not open.
    bool PrintLine(const char* text);
    // A bare line end (file) or an empty row (printer), with a page break when the page fills.
    bool PrintBlankLine();
    // Printer: the next page. File: line ends to the end of the page.
    void NewPage();
    // Ends the output. False when writing failed at any point (the user is told).
    bool Close();

    int m_OutputMode = OUTPUT_PRINTER;
    int m_OpenMode = OPEN_APPEND;
    bool m_AutoOpen = true;
    CString m_FileName;         // Windows path of the text file, proposed in the file dialog
    CString m_DefaultExtension; // without the dot
    CString m_Title;            // the printed document's name
    int m_Line = 0;             // lines printed on the current page
    int m_LinesPerPage = 0;
    int m_Width = 0; // characters per line
    int m_Alignment = ALIGN_LEFT;
    int m_Margin = 0; // character cells after the indent
    bool m_Wrap = false;
    int m_Page = 0;

private:
    bool OpenPrinter();
    bool OpenFile();
    bool ChooseFileName();
    void Fail(const CString& message);
    void WriteLine(int column, const CString& text);
    int ColumnOf(int length) const;
    void ClearCounters();
    void StartPendingPage();

    OPEN_RESULT m_OpenResult = OPEN_NOT_TRIED;
    FILE* m_File = nullptr;
    bool m_WriteFailed = false;
    int m_WriteError = 0;

    std::unique_ptr<CDC> m_Dc;
    std::unique_ptr<CPen> m_Pen;
    std::unique_ptr<CBrush> m_Brush;
    std::unique_ptr<CFont> m_Font;
    CPen* m_OldPen = nullptr;
    CBrush* m_OldBrush = nullptr;
    CFont* m_OldFont = nullptr;
    int m_CharWidth = 0;
    int m_LineHeight = 0;
    int m_OriginX = 0; // the block's top-left corner on the page, device units
    int m_OriginY = 0;
    bool m_PagePending = false; // a page was ended and the next not yet started
};
