// The species data-file reader fed any bytes from memory. Besides crashes,
// leaks and undefined behaviour it checks that what the reader returns hangs
// together: tables of the declared shape, or an error at a line of the input.
#include <cstdint>
#include <cstdlib>

#include "identify/data_file.h"

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

// Lines of the input: CR LF, a lone CR and a lone LF each end one.
int lines_in(const char* data, std::size_t size)
{
    int lines = 1;
    for (std::size_t i = 0; i < size; ++i)
        if (data[i] == '\n' || (data[i] == '\r' && (i + 1 == size || data[i + 1] != '\n')))
            ++lines;
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto* bytes = reinterpret_cast<const char*>(data);
    const qid::DataFileResult read = qid::read_data_bytes(QByteArrayView(bytes, static_cast<qsizetype>(size)));
    if (!read.data) {
        check(read.error.line >= 1 && read.error.line <= lines_in(bytes, size));
        check(read.error.field >= 0 && !read.error.problem.isEmpty());
        return 0;
    }
    const qid::SpeciesData& d = *read.data;
    const int rows = d.species_count + 1;
    check(d.species_count >= 0 && static_cast<int>(d.names.size()) == rows);
    check(d.bud.rows() == rows && d.leaf.rows() == rows && d.fruit.rows() == rows);
    check(d.bud.columns() == d.bud_max + 1 && d.leaf.columns() == d.leaf_max + 1 && d.fruit.columns() == d.fruit_max + 1);
    check(d.bud_max >= 3 && d.leaf_max >= 9 && d.fruit_max >= 4 && d.fruit_max <= 255);
    return 0;
}
