// Draws Corvane's artwork and writes it as standard files: the card bitmaps,
// the toolbar bitmap (4-bit .bmp with the 16-colour VGA palette) and the
// program icon (.ico). Run it when the drawings change and commit its output:
//   artgen <folder>
// Nothing in the program runs it; the files are what gets built in.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The standard 16-colour VGA palette, in its usual order, as (r, g, b).
constexpr std::array<std::array<std::uint8_t, 3>, 16> kPalette = {{
    {0, 0, 0},       // 0 black
    {128, 0, 0},     // 1 maroon
    {0, 128, 0},     // 2 green
    {128, 128, 0},   // 3 olive
    {0, 0, 128},     // 4 navy
    {128, 0, 128},   // 5 purple
    {0, 128, 128},   // 6 teal
    {192, 192, 192}, // 7 silver
    {128, 128, 128}, // 8 grey
    {255, 0, 0},     // 9 red
    {0, 255, 0},     // 10 lime, the cards' transparent colour
    {255, 255, 0},   // 11 yellow
    {0, 0, 255},     // 12 blue
    {255, 0, 255},   // 13 fuchsia
    {0, 255, 255},   // 14 aqua
    {255, 255, 255}, // 15 white
}};

constexpr std::uint8_t kBlack = 0, kMaroon = 1, kGreen = 2, kOlive = 3, kNavy = 4, kPurple = 5, kTeal = 6,
                       kSilver = 7, kGrey = 8, kRed = 9, kLime = 10, kYellow = 11, kBlue = 12, kFuchsia = 13,
                       kAqua = 14, kWhite = 15;

// Letters used in the hand-drawn grids below.
std::uint8_t ColorOfLetter(char c)
{
    switch (c) {
    case 'k': return kBlack;
    case 'm': return kMaroon;
    case 'g': return kGreen;
    case 'o': return kOlive;
    case 'n': return kNavy;
    case 'p': return kPurple;
    case 't': return kTeal;
    case 's': return kSilver;
    case 'd': return kGrey;
    case 'r': return kRed;
    case 'l': return kLime;
    case 'y': return kYellow;
    case 'b': return kBlue;
    case 'f': return kFuchsia;
    case 'a': return kAqua;
    case 'w': return kWhite;
    default: break;
    }
    std::fprintf(stderr, "artgen: unknown colour letter '%c'\n", c);
    std::exit(1);
}

class CImage {
public:
    CImage(int width, int height, std::uint8_t fill) : m_nWidth(width), m_nHeight(height),
        m_aPixels(static_cast<std::size_t>(width * height), fill) {}

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    std::uint8_t At(int x, int y) const { return m_aPixels[Index(x, y)]; }
    void Set(int x, int y, std::uint8_t color) { m_aPixels[Index(x, y)] = color; }

    // Copies a grid of rows; background stands for '.', transparent for ' '
    // leaves the pixel alone.
    void Paint(int x0, int y0, std::initializer_list<std::string_view> rows, std::uint8_t background)
    {
        int y = y0;
        for (std::string_view row : rows) {
            for (int x = 0; x < static_cast<int>(row.size()); ++x) {
                const char c = row[static_cast<std::size_t>(x)];
                if (c != ' ')
                    Set(x0 + x, y, c == '.' ? background : ColorOfLetter(c));
            }
            ++y;
        }
    }

    // A one-colour shape: '#' is ink, '.' is paper.
    void Stamp(int x0, int y0, const std::array<std::string_view, 5>& rows, std::uint8_t ink, std::uint8_t paper)
    {
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < static_cast<int>(rows[static_cast<std::size_t>(y)].size()); ++x)
                Set(x0 + x, y0 + y, rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#' ? ink : paper);
    }

private:
    std::size_t Index(int x, int y) const
    {
        if (x < 0 || x >= m_nWidth || y < 0 || y >= m_nHeight) {
            std::fprintf(stderr, "artgen: pixel (%d, %d) outside %d x %d\n", x, y, m_nWidth, m_nHeight);
            std::exit(1);
        }
        return static_cast<std::size_t>(y * m_nWidth + x);
    }

    int m_nWidth;
    int m_nHeight;
    std::vector<std::uint8_t> m_aPixels;
};

// ---------------------------------------------------------------- writing

class CByteWriter {
public:
    void U8(unsigned v) { m_aBytes.push_back(static_cast<std::uint8_t>(v)); }
    void U16(unsigned v) { U8(v & 0xFF); U8((v >> 8) & 0xFF); }
    void U32(std::uint32_t v) { U16(v & 0xFFFF); U16(v >> 16); }
    const std::vector<std::uint8_t>& Bytes() const { return m_aBytes; }

private:
    std::vector<std::uint8_t> m_aBytes;
};

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteSize = 16 * 4;

std::uint32_t Stride(int width, int bits) { return static_cast<std::uint32_t>((width * bits + 31) / 32 * 4); }

void WriteInfoHeader(CByteWriter& out, int width, int storedHeight, std::uint32_t imageBytes)
{
    out.U32(kInfoHeaderSize);
    out.U32(static_cast<std::uint32_t>(width));
    out.U32(static_cast<std::uint32_t>(storedHeight));
    out.U16(1);           // planes
    out.U16(4);           // bits per pixel
    out.U32(0);           // uncompressed
    out.U32(imageBytes);
    out.U32(0);           // no physical resolution
    out.U32(0);
    out.U32(16);          // colours used
    out.U32(0);           // all important
    for (const auto& c : kPalette) {
        out.U8(c[2]);
        out.U8(c[1]);
        out.U8(c[0]);
        out.U8(0);
    }
}

// Bottom-up rows of 4-bit pixels, each padded to four bytes.
void WritePixels(CByteWriter& out, const CImage& image)
{
    const std::uint32_t stride = Stride(image.Width(), 4);
    for (int y = image.Height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < image.Width(); ++x)
            row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(image.At(x, y) << (x % 2 ? 0 : 4));
        for (std::uint8_t b : row)
            out.U8(b);
    }
}

bool Save(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("wrote %s (%zu bytes)\n", path.c_str(), bytes.size());
    return true;
}

bool WriteBitmap(const std::string& path, const CImage& image)
{
    const std::uint32_t pixelOffset = 14 + kInfoHeaderSize + kPaletteSize;
    const std::uint32_t imageBytes = Stride(image.Width(), 4) * static_cast<std::uint32_t>(image.Height());
    CByteWriter out;
    out.U8('B');
    out.U8('M');
    out.U32(pixelOffset + imageBytes);
    out.U32(0);
    out.U32(pixelOffset);
    WriteInfoHeader(out, image.Width(), image.Height(), imageBytes);
    WritePixels(out, image);
    return Save(path, out.Bytes());
}

// An icon image: its colours and which pixels are transparent.
struct IconPicture {
    CImage color;
    std::vector<bool> transparent;
};

IconPicture IconFromGrid(std::initializer_list<std::string_view> rows)
{
    const int size = static_cast<int>(rows.size());
    IconPicture picture{CImage(size, size, kBlack), std::vector<bool>(static_cast<std::size_t>(size * size), false)};
    int y = 0;
    for (std::string_view row : rows) {
        for (int x = 0; x < size; ++x) {
            const char c = row[static_cast<std::size_t>(x)];
            if (c == '.')
                picture.transparent[static_cast<std::size_t>(y * size + x)] = true;  // black colour, mask set
            else
                picture.color.Set(x, y, ColorOfLetter(c));
        }
        ++y;
    }
    return picture;
}

bool WriteIcon(const std::string& path, const std::vector<IconPicture>& pictures)
{
    CByteWriter out;
    out.U16(0);
    out.U16(1);  // icon
    out.U16(static_cast<unsigned>(pictures.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(pictures.size());
    std::vector<std::uint32_t> sizes;
    for (const IconPicture& p : pictures) {
        const int n = p.color.Width();
        const std::uint32_t pixels = Stride(n, 4) * static_cast<std::uint32_t>(n) + Stride(n, 1) * static_cast<std::uint32_t>(n);
        const std::uint32_t bytes = kInfoHeaderSize + kPaletteSize + pixels;
        out.U8(static_cast<unsigned>(n));
        out.U8(static_cast<unsigned>(n));
        out.U8(16);  // colours
        out.U8(0);
        out.U16(1);  // planes
        out.U16(4);  // bits per pixel
        out.U32(bytes);
        out.U32(offset);
        offset += bytes;
        sizes.push_back(pixels);
    }
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const IconPicture& p = pictures[i];
        const int n = p.color.Width();
        WriteInfoHeader(out, n, 2 * n, sizes[i]);
        WritePixels(out, p.color);
        const std::uint32_t stride = Stride(n, 1);
        for (int y = n - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(stride, 0);
            for (int x = 0; x < n; ++x)
                if (p.transparent[static_cast<std::size_t>(y * n + x)])
                    row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            for (std::uint8_t b : row)
                out.U8(b);
        }
    }
    return Save(path, out.Bytes());
}

// ---------------------------------------------------------------- cards

constexpr int kCardWidth = 24;
constexpr int kCardHeight = 28;

// The shared card outline: a black border with three transparent pixels cut
// from each corner, the interior in the given colour, column 23 transparent.
CImage Card(std::uint8_t interior)
{
    CImage card(kCardWidth, kCardHeight, kLime);
    for (int y = 0; y < kCardHeight; ++y) {
        const int edge = (y == 0 || y == kCardHeight - 1) ? 2 : (y == 1 || y == kCardHeight - 2) ? 1 : 0;
        for (int x = edge; x <= 22 - edge; ++x) {
            const bool border = y == 0 || y == kCardHeight - 1 || x == edge || x == 22 - edge;
            card.Set(x, y, border ? kBlack : interior);
        }
    }
    return card;
}

CImage Face() { return Card(kWhite); }

CImage FaceTop()
{
    const CImage face = Face();
    CImage top(kCardWidth, 10, kLime);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < kCardWidth; ++x)
            top.Set(x, y, face.At(x, y));
    return top;
}

// The back's silver ornament, rows 2 to 25, columns counted within the
// card; the pattern is mirror-symmetric about column 11.
CImage Back()
{
    struct Row {
        std::initializer_list<int> rows;
        std::initializer_list<int> columns;
    };
    static const Row kOrnament[] = {
        {{2, 25}, {2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20}},
        {{3, 24}, {3, 19}},
        {{4, 23}, {2, 4, 7, 10, 12, 15, 18, 20}},
        {{5, 22}, {2, 8, 9, 13, 14, 20}},
        {{6, 21}, {2, 10, 11, 12, 20}},
        {{7}, {2, 8, 14, 20}},
        {{8}, {2, 4, 7, 11, 15, 18, 20}},
        {{9, 18}, {2, 5, 17, 20}},
        {{10}, {2, 5, 11, 17, 20}},
        {{11, 17}, {2, 5, 8, 11, 14, 17, 20}},
        {{12, 16}, {2, 4, 6, 9, 11, 13, 16, 18, 20}},
        {{13, 14, 15}, {2, 6, 10, 12, 16, 20}},
        {{19}, {2, 5, 7, 11, 15, 17, 20}},
        {{20}, {2, 4, 8, 14, 18, 20}},
    };
    CImage back = Card(kTeal);
    for (const Row& r : kOrnament)
        for (int y : r.rows)
            for (int x : r.columns)
                back.Set(x, y, kSilver);
    return back;
}

using Shape = std::array<std::string_view, 5>;

// Suit pips, 5 x 5 in images 6 wide; the spade's centre pixel is navy.
CImage Pips()
{
    static constexpr Shape kSpade = {"..#..", ".###.", "#####", "#.#.#", "..#.."};
    static constexpr Shape kHeart = {".#.#.", "#####", "#####", ".###.", "..#.."};
    static constexpr Shape kClub = {".###.", "..#..", "#####", "#.#.#", "..#.."};
    static constexpr Shape kDiamond = {"..#..", ".###.", "#####", ".###.", "..#.."};
    CImage pips(24, 5, kWhite);
    pips.Stamp(0, 0, kSpade, kBlack, kWhite);
    pips.Stamp(6, 0, kHeart, kRed, kWhite);
    pips.Stamp(12, 0, kClub, kBlack, kWhite);
    pips.Stamp(18, 0, kDiamond, kRed, kWhite);
    pips.Set(2, 2, kNavy);
    return pips;
}

// Rank glyphs, Ace to King, 5 x 5 each.
CImage Ranks(std::uint8_t ink)
{
    static constexpr Shape kGlyphs[13] = {
        {"..#..", ".###.", ".#.#.", "#####", "#...#"},  // A
        {"###..", "...#.", ".##..", "#....", "####."},  // 2
        {"###..", "...#.", ".##..", "...#.", "###.."},  // 3
        {"..#..", ".#...", "#.#..", "####.", "..#.."},  // 4
        {"####.", "#....", "###..", "...#.", "###.."},  // 5
        {".##..", "#....", "###..", "#..#.", ".##.."},  // 6
        {"####.", "...#.", "..#..", ".#...", "#...."},  // 7
        {".##..", "#..#.", ".##..", "#..#.", ".##.."},  // 8
        {".##..", "#..#.", ".###.", "...#.", ".##.."},  // 9
        {"#..#.", "#.#.#", "#.#.#", "#.#.#", "#..#."},  // 10
        {"####.", "...#.", "...#.", "#..#.", ".##.."},  // J
        {".###.", "#...#", "#...#", "#..##", ".####"},  // Q
        {"#...#", "#..#.", "###..", "#..#.", "#...#"},  // K
    };
    CImage ranks(65, 5, kWhite);
    for (int i = 0; i < 13; ++i)
        ranks.Stamp(5 * i, 0, kGlyphs[i], ink, kWhite);
    return ranks;
}

// A raised silver tile with an up and a down arrow, each an outlined
// triangle; the down arrow mirrors the up arrow top to bottom.
CImage Arrow()
{
    CImage tile(kCardWidth, kCardHeight, kSilver);
    for (int y = 0; y < kCardHeight; ++y) {
        tile.Set(23, y, kLime);
        tile.Set(0, y, kWhite);
        tile.Set(22, y, kBlack);
    }
    for (int x = 0; x <= 22; ++x) {
        tile.Set(x, 0, kWhite);
        tile.Set(x, kCardHeight - 1, kBlack);
    }
    for (int x = 1; x <= 21; ++x) {
        tile.Set(x, 13, kGrey);
        tile.Set(x, 14, kGrey);
    }
    struct Span {
        int row;
        std::initializer_list<int> columns;
    };
    static const Span kUp[] = {
        {4, {11}},
        {5, {10, 11, 12}},
        {6, {9, 10, 12, 13}},
        {7, {8, 9, 13, 14}},
        {8, {7, 8, 14, 15}},
        {9, {6, 7, 15, 16}},
        {10, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}},
    };
    for (const Span& s : kUp)
        for (int x : s.columns) {
            tile.Set(x, s.row, kBlack);
            tile.Set(x, 27 - s.row, kBlack);
        }
    return tile;
}

// ---------------------------------------------------------------- shell

// The four tool buttons, 16 x 16 each on the button face: Exit, Deal again,
// Undo, About.
CImage Toolbar()
{
    CImage bar(64, 16, kSilver);
    bar.Paint(0, 0, {
        "................",
        "................",
        "..rr........rr..",
        "..rrr......rrr..",
        "...rrr....rrr...",
        "....rrr..rrr....",
        ".....rrrrrr.....",
        "......rrrr......",
        "......rrrr......",
        ".....rrrrrr.....",
        "....rrr..rrr....",
        "...rrr....rrr...",
        "..rrr......rrr..",
        "..rr........rr..",
        "................",
        "................",
    }, kSilver);
    bar.Paint(16, 0, {
        "................",
        "................",
        "......bbbb......",
        "....bbbbbb......",
        "...bbbb.........",
        "...bbb......bb..",
        "..bbb......bbbb.",
        "..bb......bbbbbb",
        "..bb........bb..",
        "..bb........bb..",
        "..bbb......bbb..",
        "...bbb....bbb...",
        "...bbbbbbbbbb...",
        "....bbbbbbbb....",
        "......bbbb......",
        "................",
    }, kSilver);
    bar.Paint(32, 0, {
        "................",
        "................",
        ".....m..........",
        "....mm..........",
        "...mmm..........",
        "..mmmmppppppp...",
        "..mmmmpppppppp..",
        "...mmm......ppp.",
        "....mm.......pp.",
        ".....m.......pp.",
        ".............pp.",
        "............ppp.",
        "....pppppppppp..",
        "....ppppppppp...",
        "................",
        "................",
    }, kSilver);
    bar.Paint(48, 0, {
        "................",
        ".....gggggg.....",
        "....gggggggg....",
        "...ggg....ggg...",
        "...ggg....ggg...",
        "..........ggg...",
        ".........ggg....",
        "........ggg.....",
        ".......ggg......",
        ".......ggg......",
        ".......ggg......",
        "................",
        ".......ggg......",
        ".......ggg......",
        "................",
        "................",
    }, kSilver);
    return bar;
}

// Two overlapping cards: the one behind, to the upper left, with red pips;
// the one in front, to the lower right, with black pips. '.' is transparent.
std::vector<IconPicture> Icon()
{
    std::vector<IconPicture> pictures;
    pictures.push_back(IconFromGrid({
        "................................",
        "..kkkkkkkkkkkkkkkkk.............",
        ".kkwwwwwwwwwwwwwwwkk............",
        ".kwwrwrwwwwwwwwwwwwk............",
        ".kwrrrrrwwwwwwwwwwwk............",
        ".kwrrrrrwwwwwwwwwwwk............",
        ".kwwrrrwwwwwwkkkkkkkkkkkkkkkkk..",
        ".kwwwrwwwwwwkkwwwwwwwwwwwwwwwkk.",
        ".kwwwwwwwwwwkwwwkwwwwwwwwwwwwwk.",
        ".kwwwwwwwwwwkwwkkkwwwwwwwwwwwwk.",
        ".kwwwwwwwwwwkwkkkkkwwwwwwwwwwwk.",
        ".kwwwwwwwwwwkwkwkwkwwwwwwwwwwwk.",
        ".kwwrrwrrwwwkwwwkwwwwwwwwwwwwwk.",
        ".kwrrrrrrrwwkwwwwwwwwkwwwwwwwwk.",
        ".kwrrrrrrrwwkwwwwwwwkkkwwwwwwwk.",
        ".kwrrrrrrrwwkwwwwwwkkkkkwwwwwwk.",
        ".kwwrrrrrwwwkwwwwwkkkkkkkwwwwwk.",
        ".kwwwrrrwwwwkwwwwkkkkkkkkkwwwwk.",
        ".kwwwwrwwwwwkwwwwkkkkkkkkkwwwwk.",
        ".kwwwwwwwwwwkwwwwwkkwkwkkwwwwwk.",
        ".kwwwwwwwwwwkwwwwwwwwkwwwwwwwwk.",
        ".kwwwwwwwwwwkwwwwwwwkkkwwwwwwwk.",
        ".kwwwwwwwwwwkwwwwwwwwwwwwwwwwwk.",
        ".kwwwwwwwwwwkwwwwwwwwwwwwwkwwwk.",
        ".kkwwwwwwwwwkwwwwwwwwwwwkwkwkwk.",
        "..kkkkkkkkkkkwwwwwwwwwwwkkkkkwk.",
        "............kwwwwwwwwwwwwkkkwwk.",
        "............kwwwwwwwwwwwwwkwwwk.",
        "............kwwwwwwwwwwwwwwwwwk.",
        "............kkwwwwwwwwwwwwwwwkk.",
        ".............kkkkkkkkkkkkkkkkk..",
        "................................",
    }));
    pictures.push_back(IconFromGrid({
        ".kkkkkkkk.......",
        "kwwwwwwwwk......",
        "kwrwrwwwwk......",
        "kwrrrwwkkkkkkkk.",
        "kwwrwwkwwwwwwwwk",
        "kwwwwwkwwwwwwwwk",
        "kwwwwwkwwwkwwwwk",
        "kwwwwwkwwkkkwwwk",
        "kwrwrwkwkkkkkwwk",
        "kwrrrwkwkwkwkwwk",
        "kwwrwwkwwwkwwwwk",
        "kwwwwwkwwwwwwwwk",
        ".kkkkkkwwwwwwwwk",
        "......kwwwwwwwwk",
        "......kwwwwwwwwk",
        ".......kkkkkkkk.",
    }));
    return pictures;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen <output folder>\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    const bool ok = WriteBitmap(dir + "toolbar.bmp", Toolbar()) &&     // 128
                    WriteBitmap(dir + "cardback.bmp", Back()) &&       // 129
                    WriteBitmap(dir + "suits.bmp", Pips()) &&          // 130
                    WriteBitmap(dir + "ranks-black.bmp", Ranks(kBlack)) &&  // 131
                    WriteBitmap(dir + "facetop.bmp", FaceTop()) &&     // 133
                    WriteBitmap(dir + "face.bmp", Face()) &&           // 134
                    WriteBitmap(dir + "arrow.bmp", Arrow()) &&         // 135
                    WriteBitmap(dir + "ranks-red.bmp", Ranks(kRed)) && // 136
                    WriteIcon(dir + "corvane.ico", Icon());
    return ok ? 0 : 1;
}
