#include "prtbench/console/win/MainSending.h"

#include "prtbench/console/Commands.h"
#include "prtbench/console/PortChoices.h"
#include "prtbench/res/resource.h"

namespace prtbench {
namespace {

constexpr int kPrintCodePage = 860;

}  // namespace

void MainSending::OnPrint() {
  // the Print key obeys the button: no Print while automatic sending runs
  if (!window_.dialog().IsEnabled(IDC_MAIN_PRINT) || !window_.ReadWindow(true)) return;
  if (firstPrint_) {
    window_.EnforceCaption();
    firstPrint_ = false;
  }
  const bool cts = CtsFlowForIndex(window_.dialog().ComboIndex(IDC_MAIN_FLOW));
  window_.Post([&link = window_.context().link(), cts](const SendQueue::Cancelled&) {
    link.UpdateSettings([&](ConnectionSettings& s) { s.ctsFlow = cts; });
  });
  SendContent(window_.fields().content);
}

void MainSending::SendContent(const std::string& text) {
  const MainFields& f = window_.fields();
  ContentBytes content = PrintContent(text, f.hex);
  if (content.error != ContentError::None) return ShowContentError(content.error);
  PrinterLink& link = window_.context().link();
  link.UpdateSettings([](ConnectionSettings& s) { s.codePage = kPrintCodePage; });
  if (f.portRadio == kPortLpt || f.portRadio == kPortCom) ports_.StartIdleClose();
  const PrintSwitches switches{f.repetitions, f.numbering, f.timeStamp, f.dateText};
  window_.Post([&link, &status = window_.context().status(), bytes = std::move(content.bytes),
                switches](const SendQueue::Cancelled& cancelled) {
    for (int number = 1; number <= switches.repetitions; ++number) {
      // a failed send does not end the print; closing the window does
      for (const Bytes& buffer : RepetitionBuffers(bytes, switches, number)) {
        if (cancelled()) return;
        link.SendData(buffer);
      }
      status.ShowCurrent();
    }
  });
}

void MainSending::ShowContentError(ContentError error) {
  const Msg message = error == ContentError::Empty ? Msg::InputEmpty : Msg::HexInputError;
  window_.prompts().Message(window_.hwnd(), window_.Text(message), winui::MessageIcon::Information);
}

void MainSending::OnHexToggle() {
  window_.ReadWindow(false);
  MainFields& f = window_.fields();
  if (f.content.empty()) return;
  if (f.hex) {
    hexEntry_ = {f.content, HexView(f.content)};
    f.content = hexEntry_.dump;
  } else {
    const TextView text = TextFromHexView(f.content, hexEntry_);
    if (!text.ok) return ShowContentError(ContentError::BadHex);
    f.content = text.text;
  }
  window_.ShowValues();
}

void MainSending::OnAutoSend() {
  winui::Dialog& d = window_.dialog();
  MainFields& f = window_.fields();
  // switching off always stops the run, whatever the number fields hold
  if (!d.Checked(IDC_MAIN_AUTO_SEND)) {
    f.autoSend = false;
    d.Enable(IDC_MAIN_PRINT, true);
    pendingAutoSend_.reset();
    autoSender_.Stop();
    return;
  }
  if (!window_.ReadWindow(true)) {
    d.SetChecked(IDC_MAIN_AUTO_SEND, false);  // the click is undone
    f.autoSend = false;
    return;
  }
  d.Enable(IDC_MAIN_PRINT, false);
  ContentBytes content = AutoSendContent(f.content, f.hex, cutPaperSwitch_, cutMode_);
  if (content.error != ContentError::None) return ShowContentError(content.error);
  const bool cts = CtsFlowForIndex(d.ComboIndex(IDC_MAIN_FLOW));
  window_.context().link().UpdateSettings([&](ConnectionSettings& s) { s.ctsFlow = cts; });
  StartAutoSend(std::move(content.bytes), f.periodMs);
}

void MainSending::StartAutoSend(Bytes buffer, unsigned periodMs) {
  // the previous run is still ending: this one starts when it has
  if (autoSender_.Running()) {
    pendingAutoSend_ = std::make_unique<PendingAutoSend>(PendingAutoSend{std::move(buffer), periodMs});
    return;
  }
  window_.RememberPrinterIp();
  PrinterLink& link = window_.context().link();
  StatusLine& status = window_.context().status();
  auto send = [&link](const Bytes& bytes) { return link.SendData(bytes) == 1; };
  auto sent = [this, &status](int count) {
    const std::string total = std::to_string(status.TotalBytes());
    status.Show(Fill(window_.Text(Msg::AutoSendCount), {std::to_string(count), total}));
  };
  auto ended = [this, &status, window = window_.dialog().windowLink()] {
    status.SetText(window_.Text(Msg::AutoSendEnded) + status.Text());
    window->Call([this] { OnAutoSendEnded(); });
  };
  autoSender_.Start(std::move(buffer), periodMs, send, sent, ended);
}

void MainSending::OnAutoSendEnded() {
  window_.SetStatusLine(window_.context().status().Text());
  if (!pendingAutoSend_ || autoSender_.Running()) return;
  std::unique_ptr<PendingAutoSend> next = std::move(pendingAutoSend_);
  StartAutoSend(std::move(next->buffer), next->periodMs);
}

void MainSending::OnCutPaperSwitch() { cutPaperSwitch_ = window_.dialog().Checked(IDC_MAIN_CUT_PAPER_SWITCH); }

void MainSending::OnCutPaper() {
  window_.Post([&link = window_.context().link()](const SendQueue::Cancelled&) { link.SendData(CutPaperCommand()); });
}

void MainSending::OnCashDrawer() {
  window_.Post([this](const SendQueue::Cancelled&) {
    const bool opened = window_.context().link().SendData(CashDrawerCommand()) == 1;
    window_.context().status().Show(window_.Text(opened ? Msg::DrawerOpened : Msg::DrawerFailed));
  });
}

void MainSending::OnSelfTest() {
  if (!window_.ReadWindow(true)) return;
  window_.Post([&link = window_.context().link()](const SendQueue::Cancelled&) { link.SendData(SelfTestCommand()); });
}

void MainSending::OnClear() {
  // what the user typed elsewhere survives: the window is read before it is shown
  window_.ReadWindow(false);
  window_.fields().content.clear();
  window_.context().status().ResetTotalBytes();
  window_.ShowValues();
}

void MainSending::OnRepetitionsStep(int delta) {
  if (!window_.ReadWindow(true)) return;
  window_.fields().repetitions = StepRepetitions(window_.fields().repetitions, delta);
  window_.ShowValues();
}

}  // namespace prtbench
