// The QR encoder against two independent oracles: Debian's qrcodegen module
// (module for module, chosen and forced masks) and zbarimg (our BMPs read
// back to the text).
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "encodeqr/Bitmap.h"
#include "encodeqr/Encoder.h"

namespace {

using namespace encodeqr;

struct Case {
  std::string data;
  Ecc ecc;
  int mask;
};

// Deterministic bytes of every value, so each length tests other codewords.
std::string Bytes(size_t length, unsigned seed) {
  std::string data;
  for (size_t i = 0; i < length; ++i) {
    seed = seed * 1103515245 + 12345;
    data += static_cast<char>(seed >> 16);
  }
  return data;
}

char LevelLetter(Ecc ecc) { return "LMQH"[static_cast<int>(ecc)]; }

std::string Hex(const std::string& data) {
  static const char* digits = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : data) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex;
}

std::string Run(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {};
  std::string out;
  char buffer[65536];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  pclose(pipe);
  return out;
}

// What the oracle draws for each case: "none", or "version mask size" and the rows.
std::vector<std::string> Oracle(const std::vector<Case>& cases) {
  const std::string input = testing::TempDir() + "qr-cases-" + std::to_string(getpid()) + ".txt";
  {
    std::ofstream file(input);
    for (const Case& c : cases) file << LevelLetter(c.ecc) << ' ' << c.mask << ' ' << Hex(c.data) << '\n';
  }
  std::istringstream out(Run("/usr/bin/python3 " KIT_TEST_DIR "/qrcodegen-matrix.py < " + input));
  std::remove(input.c_str());
  std::vector<std::string> answers;
  for (std::string line; std::getline(out, line);) {
    if (line == "none") {
      answers.push_back(line);
      continue;
    }
    std::string block = line + "\n";
    int version = 0, mask = 0, size = 0;
    std::istringstream(line) >> version >> mask >> size;
    for (int y = 0; y < size && std::getline(out, line); ++y) block += line + "\n";
    answers.push_back(block);
  }
  return answers;
}

std::string Ours(const Case& c) {
  const auto symbol = EncodeBytes({reinterpret_cast<const std::uint8_t*>(c.data.data()), c.data.size()}, c.ecc, c.mask);
  if (!symbol) return "none";
  std::string block = std::to_string(symbol->version) + " " + std::to_string(symbol->mask) + " " +
                      std::to_string(symbol->size) + "\n";
  for (int y = 0; y < symbol->size; ++y) {
    for (int x = 0; x < symbol->size; ++x) block += symbol->Dark(x, y) ? '1' : '0';
    block += '\n';
  }
  return block;
}

void ExpectSameAsOracle(const std::vector<Case>& cases) {
  const std::vector<std::string> answers = Oracle(cases);
  ASSERT_EQ(answers.size(), cases.size()) << "is python3-qrcodegen installed?";
  for (size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(Ours(cases[i]), answers[i]) << cases[i].data.size() << " bytes, level " << LevelLetter(cases[i].ecc)
                                          << ", mask " << cases[i].mask;
  }
}

constexpr Ecc kLevels[] = {Ecc::Low, Ecc::Medium, Ecc::Quartile, Ecc::High};

TEST(Encoder, ChosenMaskSymbolsEqualTheOracleFromOneByteToPastTwoKilobytes) {
  const size_t lengths[] = {0, 1, 3, 14, 17, 18, 32, 53, 100, 154, 250, 321, 500, 666, 800,
                            1000, 1273, 1274, 1500, 1700, 2100, 2331, 2953, 2954};
  std::vector<Case> cases;
  for (size_t length : lengths) {
    for (Ecc ecc : kLevels) cases.push_back({Bytes(length, static_cast<unsigned>(length)), ecc, kAutoMask});
  }
  cases.push_back({"https://example.com/receipts?id=0042", Ecc::Low, kAutoMask});
  cases.push_back({"ABC", Ecc::Low, kAutoMask});
  ExpectSameAsOracle(cases);
}

TEST(Encoder, ForcedMaskSymbolsEqualTheOracle) {
  std::vector<Case> cases;
  for (int mask = 0; mask < 8; ++mask) {
    for (Ecc ecc : kLevels) {
      cases.push_back({Bytes(20 + 37 * mask, 7u + mask), ecc, mask});
      cases.push_back({"ABC", ecc, mask});
    }
    cases.push_back({Bytes(1900, 99), Ecc::Medium, mask});  // a version with version blocks
  }
  ExpectSameAsOracle(cases);
}

TEST(Encoder, CapacityAtVersionFortyAndOutOfRangeMasks) {
  struct Limit {
    Ecc ecc;
    size_t fits;
  };
  for (const Limit& l : {Limit{Ecc::Low, 2953}, Limit{Ecc::Medium, 2331}, Limit{Ecc::Quartile, 1663}, Limit{Ecc::High, 1273}}) {
    const std::string full(l.fits, 'x');
    const auto symbol = EncodeBytes({reinterpret_cast<const std::uint8_t*>(full.data()), full.size()}, l.ecc);
    ASSERT_TRUE(symbol) << l.fits;
    EXPECT_EQ(symbol->version, 40);
    EXPECT_EQ(symbol->size, 177);
    const std::string over(l.fits + 1, 'x');
    EXPECT_FALSE(EncodeBytes({reinterpret_cast<const std::uint8_t*>(over.data()), over.size()}, l.ecc)) << l.fits;
  }
  EXPECT_FALSE(EncodeBytes({}, Ecc::Low, 8));
  EXPECT_FALSE(EncodeBytes({}, Ecc::Low, -2));
  const auto empty = EncodeBytes({}, Ecc::High);
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->version, 1);
}

// zbarimg's reading of `bitmap` (a BMP file's bytes): the data of each symbol found.
std::string ZbarRead(const std::vector<std::uint8_t>& bitmap) {
  const std::string path = testing::TempDir() + "qr-" + std::to_string(getpid()) + ".bmp";
  {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bitmap.data()), static_cast<std::streamsize>(bitmap.size()));
  }
  std::string text = Run("zbarimg -q --raw " + path + " 2>/dev/null");
  std::remove(path.c_str());
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

TEST(Encoder, BitmapsDecodeWithZbarimgToTheText) {
  struct Read {
    std::string text;
    Ecc ecc;
    int scale;
  };
  std::string long2k;
  for (int i = 0; long2k.size() < 2100; ++i) long2k += "line " + std::to_string(i) + " of the receipt; ";
  const Read reads[] = {
      {"ABC", Ecc::Low, 7}, {"https://example.com/receipts?id=0042", Ecc::Quartile, 3},
      {std::string(300, 'q'), Ecc::Medium, 2}, {long2k.substr(0, 1200), Ecc::High, 2}, {long2k, Ecc::Low, 2},
      {"x", Ecc::High, 2},
  };
  for (const Read& r : reads) {
    const auto symbol = EncodeBytes({reinterpret_cast<const std::uint8_t*>(r.text.data()), r.text.size()}, r.ecc);
    ASSERT_TRUE(symbol);
    EXPECT_EQ(ZbarRead(SymbolBitmap(*symbol, r.scale)), r.text) << r.text.size() << " bytes";
  }
}

}  // namespace
