#pragma once
// The card artwork's small shapes, written down once for the tests: the
// artwork test checks the bitmaps against them, and the reference painter
// draws expected boards with them. Independent of tools/artgen on purpose.

#include <array>
#include <initializer_list>
#include <string_view>

namespace artwork {

// Grids are five rows of five, written row after row; '#' is ink.
using Grid = std::array<std::string_view, 5>;

// Spade, heart, club, diamond.
inline constexpr std::array<Grid, 4> kPips = {{
    {"..#..", ".###.", "#####", "#.#.#", "..#.."},
    {".#.#.", "#####", "#####", ".###.", "..#.."},
    {".###.", "..#..", "#####", "#.#.#", "..#.."},
    {"..#..", ".###.", "#####", ".###.", "..#.."},
}};

// Ace to King.
inline constexpr std::array<Grid, 13> kGlyphs = {{
    {"..#..", ".###.", ".#.#.", "#####", "#...#"},  // Ace
    {"###..", "...#.", ".##..", "#....", "####."},  // 2
    {"###..", "...#.", ".##..", "...#.", "###.."},  // 3
    {"..#..", ".#...", "#.#..", "####.", "..#.."},  // 4
    {"####.", "#....", "###..", "...#.", "###.."},  // 5
    {".##..", "#....", "###..", "#..#.", ".##.."},  // 6
    {"####.", "...#.", "..#..", ".#...", "#...."},  // 7
    {".##..", "#..#.", ".##..", "#..#.", ".##.."},  // 8
    {".##..", "#..#.", ".###.", "...#.", ".##.."},  // 9
    {"#..#.", "#.#.#", "#.#.#", "#.#.#", "#..#."},  // 10
    {"####.", "...#.", "...#.", "#..#.", ".##.."},  // Jack
    {".###.", "#...#", "#...#", "#..##", ".####"},  // Queen
    {"#...#", "#..#.", "###..", "#..#.", "#...#"},  // King
}};

// The silver pixels of the back's ornament, by the rows that share them.
struct SilverRows {
    std::initializer_list<int> rows;
    std::initializer_list<int> columns;
};

inline const SilverRows kBackSilver[] = {
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

// Whether the back's pixel at this column and row is silver.
inline bool IsBackSilver(int col, int row)
{
    for (const SilverRows& s : kBackSilver)
        for (int r : s.rows)
            if (r == row)
                for (int c : s.columns)
                    if (c == col)
                        return true;
    return false;
}

}  // namespace artwork
