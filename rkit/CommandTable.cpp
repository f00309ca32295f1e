// Finding the command, judging its words and options, and the help texts.
#include <algorithm>
#include <ostream>

#include "rkit/CommandTable.h"
#include "rkit/ExitCodes.h"

namespace rkit {
namespace {

const CommandEntry* Find(const std::string& name) {
  for (const auto* list : {&PrintCommands(), &PictureCommands(), &NetworkCommands(), &SettingCommands()}) {
    for (const CommandEntry& entry : *list) {
      if (name == entry.name) return &entry;
    }
  }
  return nullptr;
}

// What the command line says that this command cannot take; empty when nothing.
std::string Misfit(const CommandEntry& entry, const Invocation& v) {
  for (const auto& [option, value] : v.options) {
    if (std::find(entry.options.begin(), entry.options.end(), option) == entry.options.end()) {
      return std::string(entry.name) + " takes no " + option;
    }
  }
  if (v.words.size() < entry.minWords) return std::string(entry.name) + " wants " + entry.synopsis;
  if (v.words.size() > entry.maxWords) return "too many words for " + std::string(entry.name) + ": " + v.words[entry.maxWords];
  if (entry.needsLink && !v.link) return std::string(entry.name) + " needs a link: --net, --serial, --usb or --lpt";
  if (v.json && std::string(entry.name) != "status" && std::string(entry.name) != "discover") {
    return "--json is for status and discover";
  }
  return {};
}

}  // namespace

int UsageError(Environment& e, const std::string& command, const std::string& problem) {
  e.err << "rkit: " << problem << " (rkit " << (command.empty() ? "" : command + " ") << "--help)\n";
  return kExitUsage;
}

int Refuse(Environment& e, const std::string& problem) {
  e.err << "rkit: " << problem << "\n";
  return kExitInput;
}

int SendAll(Environment& e, const std::vector<prtbench::Bytes>& buffers) {
  for (const prtbench::Bytes& buffer : buffers) {
    if (!e.sink.Print(buffer)) {
      e.err << "rkit: " << e.link->error() << "\n";
      return e.link->failure() == LinkFailure::Open ? kExitLinkOpen : kExitLinkSend;
    }
  }
  e.sink.EndJob();
  return kExitOk;
}

int RunInvocation(const Invocation& v, Environment& e) {
  if (v.command.empty()) {
    (v.help ? e.out : e.err) << Usage();
    return v.help ? kExitOk : kExitUsage;
  }
  const CommandEntry* entry = Find(v.command);
  if (!entry) return UsageError(e, "", "unknown command " + v.command);
  if (v.help) {
    e.out << CommandHelp(v.command);
    return kExitOk;
  }
  if (const std::string misfit = Misfit(*entry, v); !misfit.empty()) return UsageError(e, entry->name, misfit);
  return entry->run(v, e);
}

std::string CommandHelp(const std::string& command) {
  const CommandEntry* entry = Find(command);
  if (!entry) return {};
  return "usage: rkit LINK [--dry-run] " + std::string(entry->name) + (*entry->synopsis ? " " : "") + entry->synopsis +
         "\n\n" + entry->help + "\n";
}

std::string Usage() {
  std::string text =
      "rkit: the receipt printer kit's printer work from a command line.\n\n"
      "usage: rkit LINK [--dry-run] [--timeout SECONDS] COMMAND [ARGS...]\n"
      "       rkit COMMAND --help\n\n"
      "LINK is one of\n"
      "  --net HOST[:PORT]              TCP, port 9100 by default (--timeout: connect time-out, 1 s)\n"
      "  --serial DEVICE[:BAUD[,FLOW]]  a serial port (/dev/ttyUSB0, COM3), 9600 baud by default,\n"
      "                                 FLOW none, cts or xonxoff\n"
      "  --usb DEVICE                   a USB printer device (/dev/usb/lp0), or auto: the first listed\n"
      "  --lpt DEVICE                   a parallel port (/dev/lp0, LPT1)\n\n"
      "--dry-run writes the bytes that would be sent, in hexadecimal, to standard output.\n"
      "--status-port N is the printer's status port (4000) for status, set-ip and set-id over TCP.\n\n"
      "Commands:\n";
  for (const auto* list : {&PrintCommands(), &PictureCommands(), &NetworkCommands(), &SettingCommands()}) {
    for (const CommandEntry& entry : *list) {
      text += "  " + std::string(entry.name) + (*entry.synopsis ? " " : "") + entry.synopsis + "\n";
    }
  }
  text +=
      "\nExit status: 0 done; 1 input cannot be read or is not valid; 2 usage error; 3 link cannot be\n"
      "opened; 4 send failed; 5 no status word; 10 paper out; 11 cover open; 12 offline;\n"
      "30 + N an upgrade step failed with the updater's failure number N.\n";
  return text;
}

}  // namespace rkit
