// The codeword layer of the encoder: capacity tables, the byte-mode bit
// stream with its padding, Reed-Solomon blocks and their interleaving.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "encodeqr/Encoder.h"

namespace encodeqr {

// Data codewords (8 bits each) that `version` holds at `ecc`.
int DataCodewords(int version, Ecc ecc);
// All codewords of `version`: data and error correction.
int RawCodewords(int version);

// Mode 0100, the character count (8 bits below version 10, 16 from it), the
// data, the terminator and padding (EC 11 ...) to DataCodewords bytes.
// `data` must fit.
std::vector<std::uint8_t> DataStream(std::span<const std::uint8_t> data, int version, Ecc ecc);

// The data codewords split into blocks, each given its Reed-Solomon
// codewords, interleaved as the symbol carries them: RawCodewords bytes.
std::vector<std::uint8_t> InterleavedCodewords(const std::vector<std::uint8_t>& dataStream, int version, Ecc ecc);

}  // namespace encodeqr
