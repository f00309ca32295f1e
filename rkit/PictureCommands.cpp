// The picture commands: GS v 0 raster, the NV logos (FS q / FS p) and the
// NV graphics by key code (GS 8 L / GS ( L), each the portable core's send
// sequence over the link.
#include <algorithm>
#include <ostream>
#include <variant>

#include "prtbench/imaging/NvGraphics.h"
#include "prtbench/imaging/PictureSends.h"
#include "prtbench/imaging/RasterPrint.h"
#include "rkit/CommandTable.h"
#include "rkit/ExitCodes.h"

namespace rkit {
namespace {

using namespace prtbench;

// The exit status of a job's outcome, its text on standard error when it failed.
int Finish(Environment& e, const PictureOutcome& outcome) {
  if (outcome.sent) return kExitOk;
  if (outcome.refused) return Refuse(e, std::string(MessageText(*outcome.message, Language::English)));
  e.err << "rkit: " << e.link->error() << "\n";
  return e.link->failure() == LinkFailure::Open ? kExitLinkOpen : kExitLinkSend;
}

// The picture of `path`, or the exit status that refuses it.
std::variant<DecodedImage, int> Picture(Environment& e, const std::string& path) {
  std::optional<DecodedImage> image = e.readPicture(path);
  if (!image) return Refuse(e, "no such file: " + path);
  return std::move(*image);
}

std::optional<int> SizeMode(const Invocation& v) {
  const auto mode = ParseNumber(v.options.contains("--size") ? v.options.at("--size") : "0", 0, 3);
  return mode ? std::optional<int>(static_cast<int>(*mode)) : std::nullopt;
}

int Image(const Invocation& v, Environment& e) {
  const std::string width = v.options.contains("--width") ? v.options.at("--width") : "576";
  const auto position = std::find_if(kPrintWidths.begin(), kPrintWidths.end(),
                                     [&](const PrintWidth& w) { return std::to_string(w.dots) == width; });
  if (position == kPrintWidths.end()) return UsageError(e, "image", "--width is 384, 512, 576 or 640 dots");
  auto picture = Picture(e, v.words[0]);
  if (const int* refused = std::get_if<int>(&picture)) return *refused;
  return Finish(e, PrintRaster(e.sink, e.clock, std::get<DecodedImage>(picture),
                               static_cast<int>(position - kPrintWidths.begin())));
}

int Logo(const Invocation& v, Environment& e) {
  const std::string& action = v.words[0];
  const std::vector<std::string> rest(v.words.begin() + 1, v.words.end());
  if (action == "store" && rest.size() == 1) {
    auto picture = Picture(e, rest[0]);
    if (const int* refused = std::get_if<int>(&picture)) return *refused;
    return Finish(e, DownloadLogo(e.sink, e.clock, std::get<DecodedImage>(picture)));
  }
  if (action == "store" && !rest.empty()) {
    return Finish(e, DownloadLogos(e.sink, e.clock, rest, e.readPicture, [] { return false; }));
  }
  const auto mode = SizeMode(v);
  const auto image = ParseNumber(rest.empty() ? "1" : rest[0], 1, 255);
  if (action == "print" && rest.size() <= 1 && mode && image) {
    return Finish(e, PrintLogo(e.sink, e.clock, *mode, v.options.contains("--cut"), static_cast<std::uint8_t>(*image)));
  }
  if (action == "clear" && rest.empty()) return Finish(e, BlankLogo(e.sink));
  return UsageError(e, "logo", "logo store FILE..., logo print [N] [--size 0-3] [--cut] or logo clear");
}

// "A1": the two key code characters, the first 32 to 126.
std::optional<std::pair<unsigned, unsigned>> KeyCode(const std::string& key) {
  if (key.size() != 2 || !IsNvKeyCode(static_cast<unsigned char>(key[0]))) return std::nullopt;
  return std::pair<unsigned, unsigned>(static_cast<unsigned char>(key[0]), static_cast<unsigned char>(key[1]));
}

int Nv(const Invocation& v, Environment& e) {
  const std::string& action = v.words[0];
  if (action == "delete-all" && v.words.size() == 1) return Finish(e, DeleteAllNvGraphics(e.sink));
  const auto key = v.words.size() >= 2 ? KeyCode(v.words[1]) : std::nullopt;
  const auto mode = SizeMode(v);
  if (key && action == "store" && v.words.size() == 3) {
    auto picture = Picture(e, v.words[2]);
    if (const int* refused = std::get_if<int>(&picture)) return *refused;
    return Finish(e, DefineNvGraphics(e.sink, e.clock, std::get<DecodedImage>(picture), key->first, key->second));
  }
  if (key && mode && action == "print" && v.words.size() == 2) {
    return Finish(e, PrintNvGraphics(e.sink, e.clock, *mode, key->first, key->second, v.options.contains("--cut")));
  }
  if (key && action == "delete" && v.words.size() == 2) return Finish(e, DeleteNvGraphics(e.sink, key->first, key->second));
  return UsageError(e, "nv", "nv store KEY FILE, nv print KEY [--size 0-3] [--cut], nv delete KEY or nv delete-all");
}

}  // namespace

const std::vector<CommandEntry>& PictureCommands() {
  static const std::vector<CommandEntry> commands = {
      {"image", "FILE [--width 384|512|576|640]",
       "Prints a BMP or PNG picture as one GS v 0 raster, black where the bench tool's threshold says;\n"
       "the picture must be at least as wide as the print width (576 dots by default).",
       {"--width"}, 1, 1, true, Image},
      {"logo", "store FILE... | print [N] [--size 0-3] [--cut] | clear",
       "The printer's NV logos (FS q / FS p). store: one picture as logo 1, or several as logos 1, 2, ...\n"
       "in one definition (it replaces every stored logo). print: logo N (1 by default), size 0 normal,\n"
       "1 double width, 2 double height, 3 both. clear: logo 1 overwritten by a blank.",
       {"--size", "--cut"}, 1, 7, true, Logo},
      {"nv", "store KEY FILE | print KEY [--size 0-3] [--cut] | delete KEY | delete-all",
       "NV graphics by key code (GS 8 L, GS ( L): KEY is two characters, such as A1.",
       {"--size", "--cut"}, 1, 3, true, Nv},
  };
  return commands;
}

}  // namespace rkit
