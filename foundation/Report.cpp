#include "foundation/Report.h"

#include "foundation/Folders.h"
#include "platform/core/FileApi.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Dc.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Font.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/PrintDialog.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace
{
// "%s (*.%s)|*.%s" for an extension, "%s (%s)|%s" for a pattern given whole.
void AddFilter(CString& filter, const char* name, const char* pattern)
{
    CString one;
    if (std::strchr(pattern, '*') || std::strchr(pattern, '?'))
        one.Format("%s (%s)|%s|", name, pattern, pattern);
    else
        one.Format("%s (*.%s)|*.%s|", name, pattern, pattern);
    filter += one;
}

const char* ModeText(int openMode)
{
    switch (openMode)
    {
    case CReport::OPEN_WRITE:
        return "w";
    case CReport::OPEN_UPDATE:
        return "r+";
    default:
        return "at+";
    }
}
} // namespace

CReport::CReport() : m_DefaultExtension("TXT") {}

CReport::~CReport()
{
    if (IsOpen())
        Close();
}

bool CReport::IsOpen() const
{
    return m_File != nullptr || m_Dc != nullptr;
}

bool CReport::Open()
{
    if (IsOpen())
        return true;
    ClearCounters();
    m_WriteFailed = false;
    m_WriteError = 0;
    const bool opened = m_OutputMode == OUTPUT_FILE ? OpenFile() : OpenPrinter();
    if (opened)
        m_OpenResult = OPEN_DONE;
    return opened;
}

void CReport::Fail(const CString& message)
{
    m_OpenResult = OPEN_FAILED;
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}

bool CReport::OpenPrinter()
{
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                   PD_NOSELECTION | PD_RETURNDC);
    // Printed to a PDF file, the report is named after its title and goes among the user's data.
    dialog.m_strPdfName = m_Title.IsEmpty() ? CString("Report") : m_Title;
    FindMyDataFolder(dialog.m_strPdfFolder, nullptr);
    if (dialog.DoModal() != IDOK)
    {
        m_OpenResult = OPEN_CANCELLED;
        return false;
    }
    auto dc = std::make_unique<CDC>();
    if (!dialog.GetPrinterDC() || !dc->Attach(dialog.GetPrinterDC()))
    {
        if (dialog.GetPrinterDC())
            ::DeleteDC(dialog.GetPrinterDC());
        Fail("The printer could not be opened for the report.");
        return false;
    }
    m_Pen = std::make_unique<CPen>();
    m_Pen->CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    m_Brush = std::make_unique<CBrush>();
    m_Brush->CreateHatchBrush(HS_VERTICAL, RGB(0, 0, 0));
    // A printer's own default font has no useful size for a page of text; reports are set in
    // a 10-point fixed-pitch font so that their columns line up.
    m_Font = std::make_unique<CFont>();
    m_Font->CreatePointFont(100, "Courier New", dc.get());
    m_OldPen = dc->SelectObject(m_Pen.get());
    m_OldBrush = dc->SelectObject(m_Brush.get());
    m_OldFont = dc->SelectObject(m_Font.get());
    dc->SetBkMode(TRANSPARENT);

    const int width = dc->GetDeviceCaps(HORZRES);
    const int height = dc->GetDeviceCaps(VERTRES);
    const int left = dc->GetDeviceCaps(PHYSICALOFFSETX);
    const int top = dc->GetDeviceCaps(PHYSICALOFFSETY);
    TEXTMETRIC tm{};
    dc->GetTextMetrics(&tm);
    m_CharWidth = std::max(1, static_cast<int>(tm.tmAveCharWidth));
    m_LineHeight = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
    // Four cells and four rows of border on each side; a page too small for that still gets
    // one line of one character, so that printing always moves on.
    m_LinesPerPage = std::max(1, (height - 8 * m_LineHeight - top) / m_LineHeight);
    m_Width = std::max(1, (width - 8 * m_CharWidth - left) / m_CharWidth);
    m_OriginX = std::max(0, (width - (m_Width + 2 * kIndent) * m_CharWidth) / 2);
    m_OriginY = std::max(0, (height - (m_LinesPerPage + 8) * m_LineHeight) / 2);

    m_Dc = std::move(dc);
    const CString title = m_Title.IsEmpty() ? CString("Report") : m_Title;
    if (m_Dc->StartDoc(title) <= 0 || m_Dc->StartPage() <= 0)
    {
        m_Dc->AbortDoc();
        Close();
        Fail("The report could not be started on the printer.");
        return false;
    }
    m_Page = 1;
    return true;
}

bool CReport::ChooseFileName()
{
    CString proposed = m_FileName;
    if (proposed.IsEmpty())
    {
        const char* program = AfxGetAppName();
        proposed.Format("%s.%s", program ? program : "Report", m_DefaultExtension.GetString());
    }
    else if (proposed.Find('.') < 0)
    {
        proposed += '.';
        proposed += m_DefaultExtension;
    }
    CString filter;
    AddFilter(filter, "Text File", "TXT");
    AddFilter(filter, "Data File", "DAT");
    AddFilter(filter, "ASCII File", "ASC");
    AddFilter(filter, "Print File", "PRN");
    filter += '|';
    // Updating in place needs a file that exists; the other modes may make one.
    const BOOL openDialog = m_OpenMode == OPEN_UPDATE;
    CFileDialog dialog(openDialog, m_DefaultExtension, proposed,
                       OFN_HIDEREADONLY | (openDialog ? OFN_FILEMUSTEXIST : 0u), filter);
    if (dialog.DoModal() != IDOK)
        return false;
    m_FileName = dialog.GetPathName();
    return true;
}

bool CReport::OpenFile()
{
    if (!ChooseFileName())
    {
        m_OpenResult = OPEN_CANCELLED;
        return false;
    }
    FILE* file = nullptr;
    const errno_t error = fopen_s(&file, m_FileName, ModeText(m_OpenMode));
    if (error != 0 || !file)
    {
        CString message;
        message.Format("The report file \"%s\" could not be opened: %s.", m_FileName.GetString(),
                       std::strerror(error != 0 ? error : EIO));
        Fail(message);
        return false;
    }
    m_File = file;
    m_LinesPerPage = kFileLinesPerPage;
    m_Width = kFileLineWidth;
    m_Page = 1;
    return true;
}

int CReport::ColumnOf(int length) const
{
    int column = m_Margin;
    if (m_Alignment == ALIGN_CENTRE && length < m_Width)
        column = (m_Width - length) / 2;
    else if (m_Alignment == ALIGN_RIGHT && length < m_Width)
        column = m_Width - m_Margin - length;
    return column < 0 ? m_Margin : column;
}

void CReport::WriteLine(int column, const CString& text)
{
    if (m_File)
    {
        const CString blanks(' ', column + kIndent);
        if (std::fputs(blanks, m_File) < 0 || std::fputs(text, m_File) < 0 || std::fputs("\n", m_File) < 0)
        {
            if (!m_WriteFailed)
                m_WriteError = errno;
            m_WriteFailed = true;
        }
    }
    else if (m_Dc)
    {
        StartPendingPage();
        m_Dc->TextOut(m_OriginX + (column + kIndent) * m_CharWidth,
                      m_OriginY + (m_Line + kIndent) * m_LineHeight, text);
    }
    if (++m_Line >= m_LinesPerPage)
        NewPage();
}

bool CReport::PrintLine(const char* text)
{
    if (!text)
        return false;
    if (!IsOpen() && m_AutoOpen)
        Open();
    if (!IsOpen())
        return false;
    const CString line(text);
    const int piece = std::max(1, m_Width - m_Margin);
    if (!m_Wrap || line.GetLength() <= piece)
    {
        WriteLine(ColumnOf(line.GetLength()), line);
        return true;
    }
    for (int start = 0; start < line.GetLength(); start += piece)
    {
        const CString part = line.Mid(start, piece);
        WriteLine(ColumnOf(part.GetLength()), part);
    }
    return true;
}

bool CReport::PrintBlankLine()
{
    if (!IsOpen())
        return false;
    if (m_File && std::fputs("\n", m_File) < 0)
    {
        if (!m_WriteFailed)
            m_WriteError = errno;
        m_WriteFailed = true;
    }
    if (++m_Line >= m_LinesPerPage)
        NewPage();
    return true;
}

void CReport::NewPage()
{
    if (m_File)
    {
        for (; m_Line < m_LinesPerPage; ++m_Line)
        {
            if (std::fputs("\n", m_File) < 0 && !m_WriteFailed)
            {
                m_WriteError = errno;
                m_WriteFailed = true;
            }
        }
    }
    else if (m_Dc)
    {
        // The next page starts with its first line, so a report that ends on a full page
        // leaves no empty page behind.
        StartPendingPage();
        m_Dc->EndPage();
        m_PagePending = true;
    }
    else
    {
        return;
    }
    m_Line = 0;
    ++m_Page;
}

bool CReport::Close()
{
    bool written = !m_WriteFailed;
    if (m_File)
    {
        if (std::fflush(m_File) != 0 || std::ferror(m_File))
        {
            if (written)
                m_WriteError = errno;
            written = false;
        }
        if (std::fclose(m_File) != 0 && written)
        {
            m_WriteError = errno;
            written = false;
        }
        m_File = nullptr;
        if (!written)
        {
            CString message;
            message.Format("The report file \"%s\" was not written whole: %s.", m_FileName.GetString(),
                           std::strerror(m_WriteError != 0 ? m_WriteError : EIO));
            AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        }
    }
    if (m_Dc)
    {
        m_Dc->SelectObject(m_OldPen);
        m_Dc->SelectObject(m_OldBrush);
        if (m_OldFont)
            m_Dc->SelectObject(m_OldFont);
        m_OldPen = nullptr;
        m_OldBrush = nullptr;
        m_OldFont = nullptr;
        if (m_Page > 0)
        {
            if (!m_PagePending)
                m_Dc->EndPage();
            if (m_Dc->EndDoc() <= 0)
            {
                written = false;
                AfxMessageBox("The printed report could not be finished.", MB_OK | MB_ICONEXCLAMATION);
            }
        }
        m_Dc->DeleteDC();
        m_Dc.reset();
        m_Pen.reset();
        m_Brush.reset();
        m_Font.reset();
    }
    ClearCounters();
    m_WriteFailed = false;
    return written;
}

void CReport::StartPendingPage()
{
    if (m_PagePending)
    {
        m_Dc->StartPage();
        m_PagePending = false;
    }
}

void CReport::ClearCounters()
{
    m_PagePending = false;
    m_Line = 0;
    m_Page = 0;
}
