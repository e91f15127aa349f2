// SPDX-License-Identifier: Apache-2.0
// Which choice each Quick Color preset gives the advanced colour options the proof depends on. The
// panel applies the same presets when the job is printed; the host reaches the panel only through
// its protocol, so the positions are repeated here (halftone and edge enhancement are left out:
// the proof does not simulate them).
#pragma once

#include <optional>
#include <string>

namespace host::preview {

class QuickColorPresets {
public:
    // The position of the choice that preset (0, 1 or 2: the first three TLQuickColor choices)
    // gives the PPD option `key`; nullopt for another preset or a key no preset sets.
    static std::optional<int> choiceIndex(int preset, const std::string& key);

    // The TLQuickColor position that means Custom: the advanced options stand as chosen.
    static constexpr int kCustom = 3;
};

} // namespace host::preview
