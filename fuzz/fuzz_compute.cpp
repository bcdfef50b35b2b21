// Arbitrary bytes, split at '\n' into the nine input texts, through the whole
// computation under German and English separators.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/engine.h"

namespace {

brennquist::InputSet SplitIntoInputs(std::string_view bytes) {
    brennquist::InputSet inputs;
    for (const brennquist::InputEntry& field : brennquist::kInputs) {
        const std::size_t end = bytes.find('\n');
        inputs.*field.text = std::string(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return inputs;
}

void RunUnder(const brennquist::InputSet& inputs, const brennquist::Separators& separators) {
    brennquist::ResultSet results;
    if (brennquist::ComputeResults(inputs, results, separators)) {
        // A finished run always ends in a size from the table.
        if (results.lblLuftS.empty()) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const brennquist::InputSet inputs = SplitIntoInputs(bytes);
    RunUnder(inputs, brennquist::Separators{",", "."});
    RunUnder(inputs, brennquist::Separators{".", ","});
    RunUnder(inputs, brennquist::Separators{",", "\xE2\x80\xAF"});  // narrow no-break space
    return 0;
}
