#pragma once
// A 32-bit pixel surface: the screen, an off-screen bitmap, a decoded
// resource bitmap. Pixels are 0x00RRGGBB, rows top-down, no padding.

#include "platform/gfx/Pixel.h"
#include "platform/gfx/Geometry.h"

#include <cassert>
#include <cstdint>
#include <vector>

class CSurface {
public:
    CSurface() = default;
    CSurface(int width, int height, Pixel fill = 0)
        : m_nWidth(width > 0 ? width : 0), m_nHeight(height > 0 ? height : 0),
          m_aPixels(static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight), fill)
    {
    }

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    CRect Bounds() const { return {0, 0, m_nWidth, m_nHeight}; }
    bool IsEmpty() const { return m_aPixels.empty(); }

    Pixel* Row(int y) { return m_aPixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth); }
    const Pixel* Row(int y) const
    {
        return m_aPixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth);
    }
    Pixel At(int x, int y) const
    {
        assert(x >= 0 && x < m_nWidth && y >= 0 && y < m_nHeight);
        return Row(y)[x];
    }
    void Set(int x, int y, Pixel p)
    {
        assert(x >= 0 && x < m_nWidth && y >= 0 && y < m_nHeight);
        Row(y)[x] = p;
    }
    const std::vector<Pixel>& Pixels() const { return m_aPixels; }
    std::vector<Pixel>& Pixels() { return m_aPixels; }

    friend bool operator==(const CSurface&, const CSurface&) = default;

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<Pixel> m_aPixels;
};
