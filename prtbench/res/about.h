// The About box "About Printer": the program icon, the version text and OK; its controls need no ids.
#pragma once

// no number is fixed for the About box; 100 is free program-wide
#define IDD_ABOUT 100
