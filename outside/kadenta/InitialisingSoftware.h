// CInitialisingSoftware: the small window a program shows while it starts up or closes down:
// the program's name and version text over a picture, with one message line that the program
// changes step by step. The program creates it, feeds it messages and destroys it.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Font.h"

#include <QImage>

#include <vector>

enum
{
    IDD_KADENTA_INITIALISING = 29210,
    IDC_KADENTA_INIT_PROGRAM = 29211,
    IDC_KADENTA_INIT_VERSION = 29212,
    IDC_KADENTA_INIT_MESSAGE = 29213
};

class CInitialisingSoftware : public CDialog
{
public:
    CInitialisingSoftware();
    ~CInitialisingSoftware() override;

    // Makes and shows the window over `pParent` with "Version <version>". FALSE when the window
    // could not be made.
    BOOL Create(CWnd* pParent, const char* version);
    using CDialog::Create;

    // The picture shown between the version and the message (drawn at its own size, centred).
    void SetImage(const QImage& image);
    // The message line, drawn at once.
    void SetMessage(const char* text);
    CString GetMessage() const { return m_Message; }
    CString GetVersion() const { return m_Version; }

    // Every message any splash window of the process showed, in order, for whoever checks a
    // start-up; ClearHistory empties it.
    static const std::vector<CString>& History();
    static void ClearHistory();

    BOOL OnInitDialog() override;

protected:
    // For windows that show the same title, version and picture in a template of their own
    // (with the three items of this one).
    void SetVersion(const char* version) { m_Version = version ? version : ""; }
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CRect PictureRect() const;

    CString m_Version;
    CString m_Message;
    QImage m_Image;
    CFont m_TitleFont;
};
