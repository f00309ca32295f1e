// What the page shows, built on the web side from the print loop's news:
// the newest receipts and connections, the printer's state, the firmware
// images. Its own lock is shared by the web threads only.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "vprinter/web/Feed.h"

namespace vprinter::web {

struct FirmwareImage {
  std::string name;          // firmware-<n>.fmw
  std::uint64_t bytes = 0;   // the whole file
  std::string signature;     // its first four bytes in hex
  std::uint64_t length = 0;  // the data length the updater announced
  std::string checksum;      // its last four bytes in hex
  bool operator==(const FirmwareImage&) const = default;
};

class Model {
 public:
  static constexpr size_t kKept = 200;  // receipts and connections each; older ones stay on disk

  void Apply(const Batch& batch);
  // The images now in the folder; those cleared away stay hidden.
  void SetFirmware(std::vector<FirmwareImage> images);
  // Forgets the receipts, the ended connections and the firmware images
  // shown so far (their files stay).
  void Clear();

  std::uint64_t revision() const;
  // The page's state as JSON; {"revision":N,"changed":false} alone when
  // nothing changed since revision `since`.
  std::string StateJson(std::uint64_t since) const;

 private:
  struct Connection {
    int id;
    std::string source, peer, opened;
    std::uint64_t bytes = 0;
    bool open = true;
  };

  void Apply(const News& news);
  Connection* Find(int id);

  mutable std::mutex mutex_;
  std::deque<Connection> connections_;  // oldest first
  std::deque<Printing> receipts_;       // oldest first
  std::vector<FirmwareImage> firmware_;
  std::set<std::string> firmwareHidden_;
  std::optional<PrinterSnapshot> printer_;
  std::uint64_t dropped_ = 0;
  std::uint64_t revision_ = 1;
};

}  // namespace vprinter::web
