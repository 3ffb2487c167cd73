#include "velkor/mainwindow/printer_data_file.h"

#include <cstring>

#include "paperset/pipeline.h"

namespace mainwindow {
namespace {

constexpr uint8_t kCommand[9] = {0x1B, 0x69, 0x61, 0x01, 0x1B, 0x69, 0x55, 0x4F, 0x10};

uint8_t CodeByte(const std::string& code) {
    const std::string character = paperset::CodeCharacter(code);
    return character.empty() ? 0 : static_cast<uint8_t>(character[0]);
}

}  // namespace

PrinterDataHeader MakePrinterDataHeader(const std::string& seriesCode, const std::string& modelCode,
                                        uint64_t length) {
    PrinterDataHeader header{};
    std::memcpy(header.command, kCommand, sizeof kCommand);
    header.seriesCode = CodeByte(seriesCode);
    header.modelCode = CodeByte(modelCode);
    for (size_t i = 0; i < sizeof header.length; ++i)
        header.length[i] = static_cast<uint8_t>(length >> (8 * i));
    return header;
}

std::string PrinterDataFileBytes(const std::string& seriesCode, const std::string& modelCode,
                                 std::string_view paperData) {
    const PrinterDataHeader header = MakePrinterDataHeader(seriesCode, modelCode, paperData.size());
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(paperData);
    return bytes;
}

std::string SuggestedDataFileName(std::string_view programPath, bool (*isLeadByte)(char)) {
    size_t nameStart = 0;
    std::string_view::size_type dot = std::string_view::npos;
    for (size_t i = 0; i < programPath.size(); ++i) {
        const char c = programPath[i];
        if (isLeadByte(c) && i + 1 < programPath.size()) {
            ++i;  // the trail byte is part of this character
            continue;
        }
        if (c == '\\' || c == '/' || c == ':') {
            nameStart = i + 1;
            dot = std::string_view::npos;
        } else if (c == '.') {
            dot = i;
        }
    }
    const size_t end = dot == std::string_view::npos ? programPath.size() : dot;
    return std::string(programPath.substr(nameStart, end - nameStart));
}

}  // namespace mainwindow
