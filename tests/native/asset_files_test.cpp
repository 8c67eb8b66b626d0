// Checks the committed sound, picture and icon files against the formats the program embeds and expects.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#ifndef ZANTIRO_RESOURCES_DIR
#error "ZANTIRO_RESOURCES_DIR must name the resources folder"
#endif

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readAsset(const std::string& name) {
    std::ifstream in(std::filesystem::path(ZANTIRO_RESOURCES_DIR) / name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t le16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at) | (b.at(at + 1) << 8));
}

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return le16(b, at) | (le16(b, at + 2) << 16);
}

std::int32_t le32Signed(const Bytes& b, std::size_t at) {
    return static_cast<std::int32_t>(le32(b, at));
}

std::uint32_t be16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>((b.at(at) << 8) | b.at(at + 1));
}

std::string tag(const Bytes& b, std::size_t at, std::size_t length = 4) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                       b.begin() + static_cast<std::ptrdiff_t>(at + length));
}

// ---- WAV ----------------------------------------------------------------------------------------------------------

struct WavLayout {
    const char* file;
    std::uint32_t channels;
    std::uint32_t byteRate;
    std::uint32_t blockAlign;
    std::uint32_t dataBytes;
    std::uint32_t fileBytes;
    std::uint32_t listPayload;  // 0: the file ends with its data chunk
};

void PrintTo(const WavLayout& layout, std::ostream* os) {
    *os << layout.file;
}

constexpr std::size_t kWavDataStart = 44;  // RIFF header 12 + fmt chunk 24 + data chunk header 8

class WavFileTest : public ::testing::TestWithParam<WavLayout> {
protected:
    void SetUp() override {
        wav_ = readAsset(GetParam().file);
        ASSERT_EQ(wav_.size(), GetParam().fileBytes) << GetParam().file;
    }

    std::vector<std::int16_t> samples() const {
        std::vector<std::int16_t> out;
        for (std::size_t i = 0; i < GetParam().dataBytes; i += 2) {
            out.push_back(static_cast<std::int16_t>(le16(wav_, kWavDataStart + i)));
        }
        return out;
    }

    Bytes wav_;
};

TEST_P(WavFileTest, HeaderAndFormatChunkMatchTheTable) {
    const WavLayout& want = GetParam();
    EXPECT_EQ(tag(wav_, 0), "RIFF");
    EXPECT_EQ(le32(wav_, 4), want.fileBytes - 8);
    EXPECT_EQ(tag(wav_, 8), "WAVE");

    EXPECT_EQ(tag(wav_, 12), "fmt ");
    EXPECT_EQ(le32(wav_, 16), 16u);
    EXPECT_EQ(le16(wav_, 20), 1u) << "PCM";
    EXPECT_EQ(le16(wav_, 22), want.channels);
    EXPECT_EQ(le32(wav_, 24), 22050u);
    EXPECT_EQ(le32(wav_, 28), want.byteRate);
    EXPECT_EQ(le16(wav_, 32), want.blockAlign);
    EXPECT_EQ(le16(wav_, 34), 16u);
    // Players derive durations from these; they must agree with each other, not only with the table.
    EXPECT_EQ(le32(wav_, 28), le32(wav_, 24) * le16(wav_, 32));
    EXPECT_EQ(le16(wav_, 32), le16(wav_, 22) * le16(wav_, 34) / 8);

    EXPECT_EQ(tag(wav_, 36), "data");
    EXPECT_EQ(le32(wav_, 40), want.dataBytes);
    EXPECT_EQ(want.dataBytes % want.blockAlign, 0u) << "whole frames only";
}

TEST_P(WavFileTest, ChunksAfterTheSamplesEndTheFileExactly) {
    const WavLayout& want = GetParam();
    const std::size_t afterData = kWavDataStart + want.dataBytes + (want.dataBytes % 2);
    if (want.listPayload == 0) {
        EXPECT_EQ(afterData, wav_.size());
        return;
    }
    ASSERT_EQ(afterData + 8 + want.listPayload, wav_.size());
    EXPECT_EQ(tag(wav_, afterData), "LIST");
    EXPECT_EQ(le32(wav_, afterData + 4), want.listPayload);
    EXPECT_EQ(tag(wav_, afterData + 8), "INFO");

    // The INFO entries must tile the list exactly, each a NUL-terminated text.
    std::size_t at = afterData + 12;
    int entries = 0;
    while (at < wav_.size()) {
        ASSERT_LE(at + 8, wav_.size());
        const std::string id = tag(wav_, at);
        EXPECT_EQ(id[0], 'I') << "INFO entry ids start with I: " << id;
        const std::uint32_t size = le32(wav_, at + 4);
        ASSERT_LE(at + 8 + size, wav_.size()) << id;
        ASSERT_GT(size, 0u) << id;
        const std::string text = tag(wav_, at + 8, size);
        EXPECT_EQ(text.back(), '\0') << id;
        EXPECT_NE(text.front(), '\0') << id << " is empty";
        at += 8 + size + (size % 2);
        ++entries;
    }
    EXPECT_EQ(at, wav_.size());
    EXPECT_GE(entries, 1);
}

TEST_P(WavFileTest, EveryChannelIsAudibleUnclippedAndStartsAndEndsQuietly) {
    const WavLayout& want = GetParam();
    const std::vector<std::int16_t> pcm = samples();
    const std::size_t frames = pcm.size() / want.channels;
    constexpr int kFullScale = 32767;
    constexpr int kQuiet = kFullScale / 100;  // a jump from silence bigger than this is heard as a click

    for (std::size_t ch = 0; ch < want.channels; ++ch) {
        int peak = 0;
        for (std::size_t f = 0; f < frames; ++f) {
            const int v = pcm[f * want.channels + ch];
            EXPECT_TRUE(v < kFullScale && v > -kFullScale - 1) << "clipped at frame " << f << ", channel " << ch;
            peak = std::max(peak, v < 0 ? -v : v);
        }
        EXPECT_GT(peak, kFullScale / 2) << "channel " << ch << " peaks below -6 dBFS";
        EXPECT_LT(peak, kFullScale * 9 / 10) << "channel " << ch << " has no headroom";
        const int first = pcm[ch];
        const int last = pcm[(frames - 1) * want.channels + ch];
        EXPECT_LT(std::abs(first), kQuiet) << "channel " << ch;
        EXPECT_LT(std::abs(last), kQuiet) << "channel " << ch;
    }
}

INSTANTIATE_TEST_SUITE_P(Sounds,
                         WavFileTest,
                         ::testing::Values(WavLayout{"ti.wav", 2, 88200, 4, 119292, 119384, 40},
                                           WavLayout{"ling.wav", 1, 44100, 2, 38886, 38930, 0}),
                         [](const ::testing::TestParamInfo<WavLayout>& info) {
                             return std::string(info.param.file).substr(0, std::string(info.param.file).find('.'));
                         });

// ---- JPEG ---------------------------------------------------------------------------------------------------------

struct JpegSegment {
    std::uint32_t marker;  // second byte of the marker, e.g. 0xC0
    std::size_t payload;   // offset of the bytes after the length field
    std::size_t length;    // payload length, without the length field
};

class JpegFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        jpeg_ = readAsset("background.jpg");
        ASSERT_EQ(jpeg_.size(), 11616u);
        ASSERT_EQ(be16(jpeg_, 0), 0xFFD8u) << "SOI";
        // Walk the marker segments up to and including the scan header.
        std::size_t at = 2;
        while (at + 4 <= jpeg_.size()) {
            ASSERT_EQ(jpeg_[at], 0xFF) << "marker expected at " << at;
            const std::uint32_t marker = jpeg_[at + 1];
            const std::size_t length = be16(jpeg_, at + 2);
            ASSERT_GE(length, 2u);
            segments_.push_back({marker, at + 4, length - 2});
            at += 2 + length;
            if (marker == 0xDA) {
                scanStart_ = at;
                break;
            }
        }
        ASSERT_NE(scanStart_, 0u) << "no SOS";
    }

    std::vector<JpegSegment> with(std::uint32_t marker) const {
        std::vector<JpegSegment> out;
        std::copy_if(segments_.begin(), segments_.end(), std::back_inserter(out),
                     [marker](const JpegSegment& s) { return s.marker == marker; });
        return out;
    }

    std::ptrdiff_t position(std::uint32_t marker) const {
        auto it = std::find_if(segments_.begin(), segments_.end(),
                               [marker](const JpegSegment& s) { return s.marker == marker; });
        return it == segments_.end() ? -1 : it - segments_.begin();
    }

    Bytes jpeg_;
    std::vector<JpegSegment> segments_;
    std::size_t scanStart_ = 0;
};

TEST_F(JpegFileTest, StartsWithJfif101At96Dpi) {
    ASSERT_FALSE(segments_.empty());
    const JpegSegment& app0 = segments_.front();
    ASSERT_EQ(app0.marker, 0xE0u) << "APP0 must follow SOI";
    ASSERT_GE(app0.length, 14u);
    EXPECT_EQ(tag(jpeg_, app0.payload, 5), std::string("JFIF\0", 5));
    EXPECT_EQ(jpeg_[app0.payload + 5], 1) << "major version";
    EXPECT_EQ(jpeg_[app0.payload + 6], 1) << "minor version";
    EXPECT_EQ(jpeg_[app0.payload + 7], 1) << "density units: dots per inch";
    EXPECT_EQ(be16(jpeg_, app0.payload + 8), 96u);
    EXPECT_EQ(be16(jpeg_, app0.payload + 10), 96u);
    const std::size_t thumbnail = 3u * jpeg_[app0.payload + 12] * jpeg_[app0.payload + 13];
    EXPECT_EQ(app0.length, 14u + thumbnail);
}

TEST_F(JpegFileTest, IsOneBaselineFrameOf399By176InThreeComponents) {
    // Any other start-of-frame (progressive, extended, lossless, arithmetic) is refused by some decoders.
    for (const JpegSegment& s : segments_) {
        const bool otherFrame = s.marker >= 0xC1 && s.marker <= 0xCF && s.marker != 0xC4 && s.marker != 0xCC;
        EXPECT_FALSE(otherFrame) << std::hex << "SOF marker 0x" << s.marker;
    }
    const auto frames = with(0xC0);
    ASSERT_EQ(frames.size(), 1u);
    const JpegSegment& sof = frames.front();
    ASSERT_EQ(sof.length, 6u + 3u * 3u);
    EXPECT_EQ(jpeg_[sof.payload], 8) << "sample precision";
    EXPECT_EQ(be16(jpeg_, sof.payload + 1), 176u) << "height";
    EXPECT_EQ(be16(jpeg_, sof.payload + 3), 399u) << "width";
    ASSERT_EQ(jpeg_[sof.payload + 5], 3) << "components";

    // Each component's quantisation table must be defined, and baseline tables are 8-bit.
    std::vector<int> definedTables;
    for (const JpegSegment& dqt : with(0xDB)) {
        for (std::size_t at = dqt.payload; at < dqt.payload + dqt.length; at += 65) {
            EXPECT_EQ(jpeg_[at] >> 4, 0) << "16-bit quantisation table";
            definedTables.push_back(jpeg_[at] & 0x0F);
        }
    }
    for (int c = 0; c < 3; ++c) {
        const int table = jpeg_[sof.payload + 6 + 3 * c + 2];
        EXPECT_NE(std::find(definedTables.begin(), definedTables.end(), table), definedTables.end())
            << "component " << c << " uses undefined table " << table;
    }
    // Baseline allows two Huffman tables of each class.
    ASSERT_FALSE(with(0xC4).empty()) << "no DHT";
    for (const JpegSegment& dht : with(0xC4)) {
        std::size_t at = dht.payload;
        while (at < dht.payload + dht.length) {
            EXPECT_LE(jpeg_[at] & 0x0F, 1) << "Huffman table id";
            std::size_t symbols = 0;
            for (std::size_t i = 1; i <= 16; ++i) {
                symbols += jpeg_[at + i];
            }
            at += 17 + symbols;
        }
        EXPECT_EQ(at, dht.payload + dht.length);
    }
}

TEST_F(JpegFileTest, PaddingCommentComesBeforeTheTablesAndTheScanRunsToEoi) {
    const auto com = position(0xFE);
    ASSERT_GE(com, 0) << "no COM";
    EXPECT_LT(com, position(0xDB));
    EXPECT_LT(com, position(0xC0));
    EXPECT_EQ(jpeg_[segments_.back().payload], 3) << "the scan interleaves all three components";

    // Inside entropy-coded data an 0xFF is always stuffed (FF 00) or a restart marker; the first real marker is EOI.
    std::size_t at = scanStart_;
    while (at + 1 < jpeg_.size()) {
        if (jpeg_[at] == 0xFF) {
            const std::uint8_t next = jpeg_[at + 1];
            if (next != 0x00 && (next < 0xD0 || next > 0xD7)) {
                break;
            }
            ++at;
        }
        ++at;
    }
    EXPECT_EQ(at, jpeg_.size() - 2) << "scan ends before the file does";
    EXPECT_EQ(be16(jpeg_, jpeg_.size() - 2), 0xFFD9u) << "EOI";
    EXPECT_GT(at - scanStart_, 1000u) << "suspiciously little image data";
}

// ---- ICO ----------------------------------------------------------------------------------------------------------

class IconFileTest : public ::testing::Test {
protected:
    static constexpr std::size_t kSide = 48;
    static constexpr std::size_t kAndStride = 8;  // 48 bits padded to 32-bit units
    static constexpr std::size_t kImageBytes = 40 + 256 * 4 + kSide * kSide + kSide * kAndStride;

    void SetUp() override {
        ico_ = readAsset("zantiro.ico");
        for (std::size_t i = 0; i < le16(ico_, 4); ++i) {  // the design's image is one of several sizes
            entry_ = ico_.at(6 + 16 * i) == kSide ? 6 + 16 * i : entry_;
        }
        ASSERT_NE(entry_, 0u) << "no 48x48 image";
        image_ = le32(ico_, entry_ + 12);
        ASSERT_EQ(le32(ico_, entry_ + 8), kImageBytes) << "bytes in resource";
        ASSERT_LE(image_ + kImageBytes, ico_.size());
    }

    std::size_t palette() const { return image_ + 40; }
    std::size_t xorBits() const { return palette() + 256 * 4; }

    // Rows are stored bottom-up; y counts from the top here.
    bool transparent(std::size_t x, std::size_t y) const {
        const std::size_t row = xorBits() + kSide * kSide + (kSide - 1 - y) * kAndStride;
        return (ico_[row + x / 8] >> (7 - x % 8)) & 1;
    }

    std::uint8_t pixel(std::size_t x, std::size_t y) const { return ico_[xorBits() + (kSide - 1 - y) * kSide + x]; }

    Bytes ico_;
    std::size_t entry_ = 0;
    std::size_t image_ = 0;
};

TEST_F(IconFileTest, DirectoryAndBitmapHeaderDescribeThe48x48ImageWith256Colours) {
    EXPECT_EQ(le16(ico_, 0), 0u);
    EXPECT_EQ(le16(ico_, 2), 1u) << "type icon";

    EXPECT_EQ(ico_[entry_ + 1], kSide);
    EXPECT_EQ(ico_[entry_ + 2], 0) << "colour count is 0 for 256 colours";
    EXPECT_EQ(ico_[entry_ + 3], 0);
    EXPECT_EQ(le16(ico_, entry_ + 6), 8u) << "bit count";

    EXPECT_EQ(le32(ico_, image_), 40u) << "BITMAPINFOHEADER size";
    EXPECT_EQ(le32Signed(ico_, image_ + 4), 48);
    EXPECT_EQ(le32Signed(ico_, image_ + 8), 96) << "XOR and AND bitmaps together";
    EXPECT_EQ(le16(ico_, image_ + 12), 1u) << "planes";
    EXPECT_EQ(le16(ico_, image_ + 14), 8u) << "bits per pixel";
    EXPECT_EQ(le32(ico_, image_ + 16), 0u) << "BI_RGB";
    const std::uint32_t sizeImage = le32(ico_, image_ + 20);
    EXPECT_TRUE(sizeImage == 0 || sizeImage == kSide * kSide + kSide * kAndStride) << sizeImage;
    const std::uint32_t colours = le32(ico_, image_ + 32);
    EXPECT_TRUE(colours == 0 || colours == 256) << colours;
    for (std::size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(ico_[palette() + i * 4 + 3], 0) << "palette entry " << i << " reserved byte";
    }
}

TEST_F(IconFileTest, MaskCutsOutARoundShapeAndHidesNothingBehindIt) {
    for (auto [x, y] : {std::pair{0u, 0u}, {47u, 0u}, {0u, 47u}, {47u, 47u}, {2u, 24u}}) {
        EXPECT_TRUE(transparent(x, y)) << "(" << x << "," << y << ") should be outside the face";
    }
    for (auto [x, y] : {std::pair{24u, 26u}, {10u, 26u}, {38u, 26u}, {24u, 40u}}) {
        EXPECT_FALSE(transparent(x, y)) << "(" << x << "," << y << ") should be on the face";
    }
    // Where the mask is set, Windows XORs the pixel into the desktop, so it must be black there.
    std::vector<std::uint8_t> used;
    for (std::size_t y = 0; y < kSide; ++y) {
        for (std::size_t x = 0; x < kSide; ++x) {
            const std::size_t entry = palette() + pixel(x, y) * 4u;
            if (transparent(x, y)) {
                EXPECT_EQ(ico_[entry] | ico_[entry + 1] | ico_[entry + 2], 0) << "(" << x << "," << y << ")";
            } else {
                used.push_back(pixel(x, y));
            }
        }
    }
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    EXPECT_GE(used.size(), 3u) << "the visible part needs a ring, a face and hands";
}

}  // namespace
