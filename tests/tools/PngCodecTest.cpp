#include "tests/platform/support/PngReader.h"
#include "tools/png/PngWriter.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <random>

namespace {

// A file in the working directory that is gone again after the test.
class CScratchFile {
public:
    explicit CScratchFile(std::string name) : m_strPath(std::move(name)) {}
    ~CScratchFile() { std::remove(m_strPath.c_str()); }
    CScratchFile(const CScratchFile&) = delete;
    CScratchFile& operator=(const CScratchFile&) = delete;
    const std::string& Path() const { return m_strPath; }
    void Write(const std::vector<std::uint8_t>& bytes) const
    {
        std::ofstream out(m_strPath, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<std::uint8_t> Read() const
    {
        std::ifstream in(m_strPath, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

private:
    std::string m_strPath;
};

CSurface Noise(int w, int h, unsigned seed)
{
    std::mt19937 rng(seed);
    CSurface s(w, h);
    for (Pixel& p : s.Pixels())
        p = rng() & 0xFFFFFFu;
    return s;
}

TEST(PngCodec, WhatIsWrittenReadsBackTheSame)
{
    const CScratchFile file("png-roundtrip.png");
    const CSurface picture = Noise(37, 23, 7);
    std::string error;
    ASSERT_TRUE(WritePng(picture, file.Path(), &error)) << error;
    const auto back = ReadPng(file.Path(), &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(*back, picture);
}

TEST(PngCodec, TransparencyIsWrittenAndReadBack)
{
    const CScratchFile file("png-rgba.png");
    const CSurface picture = Noise(13, 6, 5);
    std::vector<std::uint8_t> alpha(picture.Pixels().size());
    for (std::size_t i = 0; i < alpha.size(); ++i)
        alpha[i] = static_cast<std::uint8_t>(i * 37);
    std::string error;
    ASSERT_TRUE(WritePng(picture, alpha, file.Path(), &error)) << error;
    EXPECT_EQ(file.Read()[25], 6) << "not an RGBA file";
    std::vector<std::uint8_t> back;
    const auto colour = ReadPng(file.Path(), &error, &back);
    ASSERT_TRUE(colour) << error;
    EXPECT_EQ(*colour, picture);
    EXPECT_EQ(back, alpha);

    // An RGB file reads as opaque throughout.
    ASSERT_TRUE(WritePng(picture, file.Path(), &error)) << error;
    ASSERT_TRUE(ReadPng(file.Path(), &error, &back)) << error;
    EXPECT_EQ(back, std::vector<std::uint8_t>(alpha.size(), 0xFF));

    alpha.pop_back();
    EXPECT_FALSE(WritePng(picture, alpha, file.Path(), &error));
    EXPECT_NE(error.find("size"), std::string::npos) << error;
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data)
{
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutU32(out, static_cast<std::uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

int Paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// A PNG as other tools write it: every row filter in turn, RGB or RGBA.
std::vector<std::uint8_t> FilteredPng(const CSurface& s, int channels)
{
    const std::size_t stride = static_cast<std::size_t>(s.Width() * channels);
    std::vector<std::uint8_t> raw, prev(stride, 0);
    for (int y = 0; y < s.Height(); ++y) {
        std::vector<std::uint8_t> row;
        for (int x = 0; x < s.Width(); ++x) {
            const Pixel p = s.At(x, y);
            row.push_back(static_cast<std::uint8_t>(p >> 16));
            row.push_back(static_cast<std::uint8_t>(p >> 8));
            row.push_back(static_cast<std::uint8_t>(p));
            if (channels == 4)
                row.push_back(static_cast<std::uint8_t>(x * 40));
        }
        const int filter = y % 5;
        raw.push_back(static_cast<std::uint8_t>(filter));
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= static_cast<std::size_t>(channels) ? row[i - static_cast<std::size_t>(channels)] : 0;
            const int b = prev[i];
            const int c = i >= static_cast<std::size_t>(channels) ? prev[i - static_cast<std::size_t>(channels)] : 0;
            const int predictor = filter == 0 ? 0 : filter == 1 ? a : filter == 2 ? b : filter == 3 ? (a + b) / 2 : Paeth(a, b, c);
            raw.push_back(static_cast<std::uint8_t>(row[i] - predictor));
        }
        prev = row;
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()));
    packed.resize(packedSize);

    std::vector<std::uint8_t> file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutU32(header, static_cast<std::uint32_t>(s.Width()));
    PutU32(header, static_cast<std::uint32_t>(s.Height()));
    header.insert(header.end(), {8, static_cast<std::uint8_t>(channels == 4 ? 6 : 2), 0, 0, 0});
    PutChunk(file, "IHDR", header);
    PutChunk(file, "tEXt", {'a', 0, 'b'});
    // The data split over two chunks, as encoders may do.
    const std::size_t half = packed.size() / 2;
    PutChunk(file, "IDAT", {packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(half)});
    PutChunk(file, "IDAT", {packed.begin() + static_cast<std::ptrdiff_t>(half), packed.end()});
    PutChunk(file, "IEND", {});
    return file;
}

class PngFilters : public ::testing::TestWithParam<int> {};

TEST_P(PngFilters, EveryRowFilterIsUndone)
{
    const CScratchFile file("png-filters.png");
    const CSurface picture = Noise(9, 10, 11);
    file.Write(FilteredPng(picture, GetParam()));
    std::string error;
    const auto back = ReadPng(file.Path(), &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(*back, picture);
}

INSTANTIATE_TEST_SUITE_P(Channels, PngFilters, ::testing::Values(3, 4));

TEST(PngCodec, DamagedFilesAreRefusedWithAReason)
{
    const CScratchFile file("png-damaged.png");
    ASSERT_TRUE(WritePng(Noise(8, 8, 3), file.Path()));
    const std::vector<std::uint8_t> good = file.Read();

    std::string error;
    EXPECT_FALSE(ReadPng("no-such-file.png", &error));
    EXPECT_NE(error.find("no-such-file.png"), std::string::npos) << error;

    std::vector<std::uint8_t> bad = good;
    bad[1] = 'X';
    file.Write(bad);
    EXPECT_FALSE(ReadPng(file.Path(), &error));
    EXPECT_NE(error.find("not a PNG"), std::string::npos) << error;

    // Cut anywhere, the file never reads as a picture and never crashes the reader.
    for (std::size_t n = 8; n < good.size() - 12; n += 3) {
        file.Write({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)});
        error.clear();
        EXPECT_FALSE(ReadPng(file.Path(), &error)) << n << " bytes";
        EXPECT_FALSE(error.empty()) << n << " bytes";
    }

    bad = good;
    bad[16] = 0x7F;  // a width far beyond what is read
    file.Write(bad);
    EXPECT_FALSE(ReadPng(file.Path(), &error));
}

}  // namespace
