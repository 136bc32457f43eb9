// Resource ids of the framework tests' own template and strings.
#pragma once

#define IDD_FRAMEWORK_TEST 200
#define IDS_TEST_GREETING 201
#define IDS_TEST_UMLAUT 202
#define IDC_TEST_PORT 2000
#define IDC_TEST_LIST 2002
#define IDC_TEST_BUTTON 2003
