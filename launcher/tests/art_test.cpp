// The art files are what the resource compiler and Windows 95 expect of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> ReadArt(const char *name)
{
    std::ifstream in(std::string(LAUNCHER_SOURCE_DIR) + "/art/" + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t U32(const std::vector<uint8_t> &d, std::size_t at)
{
    return d.at(at) | d.at(at + 1) << 8 | d.at(at + 2) << 16 | uint32_t(d.at(at + 3)) << 24;
}
uint16_t U16(const std::vector<uint8_t> &d, std::size_t at)
{
    return static_cast<uint16_t>(d.at(at) | d.at(at + 1) << 8);
}
int32_t I32(const std::vector<uint8_t> &d, std::size_t at)
{
    return static_cast<int32_t>(U32(d, at));
}

// Expands BI_RLE8 data into 8-bit rows, top row first; false on data that
// runs past a row, the image or the input.
bool DecodeRle8(const std::vector<uint8_t> &d, std::size_t at, int width, int height,
                std::vector<uint8_t> *pixels)
{
    pixels->assign(static_cast<std::size_t>(width * height), 0);
    int x = 0, y = height - 1;
    while (at + 1 < d.size()) {
        uint8_t count = d[at], value = d[at + 1];
        at += 2;
        if (count > 0) {
            if (x + count > width || y < 0)
                return false;
            for (int k = 0; k < count; k++)
                (*pixels)[y * width + x++] = value;
        } else if (value == 0) {
            x = 0;
            y--;
        } else if (value == 1) {
            return y == -1 || (y == 0 && x == width) || x == 0;
        } else if (value == 2) {
            return false; // deltas are not used by our encoder
        } else {
            if (x + value > width || y < 0 || at + value > d.size())
                return false;
            for (int k = 0; k < value; k++)
                (*pixels)[y * width + x++] = d[at + k];
            at += value + (value & 1);
        }
    }
    return false;
}

TEST(Art, BannerBitmap)
{
    auto d = ReadArt("banner.bmp");
    ASSERT_GE(d.size(), 54u + 1024u);
    EXPECT_EQ('B', d[0]);
    EXPECT_EQ('M', d[1]);
    EXPECT_EQ(d.size(), U32(d, 2));
    EXPECT_EQ(40u, U32(d, 14));
    EXPECT_EQ(180, I32(d, 18));
    EXPECT_EQ(38, I32(d, 22)); // bottom-up, as run-length data must be
    EXPECT_EQ(8, U16(d, 28));
    EXPECT_EQ(1u, U32(d, 30)); // BI_RLE8
    EXPECT_EQ(256u, U32(d, 46));
    uint32_t offset = U32(d, 10);
    ASSERT_EQ(54u + 1024u, offset);
    EXPECT_EQ(d.size() - offset, U32(d, 34));
    std::vector<uint8_t> pixels;
    ASSERT_TRUE(DecodeRle8(d, offset, 180, 38, &pixels));
    // Black artwork on white: the corners are white, and some pixels black.
    auto colour = [&](int x, int y) {
        std::size_t p = 54 + 4 * pixels[y * 180 + x];
        return uint32_t(d[p]) | d[p + 1] << 8 | d[p + 2] << 16;
    };
    EXPECT_EQ(0xFFFFFFu, colour(0, 0));
    EXPECT_EQ(0xFFFFFFu, colour(179, 37));
    int black = 0;
    for (int y = 0; y < 38; y++) {
        for (int x = 0; x < 180; x++) {
            uint32_t c = colour(x, y);
            black += c == 0;
            // Greys only: SRCAND must keep the banner's hue.
            EXPECT_TRUE((c & 0xFF) == (c >> 8 & 0xFF) && (c & 0xFF) == (c >> 16)) << x << "," << y;
        }
    }
    EXPECT_GT(black, 300);
}

// The banners for 120, 144 and 192 DPI: the same art drawn at 1.25, 1.5 and
// 2 times the size, black on white, in run-length data that decodes whole.
TEST(Art, LargerBanners)
{
    struct {
        const char *name;
        int width, height;
    } banners[] = {
        {"banner125.bmp", 225, 48}, {"banner150.bmp", 270, 57}, {"banner200.bmp", 360, 76}};
    for (const auto &b : banners) {
        auto d = ReadArt(b.name);
        ASSERT_GE(d.size(), 54u + 8u) << b.name;
        EXPECT_EQ(d.size(), U32(d, 2)) << b.name;
        EXPECT_EQ(b.width, I32(d, 18)) << b.name;
        EXPECT_EQ(b.height, I32(d, 22)) << b.name;
        EXPECT_EQ(8, U16(d, 28)) << b.name;
        EXPECT_EQ(1u, U32(d, 30)) << b.name;
        ASSERT_EQ(2u, U32(d, 46)) << b.name;
        EXPECT_EQ(0x000000u, U32(d, 54));
        EXPECT_EQ(0xFFFFFFu, U32(d, 58));
        std::vector<uint8_t> pixels;
        ASSERT_TRUE(DecodeRle8(d, U32(d, 10), b.width, b.height, &pixels)) << b.name;
        int black = 0;
        for (uint8_t p : pixels)
            black += p == 0;
        // About the share of ink of the 96-DPI banner, scaled.
        EXPECT_GT(black, 300 * b.width / 180 * b.height / 38) << b.name;
        EXPECT_EQ(1, pixels[0]) << b.name;
    }
}

TEST(Art, Icon)
{
    auto d = ReadArt("launcher.ico");
    ASSERT_GE(d.size(), 6u);
    EXPECT_EQ(0, U16(d, 0));
    EXPECT_EQ(1, U16(d, 2));
    ASSERT_EQ(4, U16(d, 4));
    struct {
        int size, colours, bpp;
    } expected[] = {{48, 0, 8}, {32, 16, 4}, {16, 0, 8}, {16, 16, 4}};
    for (int i = 0; i < 4; i++) {
        std::size_t e = 6 + 16 * i;
        EXPECT_EQ(expected[i].size, d[e]) << i;
        EXPECT_EQ(expected[i].size, d[e + 1]) << i;
        EXPECT_EQ(expected[i].colours, d[e + 2]) << i;
        EXPECT_EQ(1, U16(d, e + 4)) << i;
        EXPECT_EQ(expected[i].bpp, U16(d, e + 6)) << i;
        uint32_t bytes = U32(d, e + 8), at = U32(d, e + 12);
        ASSERT_LE(at + bytes, d.size()) << i;
        // The image: a DIB of twice the height (colour bits, then the mask).
        EXPECT_EQ(40u, U32(d, at));
        EXPECT_EQ(expected[i].size, I32(d, at + 4));
        EXPECT_EQ(2 * expected[i].size, I32(d, at + 8));
        EXPECT_EQ(expected[i].bpp, U16(d, at + 14));
        int s = expected[i].size;
        std::size_t colourRow = ((s * expected[i].bpp + 31) / 32) * 4;
        std::size_t maskRow = ((s + 31) / 32) * 4;
        std::size_t palette = 4u << expected[i].bpp;
        EXPECT_EQ(40 + palette + colourRow * s + maskRow * s, bytes) << i;
    }
}

TEST(Art, HandCursor)
{
    auto d = ReadArt("hand.cur");
    ASSERT_GE(d.size(), 22u);
    EXPECT_EQ(2, U16(d, 2)); // a cursor
    ASSERT_EQ(1, U16(d, 4));
    EXPECT_EQ(32, d[6]);
    EXPECT_EQ(32, d[7]);
    EXPECT_EQ(9, U16(d, 10)); // hot spot at the finger tip
    EXPECT_EQ(2, U16(d, 12));
    uint32_t at = U32(d, 18);
    EXPECT_EQ(1, U16(d, at + 14)); // monochrome
    EXPECT_EQ(64, I32(d, at + 8));
    EXPECT_EQ(at + 40 + 8 + 2 * 32 * 4, d.size());
    // The hot spot is on the hand, opaque: its mask bit is clear.
    std::size_t mask = at + 40 + 8 + 32 * 4;
    int row = 31 - 2;
    EXPECT_EQ(0, d[mask + row * 4 + 9 / 8] >> (7 - 9 % 8) & 1);
}

// Offsets of the bodies of a RIFF WAVE file's chunks (0 when missing).
struct WaveChunks {
    std::size_t fmt = 0, fact = 0, data = 0;
    uint32_t dataSize = 0;
};

WaveChunks FindWaveChunks(const std::vector<uint8_t> &d)
{
    WaveChunks c;
    std::size_t at = 12;
    while (at + 8 <= d.size()) {
        std::string id(d.begin() + at, d.begin() + at + 4);
        uint32_t size = U32(d, at + 4);
        if (id == "fmt ")
            c.fmt = at + 8;
        else if (id == "fact")
            c.fact = at + 8;
        else if (id == "data") {
            c.data = at + 8;
            c.dataSize = size;
        }
        at += 8 + size + (size & 1);
    }
    return c;
}

TEST(Art, ClickSound)
{
    auto d = ReadArt("click.wav");
    ASSERT_GE(d.size(), 12u);
    EXPECT_EQ(std::string("RIFF"), std::string(d.begin(), d.begin() + 4));
    EXPECT_EQ(d.size() - 8, U32(d, 4));
    EXPECT_EQ(std::string("WAVE"), std::string(d.begin() + 8, d.begin() + 12));
    const WaveChunks c = FindWaveChunks(d);
    const std::size_t fmt = c.fmt, fact = c.fact, data = c.data;
    const uint32_t dataSize = c.dataSize;
    ASSERT_TRUE(fmt && fact && data);
    EXPECT_EQ(2, U16(d, fmt));     // MS ADPCM
    EXPECT_EQ(2, U16(d, fmt + 2)); // stereo
    EXPECT_EQ(22050u, U32(d, fmt + 4));
    uint16_t blockAlign = U16(d, fmt + 12);
    EXPECT_EQ(4, U16(d, fmt + 14)); // bits per sample
    uint16_t samplesPerBlock = U16(d, fmt + 18);
    EXPECT_EQ((blockAlign - 14) * 8 / 8 + 2, samplesPerBlock);
    EXPECT_EQ(7, U16(d, fmt + 20)); // the seven standard coefficient pairs
    EXPECT_EQ(679u, U32(d, fact));  // sample frames, about 31 ms
    // One short block: 14 header bytes for the first two frames of both
    // channels, then a byte per remaining frame.
    EXPECT_EQ(14u + 677u, dataSize);
    EXPECT_LT(d[data], 7);
    EXPECT_LT(d[data + 1], 7);
}

// Decodes the one MS ADPCM block the way the system's codec does and checks
// that it sounds like a click: loud at once, then dying away, never clipped
// into noise, and both channels alike.
TEST(Art, ClickSoundDecodes)
{
    auto d = ReadArt("click.wav");
    const WaveChunks c = FindWaveChunks(d);
    const std::size_t fmt = c.fmt, data = c.data;
    const uint32_t dataSize = c.dataSize;
    ASSERT_TRUE(fmt && data);
    ASSERT_GE(dataSize, 14u);
    int coef[7][2];
    for (int k = 0; k < 7; k++) {
        coef[k][0] = static_cast<int16_t>(U16(d, fmt + 22 + 4 * k));
        coef[k][1] = static_cast<int16_t>(U16(d, fmt + 24 + 4 * k));
    }
    EXPECT_EQ(256, coef[0][0]);
    EXPECT_EQ(-232, coef[6][1]);

    static const int adaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                       768, 614, 512, 409, 307, 230, 230, 230};
    const uint8_t *b = &d[data];
    int predictor[2] = {b[0], b[1]};
    ASSERT_LT(predictor[0], 7);
    ASSERT_LT(predictor[1], 7);
    int delta[2], s1[2], s2[2];
    for (int c = 0; c < 2; c++) {
        delta[c] = static_cast<int16_t>(b[2 + 2 * c] | b[3 + 2 * c] << 8);
        s1[c] = static_cast<int16_t>(b[6 + 2 * c] | b[7 + 2 * c] << 8);
        s2[c] = static_cast<int16_t>(b[10 + 2 * c] | b[11 + 2 * c] << 8);
    }
    std::vector<int> out[2];
    for (int c = 0; c < 2; c++) {
        out[c].push_back(s2[c]);
        out[c].push_back(s1[c]);
    }
    for (uint32_t i = 14; i < dataSize; i++) {
        for (int c = 0; c < 2; c++) {
            int nibble = c == 0 ? b[i] >> 4 : b[i] & 0xF;
            int signedNibble = nibble >= 8 ? nibble - 16 : nibble;
            int predicted = (s1[c] * coef[predictor[c]][0] + s2[c] * coef[predictor[c]][1]) / 256;
            int sample = predicted + signedNibble * delta[c];
            sample = sample < -32768 ? -32768 : sample > 32767 ? 32767 : sample;
            out[c].push_back(sample);
            s2[c] = s1[c];
            s1[c] = sample;
            delta[c] = adaptation[nibble] * delta[c] / 256;
            if (delta[c] < 16)
                delta[c] = 16;
        }
    }
    ASSERT_EQ(679u, out[0].size());
    for (int c = 0; c < 2; c++) {
        auto energy = [&](std::size_t from, std::size_t to) {
            double e = 0;
            for (std::size_t i = from; i < to; i++)
                e += double(out[c][i]) * out[c][i];
            return e / double(to - from);
        };
        int peak = 0, clipped = 0;
        for (int v : out[c]) {
            peak = std::max(peak, std::abs(v));
            clipped += v == 32767 || v == -32768;
        }
        EXPECT_GT(peak, 8000) << "channel " << c;
        EXPECT_EQ(0, clipped) << "channel " << c;
        // The first 5 ms carry far more than the last 5 ms.
        EXPECT_GT(energy(0, 110), 20 * energy(569, 679)) << "channel " << c;
    }
    double correlation = 0, l = 0, r = 0;
    for (std::size_t i = 0; i < 679; i++) {
        correlation += double(out[0][i]) * out[1][i];
        l += double(out[0][i]) * out[0][i];
        r += double(out[1][i]) * out[1][i];
    }
    EXPECT_GT(correlation / std::sqrt(l * r), 0.8);
}

} // namespace
