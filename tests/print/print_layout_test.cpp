// The printed pages as drawing operations: rows, pages, positions, cuts, colours and rules.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "print_layout.h"
#include "print_text.h"

namespace telvor {
namespace {

constexpr PageArea kA4Portrait{800, 1159};
constexpr PageArea kA4Landscape{1149, 817};

CSolvaneDoc ParameterDoc() { return NewDocument(8, false, false); }

// A set with A04, b10 and the station address b77 (a line parameter) changed.
CSolvaneDoc ChangedDoc() {
    CSolvaneDoc doc = ParameterDoc();
    doc.sets[0][4] = 85;
    doc.sets[0][kBasicCount + 10] = 2000;
    doc.sets[0][kBasicCount + 77] = 9;
    return doc;
}

CSolvaneDoc CompareDoc(std::int32_t mode, int differing) {
    CSolvaneDoc doc = NewDocument(3, true, false);
    doc.compareMode = mode;
    doc.kind = kKindCompare;
    doc.presentFlags = {1, 1, mode == CompareFilesDefault};
    doc.setNames = {"first_machine_setting.vx3", "second.vx3", "a_rather_long_name.vx3"};
    doc.rowFlags.fill(0);
    for (int slot = 0; slot < differing; ++slot) doc.rowFlags[slot] = 1;
    return doc;
}

std::vector<TextOperation> Texts(const PageOperations& operations) {
    std::vector<TextOperation> texts;
    for (const PrintOperation& op : operations)
        if (const auto* text = std::get_if<TextOperation>(&op)) texts.push_back(*text);
    return texts;
}

std::vector<LineOperation> Lines(const PageOperations& operations) {
    std::vector<LineOperation> lines;
    for (const PrintOperation& op : operations)
        if (const auto* line = std::get_if<LineOperation>(&op)) lines.push_back(*line);
    return lines;
}

int TableRowsOn(const PageOperations& operations) {
    const auto texts = Texts(operations);
    return static_cast<int>(std::count_if(texts.begin(), texts.end(),
                                          [](const TextOperation& t) { return t.font == PrintFont::Description; }));
}

const TextOperation* FindText(const std::vector<TextOperation>& texts, const std::string& text) {
    for (const TextOperation& t : texts)
        if (t.text == text) return &t;
    return nullptr;
}

// The x of every thin vertical rule of the table (the ones that reach the table's last line).
std::vector<int> ThinTableRules(const PageOperations& operations) {
    std::vector<int> xs;
    for (const LineOperation& line : Lines(operations))
        if (line.x1 == line.x2 && !line.thick && line.x1 != 100 && line.y2 < -200) xs.push_back(line.x1);
    std::sort(xs.begin(), xs.end());
    return xs;
}

struct PagesCase {
    const char* name;
    CSolvaneDoc doc;
    PrintChoice choice;
    PageOrientation orientation;
    PageArea area;
    std::vector<int> rowsOnPages;
};

TEST(PrintLayout, RowsAndPages) {
    const PrintChoice all{true, {true, true}};
    const std::vector<PagesCase> cases = {
        {"both groups with title, portrait", ParameterDoc(), all, PageOrientation::Portrait, kA4Portrait, {44, 44, 23}},
        {"advanced only, landscape, no title", ParameterDoc(), {false, {false, true}}, PageOrientation::Landscape,
         kA4Landscape, {33, 33, 32}},
        {"basic only, portrait, no title", ParameterDoc(), {false, {true, false}}, PageOrientation::Portrait,
         kA4Portrait, {13}},
        {"both groups, landscape, title", ParameterDoc(), all, PageOrientation::Landscape, kA4Landscape,
         {27, 27, 27, 27, 3}},
        {"comparison without differing rows", CompareDoc(CompareFileFile, 0), all, PageOrientation::Portrait,
         kA4Portrait, {0}},
        {"comparison ignores the group choice", CompareDoc(CompareFilesDefault, 20), {true, {true, false}},
         PageOrientation::Portrait, kA4Portrait, {20}},
        {"a short page holds fewer rows than 50", ParameterDoc(), {false, {true, true}}, PageOrientation::Portrait,
         {800, 1050}, {48, 48, 15}},
        {"changed only", ChangedDoc(), {true, {true, true}, true}, PageOrientation::Portrait, kA4Portrait, {2}},
        {"changed only of the basic group", ChangedDoc(), {true, {true, false}, true}, PageOrientation::Portrait,
         kA4Portrait, {1}},
        {"changed only of a set of defaults", ParameterDoc(), {false, {true, true}, true}, PageOrientation::Portrait,
         kA4Portrait, {0}},
        {"comparison ignores changed only", CompareDoc(CompareFilesDefault, 20), {true, {true, true}, true},
         PageOrientation::Portrait, kA4Portrait, {20}},
    };
    for (const PagesCase& c : cases) {
        SCOPED_TRACE(c.name);
        const PrintLayout layout = MakePrintLayout(c.doc, c.choice, c.orientation, c.area);
        ASSERT_EQ(layout.pageCount, static_cast<int>(c.rowsOnPages.size()));
        for (int page = 1; page <= layout.pageCount; ++page)
            EXPECT_EQ(TableRowsOn(DrawPrintPage(layout, page)), c.rowsOnPages[page - 1]) << "page " << page;
        EXPECT_TRUE(DrawPrintPage(layout, layout.pageCount + 1).empty());
    }
}

TEST(PrintLayout, TheHeadingSaysWhenOnlyTheChangedParametersArePrinted) {
    const auto heading = [](const CSolvaneDoc& doc, bool changedOnly) {
        const PrintLayout layout =
            MakePrintLayout(doc, {false, {true, true}, changedOnly}, PageOrientation::Portrait, kA4Portrait);
        const auto texts = Texts(DrawPrintPage(layout, 1));
        return texts.empty() ? std::string() : texts.front().text;
    };
    EXPECT_EQ(heading(ChangedDoc(), true), "Varnox -- Parameters List -- Changed parameters only");
    EXPECT_EQ(heading(ChangedDoc(), false), "Varnox -- Parameters List");
    EXPECT_EQ(heading(CompareDoc(CompareFileFile, 3), true), "Varnox -- Parameters List");
    const PrintLayout layout =
        MakePrintLayout(ChangedDoc(), {false, {true, true}, true}, PageOrientation::Portrait, kA4Portrait);
    ASSERT_EQ(layout.rows.size(), 2u);
    EXPECT_EQ(layout.rows[0][1], "A04");
    EXPECT_EQ(layout.rows[1][1], "b10");
}

struct HeaderCase {
    std::int32_t mode;
    std::vector<std::pair<std::string, int>> headers;
    std::vector<int> thinRules;
    const char* compareHeading;
};

TEST(PrintLayout, TableHeaderAndRulesPerCompareMode) {
    const std::vector<HeaderCase> cases = {
        {CompareNone,
         {{"Description", 40}, {"Code", 370}, {"Range", 420}, {"Default", 540}, {"Setting", 660}},
         {360, 410, 530, 650},
         nullptr},
        {CompareInverterDefault,
         {{"Description", 40}, {"Code", 370}, {"Default", 420}, {"first_machine_setting.vx3", 600}},
         {360, 410, 590},
         "Compare Inverter with Default"},
        {CompareFileFile,
         {{"Description", 40}, {"Code", 370}, {"first_machine_setting", 420}, {"second.vx3", 600}},
         {360, 410, 590},
         "Compare File with File"},
        {CompareFilesDefault,
         {{"Description", 40}, {"Code", 370}, {"Default", 420}, {"first_ma", 540}, {"second.v", 620}, {"a_rather", 700}},
         {360, 410, 530, 610, 690},
         "Compare Files with Default"},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.mode);
        const CSolvaneDoc doc = c.mode == CompareNone ? ParameterDoc() : CompareDoc(c.mode, 30);
        const PageOperations page = DrawPrintPage(MakePrintLayout(doc, {false, {}}, PageOrientation::Portrait, kA4Portrait), 1);
        const auto texts = Texts(page);
        // Without the title block the header stands 2 below the table's upper rule at 62 (84 below a comparison heading).
        const int headerY = c.compareHeading ? -86 : -64;
        for (const auto& [text, x] : c.headers) {
            const TextOperation* found = FindText(texts, text);
            ASSERT_NE(found, nullptr) << text;
            EXPECT_EQ(found->x, x) << text;
            EXPECT_EQ(found->y, headerY) << text;
        }
        EXPECT_EQ(ThinTableRules(page), c.thinRules);
        if (c.compareHeading) {
            const TextOperation* heading = FindText(texts, c.compareHeading);
            ASSERT_NE(heading, nullptr);
            EXPECT_EQ(heading->x, 40);
            EXPECT_EQ(heading->font, PrintFont::CompareHeading);
        }
        EXPECT_NE(FindText(texts, "Varnox -- Parameters List"), nullptr);
    }
}

TEST(PrintLayout, PageNumberStandsTopRightOrInTheTitleBlock) {
    const CSolvaneDoc doc = ParameterDoc();
    const auto plain = Texts(DrawPrintPage(MakePrintLayout(doc, {false, {}}, PageOrientation::Portrait, kA4Portrait), 2));
    const TextOperation* page = FindText(plain, "Page:2/3");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(*page, (TextOperation{800, -30, "Page:2/3", PrintFont::Heading, kPrintBlack, TextAlign::Right, 0}));

    const auto titled = Texts(DrawPrintPage(MakePrintLayout(doc, {true, {}}, PageOrientation::Portrait, kA4Portrait), 2));
    EXPECT_EQ(FindText(titled, "Page:2/3"), nullptr);
    const TextOperation* number = FindText(titled, "2/3");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->x, 670);
    EXPECT_EQ(number->y, -104);  // third row of the block
    const TextOperation* label = FindText(titled, "Page:");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->x, 590);
    EXPECT_EQ(label->y, -104);
}

TEST(PrintLayout, TitleBlockTextsStayInsideTheirFields) {
    CSolvaneDoc doc = ParameterDoc();
    doc.titleBlock = {std::string(50, 'W'), "Works", "Ann", "1.0", "2026-12-09", std::string(80, 'M'), "r2", "r3"};
    const auto texts = Texts(DrawPrintPage(MakePrintLayout(doc, {true, {}}, PageOrientation::Portrait, kA4Portrait), 1));
    struct Field {
        std::string text;
        int x, y, width;
    };
    for (const Field& f : std::vector<Field>{{std::string(50, 'W'), 160, -64, 418},
                                             {"1.0", 670, -64, 98},
                                             {"2026-12-09", 670, -84, 98},
                                             {"Ann", 160, -104, 418},
                                             {std::string(80, 'M'), 110, -124, 658},
                                             {"r3", 110, -164, 658}}) {
        const TextOperation* found = FindText(texts, f.text);
        ASSERT_NE(found, nullptr) << f.text;
        EXPECT_EQ(found->x, f.x) << f.text;
        EXPECT_EQ(found->y, f.y) << f.text;
        EXPECT_EQ(found->width, f.width) << f.text;
    }
}

TEST(PrintLayout, ColumnColoursAndDescriptionCut) {
    const PrintLayout layout = MakePrintLayout(ParameterDoc(), {false, {}}, PageOrientation::Portrait, kA4Portrait);
    const auto texts = Texts(DrawPrintPage(layout, 1));
    // A02 of model 8 at 60 Hz: the pair text in the Default column, the setting in blue.
    const TextOperation* code = FindText(texts, "A02");
    ASSERT_NE(code, nullptr);
    std::vector<TextOperation> row;
    for (const TextOperation& t : texts)
        if (t.y == code->y) row.push_back(t);
    ASSERT_EQ(row.size(), 5u);
    const std::vector<PrintColour> colours = {kPrintBlack, kPrintBlack, kPrintBlack, kPrintRed, kPrintBlue};
    for (std::size_t c = 0; c < row.size(); ++c) EXPECT_EQ(row[c].colour, colours[c]) << c;
    EXPECT_EQ(row[3].text, "50.00/60.00");
    for (const TextOperation& t : texts)
        if (t.font == PrintFont::Description) {
            EXPECT_LE(t.text.size(), 54u) << t.text;
        }

    const PageOperations compare =
        DrawPrintPage(MakePrintLayout(CompareDoc(CompareFilesDefault, 5), {true, {}}, PageOrientation::Portrait, kA4Portrait), 1);
    for (const TextOperation& t : Texts(compare))
        if (t.x == 420 && t.y < -210) {
            EXPECT_EQ(t.colour, kPrintRed) << t.text;
        }
}

TEST(PrintText, Cuts) {
    struct Case {
        std::string in;
        std::string description;
        std::string firstEight;
    };
    const std::vector<Case> cases = {
        {std::string(54, 'x'), std::string(54, 'x'), "xxxxxxxx"},
        {std::string(55, 'x'), std::string(51, 'x') + "...", "xxxxxxxx"},
        {"Müller_Straße_7.vx3", "Müller_Straße_7.vx3", "Müller_S"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CutDescription(c.in), c.description);
        EXPECT_EQ(FirstCharacters(c.in, 8), c.firstEight);
    }
}

TEST(PrintLayout, OnlyTheLastRowOfTheListIsClosedThick) {
    const PrintLayout layout = MakePrintLayout(ParameterDoc(), {true, {}}, PageOrientation::Portrait, kA4Portrait);
    for (int page = 1; page <= layout.pageCount; ++page) {
        int thickRules = 0;
        for (const LineOperation& line : Lines(DrawPrintPage(layout, page)))
            if (line.y1 == line.y2 && line.thick) ++thickRules;
        // block top and bottom, header top and bottom, and the list's end on the last page
        EXPECT_EQ(thickRules, page == layout.pageCount ? 5 : 4) << page;
    }
}

}  // namespace
}  // namespace telvor
