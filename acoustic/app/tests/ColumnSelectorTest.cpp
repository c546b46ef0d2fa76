// The import column selectors as the user meets them: each opened over a frame in its real
// modal loop, its combos picked from their drop-down lists, its buttons clicked; what OK and
// Cancel leave in the import definition, what the option buttons save at once, and the labels
// the Boxin selectors give the fields. Also the picture control of the workbook selectors.
#include "acoustic/app/selectors/BMPStatic.h"
#include "acoustic/app/selectors/BoxinSelectors.h"
#include "acoustic/app/selectors/GridOnGridSelectors.h"
#include "acoustic/app/selectors/ThermoclineSelectors.h"
#include "acoustic/app/selectors/UsblCsvSelector.h"
#include "acoustic/engine/Boxin.h"
#include "acoustic/engine/SpeedOfSoundInWater.h"
#include "acoustic/engine/UsblCalibration.h"
#include "foundation/ListCtrlImport.h"
#include "foundation/PressureMode.h"
#include "platform/core/Path.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/LoadImage.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalHook.h"
#include "platform/ui/Resources.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/TempDrives.h"
#include "testsupport/UserInput.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/acoustic"
#endif

namespace
{
void ClickButton(CWnd* button)
{
    ASSERT_NE(button, nullptr);
    CRect r;
    button->GetClientRect(&r);
    UserInput::ClickClient(button, r.CenterPoint().x, r.CenterPoint().y);
    PumpFor(10);
}

QComboBox* Combo(CDialog* dialog, int id)
{
    CWnd* box = dialog->GetDlgItem(id);
    return box ? qobject_cast<QComboBox*>(box->GetWidget()) : nullptr;
}

QComboBox* FieldCombo(CDialog* dialog, int field)
{
    return Combo(dialog, IDC_SELECTOR_COLUMN_0 + field);
}

void Pick(CDialog* dialog, int field, const char* entry)
{
    QComboBox* box = FieldCombo(dialog, field);
    ASSERT_NE(box, nullptr) << field;
    ASSERT_TRUE(UserInput::PickFromDropDown(box, entry)) << field << " " << entry;
    PumpFor(5);
}

CString Text(CDialog* dialog, int id)
{
    CString text;
    dialog->GetDlgItemText(id, text);
    return text;
}

// A definition of `count` fields: field 0 at column 3, field 1 at -1, field 2 at -5, each
// further field i at column i.
void DefineColumns(CListCtrlImport& import, const char* name, int count)
{
    import.RemoveAll();
    import.m_SettingsName = name;
    for (int i = 0; i < count; ++i)
        import.AddField("Field");
    const int opening[] = {3, -1, -5};
    for (int i = 0; i < count; ++i)
        import.SetColumn(i, i < 3 ? opening[i] : i);
    import.m_FullPath = "C:\\Survey\\Boxin\\Day 1.csv";
    import.m_SpreadsheetName = "Sheet1";
}

std::vector<int> Columns(const CListCtrlImport& import)
{
    std::vector<int> columns;
    for (INT_PTR i = 0; i < import.GetSize(); ++i)
        columns.push_back(import[i].Column);
    return columns;
}

// One member of the family, made with the calibration objects it edits.
struct Member
{
    const char* name;
    int fields;
    bool workbook;
    std::function<std::unique_ptr<CColumnSelector>(CWnd*)> make;
};

class ColumnSelectorTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_Owner.CreateOwner(900, 700, "Acoustic")); }

    // Runs `selector` over the owner in its modal loop, `drive` acting as the user.
    INT_PTR Run(CColumnSelector& selector, const std::function<void(CColumnSelector*)>& drive)
    {
        ModalHook::AnswerDialogOf<CColumnSelector>([drive](CColumnSelector* dialog) -> INT_PTR {
            PumpFor(10);
            drive(dialog);
            return MODALHOOK_RUN_LOOP;
        });
        return selector.DoModal();
    }

    std::vector<Member> Members()
    {
        return {
            {"boxin-csv", 5, false,
             [this](CWnd* p) {
                 auto s = std::make_unique<CBoxinCsvSelector>(p);
                 s->m_pBoxin = &m_Boxin;
                 return std::unique_ptr<CColumnSelector>(std::move(s));
             }},
            {"boxin-excel", 5, true,
             [this](CWnd* p) {
                 auto s = std::make_unique<CBoxinExcelSelector>(p);
                 s->m_pBoxin = &m_Boxin;
                 return std::unique_ptr<CColumnSelector>(std::move(s));
             }},
            {"grid-on-grid-csv", 4, false,
             [](CWnd* p) { return std::unique_ptr<CColumnSelector>(std::make_unique<CGridOnGridCsvSelector>(p)); }},
            {"grid-on-grid-excel", 4, true,
             [](CWnd* p) { return std::unique_ptr<CColumnSelector>(std::make_unique<CGridOnGridExcelSelector>(p)); }},
            {"thermocline-csv", 3, false,
             [this](CWnd* p) {
                 auto s = std::make_unique<CThermoclineCsvSelector>(p);
                 s->m_pSpeedOfSound = &m_Sound;
                 return std::unique_ptr<CColumnSelector>(std::move(s));
             }},
            {"thermocline-excel", 3, true,
             [this](CWnd* p) {
                 auto s = std::make_unique<CThermoclineExcelSelector>(p);
                 s->m_pSpeedOfSound = &m_Sound;
                 return std::unique_ptr<CColumnSelector>(std::move(s));
             }},
            {"usbl-csv", 10, false,
             [this](CWnd* p) {
                 auto s = std::make_unique<CUsblCsvSelector>(p);
                 s->m_pCalibration = &m_Usbl;
                 return std::unique_ptr<CColumnSelector>(std::move(s));
             }},
        };
    }

    CRecordingOwner m_Owner;
    CBoxin m_Boxin;
    CSpeedOfSoundInWater m_Sound;
    CUsblCalibration m_Usbl;
    CListCtrlImport m_Import;
};
} // namespace

// Every member opens on the definition's columns in its own list, stores the user's picks on
// OK by the column rule, and leaves columns and sheet name alone on Cancel.
class ColumnSelectorMemberTest : public ColumnSelectorTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(ColumnSelectorMemberTest, ShowsStoresAndCancelsTheColumns)
{
    m_Boxin.m_RangeMode = 0;
    m_Usbl.m_RawDataMode = true;
    QDir().mkpath(SUITE_VISUAL_DIR);
    for (const Member& m : Members())
    {
        if (std::string(m.name) != GetParam())
            continue;
        const char* three = m.workbook ? "D" : "4";
        const char* one = m.workbook ? "B" : "2";

        // OK: field 0 opened at 3 and set to "Skip" keeps it as -5; field 1 takes column 1;
        // field 2 stays skipped with its remembered -5.
        DefineColumns(m_Import, m.name, m.fields);
        std::unique_ptr<CColumnSelector> selector = m.make(&m_Owner);
        selector->m_pImport = &m_Import;
        EXPECT_EQ(Run(*selector,
                      [&](CColumnSelector* dialog) {
                          ASSERT_NE(FieldCombo(dialog, 0), nullptr);
                          EXPECT_EQ(FieldCombo(dialog, 0)->currentText(), three);
                          EXPECT_EQ(FieldCombo(dialog, 1)->currentText(), "Skip");
                          EXPECT_EQ(FieldCombo(dialog, 2)->currentText(), "Skip");
                          EXPECT_EQ(FieldCombo(dialog, 0)->count(), 27);
                          EXPECT_EQ(FrameProbe::StrayTopLevels(&m_Owner, {dialog->GetWidget()}),
                                    std::vector<std::string>());
                          dialog->GetWidget()->grab().save(QString(SUITE_VISUAL_DIR) + "/selector-" + m.name + ".png");
                          Pick(dialog, 0, "Skip");
                          Pick(dialog, 1, one);
                          if (m.workbook)
                          {
                              dialog->GetDlgItem(IDC_SELECTOR_SHEET_NAME)->SetFocus();
                              static_cast<CEdit*>(dialog->GetDlgItem(IDC_SELECTOR_SHEET_NAME))->SetSel(0, -1);
                              UserInput::Type("Survey 2", false);
                              PumpFor(5);
                          }
                          ClickButton(dialog->GetDlgItem(IDOK));
                      }),
                  IDOK);
        std::vector<int> expected = {-5, 1, -5};
        for (int i = 3; i < m.fields; ++i)
            expected.push_back(m.fields == 10 && i >= 8 ? -1 : i); // the ROV fields in raw-data mode
        EXPECT_EQ(Columns(m_Import), expected);
        EXPECT_EQ(m_Import.m_SpreadsheetName, m.workbook ? "Survey 2" : "Sheet1");

        // Cancel after the same picks: nothing changes.
        DefineColumns(m_Import, m.name, m.fields);
        const std::vector<int> before = Columns(m_Import);
        selector = m.make(&m_Owner);
        selector->m_pImport = &m_Import;
        EXPECT_EQ(Run(*selector,
                      [&](CColumnSelector* dialog) {
                          Pick(dialog, 0, "Skip");
                          Pick(dialog, 1, one);
                          if (m.workbook)
                              dialog->SetDlgItemText(IDC_SELECTOR_SHEET_NAME, "");
                          ClickButton(dialog->GetDlgItem(IDCANCEL));
                      }),
                  IDCANCEL);
        EXPECT_EQ(Columns(m_Import), before);
        EXPECT_EQ(m_Import.m_SpreadsheetName, "Sheet1");
    }
}

INSTANTIATE_TEST_SUITE_P(Members, ColumnSelectorMemberTest,
                         ::testing::Values("boxin-csv", "boxin-excel", "grid-on-grid-csv", "grid-on-grid-excel",
                                           "thermocline-csv", "thermocline-excel", "usbl-csv"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& ch : name)
                                 if (ch == '-')
                                     ch = '_';
                             return name;
                         });

// A damaged definition (fewer fields than the selector maps) does not open the dialog: the
// user is told which import it is, and nothing changes.
TEST_F(ColumnSelectorTest, ADefinitionShortOfFieldsIsRefusedByName)
{
    for (const Member& m : Members())
    {
        SCOPED_TRACE(m.name);
        DefineColumns(m_Import, "Boxin CSV", m.fields - 1);
        const std::vector<int> before = Columns(m_Import);
        std::unique_ptr<CColumnSelector> selector = m.make(&m_Owner);
        selector->m_pImport = &m_Import;
        ModalHook::AnswerMessageBox(IDOK);
        const size_t shown = ModalHook::Shown().size();
        EXPECT_EQ(selector->DoModal(), IDCANCEL);
        ASSERT_EQ(ModalHook::Shown().size(), shown + 1) << "the message alone, no dialog";
        EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::MessageBox);
        EXPECT_NE(ModalHook::Shown().back().text.Find("Boxin CSV"), -1) << ModalHook::Shown().back().text.GetString();
        EXPECT_EQ(Columns(m_Import), before);
    }
}

// A column beyond the list's 26 entries (a settings file from elsewhere) shows no entry; OK
// keeps it rather than turning it into a skipped field.
TEST_F(ColumnSelectorTest, AColumnBeyondTheListIsKeptOnOk)
{
    DefineColumns(m_Import, "Grid on Grid CSV", 4);
    m_Import.SetColumn(3, 30);
    CGridOnGridCsvSelector selector(&m_Owner);
    selector.m_pImport = &m_Import;
    EXPECT_EQ(Run(selector,
                  [&](CColumnSelector* dialog) {
                      EXPECT_EQ(FieldCombo(dialog, 3)->currentIndex(), -1);
                      ClickButton(dialog->GetDlgItem(IDOK));
                  }),
              IDOK);
    EXPECT_EQ(Columns(m_Import), (std::vector<int>{3, -1, -5, 30}));
}

// "Select File": the chosen path is the definition's at once (and survives a Cancel of the
// selector); a cancelled file dialog changes nothing; only existing files can be chosen.
TEST_F(ColumnSelectorTest, SelectFileSetsThePathAtOnce)
{
    DefineColumns(m_Import, "Grid on Grid CSV", 4);
    CGridOnGridCsvSelector selector(&m_Owner);
    selector.m_pImport = &m_Import;
    EXPECT_EQ(Run(selector,
                  [&](CColumnSelector* dialog) {
                      EXPECT_EQ(Text(dialog, IDC_SELECTOR_FOLDER), "C:\\Survey\\Boxin\\");
                      EXPECT_EQ(Text(dialog, IDC_SELECTOR_FILE_NAME), "Day 1.csv");
                      ModalHook::CancelFileDialog();
                      ClickButton(dialog->GetDlgItem(IDC_SELECTOR_SELECT_FILE));
                      EXPECT_EQ(m_Import.m_FullPath, "C:\\Survey\\Boxin\\Day 1.csv");
                      const MODAL_RECORD& asked = ModalHook::Shown().back();
                      EXPECT_EQ(asked.kind, MODAL_RECORD::FileDialog);
                      EXPECT_EQ(asked.caption, "Grid on Grid");
                      EXPECT_EQ(asked.text, "Grid on Grid File (*.csv)|*.csv|(*.txt)|*.txt||");
                      EXPECT_TRUE(asked.open);
                      EXPECT_TRUE(asked.flags & OFN_FILEMUSTEXIST);
                      EXPECT_EQ(asked.fileName, "C:\\Survey\\Boxin\\Day 1.csv");

                      ModalHook::AnswerFileDialog({"C:\\Pairs\\North Quay.txt"});
                      ClickButton(dialog->GetDlgItem(IDC_SELECTOR_SELECT_FILE));
                      EXPECT_EQ(m_Import.m_FullPath, "C:\\Pairs\\North Quay.txt");
                      EXPECT_EQ(Text(dialog, IDC_SELECTOR_FOLDER), "C:\\Pairs\\");
                      EXPECT_EQ(Text(dialog, IDC_SELECTOR_FILE_NAME), "North Quay.txt");
                      ClickButton(dialog->GetDlgItem(IDCANCEL));
                  }),
              IDCANCEL);
    EXPECT_EQ(m_Import.m_FullPath, "C:\\Pairs\\North Quay.txt");
}

// The Boxin labels follow the range unit and the depth and gyro columns; a travel time hides
// the depth field and forgets its column; the unit and travel time are saved at once and
// outlive a Cancel.
TEST_F(ColumnSelectorTest, BoxinLabelsFollowUnitAndColumnsAndOptionsSaveAtOnce)
{
    struct Case
    {
        int unit;          // IDC of the unit clicked
        const char* depth; // entry picked for the depth field (null: none)
        const char* gyro;  // entry picked for the gyro field
        const char* observation;
        const char* easting;
        const char* northing;
        bool depthShown;
    } cases[] = {
        {IDC_BOXIN_METRES, "3", "2", "Horizontal Range", "CRP Easting", "CPR Northing", true},
        {IDC_BOXIN_METRES, "Skip", "2", "Slope Range", "CRP Easting", "CPR Northing", true},
        {IDC_BOXIN_METRES, "3", "Skip", "Horizontal Range", "Transducer Easting", "Transducer Northing", true},
        {IDC_BOXIN_METRES, "Skip", "Skip", "Slope Range", "Transducer Easting", "Transducer Northing", true},
        {IDC_BOXIN_SECONDS, nullptr, "2", "Travel Time", "CRP Easting", "CPR Northing", false},
        {IDC_BOXIN_MILLISECONDS, nullptr, "Skip", "Travel Time", "Transducer Easting", "Transducer Northing",
         false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.observation + std::string(" ") + c.easting);
        m_Boxin.m_RangeMode = 0;
        m_Boxin.m_TwoWayTravelTime = false;
        DefineColumns(m_Import, "Boxin CSV", 5);
        CBoxinCsvSelector selector(&m_Owner);
        selector.m_pBoxin = &m_Boxin;
        selector.m_pImport = &m_Import;
        EXPECT_EQ(Run(selector,
                      [&](CColumnSelector* dialog) {
                          ClickButton(dialog->GetDlgItem(c.unit));
                          if (c.depth)
                              Pick(dialog, CBoxinSelector::FIELD_DEPTH, c.depth);
                          Pick(dialog, CBoxinSelector::FIELD_GYRO, c.gyro);
                          EXPECT_EQ(Text(dialog, IDC_SELECTOR_LABEL_0 + 4), c.observation);
                          EXPECT_EQ(Text(dialog, IDC_SELECTOR_LABEL_0 + 0), c.easting);
                          EXPECT_EQ(Text(dialog, IDC_SELECTOR_LABEL_0 + 1), c.northing);
                          EXPECT_EQ(dialog->GetDlgItem(IDC_SELECTOR_COLUMN_0 + 3)->IsWindowVisible() != FALSE,
                                    c.depthShown);
                          EXPECT_EQ(dialog->GetDlgItem(IDC_SELECTOR_LABEL_0 + 3)->IsWindowVisible() != FALSE,
                                    c.depthShown);
                          EXPECT_EQ(dialog->GetDlgItem(IDC_BOXIN_TRAVEL_TIME)->IsWindowVisible() != FALSE,
                                    !c.depthShown);
                          for (int id : {IDC_BOXIN_METRES, IDC_BOXIN_SECONDS, IDC_BOXIN_MILLISECONDS})
                              EXPECT_EQ(dialog->IsDlgButtonChecked(id), id == c.unit ? 1u : 0u) << id;
                          if (!c.depthShown)
                          {
                              EXPECT_EQ(FieldCombo(dialog, 3)->currentText(), "Skip");
                              ASSERT_TRUE(UserInput::PickFromDropDown(Combo(dialog, IDC_BOXIN_TRAVEL_TIME), "Two Way"));
                              PumpFor(5);
                          }
                          ClickButton(dialog->GetDlgItem(IDCANCEL));
                      }),
                  IDCANCEL);
        // Saved at once: a Boxin object reading its settings now sees the unit and travel time.
        const int mode = c.unit - IDC_BOXIN_METRES;
        CBoxin saved;
        EXPECT_EQ(saved.m_RangeMode, mode);
        EXPECT_EQ(saved.m_TwoWayTravelTime, !c.depthShown);
        EXPECT_EQ(m_Boxin.m_RangeMode, mode);
        EXPECT_EQ(Columns(m_Import)[3], 3) << "Cancel keeps the columns";
    }

    // OK with a travel time: the depth field reset holds no remembered column.
    DefineColumns(m_Import, "Boxin CSV", 5);
    m_Boxin.m_RangeMode = 1;
    CBoxinCsvSelector selector(&m_Owner);
    selector.m_pBoxin = &m_Boxin;
    selector.m_pImport = &m_Import;
    EXPECT_EQ(Run(selector, [](CColumnSelector* dialog) { ClickButton(dialog->GetDlgItem(IDOK)); }), IDOK);
    EXPECT_EQ(Columns(m_Import)[3], -1);
}

// USBL: the mode is saved at once; the other mode's fields are disabled, show "n/a" and are
// stored as -1 whatever they held.
TEST_F(ColumnSelectorTest, UsblModeDisablesAndSkipsTheOtherModesFields)
{
    for (bool rov : {true, false})
    {
        SCOPED_TRACE(rov ? "ROV mode" : "raw-data mode");
        m_Usbl.m_RawDataMode = rov;
        DefineColumns(m_Import, "Usbl Calibration CSV", 10);
        CUsblCsvSelector selector(&m_Owner);
        selector.m_pCalibration = &m_Usbl;
        selector.m_pImport = &m_Import;
        EXPECT_EQ(Run(selector,
                      [&](CColumnSelector* dialog) {
                          ClickButton(dialog->GetDlgItem(rov ? IDC_USBL_ROV_MODE : IDC_USBL_RAW_DATA_MODE));
                          EXPECT_EQ(dialog->IsDlgButtonChecked(IDC_USBL_ROV_MODE), rov ? 1u : 0u);
                          EXPECT_EQ(dialog->IsDlgButtonChecked(IDC_USBL_RAW_DATA_MODE), rov ? 0u : 1u);
                          EXPECT_EQ(CUsblCalibration().m_RawDataMode, !rov) << "saved at once";
                          for (int field = 0; field < 10; ++field)
                          {
                              const bool read = CUsblCsvSelector::FieldRead(field, !rov);
                              EXPECT_EQ(dialog->GetDlgItem(IDC_SELECTOR_COLUMN_0 + field)->IsWindowEnabled() != FALSE,
                                        read)
                                  << field;
                              if (!read)
                              {
                                  EXPECT_EQ(FieldCombo(dialog, field)->currentText(), "n/a") << field;
                              }
                          }
                          EXPECT_EQ(FieldCombo(dialog, rov ? 8 : 3)->currentText(), rov ? "9" : "4");
                          ClickButton(dialog->GetDlgItem(IDOK));
                      }),
                  IDOK);
        const std::vector<int> expected =
            rov ? std::vector<int>{3, -1, -5, -1, -1, -1, -1, -1, 8, 9} : std::vector<int>{3, -1, -5, 3, 4, 5, 6, 7, -1, -1};
        EXPECT_EQ(Columns(m_Import), expected);
    }
}

// Velocity profile: the options open from the sound-speed object and the saved pressure unit,
// the buttons exclude each other, and OK keeps them (the unit only for a pressure column).
TEST_F(ColumnSelectorTest, ThermoclineOptionsOpenExcludeAndApplyOnOk)
{
    struct Case
    {
        int pressureMode, salinityMode, savedUnit;
        int opened;   // the pressure button checked on opening
        int clicked;  // then clicked
        int clicked2; // then clicked (salinity group)
        int pressureAfter, salinityAfter;
        int unitAfter; // -1: the file left as it was
    } cases[] = {
        {0, 0, 1, IDC_THERMOCLINE_DEPTH, IDC_THERMOCLINE_PRESSURE_BAR, IDC_THERMOCLINE_CONDUCTIVITY, 1, 1, 0},
        {1, 1, 1, IDC_THERMOCLINE_PRESSURE_KG, IDC_THERMOCLINE_DEPTH, IDC_THERMOCLINE_SALINITY, 0, 0, -1},
        {1, 0, 0, IDC_THERMOCLINE_PRESSURE_BAR, IDC_THERMOCLINE_PRESSURE_KG, IDC_THERMOCLINE_SALINITY, 1, 0, 1},
    };
    const int pressureButtons[] = {IDC_THERMOCLINE_DEPTH, IDC_THERMOCLINE_PRESSURE_BAR, IDC_THERMOCLINE_PRESSURE_KG};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.clicked);
        m_Sound.m_PressureMode = c.pressureMode;
        m_Sound.m_SalinityMode = c.salinityMode;
        ASSERT_TRUE(SavePressureMode(c.savedUnit));
        DefineColumns(m_Import, "Velocity Profile CSV", 3);
        CThermoclineCsvSelector selector(&m_Owner);
        selector.m_pSpeedOfSound = &m_Sound;
        selector.m_pImport = &m_Import;
        EXPECT_EQ(Run(selector,
                      [&](CColumnSelector* dialog) {
                          for (int id : pressureButtons)
                              EXPECT_EQ(dialog->IsDlgButtonChecked(id), id == c.opened ? 1u : 0u) << id;
                          EXPECT_EQ(dialog->IsDlgButtonChecked(IDC_THERMOCLINE_CONDUCTIVITY), c.salinityMode ? 1u : 0u);
                          ClickButton(dialog->GetDlgItem(c.clicked));
                          ClickButton(dialog->GetDlgItem(c.clicked2));
                          for (int id : pressureButtons)
                              EXPECT_EQ(dialog->IsDlgButtonChecked(id), id == c.clicked ? 1u : 0u) << id;
                          EXPECT_EQ(dialog->IsDlgButtonChecked(IDC_THERMOCLINE_SALINITY),
                                    c.clicked2 == IDC_THERMOCLINE_SALINITY ? 1u : 0u);
                          EXPECT_EQ(dialog->IsDlgButtonChecked(IDC_THERMOCLINE_CONDUCTIVITY),
                                    c.clicked2 == IDC_THERMOCLINE_CONDUCTIVITY ? 1u : 0u);
                          // Nothing is kept before OK.
                          EXPECT_EQ(m_Sound.m_PressureMode, c.pressureMode);
                          EXPECT_EQ(LoadPressureMode(), c.savedUnit);
                          ClickButton(dialog->GetDlgItem(IDOK));
                      }),
                  IDOK);
        EXPECT_EQ(m_Sound.m_PressureMode, c.pressureAfter);
        EXPECT_EQ(m_Sound.m_SalinityMode, c.salinityAfter);
        EXPECT_EQ(LoadPressureMode(), c.unitAfter < 0 ? c.savedUnit : c.unitAfter);
    }
}

namespace
{
// A picture of `size` painted `colour`, with its top-left pixel red.
QByteArray BitmapFile(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QImage BluePicture()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 255));
    return image;
}
const BITMAP_ENTRY kTestPictures[] = {{31901, nullptr, &BluePicture}};
} // namespace

// The picture control: a bitmap file at its own size at the inner corner; the resource
// stretched over the inner area when the file is missing or damaged; nothing with neither.
TEST(BMPStatic, FileUnscaledElseResourceStretchedElseNothing)
{
    AfxRegisterBitmaps("Picture Test", kTestPictures, 1);
    CRecordingOwner owner;
    ASSERT_TRUE(owner.CreateOwner(300, 200));
    auto write = [](const char* name, const QByteArray& bytes) {
        QFile file(TempDrives::Current()->OnC(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    const QRgb green = qRgb(0, 160, 0);
    const QByteArray good = BitmapFile(QSize(10, 6), green);
    write("small.bmp", good);
    write("cut.bmp", good.left(good.size() - 16));
    QByteArray huge = good;
    const int32_t side = 100000;
    std::memcpy(huge.data() + 18, &side, 4);
    std::memcpy(huge.data() + 22, &side, 4);
    write("huge.bmp", huge);
    write("text.bmp", "no picture");

    const int f = GetSystemMetrics(SM_CXFIXEDFRAME);
    const int g = GetSystemMetrics(SM_CYFIXEDFRAME);
    enum Drawn
    {
        File,
        Resource,
        Nothing
    };
    struct Case
    {
        const char* path;
        int id;
        Drawn drawn;
    } cases[] = {
        {"C:\\small.bmp", 31901, File},   {"C:\\small.bmp", 0, File},        {"C:\\none.bmp", 31901, Resource},
        {"C:\\cut.bmp", 31901, Resource}, {"C:\\huge.bmp", 31901, Resource}, {"C:\\text.bmp", 31901, Resource},
        {"", 31901, Resource},            {"C:\\none.bmp", 0, Nothing},      {"", 0, Nothing},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.path) + " " + std::to_string(c.id));
        CBMPStatic picture;
        picture.SetPath(c.path);
        picture.SetBitmapID(c.id);
        ASSERT_TRUE(picture.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 70, 50), &owner, 100));
        PumpFor(5);
        const QImage shown = picture.GetWidget()->grab().toImage();
        ASSERT_EQ(shown.width(), 60);
        const auto at = [&shown](int x, int y) { return shown.pixel(x, y) & 0xFFFFFF; };
        const QRgb blue = qRgb(0, 0, 255) & 0xFFFFFF;
        const QRgb red = qRgb(255, 0, 0) & 0xFFFFFF;
        switch (c.drawn)
        {
        case File:
            EXPECT_EQ(at(f, g), red);
            EXPECT_EQ(at(f + 9, g + 5), green & 0xFFFFFF);
            EXPECT_NE(at(f + 10, g), green & 0xFFFFFF) << "unscaled";
            EXPECT_NE(at(f, g + 6), green & 0xFFFFFF) << "unscaled";
            EXPECT_NE(at(f - 1, g - 1), red) << "inside the frame";
            break;
        case Resource:
            EXPECT_EQ(at(f, g), blue);
            EXPECT_EQ(at(60 - f - 1, 40 - g - 1), blue) << "stretched over the inner area";
            EXPECT_NE(at(0, 0), blue) << "inside the frame";
            break;
        case Nothing:
            for (QPoint p : {QPoint(f, g), QPoint(30, 20)})
                EXPECT_NE(at(p.x(), p.y()), blue);
            break;
        }
        picture.DestroyWindow();
    }
    AfxUnregisterBitmaps("Picture Test");
}
