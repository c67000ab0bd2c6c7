// Identifiers of the framework tests' dialog template.
#pragma once

#define IDD_TEST_NUMBER 100
#define IDC_TEST_NUMBER 1001
#define IDC_TEST_CHECK  1002
#define IDC_TEST_COMBO  1003
#define IDC_TEST_NAME   1004
