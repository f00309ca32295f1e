// The printer's settings that outlive a job: what the 1F 1B 1F configuration
// frames change and what a self test prints.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vprinter::escpos {

using Ipv4 = std::array<std::uint8_t, 4>;

// DIP byte bits as the general settings dialog lays them out.
constexpr std::uint8_t kDipNoCutter = 0x01;
constexpr std::uint8_t kDipBeeper = 0x02;
constexpr std::uint8_t kDipNot58mm = 0x04;
constexpr std::uint8_t kDipNotChinese = 0x08;
constexpr std::uint8_t kDip42Columns = 0x10;
constexpr std::uint8_t kDipCutterDrawer = 0x20;

struct Settings {
  int density = 5;                 // 1-8
  int codePage = 3;                // table number selected after ESC @
  int widthIndex = -1;             // last width frame's index (72, 76, 80, 48, 52, 56, 64, 68 mm); -1 none
  int widthDots = 576;             // print width: the start-up width or the last width frame's
  std::uint8_t dip = kDipNot58mm | kDipNotChinese;  // cutter on, 80 mm paper, single-byte text
  int interfaceMode = 0;           // 0 USB, 1 serial emulation
  int baudIndex = 1;               // 9600, 19200, 38400, 115200
  bool blackMark = false;
  int blackMarkMaxDots = 2400;     // longest ticket searched for a mark
  int blackMarkWidthDots = 80;     // widest mark
  int markCutDots = 0, markPrintDots = 0;  // GS ( F offsets, in dots
  std::array<int, 4> paperSaving{};        // top blank removal, blank line, line space, barcode height
  int beeper = -1;                 // -1 never set, 0 off, 1 on
  std::array<int, 2> sensitivity{};
  Ipv4 ip{192, 168, 123, 100}, mask{255, 255, 255, 0}, gateway{192, 168, 123, 1};
  int wifiKeyType = 6;
  std::string ssid = "Quillon384", wifiKey = "Quillon384";
  std::string btName = "Quillon384", btPin = "486239";
  std::string atCommand, btUserCommand;  // last pass-through texts
  std::optional<Ipv4> identifier;
  std::string serialNumber;

  // Dots across the paper: 384 on 58 mm paper (DIP), else the print width.
  int PaperDots() const;
  bool CutterEnabled() const { return !(dip & kDipNoCutter); }
  bool ChineseMode() const { return !(dip & kDipNotChinese); }
};

// Millimetres of the width frame's index 0-7; 0 for other indexes.
int WidthMillimetres(int index);
// The canvas for a print width: the widest of 384, 512, 576 and 640 dots that
// is not wider than `millimetres` at 8 dots per millimetre.
int WidthDots(int millimetres);

std::string Dotted(const Ipv4& address);

// The settings as lines of text, for the self test and each page's notes.
std::vector<std::string> Describe(const Settings& settings);

}  // namespace vprinter::escpos
