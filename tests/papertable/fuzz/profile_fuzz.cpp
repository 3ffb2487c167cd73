// libFuzzer target: any bytes as a source file through the profile engine, the
// readers, and a write and read back of what was read.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "papertable/source_reader.h"
#include "papertable/source_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const papertable::ProfileFile file = papertable::ProfileFile::Parse(bytes);

    // Look-ups with names taken from the input itself.
    const std::string_view name = bytes.substr(0, std::min<size_t>(size, 8));
    for (size_t bufferSize : {0u, 1u, 2u, 3u, 30u, 260u}) {
        file.GetString(name, name, name, bufferSize);
        file.GetSection(name, bufferSize);
    }
    file.GetInt(name, name, -1);

    papertable::PaperTable table;
    papertable::ReadDevice(file, table.device);
    papertable::LoadPaperTable(table, file, file, false, nullptr);

    // Whatever was read, written and read again, gives the same papers: those the
    // writer left (it holds a mark paper as 75), with the reading rule of the
    // reserved items applied again (which makes it 76 once more).
    for (auto& paper : table.papers) paper.builtIn = false;
    const std::string again = papertable::UserSourceText(table, table.paperCount);
    const papertable::ProfileFile reread = papertable::ProfileFile::Parse(again);
    for (int i = 0; i < table.paperCount; ++i) {
        papertable::PaperRecord back;
        if (!papertable::ReadPaperRecord(reread, i, back)) std::abort();
        back.builtIn = false;
        papertable::PaperRecord expected = table.papers[static_cast<size_t>(i)];
        papertable::ApplyReservedItems(expected);
        if (!(back == expected)) std::abort();
    }
    return 0;
}
