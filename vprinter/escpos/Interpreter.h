// The printer's command interpreter: ESC/POS as receipts and the kit use it,
// and the 1F 1B 1F configuration frames, turned into printed paper. Bytes may
// arrive in pieces of any size with the same result; a command cut off at the
// end of a job waits for the next one, as on a real printer. Unknown bytes
// are logged and skipped; every store (line, page, NV memory, QR data,
// pending command) has a cap, so no input grows its memory without bound.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "vprinter/escpos/Line.h"
#include "vprinter/escpos/Modes.h"
#include "vprinter/escpos/Output.h"
#include "vprinter/escpos/Paper.h"
#include "vprinter/escpos/Settings.h"
#include "vprinter/escpos/Typeface.h"

namespace vprinter::escpos {

// NV memory of each kind (FS q bit images, GS ( L graphics).
constexpr size_t kNvCapacity = 1u << 20;
// A command waiting for its parameters never holds more than this.
constexpr size_t kMaxCommand = 4096;

class Interpreter {
 public:
  Interpreter(Typeface& typeface, Settings& settings, ReceiptSink& sink, EventLog& log);

  void Feed(std::span<const std::uint8_t> bytes);
  // The job (connection) ended: paper printed since the last cut leaves the
  // printer as a receipt. What waits in the line buffer stays there.
  void EndOfJob();
  // The printer is switched off: EndOfJob, and a note on what never printed.
  void PowerOff();

  const Settings& settings() const { return settings_; }
  // The status requests read since the last call, in order.
  std::vector<StatusRequest> TakeRequests() { return std::exchange(requests_, {}); }

 private:
  using Span = std::span<const std::uint8_t>;
  // Data that follows a command's header, taken as it arrives.
  struct Body {
    std::uint64_t remaining = 0;
    size_t keep = 0;  // bytes kept (at most); the rest are skipped
    size_t row = 0;   // > 0: every `row` kept bytes go to onRow as they complete
    std::vector<std::uint8_t> kept;
    std::function<void(std::vector<std::uint8_t>&)> onRow, done;
  };

  // One command (or run of text) from the front; 0 when it is not complete.
  size_t Step(Span in);
  size_t TakeBody(Span in);
  void StartBody(Body body);
  size_t Text(Span in);
  size_t Control(Span in);
  size_t Esc(Span in);
  size_t EscSimple(Span in);
  size_t Gs(Span in);
  size_t GsSimple(Span in);
  size_t Fs(Span in);
  size_t Frame(Span in);
  size_t SkipFunction(Span in, const std::string& prefix);

  // Pictures and symbols (Graphics.cpp, Symbols handled in Codes.cpp).
  size_t Raster(Span in);
  size_t BitImage(Span in);
  size_t NvDefine(Span in);
  size_t NvHeader(Span in);
  size_t NvPrint(Span in);
  size_t Graphics(Span in);
  size_t GsParen(Span in, std::uint64_t size);
  void GraphicsFunction(int fn, std::vector<std::uint8_t>& body, std::uint64_t size);
  void DefineGraphic(const std::vector<std::uint8_t>& body, std::uint64_t size);
  void BufferGraphic(const std::vector<std::uint8_t>& body, std::uint64_t size);
  void PrintBufferedGraphic();
  size_t Barcode(Span in);
  size_t Qr(Span in);
  void QrFunction(int fn, const std::vector<std::uint8_t>& params);
  void Pdf417Function(int fn, const std::vector<std::uint8_t>& params);
  size_t Cut(Span in);

  // What the commands do.
  void AddChar(char32_t c, bool wide);
  void Tab();
  int ColumnDots() const;
  void MoveTo(int units, bool relative);
  void PrintLine(int feed);
  void FlushLine();
  void PrintPicture(const Bitmap& picture, int sx, int sy, const std::string& marker);
  int Left() const;
  int Area();
  int AlignedX(int width);
  void Initialise();
  void CutPaper(const std::string& ending);
  void SelfTest();

  void Note(const std::string& what);
  void Unknown(Span bytes, const std::string& what = "");
  void FlushUnknown();
  void FlushRepeats();

  Typeface& typeface_;
  Settings& settings_;
  EventLog& log_;
  Paper paper_;
  Line line_;
  Modes modes_;
  std::vector<std::uint8_t> pending_;
  std::vector<StatusRequest> requests_;  // at most one per command taken since TakeRequests
  std::optional<Body> body_;
  std::uint64_t offset_ = 0;  // input position of pending_'s first byte
  std::uint64_t stepOffset_ = 0;
  std::vector<Bitmap> nvImages_;  // FS q, image n at n - 1
  size_t nvBytes_ = 0;
  int nvLeft_ = 0;                 // FS q images still to come
  std::map<std::uint16_t, Bitmap> graphics_;  // GS ( L by key code
  size_t graphicsBytes_ = 0;
  Bitmap buffered_;  // GS ( L 112: graphics waiting in the print buffer
  int bufferedSx_ = 1, bufferedSy_ = 1;
  Bitmap rasterRow_;
  int rasterX_ = 0, rasterSx_ = 1, rasterSy_ = 1;
  std::uint64_t unknownAt_ = 0, unknownCount_ = 0;
  std::string unknownHex_;
  std::string lastNote_;
  std::uint64_t repeats_ = 0;  // of lastNote_, not yet written
};

}  // namespace vprinter::escpos
