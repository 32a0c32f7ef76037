// Decode and encode throughput of every picture format, compressed and not,
// on 240 x 320 pictures: a noisy gradient (literals) beside flat blocks (runs).

#include <benchmark/benchmark.h>

#include <random>
#include <span>

#include "codec/gpf_codec.h"
#include "ui/silent_ui.h"

using namespace GPFcodec;

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 320;

const DecodedPicture& Sample() {
    static const DecodedPicture picture = [] {
        DecodedPicture p;
        p.width = kWidth;
        p.height = kHeight;
        p.hasAlpha = true;
        std::mt19937 random(42);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const bool flat = x >= kWidth / 2 || y % 40 < 8;
                const auto noise = static_cast<int>(random() % 24);
                const int block = (x / 16 + y / 16) % 4;
                p.at(x, y) = flat ? Cell{static_cast<std::uint8_t>(block * 60), 200,
                                         static_cast<std::uint8_t>(255 - block * 60), 255}
                                  : Cell{static_cast<std::uint8_t>(x + noise),
                                         static_cast<std::uint8_t>(y * 3 / 4 + noise),
                                         static_cast<std::uint8_t>(128 + noise), 255};
            }
        }
        return p;
    }();
    return picture;
}

/// The encoder writes no compressed 1-bit streams: cut the dark/light bits
/// into runs (1cnnnnnn) where 8 or more agree, else 7-bit literals.
std::string CompressedOneBit(const DecodedPicture& picture) {
    std::vector<bool> dark;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Cell& c = picture.at(x, y);
            dark.push_back(c.red / 3.0 + c.green / 3.0 + c.blue / 3.0 < 127);
        }
    }
    std::string stream;
    std::size_t i = 0;
    while (i < dark.size()) {
        std::size_t same = 1;
        while (i + same < dark.size() && same < 63 && dark[i + same] == dark[i]) ++same;
        if (same >= 8) {
            stream += static_cast<char>(0x80 | (dark[i] ? 0x40 : 0) | static_cast<int>(same));
            i += same;
            continue;
        }
        int bits = 0;
        for (int k = 0; k < 7; ++k) bits = bits << 1 | (i + k < dark.size() && dark[i + k] ? 1 : 0);
        stream += static_cast<char>(bits);
        i += 7;
    }
    return stream;
}

/// A stream for each decodable format. 12-bit streams reuse the 16-bit ones:
/// both store two bytes per pixel, so the control structure is the same.
std::string StreamFor(int bitDepth, bool compressed) {
    const DecodedPicture& picture = Sample();
    switch (bitDepth) {
        case 1:
            return compressed ? CompressedOneBit(picture) : EncodePicture(picture, 0x01);
        case 8:
            return EncodePicture(picture, compressed ? 0x85 : 0x05);
        case 12:
        case 16:
            return EncodePicture(picture, compressed ? 0x88 : 0x08);
        default:
            return EncodePicture(picture, compressed ? 0x8A : 0x0A);
    }
}

void SetPixelRate(benchmark::State& state) {
    state.counters["Mpixel/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kWidth * kHeight / 1e6,
                           benchmark::Counter::kIsRate);
}

void BM_Decode(benchmark::State& state, int bitDepth, bool compressed) {
    const std::string stream = StreamFor(bitDepth, compressed);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(stream.data()),
                                              stream.size());
    DecodedPicture picture;
    SilentUi ui;
    for (auto _ : state) {
        ByteCursor source(bytes);
        DecodePicture(picture, ui, source, 0, kWidth, kHeight, compressed, bitDepth);
        benchmark::DoNotOptimize(picture.canvas.data());
    }
    state.counters["bytes"] = static_cast<double>(stream.size());
    SetPixelRate(state);
}

void BM_Encode(benchmark::State& state, int typeCode) {
    const DecodedPicture& picture = Sample();
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string stream = EncodePicture(picture, typeCode);
        size = stream.size();
        benchmark::DoNotOptimize(stream.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
    SetPixelRate(state);
}

}  // namespace

BENCHMARK_CAPTURE(BM_Decode, raw_1bit, 1, false);
BENCHMARK_CAPTURE(BM_Decode, raw_8bit, 8, false);
BENCHMARK_CAPTURE(BM_Decode, raw_12bit, 12, false);
BENCHMARK_CAPTURE(BM_Decode, raw_16bit, 16, false);
BENCHMARK_CAPTURE(BM_Decode, raw_24bit, 24, false);
BENCHMARK_CAPTURE(BM_Decode, rle_1bit, 1, true);
BENCHMARK_CAPTURE(BM_Decode, rle_8bit, 8, true);
BENCHMARK_CAPTURE(BM_Decode, rle_12bit, 12, true);
BENCHMARK_CAPTURE(BM_Decode, rle_16bit, 16, true);
BENCHMARK_CAPTURE(BM_Decode, rle_24bit, 24, true);

BENCHMARK_CAPTURE(BM_Encode, raw_1bit_01, 0x01);
BENCHMARK_CAPTURE(BM_Encode, raw_8bit_05, 0x05);
BENCHMARK_CAPTURE(BM_Encode, raw_16bit_08, 0x08);
BENCHMARK_CAPTURE(BM_Encode, raw_24bit_0A, 0x0A);
BENCHMARK_CAPTURE(BM_Encode, rle_8bit_85, 0x85);
BENCHMARK_CAPTURE(BM_Encode, rle_16bit_88, 0x88);
BENCHMARK_CAPTURE(BM_Encode, rle_24bit_8A, 0x8A);
