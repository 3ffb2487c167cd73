#include "family/paper_data.h"

#include <algorithm>
#include <cstring>

#include "family/table_file.h"

namespace family {
namespace {

std::optional<MediaRecord> Refuse(std::string* error, std::string reason) {
    if (error) *error = std::move(reason);
    return std::nullopt;
}

}  // namespace

std::optional<MediaRecord> BuildMediaRecord(const PaperInfoRecord& paper, std::string* error) {
    const std::string id = "paper " + std::to_string(paper.nPaperSize);
    if (paper.bySensing > kLytSensingMark) return Refuse(error, id + ": unknown kind");
    if (const char* key = ZeroWidthKey(paper)) return Refuse(error, id + ": " + key + " is 0");
    const bool continuous = paper.bySensing == kLytSensingContinuous;

    MediaRecord media{};
    media.paperId = paper.nPaperSize;
    media.kind = paper.bySensing;
    media.energyRank = std::min(paper.byEnergyRank, kMaxEnergyRank);
    media.widthDots = paper.nPaperWidthRes;
    media.printableWidthDots = paper.nImageAreaWidthRes;
    media.offsetXDots = paper.nPhysicalOffsetX;
    media.offsetYDots = paper.nPhysicalOffsetY;
    media.virtualOffsetXDots = paper.nVirtualOffsetX;
    media.virtualOffsetYDots = paper.nVirtualOffsetY;
    media.adjustStep1 = paper.adjustStep1;
    media.adjustStep2 = paper.adjustStep2;
    media.width = paper.nPaperWidth;
    // A continuous paper's lengths mean nothing; they are not carried.
    if (!continuous) {
        media.lengthDots = paper.nPaperLengthRes;
        media.printableLengthDots = paper.nImageAreaLengthRes;
        media.length = paper.nPaperLength;
    }
    if (paper.bySensing == kLytSensingGap && paper.lblPitchDot > media.lengthDots) {
        media.gapOrMarkDots = static_cast<uint16_t>(paper.lblPitchDot - media.lengthDots);
    } else if (paper.bySensing == kLytSensingMark) {
        media.gapOrMarkDots = paper.markLength;
        media.markOffsetDots = paper.markOffset;
    }
    return media;
}

std::optional<std::string> BuildPaperData(const DeviceInfoRecord& device,
                                          const std::vector<PaperInfoRecord>& papers,
                                          std::string* error) {
    if (papers.size() > UINT16_MAX) {
        if (error) *error = "too many papers";
        return std::nullopt;
    }
    PaperDataHeader header{};
    std::memcpy(header.magic, kPaperDataMagic, sizeof header.magic);
    header.version = kPaperDataVersion;
    header.recordSize = sizeof(MediaRecord);
    header.seriesCode = device.bySeriesCode;
    header.modelCode = device.byModelCode;
    header.mediaCount = static_cast<uint16_t>(papers.size());
    header.resolutionX = device.wResolutionX;
    header.resolutionY = device.wResolutionY;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    for (const auto& paper : papers) {
        const auto media = BuildMediaRecord(paper, error);
        if (!media) return std::nullopt;
        bytes.append(reinterpret_cast<const char*>(&*media), sizeof *media);
    }
    const uint32_t crc = Crc32(bytes);
    bytes.append(reinterpret_cast<const char*>(&crc), sizeof crc);
    return bytes;
}

}  // namespace family
