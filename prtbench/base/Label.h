// A control and the message it shows: a dialog's texts in both languages as
// one table of these.
#pragma once

#include "prtbench/base/Messages.h"

namespace prtbench {

struct Label {
  int id;
  Msg text;
};

}  // namespace prtbench
