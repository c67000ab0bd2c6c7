// Identifiers of the framework tests' frame resources and commands.
#pragma once

#define IDR_TEST_FRAME      300
#define IDS_TEST_INDICATOR  301
#define IDS_TEST_MISSING    399   // no such string
#define ID_TEST_VIEWS       401   // handled by the view (and by the frame, which must not see it)
#define ID_TEST_FRAMES      402   // handled by the frame only
#define ID_TEST_NOBODYS     403   // handled by nobody
