// SPDX-License-Identifier: Apache-2.0
// The render key: a change of EconoMode, Brightness or the separation view reuses Ghostscript's picture.
#include "host/preview/ColourPlan.h"

namespace host::preview {
namespace {

std::string key(const ObjectColour& object)
{
    return object.source + '|' + std::to_string(object.intent) + '|' + std::to_string(static_cast<int>(object.gray)) +
        '|' + object.destination;
}

} // namespace

std::string ColourPlan::renderKey() const
{
    if (grayscale) return "gray";
    return key(image) + ';' + key(text) + ';' + key(graphics) + ';' + simulation.profile + '|' +
        std::to_string(simulation.intent) + '|' + std::to_string(static_cast<int>(simulation.gray));
}

} // namespace host::preview
