// SPDX-License-Identifier: Apache-2.0
// The panel's colour settings as the proof carries them out: per kind of object the ICC profiles and
// intents, the gray treatment, the CMYK simulation, and what acts on the whole sheet.
#pragma once

#include <string>
#include <vector>

namespace host::preview {

enum class GrayTreatment { Composite, BlackOnly, TrueGray };

// ICC rendering intents as Ghostscript and lcms2 number them.
enum Intent : int { kPerceptual = 0, kRelative = 1, kSaturation = 2, kAbsolute = 3 };

struct ObjectColour {
    std::string source; // the RGB source profile's file; empty: None, no colour management
    int intent = kRelative;
    GrayTreatment gray = GrayTreatment::Composite;
    std::string destination; // the CMYK profile the object is separated with
};

struct SimulationColour {
    std::string profile; // the CMYK source profile's file; empty: None, CMYK goes to the printer as it is
    int intent = kRelative;
    GrayTreatment gray = GrayTreatment::Composite;
};

struct ColourPlan {
    ObjectColour image, text, graphics;
    SimulationColour simulation;
    bool grayscale = false;
    bool separation = false;
    bool econoMode = false;
    int brightness = 0; // -2 darkest ... +2 lightest
    std::vector<std::string> notes;

    // What Ghostscript's part depends on (not the notes, not what is done to its picture after).
    std::string renderKey() const;
};

} // namespace host::preview
