// CP80DIPSetting, CP58DipSetting and CDIPsetDialog: one switch dialog that
// differs in its groups, bits, key and the extra bits each printer has.
#include "prtbench/config/win/DipDialogs.h"

#include <span>
#include <vector>

#include "prtbench/app/win/Relabel.h"
#include "prtbench/config/Advanced.h"
#include "prtbench/config/Dip.h"
#include "prtbench/app/win/PostSend.h"
#include "prtbench/link/PrinterIni.h"
#include "prtbench/res/resource.h"
#include "winui/Dialog.h"

namespace prtbench {
namespace {

// First radio button of each two-button group, in the order of the bit tables.
constexpr int kP80Groups[] = {IDC_P80DIP_CUTTER_YES, IDC_P80DIP_BEEP_NO,    IDC_P80DIP_PAPER_58_YES,
                              IDC_P80DIP_CHINESE_YES, IDC_P80DIP_CPL_48,    IDC_P80DIP_DRAWER_NO};
constexpr int kP58Groups[] = {IDC_P58DIP_CUTTER_OFF, IDC_P58DIP_CUT_PARTIAL, IDC_P58DIP_DENSITY_LIGHT,
                              IDC_P58DIP_BEEPER_NO, IDC_P58DIP_DRAWER_NO};
constexpr int kP76EGroups[] = {IDC_P76EDIP_BLACK_MARK_OFF, IDC_P76EDIP_CUTTER_OFF,     IDC_P76EDIP_CUT_PARTIAL,
                               IDC_P76EDIP_ONE_WAY_OFF,    IDC_P76EDIP_DOUBLE_BYTE_ON, IDC_P76EDIP_PAPER_58_OFF};
static_assert(std::size(kP80Groups) == kP80SwitchBits.size());
static_assert(std::size(kP58Groups) == kP58SwitchBits.size());
static_assert(std::size(kP76EGroups) == kP76ESwitchBits.size());

constexpr Label kP76ELabels[] = {
    {IDC_P76EDIP_BLACK_MARK_GROUP, Msg::P76eBlackMarkGroup},   {IDC_P76EDIP_CUTTER_GROUP, Msg::P76eCutterGroup},
    {IDC_P76EDIP_CUT_MODE_GROUP, Msg::P76eCutModeGroup},       {IDC_P76EDIP_ONE_WAY_GROUP, Msg::P76eOneWayGroup},
    {IDC_P76EDIP_DOUBLE_BYTE_GROUP, Msg::P76eDoubleByteGroup}, {IDC_P76EDIP_PAPER_58_GROUP, Msg::P76ePaper58Group},
    {IDC_P76EDIP_CPL_GROUP, Msg::P76eCplGroup},                {IDC_P76EDIP_SET, Msg::P76eSet}};

// The dialogs' set buttons share one id.
static_assert(IDC_P80DIP_SET == IDC_P58DIP_SET && IDC_P58DIP_SET == IDC_P76EDIP_SET);
constexpr int kSet = IDC_P80DIP_SET;

class CSwitchDialog : public winui::Dialog {
 public:
  CSwitchDialog(int templateId, Context& context, const IntKey& key, std::span<const int> groups,
                std::span<const std::uint8_t> bits)
      : Dialog(templateId), context_(context), key_(key), groups_(groups), bits_(bits) {}

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;
  // The printer's bits beside its two-button switches, as the controls show them.
  virtual std::uint8_t ExtraBits() const { return 0; }
  // Shows the printer's own controls for the stored byte `b`.
  virtual void ShowExtras(std::uint8_t /*b*/) {}

  Context& context_;

 private:
  void OnSet();

  const IntKey& key_;
  std::span<const int> groups_;
  std::span<const std::uint8_t> bits_;
};

bool CSwitchDialog::OnInit() {
  UseLightBackground();
  AttachXPButton(kSet);
  const std::uint8_t stored = SwitchByteOf(Read(context_.settings(), key_));
  const std::vector<int> indices = SwitchIndices(bits_, stored);
  for (size_t i = 0; i < groups_.size(); ++i) SetRadioIndex(groups_[i], indices[i]);
  ShowExtras(stored);
  return true;
}

void CSwitchDialog::OnCommand(int id, int code) {
  if (id == kSet && code == BN_CLICKED) OnSet();
}

// Reads the switches as they show now (a list changed after the last click
// counts too), stores the byte, then sends it.
void CSwitchDialog::OnSet() {
  std::vector<int> indices;
  for (int first : groups_) indices.push_back(RadioIndex(first));
  const auto b = static_cast<std::uint8_t>(SwitchBits(bits_, indices) | ExtraBits());
  Write(context_.settings(), key_, StoredSwitchValue(b));
  PostSilently(context_, DipSwitchCommand(b));
}

class CP80DIPSetting : public CSwitchDialog {
 public:
  explicit CP80DIPSetting(Context& context)
      : CSwitchDialog(IDD_P80DIP, context, ini::kDip80, kP80Groups, kP80SwitchBits) {}

 protected:
  std::uint8_t ExtraBits() const override { return P80SpeedBits(ComboIndex(IDC_P80DIP_BAUD)); }
  // the speed list always opens on 115200, whatever the stored bits say
  void ShowExtras(std::uint8_t) override {
    for (auto text : kConfigBaudTexts) ComboAdd(IDC_P80DIP_BAUD, text);
    SetComboIndex(IDC_P80DIP_BAUD, kP80InitialBaudIndex);
  }
};

class CP58DipSetting : public CSwitchDialog {
 public:
  explicit CP58DipSetting(Context& context)
      : CSwitchDialog(IDD_P58DIP, context, ini::kDip58, kP58Groups, kP58SwitchBits) {}
};

class CDIPsetDialog : public CSwitchDialog {
 public:
  explicit CDIPsetDialog(Context& context)
      : CSwitchDialog(IDD_P76EDIP, context, ini::kDipP76E, kP76EGroups, kP76ESwitchBits) {}

 protected:
  std::uint8_t ExtraBits() const override {
    return P76ECplBits(RadioIndex(IDC_P76EDIP_CPL_40), RadioIndex(IDC_P76EDIP_PAPER_58_OFF) == 1);
  }
  void ShowExtras(std::uint8_t b) override {
    SetRadioIndex(IDC_P76EDIP_CPL_40, P76ECplIndex(b));
    Relabel(*this, kP76ELabels, context_.language());
  }
};

}  // namespace

void ShowP80DipDialog(HWND owner, Context& context) { CP80DIPSetting(context).DoModal(owner); }

void ShowP58DipDialog(HWND owner, Context& context) { CP58DipSetting(context).DoModal(owner); }

void ShowP76EDipDialog(HWND owner, Context& context) { CDIPsetDialog(context).DoModal(owner); }

}  // namespace prtbench
