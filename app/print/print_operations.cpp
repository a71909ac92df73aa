#include "print_operations.h"

namespace telvor {

PrintFontLook FontLookOf(PrintFont font) {
    switch (font) {
        case PrintFont::Heading: return {"Arial", 16, 700};
        case PrintFont::Description: return {"Arial", 12, 400};
        case PrintFont::Body: return {"Courier New", 14, 400};
        case PrintFont::CompareHeading: return {"Courier New", 16, 700};
    }
    return {"Courier New", 14, 400};
}

}  // namespace telvor
