// Feeds arbitrary bytes to the map reader. Whatever it accepts must survive being written out and
// read back with the same codes, and reading the bytes from a file must agree with reading them
// as text. Any disagreement aborts, which the fuzzer reports as a finding.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "map/core/map_file.h"
#include "map/core/map_text.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "map_reader_fuzz: %s\n", what);
    std::abort();
}

// One file per process, so that parallel fuzzing jobs never share it; removed after each input.
const std::string scratchPath = [] {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder && *folder ? folder : "/tmp") + "/map_reader_fuzz." +
           std::to_string(::getpid()) + ".txt";
}();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = marv::parseMapText(text, marv::kMapFileName);

    if (parsed.ok()) {
        const marv::CodeGrid codes = marv::codesOf(parsed.value());
        const auto again = marv::parseMapText(marv::formatMapText(codes), marv::kMapFileName);
        if (!again.ok()) fail("a written map is refused when read back");
        if (marv::codesOf(again.value()) != codes) fail("a written map reads back other codes");
    } else if (parsed.error().empty()) {
        fail("a refused map comes with no message");
    }

    std::ofstream scratch(scratchPath, std::ios::binary);
    if (!scratch.write(text.data(), std::ssize(text)).flush())
        fail("cannot write the scratch file");
    scratch.close();
    const auto fromFile = marv::readMapFile(scratchPath);
    ::unlink(scratchPath.c_str());
    if (fromFile.ok() != parsed.ok()) fail("the file reader and the text reader disagree");
    if (fromFile.ok() && marv::codesOf(fromFile.value()) != marv::codesOf(parsed.value()))
        fail("the file reader reads other codes than the text reader");
    return 0;
}
