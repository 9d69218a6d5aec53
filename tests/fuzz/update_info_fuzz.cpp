// The update server's information file: the offer it makes against this program's version (by number
// and by date), the download target of every listed file, the lost-file text, the web-page address; and
// the input as the upgrader's command line.

#include <string>

#include "fuzz/fuzz_input.h"
#include "update/update_info.h"
#include "update/update_texts.h"
#include "update/upgrade_paths.h"

using namespace wmb;
using namespace wmb::fuzz;

namespace {

int Sign(int x) { return (x > 0) - (x < 0); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = InputText(data, size);
    const TInfoDate today{2026, 12, 9};
    const TVersionCheck check = TailBit(input, 0, 0) ? TVersionCheck{byDate, "", "04/05/2007"}
                                                     : TVersionCheck{byNumber, "1.8.0.0", ""};
    ReadUpdateOffer(input, check, today);
    const std::string version = InfoValue(input, "version");
    for (char c : version)
        Require(static_cast<unsigned char>(c) >= 32, "a plain value ends before a control character");
    Require(Sign(CompareVersions(version, "1.8.0.0")) == -Sign(CompareVersions("1.8.0.0", version)),
            "version comparison is antisymmetric");
    const TInfoDate date = ParseInfoDate(InfoValue(input, "date"), today);
    Require(date.Month >= 1 && date.Month <= 12 && date.Day >= 1 && date.Day <= 31, "a parsed date exists");
    for (const TInfoFile& file : InfoFileList(input)) {
        Require(!file.Url.empty(), "listed files have an address");
        const auto target = TargetPath("C:\\WB\\", file.Url);
        if (target) {
            const std::string name = target->substr(6);
            Require(target->starts_with("C:\\WB\\") && name.find_first_of("\\/:") == std::string::npos &&
                        name.ends_with(".uTMP") && name.size() > 5,
                    "a download waits in the Program folder itself");
        }
        LostFileText(file.Url, "404");
        LostFileText(file.Url, kInvalidFileName);
        RedirectAddress(file.Url);
    }
    AskUpgradeText("WildmereBench", InfoValue(input, "message", true));
    if (const auto args = ParseUpgraderCommandLine(input)) {
        Require(!args->ProgramPath.empty() && (args->Method == umSelfUpgrade || args->Method == umUseExternalSetup),
                "the upgrader runs only with a program and a method it knows");
    }
    return 0;
}
