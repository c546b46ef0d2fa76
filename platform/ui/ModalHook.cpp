#include "platform/ui/ModalHook.h"

#include <deque>
#include <utility>

namespace
{
struct PreparedDialog
{
    std::function<bool(CDialog*)> match; // null: by id
    UINT id = 0;
    ModalHook::DialogAnswer answer;
};

constexpr int kDefaultLoopTimeout = 5000;

struct HookState
{
    bool enabled = false;
    ModalHook::FailureReporter reporter;
    std::deque<PreparedDialog> dialogs;
    std::deque<std::pair<bool, std::vector<CString>>> files; // (chosen, paths)
    std::deque<CString> folders; // empty: cancelled
    std::deque<std::pair<int, ModalHook::MessageBoxShownAnswer>> boxes;
    std::deque<std::pair<UINT, ModalHook::MenuShownAnswer>> menus;
    std::deque<PRINT_DIALOG_ANSWER> prints;
    std::deque<std::pair<bool, COLORREF>> colours; // (chosen, colour)
    std::vector<MODAL_RECORD> shown;
    int loopTimeout = kDefaultLoopTimeout;
};

HookState& State()
{
    static HookState state;
    return state;
}
} // namespace

void ModalHook::Enable(FailureReporter onUnanswered)
{
    State().enabled = true;
    State().reporter = std::move(onUnanswered);
}

void ModalHook::Disable()
{
    State().enabled = false;
}

bool ModalHook::IsEnabled()
{
    return State().enabled;
}

void ModalHook::Reset()
{
    HookState& s = State();
    s.dialogs.clear();
    s.files.clear();
    s.folders.clear();
    s.boxes.clear();
    s.menus.clear();
    s.prints.clear();
    s.colours.clear();
    s.shown.clear();
    s.loopTimeout = kDefaultLoopTimeout;
}

void ModalHook::AnswerDialog(UINT nIDTemplate, DialogAnswer answer)
{
    State().dialogs.push_back(PreparedDialog{nullptr, nIDTemplate, std::move(answer)});
}

void ModalHook::AddDialogAnswer(std::function<bool(CDialog*)> match, DialogAnswer answer)
{
    State().dialogs.push_back(PreparedDialog{std::move(match), 0, std::move(answer)});
}

void ModalHook::AnswerFileDialog(std::vector<CString> paths)
{
    State().files.emplace_back(true, std::move(paths));
}

void ModalHook::CancelFileDialog()
{
    State().files.emplace_back(false, std::vector<CString>());
}

void ModalHook::AnswerFolderDialog(const CString& folder)
{
    State().folders.push_back(folder);
}

void ModalHook::CancelFolderDialog()
{
    State().folders.push_back(CString());
}

void ModalHook::AnswerColourDialog(COLORREF colour)
{
    State().colours.emplace_back(true, colour);
}

void ModalHook::CancelColourDialog()
{
    State().colours.emplace_back(false, COLORREF(0));
}

bool ModalHook::TakeColourDialogAnswer(COLORREF* colour, bool* chosen, bool* found)
{
    HookState& s = State();
    if (!s.enabled)
        return false;
    *found = !s.colours.empty();
    *chosen = false;
    if (!*found)
    {
        ReportFailure("A colour dialog was shown with no answer prepared");
        return true;
    }
    *chosen = s.colours.front().first;
    if (*chosen)
        *colour = s.colours.front().second;
    s.colours.pop_front();
    return true;
}

void ModalHook::AnswerMessageBox(int nResult)
{
    State().boxes.emplace_back(nResult, MessageBoxShownAnswer());
}

void ModalHook::AnswerMenu(UINT nID)
{
    State().menus.emplace_back(nID, MenuShownAnswer());
}

void ModalHook::AnswerMessageBoxShown(MessageBoxShownAnswer answer)
{
    State().boxes.emplace_back(IDCANCEL, std::move(answer));
}

void ModalHook::AnswerMenuShown(MenuShownAnswer answer)
{
    State().menus.emplace_back(0, std::move(answer));
}

void ModalHook::AnswerPrintDialog(const PRINT_DIALOG_ANSWER& answer)
{
    State().prints.push_back(answer);
}

const std::vector<MODAL_RECORD>& ModalHook::Shown()
{
    return State().shown;
}

size_t ModalHook::PendingAnswers()
{
    const HookState& s = State();
    return s.dialogs.size() + s.files.size() + s.folders.size() + s.boxes.size() + s.menus.size() +
           s.prints.size() + s.colours.size();
}

void ModalHook::SetLoopTimeout(int milliseconds)
{
    State().loopTimeout = milliseconds > 0 ? milliseconds : kDefaultLoopTimeout;
}

int ModalHook::LoopTimeout()
{
    return State().loopTimeout;
}

bool ModalHook::TakeDialogAnswer(CDialog* pDialog, UINT nIDTemplate, DialogAnswer* answer, bool* found)
{
    HookState& s = State();
    if (!s.enabled)
        return false;
    *found = false;
    for (auto it = s.dialogs.begin(); it != s.dialogs.end(); ++it)
    {
        const bool fits = it->match ? it->match(pDialog) : it->id == nIDTemplate;
        if (!fits)
            continue;
        *answer = std::move(it->answer);
        s.dialogs.erase(it);
        *found = true;
        return true;
    }
    CString message;
    message.Format("A modal dialog (template %u) was shown with no answer prepared", nIDTemplate);
    ReportFailure(message);
    return true;
}

bool ModalHook::TakeFileDialogAnswer(std::vector<CString>* paths, bool* found)
{
    HookState& s = State();
    if (!s.enabled)
        return false;
    *found = !s.files.empty();
    if (!*found)
    {
        ReportFailure("A file dialog was shown with no answer prepared");
        paths->clear();
        return true;
    }
    auto answer = std::move(s.files.front());
    s.files.pop_front();
    *paths = answer.first ? std::move(answer.second) : std::vector<CString>();
    return true;
}

bool ModalHook::TakeFolderDialogAnswer(CString* folder, bool* found)
{
    HookState& s = State();
    if (!s.enabled)
        return false;
    *found = !s.folders.empty();
    folder->Empty();
    if (!*found)
    {
        ReportFailure("A folder picker was shown with no answer prepared");
        return true;
    }
    *folder = s.folders.front();
    s.folders.pop_front();
    return true;
}

bool ModalHook::TakeMessageBoxAnswer(int* result, bool* found, MessageBoxShownAnswer* shown)
{
    HookState& s = State();
    if (!s.enabled)
        return false;
    *found = !s.boxes.empty();
    if (!*found)
    {
        *result = IDCANCEL;
        return true;
    }
    *result = s.boxes.front().first;
    if (shown)
        *shown = s.boxes.front().second;
    s.boxes.pop_front();
    return true;
}

bool ModalHook::TakeMenuAnswer(UINT* nID, bool* found, MenuShownAnswer* shown)
{
    HookState& s = State();
    if (!s.enabled)
        return false;
    *found = !s.menus.empty();
    if (!*found)
    {
        ReportFailure("A popup menu was shown with no answer prepared");
        *nID = 0;
        return true;
    }
    *nID = s.menus.front().first;
    if (shown)
        *shown = s.menus.front().second;
    s.menus.pop_front();
    return true;
}

bool ModalHook::HasPrintDialogAnswer()
{
    const HookState& s = State();
    return s.enabled && !s.prints.empty();
}

bool ModalHook::TakePrintDialogAnswer(PRINT_DIALOG_ANSWER* answer, bool* found)
{
    HookState& s = State();
    if (!s.enabled)
        return false;
    *found = !s.prints.empty();
    if (!*found)
    {
        ReportFailure("A print dialog was shown with no answer prepared");
        *answer = PRINT_DIALOG_ANSWER();
        answer->ok = false;
        return true;
    }
    *answer = s.prints.front();
    s.prints.pop_front();
    return true;
}

void ModalHook::Record(const MODAL_RECORD& record)
{
    State().shown.push_back(record);
}

void ModalHook::ReportFailure(const CString& message)
{
    if (State().reporter)
        State().reporter(message);
}
