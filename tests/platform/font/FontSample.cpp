// Renders sample text in every face, enlarged, as a PPM image: for looking at
// the glyph table by eye after changing the generator or the faces.
//
//   font_sample OUTPUT.ppm [SCALE]

#include "platform/font/CFontFace.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: font_sample OUTPUT.ppm [SCALE]\n";
        return 2;
    }
    const int scale = argc == 3 ? std::atoi(argv[2]) : 3;
    if (scale < 1 || scale > 16) {
        std::cerr << "font_sample: SCALE must be 1 to 16\n";
        return 2;
    }

    const std::vector<std::string> samples = {
        "The quick brown fox jumps over the lazy dog.",
        "Deal again?  Undo  About  Exit  0123456789",
        "Kings may go into an empty column only.",
        "\xC3\x80\xC3\x89\xC3\x8E\xC3\x95\xC3\x9C \xC3\xA0\xC3\xA9\xC3\xAE\xC3\xB5\xC3\xBC \xC3\x9F\xC3\xB1\xC3\xA7 "
        "\xC2\xA9\xC2\xAE\xC2\xB0\xC2\xBD \xE2\x82\xAC \xFF",
    };
    const CFontFace::Face faces[] = {CFontFace::Normal11, CFontFace::Normal12, CFontFace::Bold12};

    const int width = 240;
    int height = 0;
    for (CFontFace::Face face : faces)
        height += CFontFace(face).LineHeight() * static_cast<int>(samples.size()) + 4;

    const Pixel paper = PixelFromRGB(255, 255, 255);
    CSurface surface(width, height, paper);
    int y = 0;
    for (CFontFace::Face face : faces) {
        const CFontFace font(face);
        for (const std::string& text : samples) {
            font.DrawText(surface, {2, y}, text, PixelFromRGB(0, 0, 0));
            y += font.LineHeight();
        }
        y += 4;
    }

    std::ofstream out(argv[1], std::ios::binary);
    out << "P6\n" << width * scale << " " << height * scale << "\n255\n";
    for (int sy = 0; sy < height * scale; ++sy)
        for (int sx = 0; sx < width * scale; ++sx) {
            const Pixel p = surface.At(sx / scale, sy / scale);
            const char rgb[3] = {static_cast<char>((p >> 16) & 0xFF), static_cast<char>((p >> 8) & 0xFF),
                                 static_cast<char>(p & 0xFF)};
            out.write(rgb, 3);
        }
    out.close();
    if (!out) {
        std::cerr << "font_sample: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
