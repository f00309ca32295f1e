// CBlackMark: setting buttons read the fields first; the tests and the
// detection switch use the values as last read.
#include "prtbench/config/win/BlackMarkDialog.h"

#include <optional>
#include <string>

#include "prtbench/app/win/PostSend.h"
#include "prtbench/config/Send.h"
#include "prtbench/link/PrinterIni.h"
#include "prtbench/res/resource.h"
#include "winui/Dialog.h"

namespace prtbench {
namespace {

constexpr int kButtons[] = {IDC_BLACKMARK_MAX_LENGTH_SET, IDC_BLACKMARK_WIDTH_LIMIT_SET, IDC_BLACKMARK_CUT_OFFSET_SET,
                            IDC_BLACKMARK_PRINT_OFFSET_SET, IDC_BLACKMARK_TICKET_TEST, IDC_BLACKMARK_PRINT_START_TEST,
                            IDC_BLACKMARK_CUT_TEST, IDC_BLACKMARK_OPEN, IDC_BLACKMARK_CLOSE};

class CBlackMark : public winui::Dialog {
 public:
  CBlackMark(Context& context, BlackMarkH& h, BlackMarkMode mode)
      : Dialog(IDD_BLACKMARK), context_(context), h_(h), mode_(mode) {}

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;

 private:
  void ReadFields();
  int TakeField(int id, int previous, std::optional<FieldRange> range, std::optional<std::string>& complaint);
  void OnMaxLength();
  void OnWidthLimit();
  void OnCutOffset();
  void OnPrintOffset();
  void OnDetection(bool on);

  Context& context_;
  BlackMarkH& h_;
  BlackMarkMode mode_;
  BlackMarkValues values_;
};

bool CBlackMark::OnInit() {
  UseLightBackground();
  for (int id : kButtons) AttachXPButton(id);
  SettingsStore& settings = context_.settings();
  values_.cutOffset = Read(settings, ini::kBlackMarkCut);
  values_.printOffset = Read(settings, ini::kBlackMarkPrintCut);
  values_.maxLength = Read(settings, ini::kBlackMarkMax);
  values_.widthLimit = Read(settings, ini::kBlackMarkWidth);
  SetInt(IDC_BLACKMARK_MAX_LENGTH, values_.maxLength);
  SetInt(IDC_BLACKMARK_WIDTH_LIMIT, values_.widthLimit);
  SetInt(IDC_BLACKMARK_CUT_OFFSET, values_.cutOffset);
  SetInt(IDC_BLACKMARK_PRINT_OFFSET, values_.printOffset);
  SetRadioIndex(IDC_BLACKMARK_DIRECTION_FEED, values_.direction);
  return true;
}

void CBlackMark::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_BLACKMARK_MAX_LENGTH_SET: OnMaxLength(); break;
    case IDC_BLACKMARK_WIDTH_LIMIT_SET: OnWidthLimit(); break;
    case IDC_BLACKMARK_CUT_OFFSET_SET: OnCutOffset(); break;
    case IDC_BLACKMARK_PRINT_OFFSET_SET: OnPrintOffset(); break;
    case IDC_BLACKMARK_TICKET_TEST: PostSilently(context_, InTurn(TicketTest(values_))); break;
    case IDC_BLACKMARK_PRINT_START_TEST: PostSilently(context_, InTurn(PrintStartTest(values_))); break;
    case IDC_BLACKMARK_CUT_TEST: PostSilently(context_, InTurn(CutTest(values_))); break;
    case IDC_BLACKMARK_OPEN: OnDetection(true); break;
    case IDC_BLACKMARK_CLOSE: OnDetection(false); break;
    default: break;
  }
}

// Takes every field; the first one that is no number or out of range is
// reported, and the button goes on with the values as read.
void CBlackMark::ReadFields() {
  std::optional<std::string> complaint;
  values_.maxLength = TakeField(IDC_BLACKMARK_MAX_LENGTH, values_.maxLength, kMaxLengthRange, complaint);
  values_.widthLimit = TakeField(IDC_BLACKMARK_WIDTH_LIMIT, values_.widthLimit, kWidthLimitRange, complaint);
  values_.cutOffset = TakeField(IDC_BLACKMARK_CUT_OFFSET, values_.cutOffset, kCutOffsetRange, complaint);
  values_.printOffset = TakeField(IDC_BLACKMARK_PRINT_OFFSET, values_.printOffset, std::nullopt, complaint);
  values_.direction = RadioIndex(IDC_BLACKMARK_DIRECTION_FEED) == 1 ? 1 : 0;
  if (complaint) context_.prompts().Message(hwnd(), *complaint);
}

int CBlackMark::TakeField(int id, int previous, std::optional<FieldRange> range,
                          std::optional<std::string>& complaint) {
  FieldReading reading = prtbench::ReadField(Int(id), previous, range, context_.language());
  if (!complaint) complaint = std::move(reading.complaint);
  return reading.value;
}

void CBlackMark::OnMaxLength() {
  ReadFields();
  Write(context_.settings(), ini::kBlackMarkMax, values_.maxLength);
  PostFrame(context_, MaxLengthCommand(values_.maxLength), Msg::ConfigSetSuccessful, Msg::ConfigSetFailed);
}

void CBlackMark::OnWidthLimit() {
  ReadFields();
  Write(context_.settings(), ini::kBlackMarkWidth, values_.widthLimit);
  h_.Set(WidthLimitH(values_.widthLimit));
  PostFrame(context_, WidthLimitCommand(values_.widthLimit), Msg::ConfigSetSuccessful, Msg::ConfigSetFailed);
}

void CBlackMark::OnCutOffset() {
  h_.Set(0);
  ReadFields();
  Write(context_.settings(), ini::kBlackMarkCut, values_.cutOffset);
  const std::uint16_t n = CutOffsetUnits(mode_, context_.link().Settings().printerType, values_);
  PostSilently(context_, CutPositionCommand(values_.direction, n));
  h_.Set(n);
}

void CBlackMark::OnPrintOffset() {
  ReadFields();
  Write(context_.settings(), ini::kBlackMarkPrintCut, values_.printOffset);
  const std::uint16_t n = PrintOffsetUnits(mode_, context_.link().Settings().printerType, values_);
  PostSilently(context_, PrintPositionCommand(values_.direction, n, h_.Get()));
}

void CBlackMark::OnDetection(bool on) {
  if (on) {
    PostFrame(context_, BlackMarkOnCommand(), Msg::BlackMarkOpened, Msg::BlackMarkOpenFailed);
  } else {
    PostFrame(context_, BlackMarkOffCommand(), Msg::BlackMarkClosed, Msg::BlackMarkCloseFailed);
  }
}

}  // namespace

void ShowBlackMarkDialog(HWND owner, Context& context, BlackMarkH& h, BlackMarkMode mode) {
  CBlackMark(context, h, mode).DoModal(owner);
}

}  // namespace prtbench
