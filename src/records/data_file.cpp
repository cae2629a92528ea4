#include "records/data_file.h"

#include <algorithm>

#include "records/qv_func.h"

namespace somnexa {

void TDataFile::SetSource(const std::string& name) {
    const auto first = name.find_first_not_of(" \t\r\n");
    source_ = first == std::string::npos ? NewGuidName() : name;
}

void TDataFile::SetChannels(const arTChannleInfo& channels) {
    channels_ = channels;
    ComputeLayout();
}

int TDataFile::FindChannel(int code, int codePos) const {
    for (std::size_t i = 0; i < channels_.size(); ++i)
        if (channels_[i].Code == code && channels_[i].CodePos == codePos) return static_cast<int>(i);
    return -1;
}

// Channel i's samples occupy Rate[i] consecutive integers of the frame, in
// channel order; the frame is the sum of all rates long.
void TDataFile::ComputeLayout() {
    channelOffsets_.assign(channels_.size(), 0);
    channelFill_.assign(channels_.size(), 0);
    std::int32_t offset = 0;
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        channelOffsets_[i] = offset;
        offset += channels_[i].Rate;
    }
    frameLength_ = offset;
    frame_.assign(static_cast<std::size_t>(frameLength_), 0);
    ClearFrame();
    outputFileName_.clear();
    totalPoints_ = channels_.empty() ? 0 : FrameCount() * std::max<int>(1, channels_[0].PointsPerSample);
}

void TDataFile::ClearFrame() {
    std::fill(frame_.begin(), frame_.end(), 0);
    std::fill(channelFill_.begin(), channelFill_.end(), 0);
    frameMilliseconds_ = 0;
}

std::int64_t TDataFile::FrameCount() const {
    if (frameLength_ <= 0 || Header.DataSize <= 0) return 0;
    return Header.DataSize / (static_cast<std::int64_t>(frameLength_) * 4);
}

}  // namespace somnexa
