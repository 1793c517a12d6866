#pragma once
// Board points and positions shared by the tables of tap cases.

#include "platform/gfx/Geometry.h"
#include "tests/support/BoardFixture.h"

namespace viewcheck {

// Inside card i of column c: the column's slot, 3 rows into the card's
// 10-row band.
constexpr CPoint CardPoint(int c, int i) { return {24 * c + 12, 35 + 10 * i + 3}; }

// A layout made from another with some piles changed.
inline testboard::CLayout With(const testboard::CLayout& base, void (*change)(testboard::CLayout&))
{
    testboard::CLayout layout = base;
    change(layout);
    return layout;
}

}  // namespace viewcheck
