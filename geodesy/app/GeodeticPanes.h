// The outside libraries' panes and dialogs the Geodetic frame creates, each included when its
// library is linked into this build. A pane whose library is missing is left out of the frame
// and its command shows nothing.
#pragma once

#if defined(GEODETIC_WITH_COMMUNICATION)
#include "platform/communication/ComPortPane.h"
#include "platform/communication/UdpPortPane.h"
#define GEODETIC_PORT_PANES 1
#endif

#if defined(GEODETIC_WITH_GPS)
#include "platform/gps/DopPane.h"
#include "platform/gps/ElevationPane.h"
#include "platform/gps/LatLonHtPane.h"
#include "platform/gps/NoSatsPane.h"
#include "platform/gps/SNRPane.h"
#include "platform/gps/SatellitePane.h"
#define GEODETIC_GPS_PANES 1
#endif

#if defined(GEODETIC_WITH_ALPHA) && defined(GEODETIC_GPS_PANES)
#include "platform/alpha/LargeGpsPane.h"
#define GEODETIC_LARGE_GPS_PANE 1
#endif

#if defined(GEODETIC_WITH_TERRALIN)
#include "platform/terralin/DatumEditor.h"
#include "platform/terralin/DatumShiftPane.h"
#include "platform/terralin/GridToGeogPane.h"
#include "platform/terralin/ParameterTransformationPane.h"
#include "platform/terralin/ProjectionEditor.h"
#include "platform/terralin/SpheroidEditor.h"
#include "platform/terralin/RangeAndBearingPane.h"
#include "platform/terralin/TraversePane.h"
#define GEODETIC_GRID_TO_GEOG_PANE 1
#define GEODETIC_DATUM_SHIFT_PANE 1
#define GEODETIC_RANGE_BEARING_PANE 1
#define GEODETIC_TRAVERSE_PANE 1
#define GEODETIC_PARAMETER_PANE 1
#define GEODETIC_GEODESY_EDITORS 1
#endif

#if defined(GEODETIC_WITH_PANES_SETTINGS)
#include "platform/panes/settings/SettingsPane.h"
#define GEODETIC_SETTINGS_PANE 1
#endif

#if defined(GEODETIC_WITH_KADENTA)
#include "platform/kadenta/Kadenta.h"
#define GEODETIC_ABOUT_BOX 1
#endif

#if defined(GEODETIC_WITH_COMPANY)
#include "platform/company/Company.h"
#define GEODETIC_CONTACT_DETAILS 1
#endif

#if defined(GEODETIC_WITH_DEKLINO)
#include "platform/deklino/DeklinoDlg.h"
#include "platform/deklino/MagVarSplashDlg.h"
#define GEODETIC_MAGNETIC_VARIATION 1
#endif
