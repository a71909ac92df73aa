#include "monitor_paging.h"

#include <algorithm>

namespace telvor {

int FirstPageOf(int station) { return std::max(0, (station - 1) / kPanelsPerPage); }

int PageAfter(int page, PageInput input, int thumbPosition) {
    int next = page;
    switch (input) {
    case PageInput::LineUp: next = page - 1; break;
    case PageInput::LineDown: next = page + 1; break;
    case PageInput::PageUp: next = page - 10; break;
    case PageInput::PageDown: next = page + 10; break;
    case PageInput::Thumb: next = thumbPosition; break;
    }
    return std::clamp(next, 0, kLastPage);
}

int WheelLineSteps(int delta) { return delta * 3 / 120; }

int PageAfterWheel(int page, int delta) { return std::clamp(page - WheelLineSteps(delta), 0, kLastPage); }

}  // namespace telvor
