// The one point where modal user interface meets tests: every modal dialog (DoModal), file
// dialog, print dialog, message box and popup menu asks here first.
//
// While the hook is enabled (always in tests: the test main enables it and resets it before
// each test), nothing waits for a person: each modal call takes the first prepared answer
// that fits, records what was shown, and returns at once. A modal call with no answer
// prepared reports a failure through the hook's callback and returns IDCANCEL (a dialog, a
// message box), a cancelled file dialog or a dismissed menu (0). Programs run without the
// hook and show real Qt dialogs.
//
//     ModalHook::AnswerMessageBox(IDYES);
//     ModalHook::AnswerDialog(IDD_OPTIONS, [](CDialog* dlg) {
//         dlg->SetDlgItemText(IDC_NAME, "Survey 1");
//         dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)); // OnOK: validates and ends
//         return IDOK;                                                // used only if still open
//     });
//     ModalHook::AnswerFileDialog({"C:\\MyData\\a.txt"});
//     PRINT_DIALOG_ANSWER print;          // OK, to a PDF file, 2 collated copies
//     print.outputFile = "C:\\out.pdf";
//     print.copies = 2;
//     print.collate = true;
//     ModalHook::AnswerPrintDialog(print);
//     ... run the code under test ...
//     EXPECT_EQ(ModalHook::Shown().back().text, "Save changes?");
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <functional>
#include <vector>

class CDialog;

// A dialog answer returning this runs the dialog's real modal loop (posted messages and
// timers arrive) until the dialog ends itself; after the loop time-out (5 s unless set) the
// hook reports a failure and ends the dialog with IDCANCEL.
#define MODALHOOK_RUN_LOOP (static_cast<INT_PTR>(-0x7FFF))

// What a modal call showed.
struct MODAL_RECORD
{
    enum Kind
    {
        Dialog,
        FileDialog,
        FolderDialog,
        MessageBox,
        Menu,
        PrintDialog,
        ColourDialog
    };
    Kind kind = Dialog;
    UINT id = 0;          // dialog template id
    CString caption;      // dialog caption, file dialog title, message box caption
    CString text;         // message box text; file dialog: its filter; menu: item texts, one a line
    CString folder;       // file or folder dialog: initial folder (Windows path)
    CString fileName;     // file dialog: initial file name
    UINT flags = 0;       // MB_*, OFN_*, TPM_*, PD_*
    BOOL open = TRUE;     // file dialog: open (TRUE) or save
    INT_PTR result = 0;   // what the call returned (IDOK, IDYES, the menu id, ...)
    bool answered = true; // false when no answer was prepared
};

// What a print dialog is answered with: OK or Cancel, where to print, copies, collation and
// a page range (used only when both pages are set and the dialog offers page numbers).
struct PRINT_DIALOG_ANSWER
{
    bool ok = true;
    CString outputFile;  // Windows path of the PDF file printed to when no printer is named
    CString printerName; // an installed printer (Qt's name); empty: the PDF file
    int copies = 1;
    bool collate = false;
    int fromPage = 0;
    int toPage = 0;
};

class QWidget;

class PLATFORM_API ModalHook
{
public:
    using FailureReporter = std::function<void(const CString& message)>;
    using DialogAnswer = std::function<INT_PTR(CDialog* pDialog)>;

    // Turns the hook on; `onUnanswered` hears about every modal call left without an answer.
    static void Enable(FailureReporter onUnanswered);
    static void Disable();
    static bool IsEnabled();
    // Forgets prepared answers and records, and restores the loop time-out.
    static void Reset();

    // The next modal dialog of the template id gets `answer`, called once the dialog exists
    // and OnInitDialog ran: it may set controls and call handlers (EndDialog, OnOK...). When
    // the dialog is still open afterwards, it ends with the returned code (or runs its loop
    // for MODALHOOK_RUN_LOOP).
    static void AnswerDialog(UINT nIDTemplate, DialogAnswer answer);
    // The next modal dialog of class T (or derived).
    template <class T> static void AnswerDialogOf(std::function<INT_PTR(T*)> answer)
    {
        AddDialogAnswer([](CDialog* d) { return dynamic_cast<T*>(d) != nullptr; },
                        [answer](CDialog* d) { return answer(dynamic_cast<T*>(d)); });
    }
    // The next file dialog returns these Windows paths (several for a multi-select dialog).
    static void AnswerFileDialog(std::vector<CString> paths);
    static void CancelFileDialog();
    // The next folder picker returns this Windows folder; or is cancelled.
    static void AnswerFolderDialog(const CString& folder);
    static void CancelFolderDialog();
    // The next message box returns nResult (IDOK, IDYES, ...).
    static void AnswerMessageBox(int nResult);
    // The next message box really shows; once it is on the screen `answer` gets its window (to
    // look at its size and text) and returns the button id chosen (IDOK, IDYES, ...).
    using MessageBoxShownAnswer = std::function<int(QWidget* shownBox)>;
    static void AnswerMessageBoxShown(MessageBoxShownAnswer answer);
    // The next popup menu chooses nID (0: dismissed).
    static void AnswerMenu(UINT nID);
    // The next popup menu really shows; once it is on the screen `answer` gets its window (to
    // look at what it drew) and returns the id chosen (0: dismissed).
    using MenuShownAnswer = std::function<UINT(QWidget* shownMenu)>;
    static void AnswerMenuShown(MenuShownAnswer answer);
    // The next print dialog (CPrintDialog) gets this answer.
    static void AnswerPrintDialog(const PRINT_DIALOG_ANSWER& answer);
    // The next colour dialog (CMFCColorDialog) chooses this colour; or is cancelled.
    static void AnswerColourDialog(COLORREF colour);
    static void CancelColourDialog();

    static const std::vector<MODAL_RECORD>& Shown();
    // Answers prepared and not yet used.
    static size_t PendingAnswers();
    static void SetLoopTimeout(int milliseconds);

    // ---- For the layer's modal calls ----
    // Each returns false when the hook is off (show the real thing); otherwise it has looked
    // for an answer, and with none it has reported the failure and *found is false.
    static bool TakeDialogAnswer(CDialog* pDialog, UINT nIDTemplate, DialogAnswer* answer, bool* found);
    static bool TakeFileDialogAnswer(std::vector<CString>* paths, bool* found);
    // `folder` empty for a cancelled picker.
    static bool TakeFolderDialogAnswer(CString* folder, bool* found);
    // `shown`, when given, receives the AnswerMessageBoxShown answer (null for a plain one).
    static bool TakeMessageBoxAnswer(int* result, bool* found, MessageBoxShownAnswer* shown = nullptr);
    // `shown`, when given, receives the AnswerMenuShown answer (null for a plain one).
    static bool TakeMenuAnswer(UINT* nID, bool* found, MenuShownAnswer* shown = nullptr);
    static bool TakePrintDialogAnswer(PRINT_DIALOG_ANSWER* answer, bool* found);
    // Whether the hook is on and a print dialog answer waits.
    static bool HasPrintDialogAnswer();
    // `chosen` false for a cancelled dialog.
    static bool TakeColourDialogAnswer(COLORREF* colour, bool* chosen, bool* found);
    static void Record(const MODAL_RECORD& record);
    static void ReportFailure(const CString& message);
    static int LoopTimeout();

private:
    static void AddDialogAnswer(std::function<bool(CDialog*)> match, DialogAnswer answer);
};
