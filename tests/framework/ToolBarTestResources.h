// Identifiers of the tool bar tests' resources and commands.
#pragma once

#define IDB_TEST_TOOLBAR   310   // ToolBarTest.bmp: three 16 x 15 images
#define ID_TEST_FRAMECMD   411   // handled (command and update) by the frame
#define ID_TEST_CHECKED    412   // checked by the frame's update handler
#define ID_TEST_ORPHAN     413   // handled by nobody
#define ID_TEST_BARCMD     414   // handled (command and update) by the bar's own map
#define ID_TEST_CHILD      415   // a push button inside the bar
