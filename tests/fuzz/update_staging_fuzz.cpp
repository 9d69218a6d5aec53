// What the upgrader and the update check read from files they did not write themselves: the staging record
// beside the downloads, the information file's detached signature, a PEM public key and the program's
// arguments after an upgrade.

#include <algorithm>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "update/staging_record.h"
#include "update/update_signature.h"
#include "update/upgrade_paths.h"

using namespace wmb;
using namespace wmb::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = InputText(data, size);
    if (const auto files = ReadStagingRecord(input)) {
        Require(!files->empty() && files->size() <= kMaxStagedFiles, "a record lists one to the most files");
        for (const TStagedFile& file : *files)
            Require(IsPlainFileName(file.Name) && file.Digest.Sha256.size() == 64, "a listed file is a plain name");
        Require(ReadStagingRecord(StagingRecordText(*files)) == files, "a record reads back as it was written");
    }
    if (const auto signature = ParseSignatureFile(input)) {
        Require(signature->size() >= kMinRsaKeyBits / 8 && signature->size() <= kMaxRsaKeyBits / 8,
                "a signature fits the keys taken");
        Require(LittleEndianSignature(LittleEndianSignature(*signature)) == *signature, "byte order turns back");
    }
    if (const auto key = ReadRsaPublicKey(input)) {
        Require(key->Modulus.size() * 8 >= kMinRsaKeyBits && key->Modulus.front() != '\0', "a key is long enough");
        Require(PublicKeyBlob(*key).size() == 20 + key->Modulus.size(), "the blob holds the whole modulus");
    }
    DerReader der(input);
    for (unsigned char tag : {kDerSequence, kDerInteger, kDerOctetString})
        if (const auto content = der.Next(tag)) Require(content->size() <= input.size(), "content lies in the input");
    std::vector<std::string> arguments;
    for (std::size_t at = 0; at < input.size();) {
        const auto end = std::min(input.find('\n', at), input.size());
        arguments.push_back(input.substr(at, end - at));
        at = end + 1;
    }
    if (const auto failure = ParseUpgradeFailure(arguments))
        Require(failure->FileName.empty() || IsPlainFileName(failure->FileName), "only a plain name is shown");
    return 0;
}
