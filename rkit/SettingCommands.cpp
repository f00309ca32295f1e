// The commands that change the printer: configuration frames and firmware.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <ostream>

#include "fwflash/FirmwareFile.h"
#include "fwflash/Upgrade.h"
#include "prtbench/base/Messages.h"
#include "prtbench/base/CodePage.h"
#include "prtbench/config/Advanced.h"
#include "prtbench/config/BlackMark.h"
#include "prtbench/config/Bluetooth.h"
#include "prtbench/config/Dip.h"
#include "prtbench/config/SavePaper.h"
#include "prtbench/nettools/NetSettingFrames.h"
#include "rkit/CommandTable.h"
#include "rkit/ExitCodes.h"

namespace rkit {
namespace {

using namespace prtbench;

template <size_t N>
std::optional<int> IndexIn(const std::array<std::string_view, N>& texts, const std::string& text) {
  const auto found = std::find(texts.begin(), texts.end(), text);
  if (found == texts.end()) return std::nullopt;
  return static_cast<int>(found - texts.begin());
}

std::optional<bool> OnOff(const std::string& text) {
  if (text == "on") return true;
  if (text == "off") return false;
  return std::nullopt;
}

using Words = std::vector<std::string>;
using Options = std::map<std::string, std::string>;

// What a setting's words give: its sends in order, or the bench tool's text
// for a value that cannot go; neither when the words are wrong.
struct SettingSends {
  std::vector<Bytes> sends;
  std::optional<Msg> refusal;
};

// One setting of config: its values as words, the config options it takes,
// and its sends.
struct Setting {
  const char* name;
  const char* values;
  size_t minWords;
  size_t maxWords;
  std::vector<std::string> options;
  std::function<SettingSends(const Words&, const Options&)> frame;
};

SettingSends Maybe(bool ok, const std::function<Bytes()>& build) {
  return ok ? SettingSends{{build()}, std::nullopt} : SettingSends{};
}

SettingSends Addresses(const Words& w, const std::function<Bytes(Ipv4)>& build) {
  const auto ip = ParseIpv4(w[0]);
  return Maybe(ip.has_value(), [&] { return build(*ip); });
}

std::string OptionOr(const Options& o, const std::string& name, const std::string& otherwise) {
  const auto found = o.find(name);
  return found == o.end() ? otherwise : found->second;
}

// The options of the black mark position settings.
const std::vector<std::string> kBlackMarkOptions = {"--mode", "--printer-type", "--max-length", "--direction"};

// The black mark position commands' choices, each said on the command line
// rather than guessed: the standard mode's offsets depend on the printer
// type; the alternative mode (the 76 mm printer's offsets from a fixed
// reference) needs the longest paper for a cut offset over 45 mm, and so
// always asks for it with a cut. The bench tool's H is 0 until its run sets a
// width or cut, as it is for rkit's one send.
struct BlackMarkChoice {
  BlackMarkMode mode;
  int printerType;
  int direction;
  BlackMarkValues values;
};

std::optional<BlackMarkChoice> BlackMarkOptions(const Options& o, bool cut) {
  constexpr std::array<std::string_view, 2> kModes{"standard", "alternative"};
  constexpr std::array<std::string_view, 3> kPrinterTypes{"pos58", "pos76", "rx8"};
  constexpr std::array<std::string_view, 2> kDirections{"feed", "reverse"};
  const auto mode = IndexIn(kModes, OptionOr(o, "--mode", "standard"));
  const auto direction = IndexIn(kDirections, OptionOr(o, "--direction", "feed"));
  const auto printerType = IndexIn(kPrinterTypes, OptionOr(o, "--printer-type", ""));
  const auto maxLength = ParseNumber(OptionOr(o, "--max-length", ""), kMaxLengthRange.min, kMaxLengthRange.max);
  if (!mode || !direction) return std::nullopt;
  const auto m = static_cast<BlackMarkMode>(*mode);
  const bool fits = m == BlackMarkMode::Standard ? printerType && !o.contains("--max-length")
                                                 : !o.contains("--printer-type") && cut == maxLength.has_value();
  if (!fits) return std::nullopt;
  BlackMarkChoice choice{m, printerType.value_or(0), *direction, {}};
  choice.values.maxLength = static_cast<int>(maxLength.value_or(0));
  return choice;
}

const std::vector<Setting>& Settings() {
  static const std::vector<Setting> settings = {
      {"density", "1-8", 1, 1, {}, [](const Words& w, const Options&) {
         const auto n = ParseNumber(w[0], 1, 8);
         return Maybe(n.has_value(), [&] { return DensityCommand(static_cast<int>(*n)); });
       }},
      {"codepage", "0-255 (the printer's table number)", 1, 1, {}, [](const Words& w, const Options&) {
         const auto n = ParseNumber(w[0], 0, 255);
         return Maybe(n.has_value(), [&] { return CodePageCommand(static_cast<int>(*n)); });
       }},
      {"width", "72mm 76mm 80mm 48mm 52mm 56mm 64mm 68mm", 1, 1, {}, [](const Words& w, const Options&) {
         const auto i = IndexIn(kPrintWidthTexts, w[0]);
         return Maybe(i.has_value(), [&] { return PrintWidthCommand(*i); });
       }},
      {"baud", "9600 19200 38400 115200", 1, 1, {}, [](const Words& w, const Options&) {
         const auto i = IndexIn(kConfigBaudTexts, w[0]);
         return Maybe(i.has_value(), [&] { return ConfigBaudRateCommand(*i); });
       }},
      {"interface", "usb com (the USB port as USB or as an emulated COM port)", 1, 1, {},
       [](const Words& w, const Options&) {
         const bool ok = w[0] == "usb" || w[0] == "com";
         return Maybe(ok, [&] { return InterfaceCommand(w[0] == "usb" ? InterfaceMode::Usb : InterfaceMode::EmulatedCom); });
       }},
      {"beeper", "on off", 1, 1, {}, [](const Words& w, const Options&) {
         const auto on = OnOff(w[0]);
         return Maybe(on.has_value(), [&] { return BeeperCommand(*on); });
       }},
      {"sensitivity", "1-24 [1-24] (the sensitivity level, and the high one)", 1, 2, {},
       [](const Words& w, const Options&) {
         const auto low = ParseNumber(w[0], 1, kSensitivityLevels);
         const auto high = w.size() == 2 ? ParseNumber(w[1], 1, kSensitivityLevels) : std::nullopt;
         if (!low || (w.size() == 2 && !high)) return SettingSends{};
         const std::optional<int> second = high ? std::optional<int>(static_cast<int>(*high)) : std::nullopt;
         return SettingSends{SensitivityCommands(static_cast<int>(*low), second), std::nullopt};
       }},
      {"dip", "00-FF (the switch byte in hexadecimal)", 1, 1, {}, [](const Words& w, const Options&) {
         unsigned b = 0;
         char end = 0;
         const bool ok = w[0].size() <= 2 && std::sscanf(w[0].c_str(), "%2x%c", &b, &end) == 1;
         return Maybe(ok, [&] { return DipSwitchCommand(static_cast<std::uint8_t>(b)); });
       }},
      {"blackmark", "on off", 1, 1, {}, [](const Words& w, const Options&) {
         const auto on = OnOff(w[0]);
         return Maybe(on.has_value(), [&] { return *on ? BlackMarkOnCommand() : BlackMarkOffCommand(); });
       }},
      {"blackmark-length", "50-500 (mm: the longest paper between marks)", 1, 1, {},
       [](const Words& w, const Options&) {
         const auto mm = ParseNumber(w[0], kMaxLengthRange.min, kMaxLengthRange.max);
         return Maybe(mm.has_value(), [&] { return MaxLengthCommand(static_cast<int>(*mm)); });
       }},
      {"blackmark-width", "3-30 (mm: the mark's width limit)", 1, 1, {}, [](const Words& w, const Options&) {
         const auto mm = ParseNumber(w[0], kWidthLimitRange.min, kWidthLimitRange.max);
         return Maybe(mm.has_value(), [&] { return WidthLimitCommand(static_cast<int>(*mm)); });
       }},
      {"blackmark-cut", "MM (0-1000) --printer-type pos58|pos76|rx8, or MM --mode alternative --max-length 50-500",
       1, 1, kBlackMarkOptions,
       [](const Words& w, const Options& o) {
         const auto mm = ParseNumber(w[0], kCutOffsetRange.min, kCutOffsetRange.max);
         auto choice = BlackMarkOptions(o, true);
         if (!mm || !choice) return SettingSends{};
         choice->values.cutOffset = static_cast<int>(*mm);
         const std::uint16_t n = CutOffsetUnits(choice->mode, choice->printerType, choice->values);
         return SettingSends{{CutPositionCommand(choice->direction, n)}, std::nullopt};
       }},
      {"blackmark-print", "MM (-1000-1000) --printer-type pos58|pos76|rx8, or MM --mode alternative", 1, 1, kBlackMarkOptions,
       [](const Words& w, const Options& o) {
         const auto mm = ParseNumber(w[0], -1000, 1000);
         auto choice = BlackMarkOptions(o, false);
         if (!mm || !choice) return SettingSends{};
         choice->values.printOffset = static_cast<int>(*mm);
         const std::uint16_t n = PrintOffsetUnits(choice->mode, choice->printerType, choice->values);
         return SettingSends{{PrintPositionCommand(choice->direction, n, 0)}, std::nullopt};
       }},
      {"savepaper", "top-blank 0-1, middle-blank|line-space|barcode-height 0-3 (x 25 %)", 2, 2, {},
       [](const Words& w, const Options&) {
         const std::array<std::string_view, 4> names{"top-blank", "middle-blank", "line-space", "barcode-height"};
         const auto f = IndexIn(names, w[0]);
         const auto i = ParseNumber(w[1], 0, f == 0 ? 1 : 3);
         return Maybe(f && i, [&] { return SavePaperCommand(static_cast<SavePaperFunction>(*f), static_cast<int>(*i)); });
       }},
      {"bluetooth", "NAME PIN", 2, 2, {}, [](const Words& w, const Options&) {
         BluetoothRequest request;
         request.name = ToCodePage(w[0], CodePage::SystemAnsi);
         request.pin = ToCodePage(w[1], CodePage::SystemAnsi);
         return SettingSends{{BluetoothCommand(request)}, std::nullopt};
       }},
      {"ip", "ADDRESS", 1, 1, {}, [](const Words& w, const Options&) { return Addresses(w, SetIpCommand); }},
      {"mask", "ADDRESS", 1, 1, {}, [](const Words& w, const Options&) { return Addresses(w, SetMaskCommand); }},
      {"gateway", "ADDRESS", 1, 1, {}, [](const Words& w, const Options&) { return Addresses(w, SetGatewayCommand); }},
      {"addresses", "IP MASK GATEWAY", 3, 3, {}, [](const Words& w, const Options&) {
         const auto ip = ParseIpv4(w[0]), mask = ParseIpv4(w[1]), gateway = ParseIpv4(w[2]);
         return Maybe(ip && mask && gateway, [&] { return SetAddressesCommand(*ip, *mask, *gateway); });
       }},
      {"wifi", "SSID KEY SECURITY (NULL WEP64 WEP128 WPA_AES_PSK ... WPA_WPA2_MixedMode)", 3, 3, {},
       [](const Words& w, const Options&) {
         const auto security = IndexIn(kSecurityTypes, w[2]);
         return Maybe(security.has_value(), [&] { return WifiCommand({w[0], w[1], *security}); });
       }},
      {"at", "COMMAND (passed to the network module, such as AT+SIP=0; no double quote)", 1, 1, {},
       [](const Words& w, const Options&) {
         if (const auto refusal = AtCommandRefusal(w[0])) return SettingSends{{}, refusal};
         return SettingSends{{*AtCommand(w[0])}, std::nullopt};
       }},
  };
  return settings;
}

int Config(const Invocation& v, Environment& e) {
  const auto setting = std::find_if(Settings().begin(), Settings().end(),
                                    [&](const Setting& s) { return v.words[0] == s.name; });
  if (setting == Settings().end()) return UsageError(e, "config", "unknown setting " + v.words[0]);
  for (const auto& [option, value] : v.options) {
    if (std::find(setting->options.begin(), setting->options.end(), option) == setting->options.end()) {
      return UsageError(e, "config", std::string(setting->name) + " takes no " + option);
    }
  }
  const Words values(v.words.begin() + 1, v.words.end());
  const bool counted = values.size() >= setting->minWords && values.size() <= setting->maxWords;
  const SettingSends sends = counted ? setting->frame(values, v.options) : SettingSends{};
  if (sends.refusal) return Refuse(e, std::string(MessageText(*sends.refusal, Language::English)));
  if (sends.sends.empty()) return UsageError(e, "config", std::string(setting->name) + " wants " + setting->values);
  return SendAll(e, sends.sends);
}

std::string ConfigHelp() {
  std::string text = "Sends the configuration frames (1F 1B 1F ...) of one advanced setting. SETTING VALUES:\n";
  for (const Setting& s : Settings()) text += "  " + std::string(s.name) + " " + s.values + "\n";
  return text +
         "blackmark-cut and blackmark-print also take --direction feed|reverse (feed by default). In the\n"
         "standard mode their offset depends on the printer type; --mode alternative is the 76 mm printer's,\n"
         "counted from a fixed reference, and a cut offset over 45 mm counts from the longest paper.";
}

// The upgrade's view of rkit's link: replies are read within the updater's
// three seconds, and on a device stale input is dropped before each send, as
// the updater does on its serial link.
class LinkFirmwarePort final : public fwflash::FirmwarePort {
 public:
  explicit LinkFirmwarePort(Link& link) : link_(link) {}
  bool Open() override { return link_.Open(); }
  bool Send(std::span<const uint8_t> bytes) override {
    link_.DiscardInput();
    return link_.Print(bytes);
  }
  bool ReceiveReply(fwflash::Reply& reply) override { return link_.Receive(reply, kReplyWaitMs) > 0; }
  void Close() override { link_.EndJob(); }

 private:
  static constexpr unsigned kReplyWaitMs = 3000;
  Link& link_;
};

const char* StepText(fwflash::UpgradeResult result) {
  using fwflash::UpgradeResult;
  switch (result) {
    case UpgradeResult::AnnounceSendFailed: return "the announce could not be sent";
    case UpgradeResult::AnnounceNoReply: return "the printer did not answer the announce";
    case UpgradeResult::AnnounceBadEcho: return "the printer refused the announce (wrong echo)";
    case UpgradeResult::LengthSendFailed: return "the length could not be sent";
    case UpgradeResult::LengthNoReply: return "the printer did not answer the length";
    case UpgradeResult::LengthBadEcho: return "the printer refused the length (wrong echo)";
    case UpgradeResult::StartSendFailed: return "the start of the data could not be sent";
    case UpgradeResult::DataSendFailed: return "the data could not be sent";
    case UpgradeResult::DataNoReply: return "the printer did not answer the checksum";
    case UpgradeResult::DataBadChecksum: return "the printer received another checksum";
    default: return "";
  }
}

void ShowProgress(Environment& e, int percent) {
  if (!e.terminal) {
    e.err << percent << "%\n";
    return;
  }
  const int filled = percent * 40 / 100;
  e.err << "\r[" << std::string(static_cast<size_t>(filled), '#') << std::string(static_cast<size_t>(40 - filled), ' ')
        << "] " << percent << "%" << (percent == 100 ? "\n" : "") << std::flush;
}

int Firmware(const Invocation& v, Environment& e) {
  // where the link cannot hear a device, the system may have a link of its own for the upgrade
  const std::unique_ptr<UpgradePort> own = e.link->HearsReplies() ? nullptr : e.upgradePort(*v.link);
  if (!e.link->HearsReplies() && !own) {
    return UsageError(e, "firmware", e.link->ReadsDevices()
                                         ? "the upgrade reads the printer's echoes: it needs --net, --serial or --usb"
                                         : "the upgrade reads the printer's echoes, which this build hears on --net and "
                                           "--serial only");
  }
  if (v.dryRun) return UsageError(e, "firmware", "the upgrade waits for the printer's echo at each step: it cannot run dry");
  fwflash::LoadedImage loaded = fwflash::LoadFirmwareImage(v.words[0]);
  if (loaded.status != fwflash::LoadStatus::Loaded) return Refuse(e, v.words[0] + " is not a valid firmware file");
  LinkFirmwarePort linkPort(*e.link);
  fwflash::FirmwarePort& port = own ? static_cast<fwflash::FirmwarePort&>(*own) : linkPort;
  const auto result = fwflash::RunUpgrade(*loaded.image, port, [&](int percent) { ShowProgress(e, percent); });
  if (result == fwflash::UpgradeResult::Success) return kExitOk;
  if (result == fwflash::UpgradeResult::OpenFailed) {
    e.err << (e.terminal ? "\n" : "") << "rkit: " << (own ? own->OpenError() : e.link->error()) << "\n";
    return kExitLinkOpen;
  }
  const int number = static_cast<int>(result);
  e.err << (e.terminal ? "\n" : "") << "rkit: upgrade failed at step " << number << ": " << StepText(result) << "\n";
  return kExitUpgradeBase + number;
}

}  // namespace

const std::vector<CommandEntry>& SettingCommands() {
  static const std::string configHelp = ConfigHelp();
  static const std::vector<CommandEntry> commands = {
      {"config", "SETTING VALUE... [OPTIONS]", configHelp.c_str(), kBlackMarkOptions, 1, 4, true, Config},
      {"firmware", "FILE",
       "Upgrades the printer's firmware with FILE (.fmw), each step checked by the printer's echo, over\n"
       "--net, --serial or --usb (the Windows build: --net or --serial). Progress as a bar on a terminal,\n"
       "percentage lines otherwise (on standard error).\n"
       "Exit status 30 + N when step N fails (1 no answer to the announce, 2 announce refused, 11, 12\n"
       "the same for the length, 21 data not sent, 22 no checksum echo, 23 wrong checksum echo).",
       {}, 1, 1, true, Firmware},
  };
  return commands;
}

}  // namespace rkit
