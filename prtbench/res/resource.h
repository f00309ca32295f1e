// Resource ids of prtbench: one header per dialog, beside the program-wide ids of program.h.
#pragma once

#include "program.h"

// Test console
#include "main.h"
#include "about.h"

// Printer link
#include "comset.h"

// Image and code printing
#include "raster.h"
#include "logo.h"
#include "multilogo.h"
#include "nvlogo.h"
#include "qr.h"

// Printer configuration
#include "advanced.h"
#include "p80dip.h"
#include "p58dip.h"
#include "p76edip.h"
#include "blackmark.h"
#include "savepaper.h"
#include "bluetooth.h"

// Network tools
#include "netsetting.h"
#include "autoip.h"
#include "netmonitor.h"
