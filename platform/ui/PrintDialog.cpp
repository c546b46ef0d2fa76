#include "platform/ui/PrintDialog.h"

#include "platform/core/Path.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/ModalHook.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

IMPLEMENT_DYNAMIC(CPrintDialog, CDialog)

namespace
{
// Printer contexts draw at this resolution on PDF output; a real printer keeps its own.
constexpr int kPdfResolution = 600;

std::unique_ptr<QPrinter> MakePrinter(const CString& printerName, const CString& outputFile)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const QString name = printerName.ToQString();
    if (!name.isEmpty() && QPrinterInfo::availablePrinterNames().contains(name))
    {
        printer->setOutputFormat(QPrinter::NativeFormat);
        printer->setPrinterName(name);
    }
    else
    {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setResolution(kPdfResolution);
        if (!outputFile.IsEmpty())
            printer->setOutputFileName(LinuxPathFromWindows(outputFile));
    }
    // Copies are the caller's to print.
    printer->setCopyCount(1);
    return printer;
}
} // namespace

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : m_bPrintSetupOnly(bPrintSetupOnly)
{
    m_pParentWnd = pParentWnd;
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : 0u);
    m_pd.nCopies = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 0xFFFF;
}

CPrintDialog::~CPrintDialog() = default;

int CPrintDialog::GetCopies() const
{
    return m_pd.nCopies > 0 ? m_pd.nCopies : 1;
}

int CPrintDialog::GetFromPage() const
{
    return PrintRange() ? m_pd.nFromPage : -1;
}

int CPrintDialog::GetToPage() const
{
    return PrintRange() ? m_pd.nToPage : -1;
}

CString CPrintDialog::GetDeviceName() const
{
    return m_printerName.IsEmpty() ? CString("PDF") : m_printerName;
}

CString CPrintDialog::GetDriverName() const
{
    return m_printerName.IsEmpty() ? CString("PDF") : CString("winspool");
}

CString CPrintDialog::GetPortName() const
{
    return m_printerName.IsEmpty() ? m_outputFile : m_printerName;
}

HDC CPrintDialog::CreatePrinterDC()
{
    CDC dc;
    if (!dc.AttachPrinter(MakePrinter(m_printerName, m_outputFile).release(), TRUE))
        return nullptr;
    return dc.Detach();
}

BOOL CPrintDialog::GetDefaults()
{
    m_printerName = CString::FromQString(QPrinterInfo::defaultPrinterName());
    m_outputFile.Empty();
    if ((m_pd.Flags & (PD_RETURNDC | PD_RETURNIC)) != 0)
        m_pd.hDC = CreatePrinterDC();
    return TRUE;
}

namespace
{
bool g_PrintersSet = false;
std::vector<CString> g_Printers;
} // namespace

std::vector<CString> AfxGetInstalledPrinters()
{
    if (g_PrintersSet)
        return g_Printers;
    // A test sees the printers it names, never the machine's.
    if (ModalHook::IsEnabled())
        return {};
    std::vector<CString> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        names.push_back(CString::FromQString(name));
    return names;
}

void AfxSetInstalledPrinters(const std::vector<CString>& names)
{
    g_Printers = names;
    g_PrintersSet = true;
}

void AfxResetInstalledPrinters()
{
    g_Printers.clear();
    g_PrintersSet = false;
}

INT_PTR CPrintDialog::ChoosePdfFile()
{
    CString name = m_strPdfName.IsEmpty() ? CString("Printout") : m_strPdfName;
    // A document title may hold what no file name can.
    for (const char bad : {'\\', '/', ':', '*', '?', '"', '<', '>', '|'})
        name.Replace(bad, '_');
    if (name.Right(4).CompareNoCase(".pdf") != 0)
        name += ".pdf";
    CFileDialog dialog(FALSE, "pdf", name, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                       "PDF Files (*.pdf)|*.pdf||", m_pParentWnd);
    dialog.m_ofn.lpstrTitle = "Print to PDF";
    if (!m_strPdfFolder.IsEmpty())
        dialog.m_ofn.lpstrInitialDir = m_strPdfFolder;
    if (dialog.DoModal() != IDOK || dialog.GetPathName().IsEmpty())
        return IDCANCEL;
    PRINT_DIALOG_ANSWER answer;
    answer.outputFile = dialog.GetPathName();
    answer.copies = m_pd.nCopies > 0 ? m_pd.nCopies : 1;
    answer.collate = (m_pd.Flags & PD_COLLATE) != 0;
    return Accept(answer);
}

INT_PTR CPrintDialog::DoModal()
{
    // With no printer to choose, the choice is the PDF file: its chooser rather than a print
    // dialog that lists nothing (a test's prepared print answer still answers the print dialog).
    if (!m_bPrintSetupOnly && AfxGetInstalledPrinters().empty() && !ModalHook::HasPrintDialogAnswer())
        return ChoosePdfFile();

    MODAL_RECORD record;
    record.kind = MODAL_RECORD::PrintDialog;
    record.caption = m_bPrintSetupOnly ? "Print Setup" : "Print";
    record.flags = m_pd.Flags;

    PRINT_DIALOG_ANSWER answer;
    bool found = false;
    if (ModalHook::TakePrintDialogAnswer(&answer, &found))
    {
        record.answered = found;
    }
    else if (qobject_cast<QApplication*>(QCoreApplication::instance()))
    {
        QPrinter printer(QPrinter::HighResolution);
        CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainCWnd();
        QPrintDialog dialog(&printer, owner ? owner->GetWidget() : nullptr);
        QAbstractPrintDialog::PrintDialogOptions options =
            QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies;
        // The layer's "print to file" is the PDF output, offered beside the printers.
        options |= QAbstractPrintDialog::PrintToFile;
        if (!(m_pd.Flags & PD_NOSELECTION))
            options |= QAbstractPrintDialog::PrintSelection;
        if (!(m_pd.Flags & PD_NOPAGENUMS))
        {
            options |= QAbstractPrintDialog::PrintPageRange;
            dialog.setMinMax(m_pd.nMinPage, m_pd.nMaxPage);
        }
        if (!(m_pd.Flags & PD_NOCURRENTPAGE) && (m_pd.Flags & PD_CURRENTPAGE))
            options |= QAbstractPrintDialog::PrintCurrentPage;
        dialog.setOptions(options);
        printer.setCopyCount(m_pd.nCopies > 0 ? m_pd.nCopies : 1);
        printer.setCollateCopies((m_pd.Flags & PD_COLLATE) != 0);
        answer.ok = dialog.exec() == QDialog::Accepted;
        if (answer.ok)
        {
            answer.copies = printer.copyCount();
            answer.collate = printer.collateCopies();
            if (printer.outputFormat() == QPrinter::NativeFormat)
                answer.printerName = CString::FromQString(printer.printerName());
            else if (!printer.outputFileName().isEmpty())
                answer.outputFile = WindowsPathFromLinux(printer.outputFileName());
            if (printer.printRange() == QPrinter::PageRange)
            {
                answer.fromPage = printer.fromPage();
                answer.toPage = printer.toPage();
            }
        }
    }
    else
    {
        // No user interface to ask with.
        answer.ok = false;
    }

    const INT_PTR result = answer.ok ? IDOK : IDCANCEL;
    record.result = result;
    record.fileName = answer.outputFile;
    ModalHook::Record(record);
    if (result != IDOK)
        return result;
    // A PDF picked without a file to go to: the user names it, rather than a file appearing
    // on a drive unasked.
    if (answer.printerName.IsEmpty() && answer.outputFile.IsEmpty() && !ModalHook::IsEnabled())
        return ChoosePdfFile();
    return Accept(answer);
}

INT_PTR CPrintDialog::Accept(const PRINT_DIALOG_ANSWER& answer)
{
    m_printerName = answer.printerName;
    m_outputFile = answer.outputFile;
    m_pd.nCopies = static_cast<WORD>(answer.copies > 0 && answer.copies < 0xFFFF ? answer.copies : 1);
    m_pd.Flags &= ~(PD_COLLATE | PD_PAGENUMS | PD_SELECTION);
    if (answer.collate)
        m_pd.Flags |= PD_COLLATE;
    if (!(m_pd.Flags & PD_NOPAGENUMS) && answer.fromPage > 0 && answer.toPage >= answer.fromPage)
    {
        m_pd.Flags |= PD_PAGENUMS;
        m_pd.nFromPage = static_cast<WORD>(answer.fromPage);
        m_pd.nToPage = static_cast<WORD>(answer.toPage);
    }
    m_pd.hDC = nullptr;
    if (!m_bPrintSetupOnly && (m_pd.Flags & (PD_RETURNDC | PD_RETURNIC)) != 0)
    {
        m_pd.hDC = CreatePrinterDC();
        if (!m_pd.hDC)
            return IDCANCEL;
    }
    return IDOK;
}
