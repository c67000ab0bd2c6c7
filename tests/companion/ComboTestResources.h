// Identifiers of the drop-down tests' resources.
#pragma once

#define IDB_TEST_COMBOFACE  320   // ComboFace.bmp: two 16 x 15 face images
#define IDB_TEST_COMBOCELLS 321   // ComboCells.bmp: three 20 x 12 cells
#define IDC_TEST_COMBO      330
