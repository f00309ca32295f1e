// The picture jobs' sends, pauses and outcomes.
#include "prtbench/imaging/PictureSends.h"

#include <variant>

#include "prtbench/imaging/Fit.h"
#include "prtbench/imaging/Logo.h"
#include "prtbench/imaging/NvGraphics.h"
#include "prtbench/imaging/RasterPrint.h"

namespace prtbench {
namespace {

constexpr unsigned kTakenInPauseMs = 200;  // the printer takes a picture in before its connection ends
constexpr unsigned kAfterStoreMs = 700;    // and stores or prints it before the next job
constexpr unsigned kAfterPrintMs = 100;

PictureOutcome Refused(Msg message) { return {true, false, message}; }

PictureOutcome Cleared(bool sent) { return {false, sent, sent ? Msg::LogoClearSuccess : Msg::LogoClearFailure}; }

// One picture as one send between two ends of the job; the sink's report
// of the send is the outcome.
PictureOutcome SendPicture(PrintSink& sink, kit::Clock& clock, const Bytes& command) {
  sink.EndJob();
  const bool sent = sink.Print(command);
  clock.Pause(kTakenInPauseMs);
  sink.EndJob();
  clock.Pause(kAfterStoreMs);
  return {false, sent, std::nullopt};
}

// A print command, and the tails only after one the printer took.
PictureOutcome SendPrint(PrintSink& sink, kit::Clock& clock, int sizeMode, bool cut,
                         const std::function<Bytes()>& command) {
  PictureOutcome outcome;
  if (IsSizeMode(sizeMode) && sink.Print(command())) {
    outcome.sent = sink.Print(PrintFeedTail());
    if (cut) outcome.sent = sink.Print(PrintCutTail()) && outcome.sent;
    outcome.message = Msg::LogoPrintSent;
  }
  clock.Pause(kAfterPrintMs);
  return outcome;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// 1C 71 n and the n definitions, or why not: every picture is read and
// checked before the printer hears of any.
std::variant<Bytes, Msg> MultiLogoDefinition(const std::vector<std::string>& paths, const PictureLoader& load) {
  std::vector<DecodedImage> images;
  for (const std::string& path : paths) {
    const std::string trimmed = Trimmed(path);
    if (trimmed.empty()) continue;
    std::optional<DecodedImage> image = load(trimmed);
    if (!image) return Msg::MultiLogoFileMissing;
    if (const std::optional<Msg> refusal = PictureRefusal(*image, PictureCommand::NvImage)) return *refusal;
    images.push_back(std::move(*image));
  }
  if (images.empty()) return Msg::MultiLogoSelectPicture;
  Bytes definition = MultiLogoHeader(static_cast<std::uint8_t>(images.size()));
  for (const DecodedImage& image : images) {
    const Bytes one = NvImageDefinition(image);
    definition.insert(definition.end(), one.begin(), one.end());
  }
  return definition;
}

}  // namespace

PictureOutcome DownloadLogo(PrintSink& sink, kit::Clock& clock, const DecodedImage& image) {
  if (const std::optional<Msg> refusal = PictureRefusal(image, PictureCommand::NvImage)) return Refused(*refusal);
  return SendPicture(sink, clock, LogoDownloadCommand(image));
}

PictureOutcome PrintLogo(PrintSink& sink, kit::Clock& clock, int sizeMode, bool cut, std::uint8_t image) {
  return SendPrint(sink, clock, sizeMode, cut, [sizeMode, image] { return LogoPrintCommand(sizeMode, image); });
}

PictureOutcome BlankLogo(PrintSink& sink) {
  const PictureOutcome outcome = Cleared(sink.Print(LogoBlankCommand()));
  sink.EndJob();
  return outcome;
}

PictureOutcome DefineNvGraphics(PrintSink& sink, kit::Clock& clock, const DecodedImage& image, unsigned kc1,
                                unsigned kc2) {
  if (const std::optional<Msg> refusal = PictureRefusal(image, PictureCommand::NvDefine)) return Refused(*refusal);
  return SendPicture(sink, clock, NvDefineCommand(image, kc1, kc2));
}

PictureOutcome PrintNvGraphics(PrintSink& sink, kit::Clock& clock, int sizeMode, unsigned kc1, unsigned kc2,
                               bool cut) {
  return SendPrint(sink, clock, sizeMode, cut, [=] { return NvPrintCommand(sizeMode, kc1, kc2); });
}

PictureOutcome DeleteNvGraphics(PrintSink& sink, unsigned kc1, unsigned kc2) {
  return Cleared(sink.Print(NvDeleteCommand(kc1, kc2)));
}

PictureOutcome DeleteAllNvGraphics(PrintSink& sink) { return Cleared(sink.Print(NvDeleteAllCommand())); }

PictureOutcome PrintRaster(PrintSink& sink, kit::Clock& clock, const DecodedImage& image, int position) {
  sink.EndJob();
  // a too tall picture would announce fewer rows than it sends
  const std::optional<Msg> refusal =
      RasterWideEnough(position, image.width) ? PictureRefusal(image, PictureCommand::Raster) : Msg::RasterTooNarrow;
  PictureOutcome outcome = refusal ? Refused(*refusal) : PictureOutcome{};
  if (!refusal) {
    outcome.sent = sink.Print(RasterImageCommand(image));
    clock.Pause(kTakenInPauseMs);
  }
  sink.EndJob();
  clock.Pause(kAfterStoreMs);
  return outcome;
}

PictureOutcome DownloadLogos(PrintSink& sink, kit::Clock& clock, const std::vector<std::string>& paths,
                             const PictureLoader& load, const std::function<bool()>& cancelled) {
  sink.EndJob();
  PictureOutcome outcome;
  const std::variant<Bytes, Msg> definition = MultiLogoDefinition(paths, load);
  if (const Msg* refusal = std::get_if<Msg>(&definition)) {
    outcome = Refused(*refusal);
  } else if (!cancelled()) {
    outcome.sent = sink.Print(std::get<Bytes>(definition));
    if (outcome.sent) outcome.message = Msg::MultiLogoDownloaded;
  }
  sink.EndJob();
  clock.Pause(kAfterStoreMs);
  return outcome;
}

}  // namespace prtbench
