#pragma once
// The pages of the monitor-all window: five stations a page, pages 0..50.

namespace telvor {

inline constexpr int kPanelsPerPage = 5;
inline constexpr int kLastPage = 50;

enum class PageInput { LineUp, LineDown, PageUp, PageDown, Thumb };

// Station of panel 0..4 on a page: 5 x page + panel + 1 (255 on page 50's last panel).
inline constexpr int StationOfPanel(int page, int panel) { return kPanelsPerPage * page + panel + 1; }

// The first page: the page of the lowest present station, else of the first listed one.
int FirstPageOf(int station);
// The page after a scroll-bar input, the Page Up/Down keys (PageUp/PageDown) or a
// thumb position.
int PageAfter(int page, PageInput input, int thumbPosition = 0);
// Line steps of a wheel turn: three per notch of 120, positive = forward (line up).
int WheelLineSteps(int delta);
// The page after a wheel turn.
int PageAfterWheel(int page, int delta);

}  // namespace telvor
