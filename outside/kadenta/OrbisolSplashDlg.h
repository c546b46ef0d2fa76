// COrbisolSplashDlg: the solar observation program's modal opening window: the product's name,
// its version and a picture, drawn as the start-up window draws them, with OK to go on and
// Cancel to end the program.
#pragma once

#include "outside/kadenta/InitialisingSoftware.h"

enum
{
    IDD_KADENTA_ORBISOL_SPLASH = 29220
};

class COrbisolSplashDlg : public CInitialisingSoftware
{
public:
    explicit COrbisolSplashDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    // The picture the window shows: a low sun over the horizon, drawn once.
    static QImage MakePicture();
};
