#include "featureui/dialogs/PipelineDlg.h"

#include "featureui/dialogs/ShapeFileSelectorResources.h"
#include "foundation/ConfigFile.h"
#include "foundation/FilePath.h"
#include "foundation/Geometry.h"
#include "outside/notifex/Notifex.h"
#include "platform/ui/FileDialog.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace
{
UINT PipelineTemplate()
{
    RegisterShapeFileTemplates();
    return IDD_PIPELINE;
}

constexpr COLORREF kSampleBackground = 0x99FFFF;
const int kSampleBoxes[] = {IDC_PIPELINE_SAMPLE_KP, IDC_PIPELINE_SAMPLE_EASTING, IDC_PIPELINE_SAMPLE_NORTHING,
                            IDC_PIPELINE_SAMPLE_DEPTH};
constexpr int kFieldCount = 4;

struct ThinPoint
{
    double e;
    double n;
};

ThinPoint PointOf(const CStringArray& fields)
{
    return ThinPoint{std::atof(fields[1]), std::atof(fields[2])};
}

void WriteRecord(CConfigFile& out, const CStringArray& fields)
{
    out.WriteString(JoinImportFields(fields) + "\n");
}
} // namespace

IMPLEMENT_DYNAMIC(CPipelineDlg, CColourDialogEx)

BEGIN_MESSAGE_MAP(CPipelineDlg, CColourDialogEx)
ON_CBN_SELCHANGE(IDC_PIPELINE_KP, &CPipelineDlg::OnSelchangeKp)
ON_CBN_SELCHANGE(IDC_PIPELINE_EASTING, &CPipelineDlg::OnSelchangeEasting)
ON_CBN_SELCHANGE(IDC_PIPELINE_NORTHING, &CPipelineDlg::OnSelchangeNorthing)
ON_CBN_SELCHANGE(IDC_PIPELINE_DEPTH, &CPipelineDlg::OnSelchangeDepth)
ON_WM_CTLCOLOR()
ON_WM_DESTROY()
ON_BN_CLICKED(IDC_PIPELINE_THIN, &CPipelineDlg::OnThinData)
ON_BN_CLICKED(IDC_PIPELINE_SELECT_FILE, &CPipelineDlg::OnBnClickedSelectFile)
ON_CBN_SELCHANGE(IDC_PIPELINE_SKIP_LINES, &CPipelineDlg::OnSelchangeSkipLinesCombo)
END_MESSAGE_MAP()

CPipelineDlg::CPipelineDlg(CWnd* pParent) : CColourDialogEx(PipelineTemplate(), pParent)
{
    m_SampleBrush.CreateSolidBrush(kSampleBackground);
}

CString CPipelineDlg::ThinnedFileName(const char* inputPath)
{
    CString folder, title, extension;
    SplitFilePath(inputPath, folder, title, extension);
    CString name;
    name.Format("%s%s_thinned.%s", static_cast<LPCSTR>(folder), static_cast<LPCSTR>(title),
                static_cast<LPCSTR>(extension));
    return name;
}

void CPipelineDlg::DoDataExchange(CDataExchange* pDX)
{
    CColourDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PIPELINE_TOLERANCE, m_ToleranceEdit);
    DDX_Control(pDX, IDC_PIPELINE_PROGRESS, m_Progress);
    DDX_Control(pDX, IDC_PIPELINE_NORTHING, m_NorthingCombo);
    DDX_Control(pDX, IDC_PIPELINE_KP, m_KpCombo);
    DDX_Control(pDX, IDC_PIPELINE_EASTING, m_EastingCombo);
    DDX_Control(pDX, IDC_PIPELINE_DEPTH, m_DepthCombo);
    DDX_Control(pDX, IDC_PIPELINE_SKIP_LINES, m_SkipLines);
    DDX_Control(pDX, IDOK, m_OK);
    DDX_Control(pDX, IDC_PIPELINE_THIN, m_Thin);
    DDX_Control(pDX, IDC_PIPELINE_SELECT_FILE, m_SelectFile);
}

BOOL CPipelineDlg::OnInitDialog()
{
    CColourDialogEx::OnInitDialog();
    m_Progress.ShowWindow(SW_HIDE);
    m_ToleranceEdit.SetFormat(2, 6, 3);
    m_ToleranceEdit.SetValue(m_Tolerance);

    m_Import.RemoveAll();
    m_Import.AddField("KP");
    m_Import.AddField("Easting");
    m_Import.AddField("Northing");
    m_Import.AddField("Depth");
    m_Import.LoadSettings();
    ShowPath();
    if (m_Import.GetSize() < kFieldCount)
    {
        WarningMessage("The pipeline import settings hold fewer than four columns.", this);
        return TRUE;
    }
    m_KpCombo.SetColumn(m_Import[0].Column);
    m_EastingCombo.SetColumn(m_Import[1].Column);
    m_NorthingCombo.SetColumn(m_Import[2].Column);
    m_DepthCombo.SetColumn(m_Import[3].Column);

    for (int i = 0; i <= 20; ++i)
    {
        CString text;
        text.Format("%d", i);
        m_SkipLines.AddString(text);
    }
    m_SkipLines.SetCurSel(m_Import.m_SkipNoLines);
    Sample();
    return TRUE;
}

void CPipelineDlg::ShowPath()
{
    SetDlgItemText(IDC_PIPELINE_FOLDER, GetFilePathFolder(m_Import.m_FullPath));
    const int slash = m_Import.m_FullPath.ReverseFind('\\');
    SetDlgItemText(IDC_PIPELINE_FILE_NAME, m_Import.m_FullPath.Mid(slash + 1));
}

void CPipelineDlg::ShowCounts(int total, int used)
{
    CString text;
    text.Format("%d", total);
    SetDlgItemText(IDC_PIPELINE_TOTAL, text);
    text.Format("%d (%.1lf%c)", used, total > 0 ? used * 100.0 / total : 0.0, '%');
    SetDlgItemText(IDC_PIPELINE_USED, text);
}

void CPipelineDlg::Sample()
{
    m_Sample.RemoveAll();
    CStdioFile file;
    if (m_Import.OpenFile(file))
    {
        m_Import.ReadRecord(file, m_Sample);
        if (file.m_hFile != CFile::hFileNull)
            file.Close();
    }
    for (int i = 0; i < kFieldCount; ++i)
    {
        if (i < m_Sample.GetSize())
            SetDlgItemText(kSampleBoxes[i], m_Sample[i]);
        else
        {
            // Boxes past the first without a token keep what they showed.
            SetDlgItemText(kSampleBoxes[i], "n/a");
            break;
        }
    }
    SetDlgItemText(IDC_PIPELINE_TOTAL, "0");
    SetDlgItemText(IDC_PIPELINE_USED, "0 (0.0%)");
}

void CPipelineDlg::ColumnChanged(CExcelColumnComboBox& combo, int field)
{
    if (field >= m_Import.GetSize())
        return;
    int& column = m_Import[field].Column;
    const int entry = combo.GetCurSel();
    if (combo.IsWindowEnabled() && entry > 0)
        column = entry - 1;
    else if (column >= 0)
        column = -2 - column;
    Sample();
}

void CPipelineDlg::OnSelchangeKp()
{
    ColumnChanged(m_KpCombo, 0);
}

void CPipelineDlg::OnSelchangeEasting()
{
    ColumnChanged(m_EastingCombo, 1);
}

void CPipelineDlg::OnSelchangeNorthing()
{
    ColumnChanged(m_NorthingCombo, 2);
}

void CPipelineDlg::OnSelchangeDepth()
{
    ColumnChanged(m_DepthCombo, 3);
}

void CPipelineDlg::OnSelchangeSkipLinesCombo()
{
    m_Import.m_SkipNoLines = m_SkipLines.GetCurSel();
    Sample();
}

void CPipelineDlg::OnBnClickedSelectFile()
{
    CFileDialog dialog(TRUE, "csv", m_Import.m_FullPath, OFN_HIDEREADONLY | OFN_EXPLORER,
                       "CSV Files (*.csv)|*.csv|Text Files (*.txt)|*.txt|All Files (*.*)|*.*||", this);
    dialog.m_ofn.lpstrTitle = "Pipeline Files....";
    if (dialog.DoModal() != IDOK)
        return;
    CString path = dialog.GetPathName();
    path.Trim();
    if (path.IsEmpty())
    {
        WarningMessage("Requires a file name", this);
        return;
    }
    m_Import.m_FullPath = path;
    ShowPath();
    Sample();
    m_Import.SaveSettings();
}

void CPipelineDlg::OnOK()
{
    m_Import.SaveSettings();
    CColourDialogEx::OnOK();
}

void CPipelineDlg::OnThinData()
{
    CString text;
    m_ToleranceEdit.GetWindowText(text);
    double tolerance = std::fabs(std::atof(text));
    if (tolerance == 0.0)
        tolerance = 1.0;
    m_Tolerance = tolerance;

    const CString outputPath = ThinnedFileName(m_Import.m_FullPath);
    CStdioFile input;
    if (!m_Import.OpenFile(input))
        return;
    // The thinned file appears only when the run completes: a failed run leaves none, or the
    // previous one whole.
    CConfigFile output;
    if (!output.Open(outputPath, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeText))
        return;

    const ULONGLONG length = input.GetLength();
    const auto position = [&input, length]() {
        return length > 0 ? static_cast<int>(input.GetPosition() * 30000 / length) : 0;
    };
    m_Progress.SetRange32(0, 30000);
    m_Progress.SetPos(0);
    m_Progress.ShowWindow(SW_SHOW);

    const auto fail = [&](const char* why) {
        output.Abort();
        if (input.m_hFile != CFile::hFileNull)
            input.Close();
        m_Progress.ShowWindow(SW_HIDE);
        WarningMessage(why, this);
    };
    const char* const kShortRecord = "A pipeline record holds fewer than three values: nothing was written.";

    CStringArray record;
    if (!m_Import.ReadRecord(input, record))
    {
        output.Abort();
        m_Progress.ShowWindow(SW_HIDE);
        return;
    }
    if (record.GetSize() < 3)
    {
        fail(kShortRecord);
        return;
    }
    try
    {
        ThinPoint anchor = PointOf(record);
        WriteRecord(output, record);
        int total = 1;
        int used = 1;
        ShowCounts(total, used);

        std::vector<ThinPoint> buffer;
        CStringArray previous;
        previous.Copy(record);
        ThinPoint previousPoint = anchor;
        while (m_Import.ReadRecord(input, record))
        {
            if (record.GetSize() < 3)
            {
                fail(kShortRecord);
                return;
            }
            ++total;
            m_Progress.SetPos(input.m_hFile != CFile::hFileNull ? position() : 30000);
            const ThinPoint point = PointOf(record);
            if (total > 2)
                for (const ThinPoint& q : buffer)
                {
                    double kp = 0.0, along = 0.0, across = 0.0, toEnd = 0.0;
                    OffsetFromLine(q.e, q.n, anchor.e, anchor.n, point.e, point.n, &kp, &along, &across, &toEnd);
                    if (std::fabs(across) > tolerance)
                    {
                        WriteRecord(output, previous);
                        anchor = previousPoint;
                        buffer.clear();
                        ++used;
                        ShowCounts(total, used);
                        break;
                    }
                }
            buffer.push_back(point);
            previous.Copy(record);
            previousPoint = point;
        }
        if (total > 1)
        {
            WriteRecord(output, previous);
            ++used;
        }
        ShowCounts(total, used);
        CString end;
        end.Format("%.3lf,%.3lf, END", previousPoint.e, previousPoint.n);
        output.WriteString(end);
        output.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        fail("The thinned pipeline file could not be written.");
        return;
    }
    CString message;
    message.Format("Thined data file written to\n%s", static_cast<LPCSTR>(outputPath));
    InformationBox("Pipeline Data", message, this);
    m_Progress.ShowWindow(SW_HIDE);
}

HBRUSH CPipelineDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH brush = CColourDialogEx::OnCtlColor(pDC, pWnd, nCtlColor);
    const int id = pWnd ? pWnd->GetDlgCtrlID() : 0;
    for (const int box : kSampleBoxes)
        if (id == box)
        {
            pDC->SetTextColor(0x000000);
            pDC->SetBkColor(kSampleBackground);
            return static_cast<HBRUSH>(m_SampleBrush.GetSafeHandle());
        }
    return brush;
}

void CPipelineDlg::OnDestroy()
{
    CColourDialogEx::OnDestroy();
    m_SampleBrush.DeleteObject();
}
