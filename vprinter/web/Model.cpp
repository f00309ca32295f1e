// Keeping the page's state and writing it as JSON.
#include "vprinter/web/Model.h"

#include <ctime>

#include <nlohmann/json.hpp>

namespace vprinter::web {
namespace {

using nlohmann::json;

template <typename... F>
struct Overloaded : F... {
  using F::operator()...;
};
// clang 14 (the fuzz build) does not yet deduce aggregates' arguments itself
template <typename... F>
Overloaded(F...) -> Overloaded<F...>;

// Local wall-clock time, to the millisecond: what a person compares with
// the clock of the program that printed.
std::string ClockTime(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                static_cast<int>(ms));
  return text;
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  char pair[4];
  for (std::uint8_t byte : bytes) {
    std::snprintf(pair, sizeof pair, "%02X ", byte);
    text += pair;
  }
  if (!text.empty()) text.pop_back();
  return text;
}

json PrinterJson(const PrinterSnapshot& printer) {
  const Conditions& c = printer.conditions;
  json conditions = json::array();
  for (const auto& [on, word] : {std::pair{c.paperOut, "paper-out"}, {c.coverOpen, "cover-open"},
                                 {c.drawerOpen, "drawer-open"}, {c.offline, "offline"}}) {
    if (on) conditions.push_back(word);
  }
  return {{"settings", printer.settings}, {"conditions", conditions}, {"statusAnswer", HexBytes(printer.statusAnswer)}};
}

}  // namespace

Model::Connection* Model::Find(int id) {
  for (auto it = connections_.rbegin(); it != connections_.rend(); ++it) {
    if (it->id == id) return &*it;
  }
  return nullptr;
}

void Model::Apply(const News& news) {
  std::visit(Overloaded{
                 [&](const Opening& o) { connections_.push_back({o.id, o.source, o.peer, ClockTime(o.when)}); },
                 [&](const Closing& c) {
                   if (Connection* connection = Find(c.id)) {
                     connection->bytes = c.bytes;
                     connection->open = false;
                   }
                 },
                 [&](const Printing& p) { receipts_.push_back(p); },
             },
             news);
}

void Model::Apply(const Batch& batch) {
  if (batch.news.empty() && batch.received.empty() && !batch.printer && batch.dropped == 0) return;
  std::lock_guard lock(mutex_);
  for (const News& news : batch.news) Apply(news);
  // a connection that ended in this batch already has its final count
  for (const auto& [id, bytes] : batch.received) {
    Connection* connection = Find(id);
    if (connection && connection->open) connection->bytes += bytes;
  }
  if (batch.printer) printer_ = batch.printer;
  dropped_ += batch.dropped;
  while (connections_.size() > kKept) connections_.pop_front();
  while (receipts_.size() > kKept) receipts_.pop_front();
  ++revision_;
}

void Model::SetFirmware(std::vector<FirmwareImage> images) {
  std::erase_if(images, [&](const FirmwareImage& image) { return firmwareHidden_.count(image.name) > 0; });
  std::lock_guard lock(mutex_);
  if (images == firmware_) return;
  firmware_ = std::move(images);
  ++revision_;
}

void Model::Clear() {
  std::lock_guard lock(mutex_);
  receipts_.clear();
  std::erase_if(connections_, [](const Connection& connection) { return !connection.open; });
  for (const FirmwareImage& image : firmware_) firmwareHidden_.insert(image.name);
  firmware_.clear();
  ++revision_;
}

std::uint64_t Model::revision() const {
  std::lock_guard lock(mutex_);
  return revision_;
}

std::string Model::StateJson(std::uint64_t since) const {
  std::lock_guard lock(mutex_);
  if (since == revision_) return json{{"revision", revision_}, {"changed", false}}.dump();
  json receipts = json::array(), connections = json::array(), firmware = json::array();
  for (auto it = receipts_.rbegin(); it != receipts_.rend(); ++it) {
    const std::string base = "receipt-" + std::to_string(it->number);
    receipts.push_back({{"number", it->number}, {"ending", it->ending}, {"width", it->width},
                        {"height", it->height}, {"png", base + ".png"}, {"txt", base + ".txt"}});
  }
  for (auto it = connections_.rbegin(); it != connections_.rend(); ++it) {
    connections.push_back({{"id", it->id}, {"source", it->source}, {"peer", it->peer}, {"opened", it->opened},
                           {"bytes", it->bytes}, {"open", it->open}, {"file", "conn-" + std::to_string(it->id) + ".bin"}});
  }
  for (const FirmwareImage& image : firmware_) {
    firmware.push_back({{"name", image.name}, {"bytes", image.bytes}, {"signature", image.signature},
                        {"length", image.length}, {"checksum", image.checksum}});
  }
  json state = {{"revision", revision_}, {"changed", true},   {"receipts", receipts},
                {"connections", connections}, {"firmware", firmware}, {"dropped", dropped_}};
  state["printer"] = printer_ ? PrinterJson(*printer_) : json(nullptr);
  // a receipt's text may hold bytes that are not UTF-8: replace, never throw
  return state.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace vprinter::web
