// Control ids of the main dialog, grouped by what the controls are for; the
// template (pikurio.rc) gives their order on screen and in tabbing. Shared by
// the program and the end-to-end tests.
#ifndef PIKURIO_RESOURCE_H
#define PIKURIO_RESOURCE_H

// Commands
#define IDC_PICK        1100
#define IDC_VERSION     1103
#define IDC_COPY        1104

// Target slot
#define IDC_TARGET      1030

// Colour channels: hex edit, decimal label, up-down and slider at +0 .. +3
#define IDC_R_HEX       1001
#define IDC_R_DEC       1002
#define IDC_R_SPIN      1003
#define IDC_R_SLIDER    1004
#define IDC_G_HEX       1011
#define IDC_G_DEC       1012
#define IDC_G_SPIN      1013
#define IDC_G_SLIDER    1014
#define IDC_B_HEX       1021
#define IDC_B_DEC       1022
#define IDC_B_SPIN      1023
#define IDC_B_SLIDER    1024

// Sample texts and their sizes
#define IDC_TEXT1       1031
#define IDC_TEXT2       1032
#define IDC_TEXT3       1033
#define IDC_SIZE1       1041
#define IDC_SIZE2       1042
#define IDC_SIZE3       1043

// Preview, colour code and swatch
#define IDC_PREVIEW     1101
#define IDC_CODE        1102
#define IDC_SWATCH      1105

// The preview's menu, a range of command ids per kind of item. A colour that
// brings text k up to a level is IDM_PASSING_FIRST + 2 k + level (0 AAA, 1 AA).
#define IDM_PASSING_FIRST      1200
#define IDM_PASSING_COUNT      6
#define IDM_COPY_RESULTS       1210
// The colour-vision views, in ColorVisionView's order.
#define IDM_VIEW_FIRST         1220

// Offsets of a channel's controls from its hex edit
#define CHANNEL_HEX_OFFSET     0
#define CHANNEL_DEC_OFFSET     1
#define CHANNEL_SPIN_OFFSET    2
#define CHANNEL_SLIDER_OFFSET  3

#endif
