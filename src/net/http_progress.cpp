#include "net/http_progress.h"

#include <algorithm>
#include <cmath>

namespace wmb {

TudProgress ComputeProgress(std::uint32_t bytesRead, std::uint32_t contentLength, std::uint32_t resumeOffset,
                            std::uint32_t startTick, std::uint32_t nowTick) {
    TudProgress p;
    const std::uint64_t soFar = std::uint64_t{resumeOffset} + bytesRead;
    const std::uint64_t total = std::uint64_t{resumeOffset} + contentLength;
    p.BytesSoFar = static_cast<std::uint32_t>(std::min<std::uint64_t>(soFar, UINT32_MAX));
    p.TotalBytes = static_cast<std::uint32_t>(std::min<std::uint64_t>(total, UINT32_MAX));
    if (total != 0)
        p.PercentDone = static_cast<std::uint8_t>(std::min<double>(std::round(soFar * 100.0 / total), 100));
    p.SecondsElapsed = (nowTick - startTick) / 1000;
    if (contentLength != 0 && bytesRead != 0) {
        const double estimate = std::round(static_cast<double>(contentLength) / bytesRead * p.SecondsElapsed);
        p.SecondsLeft = estimate > p.SecondsElapsed ? static_cast<std::uint32_t>(estimate - p.SecondsElapsed) : 0;
    }
    const double kilobytes = bytesRead / 1024.0;
    p.TransferRate = static_cast<float>(p.SecondsElapsed == 0 ? kilobytes : kilobytes / p.SecondsElapsed);
    return p;
}

bool IsTransferStatus(std::int32_t statusCode) { return statusCode == 200 || statusCode == 206; }

bool IsRedirectStatus(std::int32_t statusCode) {
    return statusCode == 301 || statusCode == 302 || statusCode == 303 || statusCode == 307 || statusCode == 308;
}

bool RequestSucceeded(const TudRequestState& state) {
    if (!IsTransferStatus(state.StatusCode) || state.TargetFailed || state.ReadFailed) return false;
    return state.ContentLength == 0 || !state.HasTarget || state.BytesRead == state.ContentLength;
}

TudRequestOutcome OutcomeOf(const TudRequestState& state) {
    if (!state.ContinueDownload) return TudRequestOutcome::Skipped;
    if (RequestSucceeded(state)) return TudRequestOutcome::Done;
    if (state.StatusCode == -1) return TudRequestOutcome::NoConnection;
    if (IsTransferStatus(state.StatusCode) && !state.TargetFailed) return TudRequestOutcome::TransferLost;
    return TudRequestOutcome::HttpError;
}

bool BodyGoesToFile(std::int32_t statusCode, const std::string& outputFileName) {
    return IsTransferStatus(statusCode) && !outputFileName.empty();
}

std::uint32_t MemoryPresize(std::uint32_t contentLength) { return std::min(contentLength, kMaxMemoryPresize); }

}  // namespace wmb
