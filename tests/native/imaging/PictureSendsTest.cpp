// The picture jobs on a recording sink: what goes out, the pauses and job
// ends between, and each job's own outcome.
#include <gtest/gtest.h>

#include <map>

#include "Images.h"
#include "RecordingSink.h"
#include "prtbench/imaging/Logo.h"
#include "prtbench/imaging/NvGraphics.h"
#include "prtbench/imaging/PictureSends.h"
#include "prtbench/imaging/RasterPrint.h"

namespace {

using namespace prtbench;
using namespace std::string_literals;
using imagingtest::Draw;
using imagingtest::RecordingSink;
using Log = std::vector<std::string>;

std::string AsText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

const DecodedImage kPicture = Draw(400, 20, [](auto x, auto y) { return (x + y) % 3 == 0; });
const DecodedImage kUnread{};
const DecodedImage kTooWide = Draw(65536 * 8, 1, [](auto, auto) { return false; });

TEST(PictureSends, OnePictureGoesBetweenTwoJobEndsOrIsRefusedBeforeAnyByte) {
  const PictureOutcome sent{false, true, std::nullopt};
  const struct {
    const char* name;
    std::function<PictureOutcome(RecordingSink&)> job;
    std::deque<bool> results;
    Log log;
    PictureOutcome outcome;
  } rows[] = {
      {"logo", [](RecordingSink& s) { return DownloadLogo(s, s.clock, kPicture); }, {},
       {"end", AsText(LogoDownloadCommand(kPicture)), "pause 200", "end", "pause 700"}, sent},
      {"logo not taken", [](RecordingSink& s) { return DownloadLogo(s, s.clock, kPicture); }, {false},
       {"end", AsText(LogoDownloadCommand(kPicture)), "pause 200", "end", "pause 700"}, {false, false, std::nullopt}},
      // FS q replaces every stored logo: an unread picture must not wipe them
      {"logo unread", [](RecordingSink& s) { return DownloadLogo(s, s.clock, kUnread); }, {}, {},
       {true, false, Msg::BitmapLoadFailed}},
      {"NV", [](RecordingSink& s) { return DefineNvGraphics(s, s.clock, kPicture, 48, 300); }, {},
       {"end", AsText(NvDefineCommand(kPicture, 48, 300)), "pause 200", "end", "pause 700"}, sent},
      {"NV too wide", [](RecordingSink& s) { return DefineNvGraphics(s, s.clock, kTooWide, 48, 48); }, {}, {},
       {true, false, Msg::PictureTooLarge}},
      {"raster", [](RecordingSink& s) { return PrintRaster(s, s.clock, kPicture, 0); }, {},
       {"end", AsText(RasterImageCommand(kPicture)), "pause 200", "end", "pause 700"}, sent},
      {"raster narrower than 512", [](RecordingSink& s) { return PrintRaster(s, s.clock, kPicture, 1); }, {},
       {"end", "end", "pause 700"}, {true, false, Msg::RasterTooNarrow}},
      {"raster unread", [](RecordingSink& s) { return PrintRaster(s, s.clock, kUnread, 0); }, {},
       {"end", "end", "pause 700"}, {true, false, Msg::RasterTooNarrow}},
      {"raster too wide", [](RecordingSink& s) { return PrintRaster(s, s.clock, kTooWide, 3); }, {},
       {"end", "end", "pause 700"}, {true, false, Msg::PictureTooLarge}},
  };
  for (const auto& row : rows) {
    RecordingSink sink;
    sink.results = row.results;
    EXPECT_EQ(row.job(sink), row.outcome) << row.name;
    EXPECT_EQ(sink.log, row.log) << row.name;
  }
}

TEST(PictureSends, PrintsSendTheirTailsOnlyAfterATakenCommand) {
  const std::string feed = "\x0A\x0A\x0A\x0A\x0A\x0A\x00"s, cut = "\x1D\x56\x01\x00\x0A\x0A\x00"s;
  const PictureOutcome printed{false, true, Msg::LogoPrintSent};
  const struct {
    const char* name;
    std::function<PictureOutcome(RecordingSink&)> job;
    std::deque<bool> results;
    Log log;
    PictureOutcome outcome;
  } rows[] = {
      {"logo, cut", [](RecordingSink& s) { return PrintLogo(s, s.clock, 0, true); }, {},
       {AsText(LogoPrintCommand(0)), feed, cut, "pause 100"}, printed},
      {"logo double, no cut", [](RecordingSink& s) { return PrintLogo(s, s.clock, 3, false); }, {},
       {AsText(LogoPrintCommand(3)), feed, "pause 100"}, printed},
      // the sink's report of the failed send is what the job says
      {"logo refused by the link", [](RecordingSink& s) { return PrintLogo(s, s.clock, 0, true); }, {false},
       {AsText(LogoPrintCommand(0)), "pause 100"}, {false, false, std::nullopt}},
      {"logo, cut not taken", [](RecordingSink& s) { return PrintLogo(s, s.clock, 0, true); }, {true, true, false},
       {AsText(LogoPrintCommand(0)), feed, cut, "pause 100"}, {false, false, Msg::LogoPrintSent}},
      {"no size mode", [](RecordingSink& s) { return PrintLogo(s, s.clock, 4, true); }, {}, {"pause 100"},
       {false, false, std::nullopt}},
      {"NV, cut", [](RecordingSink& s) { return PrintNvGraphics(s, s.clock, 1, 48, 49, true); }, {},
       {AsText(NvPrintCommand(1, 48, 49)), feed, cut, "pause 100"}, printed},
      {"NV refused by the link", [](RecordingSink& s) { return PrintNvGraphics(s, s.clock, 0, 48, 48, false); },
       {false}, {AsText(NvPrintCommand(0, 48, 48)), "pause 100"}, {false, false, std::nullopt}},
  };
  for (const auto& row : rows) {
    RecordingSink sink;
    sink.results = row.results;
    EXPECT_EQ(row.job(sink), row.outcome) << row.name;
    EXPECT_EQ(sink.log, row.log) << row.name;
  }
}

TEST(PictureSends, ClearsSayWhetherTheirCommandWasTaken) {
  const struct {
    std::function<PictureOutcome(RecordingSink&)> job;
    Log log;
  } rows[] = {
      {[](RecordingSink& s) { return BlankLogo(s); }, {AsText(LogoBlankCommand()), "end"}},
      {[](RecordingSink& s) { return DeleteNvGraphics(s, 20, 300); }, {AsText(NvDeleteCommand(20, 300))}},
      {[](RecordingSink& s) { return DeleteAllNvGraphics(s); }, {AsText(NvDeleteAllCommand())}},
  };
  for (const auto& row : rows) {
    for (const bool taken : {true, false}) {
      RecordingSink sink;
      sink.results = {taken};
      EXPECT_EQ(row.job(sink), (PictureOutcome{false, taken, taken ? Msg::LogoClearSuccess : Msg::LogoClearFailure}));
      EXPECT_EQ(sink.log, row.log);
    }
  }
}

TEST(PictureSends, MultipleDownloadChecksEveryPictureThenSendsThemAsOneDefinition) {
  const std::map<std::string, DecodedImage> files{
      {"a.bmp", Draw(9, 3, [](auto x, auto y) { return (x + y) % 4 == 0; })},
      {"b.bmp", Draw(17, 4, [](auto x, auto) { return x % 2 == 0; })},
      {"c.bmp", Draw(25, 5, [](auto, auto y) { return y == 2; })},
      {"junk.bmp", kUnread},
  };
  const PictureLoader load = [&files](const std::string& path) -> std::optional<DecodedImage> {
    const auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second;
  };
  const auto definition = [&files](const char* name) { return AsText(NvImageDefinition(files.at(name))); };
  const struct {
    const char* name;
    std::vector<std::string> paths;
    bool cancelled;
    bool taken;
    Log sent;
    PictureOutcome outcome;
  } rows[] = {
      {"boxes two and five", {"", "b.bmp", "  ", "", " c.bmp\t"}, false, true,
       {"\x1C\x71\x02"s + definition("b.bmp") + definition("c.bmp")}, {false, true, Msg::MultiLogoDownloaded}},
      {"three", {"a.bmp", "b.bmp", "c.bmp"}, false, true,
       {"\x1C\x71\x03"s + definition("a.bmp") + definition("b.bmp") + definition("c.bmp")},
       {false, true, Msg::MultiLogoDownloaded}},
      // the link's report of the failed send is what the job says
      {"not taken", {"a.bmp"}, false, false, {"\x1C\x71\x01"s + definition("a.bmp")}, {false, false, std::nullopt}},
      {"missing file", {"a.bmp", "gone.bmp", "c.bmp"}, false, true, {}, {true, false, Msg::MultiLogoFileMissing}},
      {"unread", {"a.bmp", "junk.bmp"}, false, true, {}, {true, false, Msg::BitmapLoadFailed}},
      {"no picture", {"", " ", ""}, false, true, {}, {true, false, Msg::MultiLogoSelectPicture}},
      {"cancelled", {"a.bmp"}, true, true, {}, {false, false, std::nullopt}},
  };
  for (const auto& row : rows) {
    RecordingSink sink;
    sink.results = {row.taken};
    EXPECT_EQ(DownloadLogos(sink, sink.clock, row.paths, load, [&row] { return row.cancelled; }), row.outcome)
        << row.name;
    Log log{"end"};
    log.insert(log.end(), row.sent.begin(), row.sent.end());
    log.insert(log.end(), {"end", "pause 700"});
    EXPECT_EQ(sink.log, log) << row.name;
  }
}

}  // namespace
