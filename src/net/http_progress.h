#pragma once
// The figures of a download's progress and how a finished request turns out.

#include <cstdint>
#include <string>

namespace wmb {

struct TudProgress {
    float TransferRate = 0;          // KB/s
    std::uint8_t PercentDone = 0;    // 0 to 100
    std::uint32_t SecondsLeft = 0;   // 0 while the total is unknown
    std::uint32_t SecondsElapsed = 0;
    std::uint32_t BytesSoFar = 0;    // resume offset included
    std::uint32_t TotalBytes = 0;    // resume offset included
};

// Ticks are milliseconds of a 32-bit clock that may wrap; resumeOffset is the part of the file already there.
TudProgress ComputeProgress(std::uint32_t bytesRead, std::uint32_t contentLength, std::uint32_t resumeOffset,
                            std::uint32_t startTick, std::uint32_t nowTick);

enum class TudRequestOutcome { Done, TransferLost, NoConnection, HttpError, Skipped };

struct TudRequestState {
    std::int32_t StatusCode = -1;     // -1 until a status is known
    std::uint32_t ContentLength = 0;  // 0 when the server announced none
    std::uint32_t BytesRead = 0;
    bool ContinueDownload = true;
    bool HasTarget = false;     // a body target was made
    bool TargetFailed = false;  // the output file could not be made
    bool ReadFailed = false;    // a block could not be read
    bool TooManyRedirects = false;  // ended after the last redirect it may follow
};

bool IsTransferStatus(std::int32_t statusCode);  // 200 or 206
bool IsRedirectStatus(std::int32_t statusCode);  // 301, 302, 303, 307 or 308

// 200 or 206, the output file made, every block read and, with an announced length and a target, all of it.
bool RequestSucceeded(const TudRequestState& state);

TudRequestOutcome OutcomeOf(const TudRequestState& state);

// The body goes into the output file only for a 200 or 206 reply; an error page goes into memory.
bool BodyGoesToFile(std::int32_t statusCode, const std::string& outputFileName);

// A memory target is made this large at first, so that a huge announced length is not allocated up front.
inline constexpr std::uint32_t kMaxMemoryPresize = 4u << 20;
std::uint32_t MemoryPresize(std::uint32_t contentLength);

}  // namespace wmb
