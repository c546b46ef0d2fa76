// COrbisolApp: the solar observation program: one modal sheet of six pages over one sun
// observation; the program ends when the sheet closes.
#pragma once

#include "foundation/DateTime.h"
#include "orbisol/SunObservation.h"
#include "outside/kadenta/ProgramVersion.h"
#include "platform/core/WinApp.h"

class CColourPropertySheet;

// The program's version block (configured by the build: OrbisolVersionBlock.cpp.in) and the
// rule of its version text.
extern const PROGRAM_VERSION_BLOCK kOrbisolVersionBlock;
extern const PROGRAM_VERSION_RULE kOrbisolVersionRule;

class COrbisolApp : public CWinApp
{
public:
    // Reads the observer's settings, loads this year's almanac and takes the local date and
    // time, as the program's static construction does.
    COrbisolApp();

    // Shows the opening window; unless it ends with OK, ends. Then runs the sheet modally and
    // ends when it closes: always FALSE.
    BOOL InitInstance() override;

    // The sheet while it runs (null otherwise), for whoever drives the program.
    CColourPropertySheet* GetSheet() const { return m_pSheet; }
    // Whether daylight-saving time was in force when the date and time were taken.
    bool IsDaylightSaving() const { return m_bDaylightSaving; }

    CSunObservation m_SunObservation;
    DateTimeDef m_DateTime;

    // The caption of the sheet, which names its remembered-page file too.
    static constexpr const char* kSheetCaption = "Orbisol Calculation";

private:
    CColourPropertySheet* m_pSheet = nullptr;
    bool m_bDaylightSaving = false;
};
