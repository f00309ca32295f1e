// Building DCB and COMMTIMEOUTS.
#include "prtbench/link/win/Dcb.h"

namespace prtbench {
namespace {
constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;
}  // namespace

DCB MakeDcb(const LineSettings& line) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  dcb.BaudRate = line.baudRate;
  dcb.ByteSize = line.byteSize;
  dcb.Parity = line.parity;
  dcb.StopBits = line.stopBits;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fOutxCtsFlow = line.ctsFlow ? 1 : 0;
  dcb.XonChar = kXon;
  dcb.XoffChar = kXoff;
  return dcb;
}

void ApplyLineChange(const LineChange& change, DCB& dcb) {
  if (change.baudRate) dcb.BaudRate = *change.baudRate;
  if (change.xonXoff) {
    dcb.XonChar = kXon;
    dcb.XoffChar = kXoff;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fOutX = *change.xonXoff ? 1 : 0;
    dcb.fInX = *change.xonXoff ? 1 : 0;
  }
}

COMMTIMEOUTS MakeCommTimeouts(const CommTimeouts& t) {
  return {t.readInterval, t.readMultiplier, t.readConstant, t.writeMultiplier, t.writeConstant};
}

}  // namespace prtbench
