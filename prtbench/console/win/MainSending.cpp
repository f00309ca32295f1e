// The main window's sending: Print, the HEX view, automatic sending, the
// fixed test commands, Clear and the repetitions arrows. Checks and message
// boxes happen at once; the bytes go out on the send queue, in order.
#include "prtbench/console/Commands.h"
#include "prtbench/console/PortChoices.h"
#include "prtbench/console/win/MainDialog.h"
#include "prtbench/res/resource.h"

namespace prtbench {
namespace {


constexpr int kPrintCodePage = 860;

}  // namespace

void CKALDRODlg::OnPrint() {
  // the Print key obeys the button: no Print while automatic sending runs
  if (!IsEnabled(IDC_MAIN_PRINT) || !ReadWindow()) return;
  if (firstPrint_) {
    EnforceCaption();
    firstPrint_ = false;
  }
  const bool cts = CtsFlowForIndex(ComboIndex(IDC_MAIN_FLOW));
  Post([this, cts](const SendQueue::Cancelled&) {
    link_.UpdateSettings([&](ConnectionSettings& s) { s.ctsFlow = cts; });
  });
  SendContent(content_);
}

void CKALDRODlg::SendContent(const std::string& text) {
  ContentBytes content = PrintContent(text, hex_);
  if (content.error != ContentError::None) return ShowContentError(content.error);
  link_.UpdateSettings([](ConnectionSettings& s) { s.codePage = kPrintCodePage; });
  if (portRadio_ == kPortLpt || portRadio_ == kPortCom) StartIdleClose();
  const PrintSwitches switches{repetitions_, numbering_, timeStamp_, dateText_};
  Post([this, bytes = std::move(content.bytes), switches](const SendQueue::Cancelled& cancelled) {
    for (int number = 1; number <= switches.repetitions; ++number) {
      // a failed send does not end the print; closing the window does
      for (const Bytes& buffer : RepetitionBuffers(bytes, switches, number)) {
        if (cancelled()) return;
        link_.SendData(buffer);
      }
      status_.ShowCurrent();
    }
  });
}

void CKALDRODlg::ShowContentError(ContentError error) {
  const Msg message = error == ContentError::Empty ? Msg::InputEmpty : Msg::HexInputError;
  prompts_.Message(hwnd(), Text(message), winui::MessageIcon::Information);
}

void CKALDRODlg::OnHexToggle() {
  ReadWindow(false);
  if (content_.empty()) return;
  if (hex_) {
    hexEntry_ = {content_, HexView(content_)};
    content_ = hexEntry_.dump;
  } else {
    const TextView text = TextFromHexView(content_, hexEntry_);
    if (!text.ok) return ShowContentError(ContentError::BadHex);
    content_ = text.text;
  }
  ShowValues();
}

void CKALDRODlg::OnAutoSend() {
  // switching off always stops the run, whatever the number fields hold
  if (!Checked(IDC_MAIN_AUTO_SEND)) {
    autoSend_ = false;
    Enable(IDC_MAIN_PRINT, true);
    pendingAutoSend_.reset();
    autoSender_.Stop();
    return;
  }
  if (!ReadWindow()) {
    SetChecked(IDC_MAIN_AUTO_SEND, false);  // the click is undone
    autoSend_ = false;
    return;
  }
  Enable(IDC_MAIN_PRINT, false);
  ContentBytes content = AutoSendContent(content_, hex_, cutPaperSwitch_, cutMode_);
  if (content.error != ContentError::None) return ShowContentError(content.error);
  const bool cts = CtsFlowForIndex(ComboIndex(IDC_MAIN_FLOW));
  link_.UpdateSettings([&](ConnectionSettings& s) { s.ctsFlow = cts; });
  StartAutoSend(std::move(content.bytes), periodMs_);
}

void CKALDRODlg::StartAutoSend(Bytes buffer, unsigned periodMs) {
  // the previous run is still ending: this one starts when it has
  if (autoSender_.Running()) {
    pendingAutoSend_ = std::make_unique<PendingAutoSend>(PendingAutoSend{std::move(buffer), periodMs});
    return;
  }
  RememberPrinterIp();
  auto send = [this](const Bytes& bytes) { return link_.SendData(bytes) == 1; };
  auto sent = [this](int count) {
    const std::string total = std::to_string(status_.TotalBytes());
    status_.Show(Fill(Text(Msg::AutoSendCount), {std::to_string(count), total}));
  };
  auto ended = [this, window = windowLink()] {
    status_.SetText(Text(Msg::AutoSendEnded) + status_.Text());
    window->Call([this] { OnAutoSendEnded(); });
  };
  autoSender_.Start(std::move(buffer), periodMs, send, sent, ended);
}

void CKALDRODlg::OnAutoSendEnded() {
  SetStatusLine(status_.Text());
  if (!pendingAutoSend_ || autoSender_.Running()) return;
  std::unique_ptr<PendingAutoSend> next = std::move(pendingAutoSend_);
  StartAutoSend(std::move(next->buffer), next->periodMs);
}

void CKALDRODlg::OnCutPaperSwitch() { cutPaperSwitch_ = Checked(IDC_MAIN_CUT_PAPER_SWITCH); }

void CKALDRODlg::OnCutPaper() {
  Post([this](const SendQueue::Cancelled&) { link_.SendData(CutPaperCommand()); });
}

void CKALDRODlg::OnCashDrawer() {
  Post([this](const SendQueue::Cancelled&) {
    const bool opened = link_.SendData(CashDrawerCommand()) == 1;
    status_.Show(Text(opened ? Msg::DrawerOpened : Msg::DrawerFailed));
  });
}

void CKALDRODlg::OnSelfTest() {
  if (!ReadWindow()) return;
  Post([this](const SendQueue::Cancelled&) { link_.SendData(SelfTestCommand()); });
}

void CKALDRODlg::OnClear() {
  // what the user typed elsewhere survives: the window is read before it is shown
  ReadWindow(false);
  content_.clear();
  status_.ResetTotalBytes();
  ShowValues();
}

void CKALDRODlg::OnRepetitionsStep(int delta) {
  if (!ReadWindow()) return;
  repetitions_ = StepRepetitions(repetitions_, delta);
  ShowValues();
}

}  // namespace prtbench
