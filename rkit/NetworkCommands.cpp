// The commands of the network tools: the status word, the printer search,
// new addresses and identifiers.
#include <cstdio>
#include <mutex>
#include <ostream>
#include <vector>

#include "prtbench/base/Messages.h"
#include "prtbench/console/NetCommands.h"
#include "prtbench/nettools/Discovery.h"
#include "prtbench/nettools/PrinterSearch.h"
#include "prtbench/nettools/Status.h"
#include "rkit/CommandTable.h"
#include "rkit/DryRun.h"
#include "rkit/ExitCodes.h"

namespace rkit {
namespace {

using namespace prtbench;

// How long status waits for the word after its request.
constexpr unsigned kStatusReplyWaitMs = 1000;

// What a dry run shows instead of sending: the bytes in hexadecimal.
int ShowDry(Environment& e, const Bytes& bytes) {
  WriteHex(e.out, bytes);
  return kExitOk;
}

const char* YesNo(bool value) { return value ? "true" : "false"; }

std::string WordText(std::uint32_t word) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", word);
  return text;
}

int ConditionExit(const StatusConditions& c) {
  if (c.paperOut) return kExitPaperOut;
  if (c.coverOpen) return kExitCoverOpen;
  if (c.offline) return kExitOffline;
  return kExitOk;
}

int NeedsNet(Environment& e, const Invocation& v) {
  return UsageError(e, v.command, v.command + " speaks to the printer's status port: it needs --net");
}

int Status(const Invocation& v, Environment& e) {
  if (v.link->kind != LinkKind::Net) return NeedsNet(e, v);
  const Bytes request = StatusRequest();
  if (v.dryRun) return ShowDry(e, request);
  const auto reply = ExchangeOnPort(e.devices, e.clock, v.link->host, v.statusPort, v.link->connectSeconds, request,
                                    kStatusReplyWaitMs);
  if (!reply) {
    e.err << "rkit: " << MessageText(Msg::NetConnectFailed, Language::English) << "\n";
    return kExitLinkOpen;
  }
  if (reply->empty()) {
    e.err << "rkit: the status port gave no status word\n";
    return kExitNoStatus;
  }
  const std::uint32_t word = ComposeStatusWord(*reply);
  const StatusConditions c = DecodeStatusWord(word);
  if (v.json) {
    e.out << "{\"word\":\"" << WordText(word) << "\",\"paperOut\":" << YesNo(c.paperOut) << ",\"coverOpen\":"
          << YesNo(c.coverOpen) << ",\"drawerOpen\":" << YesNo(c.drawerOpen) << ",\"online\":" << YesNo(!c.offline)
          << "}\n";
  } else {
    e.out << "word    " << WordText(word) << "\npaper   " << (c.paperOut ? "out" : "present") << "\ncover   "
          << (c.coverOpen ? "open" : "closed") << "\ndrawer  " << (c.drawerOpen ? "open" : "closed") << "\nonline  "
          << (c.offline ? "no" : "yes") << "\n";
  }
  return ConditionExit(c);
}

void WriteFound(std::ostream& out, const std::vector<FoundPrinter>& found, bool json) {
  if (!json) out << "MAC                IP               MASK             GATEWAY          PORT   DHCP\n";
  if (json) out << "[";
  for (size_t i = 0; i < found.size(); ++i) {
    const FoundPrinter& p = found[i];
    if (json) {
      out << (i ? "," : "") << "{\"mac\":\"" << MacText(p.mac) << "\",\"ip\":\"" << FormatIpv4(p.ip) << "\",\"mask\":\""
          << FormatIpv4(p.mask) << "\",\"gateway\":\"" << FormatIpv4(p.gateway) << "\",\"port\":" << p.port
          << ",\"dhcp\":" << YesNo(p.dhcp != 0) << "}";
      continue;
    }
    char line[128];
    std::snprintf(line, sizeof line, "%-18s %-16s %-16s %-16s %-6u %s\n", MacText(p.mac).c_str(), FormatIpv4(p.ip).c_str(),
                  FormatIpv4(p.mask).c_str(), FormatIpv4(p.gateway).c_str(), static_cast<unsigned>(p.port),
                  p.dhcp ? "yes" : "no");
    out << line;
  }
  if (json) out << "]\n";
}

int Discover(const Invocation& v, Environment& e) {
  const auto wait = ParseNumber(v.options.contains("--wait") ? v.options.at("--wait") : "3", 1, 60);
  if (!wait) return UsageError(e, "discover", "--wait wants 1 to 60 seconds");
  if (v.dryRun) return ShowDry(e, FindRequest());
  std::mutex mutex;
  std::vector<FoundPrinter> found;
  FoundPrinters listed;
  const unsigned thisSearch = listed.NewSearch();
  std::string failure;
  PrinterSearch search(e.datagrams, e.clock);
  search.Start({[&](const FoundPrinter& p) {
                  std::lock_guard lock(mutex);
                  if (listed.Add(p, thisSearch) == FoundPrinters::Added::Yes) found.push_back(p);
                },
                [&](Msg message, int error) {
                  std::lock_guard lock(mutex);
                  failure = Fill(MessageText(message, Language::English), {std::to_string(error)});
                }});
  e.clock.PauseUnless(static_cast<unsigned>(*wait) * 1000, [&] { return !search.running(); });
  search.Stop();
  if (!failure.empty() && found.empty()) {
    e.err << "rkit: " << failure << "\n";
    return kExitLinkOpen;
  }
  WriteFound(e.out, found, v.json);
  return kExitOk;
}

std::optional<Ipv4> AddressOption(const Invocation& v, const char* name, Ipv4 otherwise) {
  if (!v.options.contains(name)) return otherwise;
  return ParseIpv4(v.options.at(name));
}

// The save packet on UDP 9000 to the printer of --mac, heard by every printer of the segment.
int SaveByBroadcast(const Invocation& v, Environment& e, Ipv4 ip) {
  SaveValues save;
  std::array<unsigned, 6> mac{};
  const std::string& text = v.options.at("--mac");
  char end = 0;
  if (std::sscanf(text.c_str(), "%2x-%2x-%2x-%2x-%2x-%2x%c", &mac[0], &mac[1], &mac[2], &mac[3], &mac[4], &mac[5], &end) != 6) {
    return UsageError(e, "set-ip", "--mac wants six hex bytes like 02-00-00-00-00-01");
  }
  std::copy(mac.begin(), mac.end(), save.mac.begin());
  const auto mask = AddressOption(v, "--mask", MakeIpv4(255, 255, 255, 0));
  const auto gateway = AddressOption(v, "--gateway", (ip & 0xFFFFFF00u) | 1);
  if (!mask || !gateway) return UsageError(e, "set-ip", "--mask and --gateway want dotted IPv4 addresses");
  save.ip = ip;
  save.mask = *mask;
  save.gateway = *gateway;
  save.dhcp = v.options.contains("--dhcp");
  const Bytes packet = SaveRequest(save);
  if (v.dryRun) return ShowDry(e, packet);
  OpenedDatagramSocket opened = e.datagrams.Open(kDiscoveryPort);
  if (!opened.socket || !opened.socket->Broadcast(packet, kDiscoveryPort)) {
    e.err << "rkit: the save could not be broadcast on UDP port 9000\n";
    return kExitLinkSend;
  }
  return kExitOk;
}

// A configuration frame to the status port over TCP.
int SendToStatusPort(const Invocation& v, Environment& e, const Bytes& frame) {
  if (v.dryRun) return ShowDry(e, frame);
  if (!ExchangeOnPort(e.devices, e.clock, v.link->host, v.statusPort, v.link->connectSeconds, frame, 0)) {
    e.err << "rkit: " << MessageText(Msg::NetSendFailed, Language::English) << "\n";
    return kExitLinkSend;
  }
  return kExitOk;
}

int SetIp(const Invocation& v, Environment& e) {
  const auto ip = ParseIpv4(v.words[0]);
  if (!ip) return UsageError(e, "set-ip", "NEWIP wants a dotted IPv4 address");
  if (v.options.contains("--mac")) return SaveByBroadcast(v, e, *ip);
  if (v.options.contains("--mask") || v.options.contains("--gateway") || v.options.contains("--dhcp")) {
    return UsageError(e, "set-ip", "--mask, --gateway and --dhcp go with --mac");
  }
  if (!v.link) return UsageError(e, "set-ip", "set-ip needs --mac or a link");
  if (v.link->kind == LinkKind::Net) return SendToStatusPort(v, e, NewAddressNetCommand(*ip));
  return SendAll(e, {NewAddressPortCommand(*ip)});
}

int SetId(const Invocation& v, Environment& e) {
  const auto id = ParseIpv4(v.words[0]);
  if (!id) return UsageError(e, "set-id", "ID wants four dotted numbers like 1.2.3.4");
  if (v.link->kind != LinkKind::Net) return NeedsNet(e, v);
  return SendToStatusPort(v, e, NewIdCommand(*id));
}

}  // namespace

const std::vector<CommandEntry>& NetworkCommands() {
  static const std::vector<CommandEntry> commands = {
      {"status", "[--json]",
       "Asks the status port (TCP 4000, --status-port) for the status word (1B 76 00) and shows it\n"
       "decoded: paper, cover, drawer, online. Exit status 10 paper out, 11 cover open, 12 offline,\n"
       "5 no word came.",
       {}, 0, 0, true, Status},
      {"discover", "[--wait SECONDS] [--json]",
       "Broadcasts the printer search (LM0001FIND on UDP 9000) and lists the printers that answer\n"
       "within the wait (3 s by default). Needs UDP port 9000 free; no link.",
       {"--wait"}, 0, 0, false, Discover},
      {"set-ip", "NEWIP [--mac MAC [--mask MASK] [--gateway GATEWAY] [--dhcp]]",
       "Gives the printer a new address. With --mac: the save packet on UDP 9000 to the printer of\n"
       "that MAC (mask 255.255.255.0 and gateway NEWIP's .1 by default), no link needed. Over --net:\n"
       "the address frame to the status port; over the other links: the address frame on the link.",
       {"--mac", "--mask", "--gateway", "--dhcp"}, 1, 1, false, SetIp},
      {"set-id", "ID", "Gives the printer a new identifier (four numbers, 1.2.3.4) on the status port.", {}, 1, 1, true,
       SetId},
  };
  return commands;
}

}  // namespace rkit
