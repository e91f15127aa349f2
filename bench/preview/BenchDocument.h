// SPDX-License-Identifier: Apache-2.0
// The preview benchmarks' document: a saturated image, gray text and a coloured shape on every page.
#pragma once

#include <string>

namespace previewbench {

// A PDF of `pages` A4 pages made by Ghostscript in `folder`; its path, or empty (and a line on
// stderr) when Ghostscript fails.
std::string makeDocument(const std::string& folder, int pages);

} // namespace previewbench
