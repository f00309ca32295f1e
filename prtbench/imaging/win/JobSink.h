// The printer link as one picture job sees it: the job's own sends, whose
// last status text it keeps, so that the job reports its outcome and not
// what another thread wrote into the status text meanwhile.
#pragma once

#include <string>

#include "prtbench/imaging/PictureSends.h"
#include "prtbench/link/PrinterLink.h"

namespace prtbench {

class JobSink : public PrintSink {
 public:
  explicit JobSink(PrinterLink& link) : link_(link) {}
  bool Print(std::span<const std::uint8_t> bytes) override { return link_.SendData(bytes, report_) != 0; }
  void EndJob() override { link_.EndJob(); }
  // The status text of the last Print (empty before one).
  const std::string& report() const { return report_; }
  // `outcome`'s text: its message in `language`, else the last Print's report.
  std::string TextOf(const PictureOutcome& outcome, Language language) const {
    return outcome.message ? std::string(MessageText(*outcome.message, language)) : report_;
  }

 private:
  PrinterLink& link_;
  std::string report_;
};

}  // namespace prtbench
