// SPDX-License-Identifier: Apache-2.0
// The text form in which a profile's path on the printer travels through the print settings:
// every byte becomes two characters '0' + high nibble, '0' + low nibble.
#pragma once

#include <string>
#include <string_view>

namespace tlco {

std::string nibbleEncode(std::string_view bytes);
// Pairs of characters back to bytes, each modulo 256; an unpaired last character is ignored.
std::string nibbleDecode(std::string_view text);

} // namespace tlco
