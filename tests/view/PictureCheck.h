#pragma once
// Comparing pictures of the board in the view's tests. A failing comparison
// leaves both pictures behind as PNG files and names them.

#include "platform/gfx/CSurface.h"

#include <gtest/gtest.h>

#include <string>

namespace viewcheck {

// A file kept beside the tests in data/.
std::string DataPath(const std::string& strName);

// Equal size and every pixel equal. Otherwise writes <test>-<what>-actual.png
// and -expected.png into the working directory and says where, with the
// number of differing pixels and the first of them.
::testing::AssertionResult SamePicture(const CSurface& actual, const CSurface& expected, const std::string& strWhat);

// The block r of s; r must lie inside s.
CSurface Crop(const CSurface& s, const CRect& r);

// The pixels that differ between two pictures of one size, as the smallest
// rectangle holding them (empty when none differ), and how many there are.
struct CDifference {
    CRect m_bounds;
    int m_nCount = 0;
};
CDifference Difference(const CSurface& a, const CSurface& b);

}  // namespace viewcheck
