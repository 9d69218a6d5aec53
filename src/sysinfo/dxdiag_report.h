#pragma once
// Reading of the DirectX diagnostic tool's text report ("dxdiag /t"): the card name, display memory
// and driver version of the first display device and the description of the first sound device.

#include <cstddef>
#include <string>
#include <vector>

namespace wmb {

struct DxDiagFacts {
    // Texts as cut from the report (the first three begin with the blank after the colon), or
    // "indeterminable" for a key the report does not hold.
    std::string CardName;
    std::string DisplayMemory;
    std::string DriverVersion;
    std::string SoundDevice;
    // Whether the key was found; only found facts are worth caching.
    bool CardNameFound = false;
    bool DisplayMemoryFound = false;
    bool DriverVersionFound = false;
    bool SoundDeviceFound = false;
};

// Splits 8-bit text into lines; a line ends at CR LF, LF or a lone CR. A final line ending does not
// start another (empty) line.
std::vector<std::string> SplitReportLines(const std::string& bytes);

// Reduction of a report line: the text after its first "=" when it holds one, otherwise the line
// without its first character.
std::string ReduceDxInfoLine(const std::string& line);

// Walks the report's lines front to back. The line list shrinks from the front as the reader moves on.
class DxInfoReader {
public:
    explicit DxInfoReader(std::vector<std::string> lines);

    // Searches for `key` (any letter case, anywhere in the reduced line) starting at the current
    // first line, whose leading blanks are kept; later lines lose their leading blanks. On success
    // the key's line stays first and `value` receives that line from the 1-based `position` on.
    // When no line holds the key the reader goes back to where the search began and returns false,
    // so a later key can still be found after the last key that was.
    bool FindKey(const std::string& key, std::size_t position, std::string& value);

    // Drops the first line and makes the reduced next line, without leading blanks, the current
    // line. Returns false (and changes nothing) when no further line exists.
    bool NextDxInfoLine();

    const std::string& CurrentLine() const { return current_; }

private:
    std::vector<std::string> lines_;
    std::size_t first_ = 0;  // index of the list's first line
    std::string current_;
};

// Reads the four facts in report order: the first "Card name:" line, the first "Display Memory:"
// line from there on, the first "Driver Version:" line from there on and the first "Description:"
// line from there on. An empty report, or one without a key, gives "indeterminable" for the
// missing facts.
DxDiagFacts ParseDxDiagReport(const std::string& bytes);

}  // namespace wmb
