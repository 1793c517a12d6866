#include "tests/view/PictureCheck.h"

#include "tools/png/PngWriter.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

namespace viewcheck {
namespace {

std::string FileSafe(std::string str)
{
    for (char& ch : str)
        if (!(std::isalnum(static_cast<unsigned char>(ch)) || ch == '-' || ch == '_'))
            ch = '_';
    return str;
}

std::string Written(const CSurface& s, const std::string& strPath)
{
    std::string strError;
    if (!WritePng(s, strPath, &strError))
        return strPath + " (not written: " + strError + ")";
    return std::filesystem::absolute(strPath).string();
}

std::string Hex(Pixel p)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06X", p);
    return buf;
}

// Row by row; only asked when the pictures differ.
CPoint FirstDifference(const CSurface& a, const CSurface& b)
{
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y))
                return {x, y};
    return {};
}

}  // namespace

std::string DataPath(const std::string& strName) { return std::string(CORVANE_VIEW_TEST_DATA) + "/" + strName; }

CDifference Difference(const CSurface& a, const CSurface& b)
{
    CDifference d;
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return {a.Bounds(), a.Width() * a.Height()};
    int left = a.Width(), top = a.Height(), right = 0, bottom = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y)) {
                ++d.m_nCount;
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x + 1);
                bottom = std::max(bottom, y + 1);
            }
    if (d.m_nCount)
        d.m_bounds = {left, top, right, bottom};
    return d;
}

::testing::AssertionResult SamePicture(const CSurface& actual, const CSurface& expected, const std::string& strWhat)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();

    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string strBase =
        FileSafe(std::string(info ? info->test_suite_name() : "view") + "-" + (info ? info->name() : "test") + "-" + strWhat);
    auto failure = ::testing::AssertionFailure();
    failure << strWhat << ": the pictures differ";
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height()) {
        failure << " in size: " << actual.Width() << " x " << actual.Height() << " against " << expected.Width()
                << " x " << expected.Height();
    } else {
        const CDifference d = Difference(actual, expected);
        failure << " in " << d.m_nCount << " pixels within x " << d.m_bounds.left << ".." << d.m_bounds.right - 1
                << ", y " << d.m_bounds.top << ".." << d.m_bounds.bottom - 1;
        const CPoint first = FirstDifference(actual, expected);
        failure << "; first at (" << first.x << ", " << first.y << "): " << Hex(actual.At(first.x, first.y))
                << " instead of " << Hex(expected.At(first.x, first.y));
    }
    failure << "\n  actual:   " << Written(actual, strBase + "-actual.png")
            << "\n  expected: " << Written(expected, strBase + "-expected.png");
    return failure;
}

CSurface Crop(const CSurface& s, const CRect& r)
{
    CSurface out(r.Width(), r.Height());
    for (int y = 0; y < r.Height(); ++y)
        std::copy_n(s.Row(r.top + y) + r.left, r.Width(), out.Row(y));
    return out;
}

}  // namespace viewcheck
