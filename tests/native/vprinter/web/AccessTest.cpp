// Which requests the page answers and which journal files it serves.
#include "vprinter/web/Access.h"

#include <gtest/gtest.h>

namespace {

using vprinter::web::HostAllowed;
using vprinter::web::JournalFileType;
using vprinter::web::Origin;
using vprinter::web::OriginAllowed;

TEST(VPrinterWebAccess, OnlyTheListeningAddressIsAnAcceptedHost) {
  const Origin own{"127.0.0.1", 8080};
  const struct {
    const char* host;
    bool allowed;
  } cases[] = {
      {"127.0.0.1:8080", true},
      {"127.0.0.1", false},           // another port (80)
      {"localhost:8080", false},      // a name, not the address
      {"rebound.example:8080", false},
      {"127.0.0.1:8081", false},
      {"127.0.0.2:8080", false},
      {"127.0.0.1:8080.evil", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(HostAllowed(c.host, own), c.allowed) << c.host;
  EXPECT_TRUE(HostAllowed("127.0.0.5", Origin{"127.0.0.5", 80}));
}

TEST(VPrinterWebAccess, OnlyThePagesOwnOriginMayChangeState) {
  const Origin own{"127.0.0.1", 8080};
  const struct {
    const char* origin;
    bool allowed;
  } cases[] = {
      {"http://127.0.0.1:8080", true},
      {"", false},  // no Origin at all
      {"null", false},
      {"http://localhost:8080", false},
      {"https://127.0.0.1:8080", false},
      {"http://127.0.0.1:8080.evil.example", false},
      {"http://evil.example", false},
  };
  for (const auto& c : cases) EXPECT_EQ(OriginAllowed(c.origin, own), c.allowed) << c.origin;
}

TEST(VPrinterWebAccess, ServesTheJournalsOwnNumberedFilesOnly) {
  const struct {
    const char* name;
    const char* type;  // nullptr: refused
  } cases[] = {
      {"receipt-1.png", "image/png"},
      {"receipt-12.txt", "text/plain; charset=utf-8"},
      {"conn-3.bin", "application/octet-stream"},
      {"firmware-2.fmw", "application/octet-stream"},
      {"journal.txt", nullptr},
      {"printer.log", nullptr},
      {"conditions", nullptr},
      {"receipt-.png", nullptr},
      {"receipt-1a.png", nullptr},
      {"receipt-1.png/..", nullptr},
      {"../receipt-1.png", nullptr},
      {"conn-1234567890.bin", nullptr},
      {"conn--1.bin", nullptr},
  };
  for (const auto& c : cases) {
    const auto type = JournalFileType(c.name);
    if (c.type) EXPECT_EQ(type.value_or("refused"), c.type) << c.name;
    else EXPECT_FALSE(type) << c.name;
  }
}

}  // namespace
