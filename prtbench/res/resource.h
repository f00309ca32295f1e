// Resource ids of prtbench.
#pragma once

#define IDD_MAIN 102
