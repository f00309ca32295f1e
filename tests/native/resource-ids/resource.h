// Fixture of check-resource-ids: ids with one fault of each kind; c.h is left out.
#pragma once

#include "a.h"
#include "b.h"
