// Feeds arbitrary bytes to the parameter and compare file reader, in memory and
// from a real file, and writes back whatever it accepts.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document_file.h"

namespace {

std::string TemporaryPath() {
    return "/tmp/telvor-fuzz-document-" + std::to_string(getpid()) + ".vx3";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const telvor::DocumentReadResult parsed = telvor::ParseDocumentBytes(bytes);
    if (parsed.ok) {
        // What we accept we must write in a form that reads back the same.
        const std::string written = telvor::DocumentFileBytes(parsed.doc);
        const telvor::DocumentReadResult again = telvor::ParseDocumentBytes(written);
        if (!again.ok || telvor::DocumentFileBytes(again.doc) != written) std::abort();
    }

    static const std::string path = TemporaryPath();
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
        const telvor::DocumentReadResult read = telvor::ReadDocumentFile(path);
        if (read.ok != parsed.ok) std::abort();
        std::remove(path.c_str());
    }
    return 0;
}
