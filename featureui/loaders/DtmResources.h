// Dialog templates and control ids of the terrain model's progress dialogs.
#pragma once

#define IDD_IMPORT_DTM 12062
#define IDD_DTM_DEPTHS 12063
#define IDD_LOAD_DTM 12064

#define IDC_DTM_STATUS 32241
#define IDC_DTM_LOAD_PROGRESS 12061
#define IDC_DTM_PROGRESS 12099

#define IDC_DTM_MIN_ENG 22758
#define IDC_DTM_MIN_NNG 22759
#define IDC_DTM_MAX_ENG 22760
#define IDC_DTM_MAX_NNG 22761
#define IDC_DTM_STEP_E 12101
#define IDC_DTM_STEP_N 12102
#define IDC_DTM_DE 12103
#define IDC_DTM_DN 12104
#define IDC_DTM_MAX_X 32347
#define IDC_DTM_MAX_Y 32348
#define IDC_DTM_MIN_DEPTH 12106
#define IDC_DTM_MAX_DEPTH 12108

#define IDC_DTM_X 12105
#define IDC_DTM_Y 12107
#define IDC_DTM_DEPTH 12109

// Registers the three templates (once; later calls do nothing).
void RegisterDtmTemplates();
