#include "platform/gfx/CRegion.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

namespace {

// The region as the set of pixels it covers: the model the rectangle lists
// must agree with.
using PixelSet = std::set<std::pair<int, int>>;

PixelSet PixelsOf(const CRect& r)
{
    PixelSet s;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            s.insert({x, y});
    return s;
}

PixelSet PixelsOf(const CRegion& region)
{
    PixelSet s;
    for (const CRect& r : region.Rects())
        for (const auto& p : PixelsOf(r))
            s.insert(p);
    return s;
}

// The rectangles of a region are never empty and never overlap, so that
// drawing through them touches each pixel once.
::testing::AssertionResult WellFormed(const CRegion& region)
{
    const auto& rects = region.Rects();
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (rects[i].IsEmpty())
            return ::testing::AssertionFailure() << "rectangle " << i << " is empty";
        for (std::size_t j = i + 1; j < rects.size(); ++j)
            if (rects[i].Intersects(rects[j]))
                return ::testing::AssertionFailure() << "rectangles " << i << " and " << j << " overlap";
    }
    return ::testing::AssertionSuccess();
}

CRect BoundsOf(const PixelSet& s)
{
    if (s.empty())
        return {};
    CRect b{s.begin()->first, s.begin()->second, s.begin()->first + 1, s.begin()->second + 1};
    for (const auto& [x, y] : s) {
        b.left = std::min(b.left, x);
        b.top = std::min(b.top, y);
        b.right = std::max(b.right, x + 1);
        b.bottom = std::max(b.bottom, y + 1);
    }
    return b;
}

enum class Op { Union, Subtract, Intersect, UnionRegion, SubtractRegion, IntersectRegion, Offset };

struct Step {
    Op op;
    CRect rect;
};

struct RegionCase {
    const char* name;
    std::vector<Step> steps;
    int area;  // pixels covered at the end
};

void PrintTo(const RegionCase& c, std::ostream* os) { *os << c.name; }

class CRegionCases : public ::testing::TestWithParam<RegionCase> {};

TEST_P(CRegionCases, CoversExactlyTheExpectedPixels)
{
    CRegion region;
    PixelSet model;
    for (const Step& s : GetParam().steps) {
        const PixelSet rect = PixelsOf(s.rect);
        PixelSet next;
        switch (s.op) {
        case Op::Union:
        case Op::UnionRegion:
            s.op == Op::Union ? region.Union(s.rect) : region.Union(CRegion(s.rect));
            next = model;
            next.insert(rect.begin(), rect.end());
            break;
        case Op::Subtract:
        case Op::SubtractRegion:
            s.op == Op::Subtract ? region.Subtract(s.rect) : region.Subtract(CRegion(s.rect));
            for (const auto& p : model)
                if (!rect.count(p))
                    next.insert(p);
            break;
        case Op::Intersect:
        case Op::IntersectRegion:
            s.op == Op::Intersect ? region.Intersect(s.rect) : region.Intersect(CRegion(s.rect));
            for (const auto& p : model)
                if (rect.count(p))
                    next.insert(p);
            break;
        case Op::Offset:
            region.Offset(s.rect.left, s.rect.top);
            for (const auto& [x, y] : model)
                next.insert({x + s.rect.left, y + s.rect.top});
            break;
        }
        model = std::move(next);
        ASSERT_TRUE(WellFormed(region));
        ASSERT_EQ(PixelsOf(region), model);
    }
    EXPECT_EQ(static_cast<int>(model.size()), GetParam().area);
    EXPECT_EQ(region.IsEmpty(), model.empty());
    EXPECT_EQ(region.Bounds(), BoundsOf(model));
}

INSTANTIATE_TEST_SUITE_P(
    Operations, CRegionCases,
    ::testing::Values(
        RegionCase{"OverlapCountsOnce", {{Op::Union, {0, 0, 10, 10}}, {Op::Union, {5, 5, 15, 15}}}, 175},
        RegionCase{"ContainedUnionAddsNothing", {{Op::Union, {0, 0, 10, 10}}, {Op::Union, {2, 2, 8, 8}}}, 100},
        RegionCase{"EmptyRectanglesAreIgnored",
                   {{Op::Union, {5, 5, 5, 9}}, {Op::Union, {3, 3, 2, 8}}, {Op::Subtract, {0, 0, 0, 0}}}, 0},
        RegionCase{"HoleInTheMiddle", {{Op::Union, {0, 0, 10, 10}}, {Op::Subtract, {3, 3, 7, 7}}}, 84},
        RegionCase{"SubtractEverything", {{Op::Union, {0, 0, 10, 10}}, {Op::Subtract, {-5, -5, 20, 20}}}, 0},
        RegionCase{"SubtractDisjointKeepsAll", {{Op::Union, {0, 0, 4, 4}}, {Op::Subtract, {4, 0, 8, 4}}}, 16},
        RegionCase{"IntersectClipsEveryPiece",
                   {{Op::Union, {0, 0, 10, 4}}, {Op::Union, {0, 6, 10, 10}}, {Op::Intersect, {2, 2, 8, 8}}}, 24},
        RegionCase{"IntersectDisjointIsEmpty", {{Op::Union, {0, 0, 4, 4}}, {Op::Intersect, {4, 4, 8, 8}}}, 0},
        RegionCase{"RegionFormsAgree",
                   {{Op::UnionRegion, {0, 0, 6, 6}},
                    {Op::UnionRegion, {3, 3, 9, 9}},
                    {Op::SubtractRegion, {4, 0, 5, 9}},
                    {Op::IntersectRegion, {1, 1, 8, 8}}},
                   34},
        RegionCase{"OffsetMovesIntoNegative",
                   {{Op::Union, {0, 0, 3, 3}}, {Op::Offset, {-5, -7, 0, 0}}, {Op::Union, {-5, -7, -3, -5}}}, 9}),
    [](const ::testing::TestParamInfo<RegionCase>& c) { return c.param.name; });

// Long random mixtures of every operation against the pixel model.
TEST(CRegion, RandomOperationsMatchThePixelModel)
{
    std::mt19937 rng(20240611u);
    auto coord = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto rect = [&] {
        const int l = coord(-4, 20), t = coord(-4, 20);
        return CRect{l, t, l + coord(0, 12), t + coord(0, 12)};
    };
    for (int round = 0; round < 60; ++round) {
        CRegion region;
        PixelSet model;
        for (int step = 0; step < 12; ++step) {
            const CRect r = rect();
            const PixelSet rp = PixelsOf(r);
            PixelSet next;
            switch (coord(0, 3)) {
            case 0:
                region.Union(r);
                next = model;
                next.insert(rp.begin(), rp.end());
                break;
            case 1:
                region.Subtract(r);
                for (const auto& p : model)
                    if (!rp.count(p))
                        next.insert(p);
                break;
            case 2: {
                // A region of two rectangles, so the region forms see real lists.
                CRegion other(r);
                const CRect r2 = rect();
                other.Union(r2);
                PixelSet op = PixelsOf(other);
                region.Intersect(other);
                for (const auto& p : model)
                    if (op.count(p))
                        next.insert(p);
                break;
            }
            default: {
                CRegion other(r);
                other.Union(rect());
                const PixelSet op = PixelsOf(other);
                region.Subtract(other);
                for (const auto& p : model)
                    if (!op.count(p))
                        next.insert(p);
                break;
            }
            }
            model = std::move(next);
            ASSERT_TRUE(WellFormed(region)) << "round " << round << " step " << step;
            ASSERT_EQ(PixelsOf(region), model) << "round " << round << " step " << step;
            const CRect probe = rect();
            bool touches = false;
            for (const auto& p : PixelsOf(probe))
                touches = touches || model.count(p) > 0;
            ASSERT_EQ(region.Intersects(probe), touches);
            const CPoint pt{coord(-5, 25), coord(-5, 25)};
            ASSERT_EQ(region.Contains(pt), model.count({pt.x, pt.y}) > 0);
        }
    }
}

// A region combined with itself: the list it reads is the one it rewrites.
TEST(CRegion, CombiningWithItself)
{
    CRegion region({0, 0, 10, 10});
    region.Subtract(CRect{3, 3, 6, 6});
    const PixelSet before = PixelsOf(region);

    region.Union(region);
    EXPECT_EQ(PixelsOf(region), before);
    region.Intersect(region);
    EXPECT_EQ(PixelsOf(region), before);
    region.Subtract(region);
    EXPECT_TRUE(region.IsEmpty());
}

TEST(CRegion, EmptyRegionHasNoBoundsAndContainsNothing)
{
    const CRegion region;
    EXPECT_EQ(region.Bounds(), CRect{});
    EXPECT_FALSE(region.Contains({0, 0}));
    EXPECT_FALSE(region.Intersects({-100, -100, 100, 100}));
}

}  // namespace
