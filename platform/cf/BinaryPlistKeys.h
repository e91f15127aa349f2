// SPDX-License-Identifier: Apache-2.0
// Binary property lists whose dictionary keys hold a NUL character: libplist aborts when such a key
// is read, so the keys are marked before parsing and left out after.
#pragma once

#include <string>

namespace cf::binaryplist {

// Stands in for the NUL characters of keys; no key that a property list can carry in XML holds it.
inline constexpr char kMaskedNul = '\x01';

// Replaces every NUL character of the dictionary keys of a binary property list (bytes or UTF-16
// units) by kMaskedNul. Anything that is not a well-formed binary property list is left as it is
// for the parser to refuse.
void maskNulsInKeys(std::string& bytes);

} // namespace cf::binaryplist
