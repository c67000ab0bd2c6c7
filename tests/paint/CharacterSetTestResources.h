// Strings of the character-set tests: a tooltip longer than a tooltip request's buffer, and
// texts with characters outside the ANSI code pages of Western systems.
#pragma once

#define IDS_TEST_LONG_TIP 310
#define IDS_TEST_WORLD_TIP 311
#define IDS_TEST_WORLD_STATUS 312
