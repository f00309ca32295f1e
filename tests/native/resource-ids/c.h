// Fixture: a header that resource.h does not include, with a control but no dialog.
#pragma once

#define IDS_TITLE 101
#define IDC_C_LOOSE 1
