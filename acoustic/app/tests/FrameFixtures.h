// The Acoustic frame in a test, made as the document template makes it and closed again after
// the test; and, for the tests of the network panes, a frame that logs the station and redraw
// messages posted to it, with only the panes a test works in shown.
#pragma once

#include "acoustic/app/AcousticApp.h"
#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/MainFrame.h"
#include "foundation/WindowMessages.h"
#include "foundation/XYArray.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"

#include <QDockWidget>
#include <QMainWindow>
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

// Owns the frame of a test of the kind Frame: closed, its exit question answered, at the end.
template <class Frame> class AcousticFrameFixture : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (m_pFrame && ::IsWindow(m_hFrame))
        {
            ModalHook::AnswerMessageBox(IDYES);
            m_pFrame->SendMessage(WM_CLOSE);
            PumpFor(50);
        }
    }

    // `frame` made without the document template (as the template makes it, but without a
    // view), shown; null when it could not be made.
    Frame* MakeFrame(Frame* frame)
    {
        m_App.SetRegistryKey("Velmaro Technology Limited");
        RegisterAcousticResources();
        if (!frame->LoadFrame(IDR_ACOUSTIC_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr))
            return nullptr;
        m_pFrame = frame;
        m_hFrame = frame->GetSafeHwnd();
        frame->ShowWindow(SW_SHOW);
        PumpFor(50);
        return frame;
    }

    CAcousticApp m_App;
    Frame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
};

class CRecordingMainFrame : public CMainFrame
{
public:
    struct Posted
    {
        UINT message;
        bool withPosition;
        double e, n;
    };
    std::vector<Posted> m_Posted;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == UM_UPDATE_STATION || message == UM_REDRAW_VECTOR_DISPLAY)
        {
            const auto* at = reinterpret_cast<const tagXY*>(wParam);
            m_Posted.push_back({message, at != nullptr, at ? at->x : 0.0, at ? at->y : 0.0});
        }
        return CMainFrame::WindowProc(message, wParam, lParam);
    }
};

class NetworkFrameTest : public AcousticFrameFixture<CRecordingMainFrame>
{
protected:
    using AcousticFrameFixture::MakeFrame;

    // The frame made, its panes hidden but those of `shownIds`, which are shown and in front,
    // and the log of posts emptied.
    void MakeFrame(std::initializer_list<UINT> shownIds)
    {
        ASSERT_NE(MakeFrame(new CRecordingMainFrame), nullptr);
        m_pFrame->GetMainWindow()->resize(1400, 900);
        for (CDockablePane* pane : m_pFrame->GetPanes())
            if (pane->GetSafeHwnd() != nullptr &&
                std::find(shownIds.begin(), shownIds.end(), static_cast<UINT>(pane->GetDlgCtrlID())) ==
                    shownIds.end())
                pane->ShowPane(FALSE, FALSE, FALSE);
        for (UINT id : shownIds)
        {
            CDockablePane* pane = m_pFrame->GetPaneOfId(id);
            ASSERT_NE(pane, nullptr) << id;
            pane->ShowPane(TRUE, FALSE, TRUE);
            pane->GetDockWidget()->raise();
        }
        PumpFor(50);
        m_pFrame->m_Posted.clear();
    }

    std::vector<UINT> PostedMessages() const
    {
        std::vector<UINT> messages;
        for (const CRecordingMainFrame::Posted& p : m_pFrame->m_Posted)
            messages.push_back(p.message);
        return messages;
    }
};
