#include "station_range.h"

#include <algorithm>

namespace telvor {
namespace {

// A number is kept only up to this size while it is read: anything above 254
// is 254 in the end, and a long run of digits must not overflow.
constexpr int kNumberCap = 100000;

int ClampStation(int number) { return std::clamp(number, kFirstStation, kLastStation); }

void MarkRange(StationMarks& marks, int a, int b) {
    for (int s = std::min(a, b); s <= std::max(a, b); ++s) marks.marked[s] = true;
}

void CollectList(StationMarks& marks) {
    marks.list.clear();
    for (int s = kFirstStation; s <= kLastStation; ++s) {
        if (marks.marked[s]) marks.list.push_back(s);
    }
    marks.count = static_cast<int>(marks.list.size());
}

class RangeScanner {
public:
    explicit RangeScanner(StationMarks& marks) : marks_(marks) {}

    void Digit(char c) {
        int& number = inRange_ ? second_ : first_;
        number = std::min(number * 10 + (c - '0'), kNumberCap);
        started_ = true;
        digitSeen_ = true;
    }

    void Comma() {
        if (digitSeen_) CloseEntry();
        digitSeen_ = false;
    }

    void Hyphen() {
        if (digitSeen_) {
            if (inRange_) CloseEntry();
            if (started_) inRange_ = true;
        }
        digitSeen_ = false;
    }

    void End() {
        if (digitSeen_) {
            first_ = ClampStation(first_);
            marks_.marked[first_] = true;
        }
        if (inRange_ && (first_ != 0 || second_ != 0)) {
            first_ = std::min(first_, kLastStation);
            second_ = std::min(second_, kLastStation);
            if (first_ != 0 && second_ != 0) {
                MarkRange(marks_, first_, second_);
            } else {
                marks_.marked[std::max(first_ != 0 ? first_ : second_, kFirstStation)] = true;
            }
        }
    }

private:
    void CloseEntry() {
        first_ = ClampStation(first_);
        if (inRange_) {
            MarkRange(marks_, first_, ClampStation(second_));
        } else {
            marks_.marked[first_] = true;
        }
        first_ = 0;
        second_ = 0;
        started_ = false;
        inRange_ = false;
    }

    StationMarks& marks_;
    int first_ = 0;
    int second_ = 0;
    bool started_ = false;
    bool inRange_ = false;
    bool digitSeen_ = false;
};

// Reads the strict grammar from left to right.
class StrictScanner {
public:
    explicit StrictScanner(std::string_view text) : text_(text) {}

    // A station number, blanks before it skipped.
    std::optional<int> Number() {
        SkipBlanks();
        int number = 0;
        std::size_t digits = 0;
        for (; at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9'; ++at_, ++digits)
            number = std::min(number * 10 + (text_[at_] - '0'), kNumberCap);
        if (digits == 0 || !IsStationNumber(number)) return std::nullopt;
        return number;
    }

    // True when the next character after blanks is `c`, which is then taken.
    bool Take(char c) {
        SkipBlanks();
        if (at_ >= text_.size() || text_[at_] != c) return false;
        ++at_;
        return true;
    }

    bool AtEnd() {
        SkipBlanks();
        return at_ == text_.size();
    }

private:
    void SkipBlanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

StationMarks ParseStationRange(std::string_view text, EmptyStationText emptyRule) {
    StationMarks marks;
    std::string_view::size_type kept = 0;
    RangeScanner scanner(marks);
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            scanner.Digit(c);
        } else if (c == ',') {
            scanner.Comma();
        } else if (c == '-') {
            scanner.Hyphen();
        } else {
            continue;
        }
        ++kept;
    }
    if (kept == 0) {
        if (emptyRule == EmptyStationText::MarkAllStations) return AllStations();
        marks.marked[kFirstStation] = true;
    } else {
        scanner.End();
    }
    CollectList(marks);
    return marks;
}

StationMarks AllStations() {
    StationMarks marks;
    for (int s = kFirstStation; s <= kLastStation; ++s) marks.marked[s] = true;
    CollectList(marks);
    return marks;
}

std::optional<StationMarks> ParseStrictStationList(std::string_view text) {
    StationMarks marks;
    StrictScanner scanner(text);
    do {
        const std::optional<int> first = scanner.Number();
        if (!first) return std::nullopt;
        const std::optional<int> last = scanner.Take('-') ? scanner.Number() : first;
        if (!last) return std::nullopt;
        MarkRange(marks, *first, *last);
    } while (scanner.Take(','));
    if (!scanner.AtEnd()) return std::nullopt;
    CollectList(marks);
    return marks;
}

std::optional<int> ParseStationNumber(std::string_view text) {
    StrictScanner scanner(text);
    const std::optional<int> number = scanner.Number();
    if (!number || !scanner.AtEnd()) return std::nullopt;
    return number;
}

std::string StationTextMessage(std::string_view text) {
    return "The station text \"" + std::string(text) +
           "\" names no station: give numbers 1..254 or ranges such as 5-12, separated by commas.";
}

}  // namespace telvor
