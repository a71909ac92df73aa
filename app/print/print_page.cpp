// The drawing of one printed page: heading, page number or title block,
// comparison heading, the ruled table header and this page's rows.

#include <algorithm>

#include "page_geometry.h"
#include "print_layout.h"

namespace telvor {
namespace {

constexpr const char* kPageHeading = "Varnox -- Parameters List";
constexpr const char* kChangedOnlyHeading = "Varnox -- Parameters List -- Changed parameters only";
constexpr int kTitleTextX = 160;
constexpr int kRightLabelX = 590;
constexpr int kRightTextX = 670;
constexpr int kRemarkTextX = 110;
constexpr int kTitleRules[] = {150, 580, 660};
constexpr int kRemarkRule = 100;
constexpr int kColumnRuleOffset = 10;  // a column's rule stands this far left of its texts
constexpr int kFieldPad = 2;           // room kept between a field's text and the rule that ends it

const char* CompareHeading(std::int32_t mode) {
    switch (mode) {
        case CompareInverterDefault: return "Compare Inverter with Default";
        case CompareFileFile: return "Compare File with File";
        case CompareFilesDefault: return "Compare Files with Default";
        default: return "";
    }
}

// Draws downwards: depth is the distance below the top of the printable area.
class PageDrawer {
public:
    PageDrawer(const PrintLayout& layout, int page) : layout_(layout), page_(page) {}

    PageOperations Draw() {
        Heading();
        if (layout_.title) TitleBlock();
        if (layout_.compareMode != CompareNone) {
            Text(kDescriptionX, depth_ + kTextGap, CompareHeading(layout_.compareMode), PrintFont::CompareHeading);
            depth_ += kCompareHeadingDepth;
        }
        Table();
        return std::move(operations_);
    }

private:
    void Text(int x, int depth, std::string text, PrintFont font, PrintColour colour = kPrintBlack, int width = 0,
              TextAlign align = TextAlign::Left) {
        operations_.push_back(TextOperation{x, -depth, std::move(text), font, colour, align, width});
    }
    void Line(int x1, int depth1, int x2, int depth2, bool thick) {
        operations_.push_back(LineOperation{x1, -depth1, x2, -depth2, thick});
    }
    void Rule(int depth, bool thick) { Line(kTableLeft, depth, kTableRight, depth, thick); }
    void Vertical(int x, int top, int bottom, bool thick) { Line(x, top, x, bottom, thick); }

    // One text row under a rule: the texts are drawn by `texts`, the closing rule follows.
    template <typename Texts>
    void TextRow(bool thickRule, Texts texts) {
        depth_ += kTextGap;
        texts(depth_);
        depth_ += kRowPitch - kTextGap;
        Rule(depth_, thickRule);
    }

    std::string PageText() const {
        return std::to_string(page_) + "/" + std::to_string(layout_.pageCount);
    }

    void Heading() {
        Text(kHeadingX, kHeadingTop, layout_.changedOnly ? kChangedOnlyHeading : kPageHeading, PrintFont::Heading);
        if (!layout_.title)
            Text(layout_.area.width, kHeadingTop, "Page:" + PageText(), PrintFont::Heading, kPrintBlack, 0,
                 TextAlign::Right);
        Line(kAreaLeft, kHeadingTop + kHeadingHeight, layout_.area.width, kHeadingTop + kHeadingHeight, false);
        depth_ = kHeadingDepth;
    }

    void TitleBlock() {
        const auto& block = layout_.titleBlock;
        const int top = depth_;
        Rule(top, true);
        const char* leftLabels[] = {"Title", "Company name", "Programer"};
        const char* rightLabels[] = {"Version:", "Date:", "Page:"};
        const std::string leftTexts[] = {block[TitleFieldTitle], block[TitleFieldCompany], block[TitleFieldProgramer]};
        const std::string rightTexts[] = {block[TitleFieldVersion], block[TitleFieldDate], PageText()};
        for (int row = 0; row < 3; ++row) {
            TextRow(false, [&](int depth) {
                Text(kDescriptionX, depth, leftLabels[row], PrintFont::Body);
                Text(kTitleTextX, depth, leftTexts[row], PrintFont::Body, kPrintBlack,
                     kTitleRules[1] - kTitleTextX - kFieldPad);
                Text(kRightLabelX, depth, rightLabels[row], PrintFont::Body);
                Text(kRightTextX, depth, rightTexts[row], PrintFont::Body, kPrintBlack,
                     kTableRight - kRightTextX - kFieldPad);
            });
        }
        const int middle = depth_;
        for (int x : kTitleRules) Vertical(x, top, middle, false);
        for (int row = 0; row < 3; ++row) {
            TextRow(row == 2, [&](int depth) {
                if (row == 0) Text(kDescriptionX, depth, "Remark", PrintFont::Body);
                Text(kRemarkTextX, depth, block[TitleFieldRemark1 + row], PrintFont::Body, kPrintBlack,
                     kTableRight - kRemarkTextX - kFieldPad);
            });
        }
        Vertical(kRemarkRule, middle, depth_, false);
        Vertical(kTableLeft, top, depth_, true);
        Vertical(kTableRight, top, depth_, true);
    }

    // The room a column's texts have up to the next column's rule.
    int ColumnWidth(std::size_t column) const {
        const auto& columns = layout_.columns;
        const int end = column + 1 < columns.size() ? columns[column + 1].x - kColumnRuleOffset : kTableRight;
        return end - columns[column].x - kFieldPad;
    }

    void Table() {
        const auto& columns = layout_.columns;
        const int top = depth_;
        Rule(top, true);
        TextRow(true, [&](int depth) {
            for (std::size_t c = 0; c < columns.size(); ++c)
                Text(columns[c].x, depth, columns[c].header, PrintFont::Body, kPrintBlack, ColumnWidth(c));
        });
        const int count = static_cast<int>(layout_.rows.size());
        const int first = (page_ - 1) * layout_.rowsPerPage;
        const int end = std::min(count, first + layout_.rowsPerPage);
        for (int r = first; r < end; ++r) {
            TextRow(r == count - 1, [&](int depth) {
                for (std::size_t c = 0; c < columns.size(); ++c)
                    Text(columns[c].x, depth, layout_.rows[r][c], c == 0 ? PrintFont::Description : PrintFont::Body,
                         columns[c].colour, ColumnWidth(c));
            });
        }
        Vertical(kTableLeft, top, depth_, true);
        Vertical(kTableRight, top, depth_, true);
        for (std::size_t c = 1; c < columns.size(); ++c)
            Vertical(columns[c].x - kColumnRuleOffset, top, depth_, false);
    }

    const PrintLayout& layout_;
    const int page_;
    int depth_ = 0;
    PageOperations operations_;
};

}  // namespace

PageOperations DrawPrintPage(const PrintLayout& layout, int page) {
    if (page < 1 || page > layout.pageCount) return {};
    return PageDrawer(layout, page).Draw();
}

}  // namespace telvor
