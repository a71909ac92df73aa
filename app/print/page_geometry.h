#pragma once
// Where things stand on a printed page, in 0.01 inch below the top of the
// printable area and right of its left edge.

namespace telvor {

inline constexpr int kAreaLeft = 30;    // the drawing area starts here
inline constexpr int kTableLeft = 30;   // the table and the title block span 30..770
inline constexpr int kTableRight = 770;
inline constexpr int kHeadingX = 50;
inline constexpr int kDescriptionX = 40;
inline constexpr int kCodeX = 370;
inline constexpr int kHeadingTop = 30;
inline constexpr int kHeadingHeight = 16;
inline constexpr int kBodyHeight = 14;
inline constexpr int kThickLine = 2;

// A text row: the text 2 below the rule above it, the next rule the font height plus 4 lower.
inline constexpr int kTextGap = 2;
inline constexpr int kRowPitch = kBodyHeight + 4 + kTextGap;
inline constexpr int kTitleBlockDepth = 6 * kRowPitch;
inline constexpr int kCompareHeadingDepth = kTextGap + kHeadingHeight + 4;

// The heading, its rule and one more line height of room.
inline constexpr int kHeadingDepth = kHeadingTop + 2 * kHeadingHeight;

// How far below the top the table header's upper rule lies.
constexpr int TableTop(bool title, bool comparison) {
    return kHeadingDepth + (title ? kTitleBlockDepth : 0) + (comparison ? kCompareHeadingDepth : 0);
}

}  // namespace telvor
