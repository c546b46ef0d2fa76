// CPrintDialog: the print (or print set-up) dialog over Qt's print dialog, or answered
// through the modal hook (ModalHook::AnswerPrintDialog) while it is enabled.
//
// OK chooses a real printer, or a PDF file when the user (or the hook's answer) picks no
// printer; with PD_RETURNDC, m_pd.hDC is then a printer context (CDC over a QPrinter) that
// the caller owns and deletes (DeleteDC). Copies and collation are what the user chose
// (GetCopies, PrintCollate); the printer itself prints each page once, so a caller that
// honours copies prints them itself.
//
// Printing to a PDF file always names the file: with no printer installed the dialog is a
// "Print to PDF" file chooser (a save-file dialog, answered through the hook as one), and a
// PDF picked in the print dialog without a file name asks for one the same way.
//
//     CPrintDialog dlg(FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_RETURNDC);
//     if (dlg.DoModal() == IDOK)
//     {
//         CDC dc;
//         dc.Attach(dlg.GetPrinterDC());
//         dc.StartDoc("Report"); ... dc.EndDoc();
//         dc.DeleteDC();
//     }
#pragma once

#include "platform/ui/Dc.h"
#include "platform/ui/Dialog.h"

#include <vector>

struct PRINT_DIALOG_ANSWER;

#define PD_ALLPAGES 0x00000000u
#define PD_SELECTION 0x00000001u
#define PD_PAGENUMS 0x00000002u
#define PD_NOSELECTION 0x00000004u
#define PD_NOPAGENUMS 0x00000008u
#define PD_COLLATE 0x00000010u
#define PD_PRINTTOFILE 0x00000020u
#define PD_PRINTSETUP 0x00000040u
#define PD_NOWARNING 0x00000080u
#define PD_RETURNDC 0x00000100u
#define PD_RETURNIC 0x00000200u
#define PD_RETURNDEFAULT 0x00000400u
#define PD_SHOWHELP 0x00000800u
#define PD_USEDEVMODECOPIES 0x00040000u
#define PD_USEDEVMODECOPIESANDCOLLATE 0x00040000u
#define PD_DISABLEPRINTTOFILE 0x00080000u
#define PD_HIDEPRINTTOFILE 0x00100000u
#define PD_NONETWORKBUTTON 0x00200000u
#define PD_CURRENTPAGE 0x00400000u
#define PD_NOCURRENTPAGE 0x00800000u

struct PRINTDLG
{
    DWORD lStructSize;
    HWND hwndOwner;
    void* hDevMode;
    void* hDevNames;
    HDC hDC;
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
    HINSTANCE hInstance;
    LPARAM lCustData;
    void* lpfnPrintHook;
    void* lpfnSetupHook;
    LPCSTR lpPrintTemplateName;
    LPCSTR lpSetupTemplateName;
    void* hPrintTemplate;
    void* hSetupTemplate;
};
using PRINTDLGA = PRINTDLG;
using LPPRINTDLG = PRINTDLG*;

// The printers installed on the machine (Qt's names). While the modal hook is enabled (tests)
// none, unless a test names some with AfxSetInstalledPrinters; AfxResetInstalledPrinters forgets
// them again.
PLATFORM_API std::vector<CString> AfxGetInstalledPrinters();
PLATFORM_API void AfxSetInstalledPrinters(const std::vector<CString>& names);
PLATFORM_API void AfxResetInstalledPrinters();

class PLATFORM_API CPrintDialog : public CDialog
{
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    ~CPrintDialog() override;

    // IDOK or IDCANCEL. On OK: m_pd.nCopies, PD_COLLATE, a page range (PD_PAGENUMS with
    // nFromPage/nToPage) and, with PD_RETURNDC, m_pd.hDC.
    INT_PTR DoModal() override;
    // The default printer (or PDF output) without showing anything; a context in m_pd.hDC
    // with PD_RETURNDC. FALSE when there is none to be had.
    BOOL GetDefaults();

    // The context of the last OK (null without PD_RETURNDC); the caller deletes it.
    HDC GetPrinterDC() const { return m_pd.hDC; }
    // A new context for the chosen printer; the caller deletes it.
    HDC CreatePrinterDC();
    int GetCopies() const;
    BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) ? TRUE : FALSE; }
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) ? TRUE : FALSE; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) ? TRUE : FALSE; }
    int GetFromPage() const;
    int GetToPage() const;
    // The chosen printer's name, or "PDF" for PDF output.
    CString GetDeviceName() const;
    CString GetDriverName() const;
    // The PDF file printed to (Windows path), or the printer's name.
    CString GetPortName() const;

    PRINTDLG m_pd{};
    // Where the "Print to PDF" chooser starts (a Windows folder) and the name it proposes
    // (".pdf" added when missing); both may stay empty.
    CString m_strPdfFolder;
    CString m_strPdfName;

private:
    // The "Print to PDF" file chooser: IDOK with the chosen file as the output, else IDCANCEL.
    INT_PTR ChoosePdfFile();
    // After OK: copies, collation, range and the context for the chosen output.
    INT_PTR Accept(const PRINT_DIALOG_ANSWER& answer);

    BOOL m_bPrintSetupOnly;
    CString m_printerName; // empty: PDF
    CString m_outputFile;  // Windows path of the PDF; empty: named by the document at StartDoc
};
