// SPDX-License-Identifier: Apache-2.0
// lcms2's profiles and transforms as owned values: closed and deleted when they go.
#pragma once

#include <lcms2.h>

#include <memory>

namespace host::preview {

struct LcmsProfileCloser {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
struct LcmsTransformDeleter {
    void operator()(void* transform) const { cmsDeleteTransform(transform); }
};

// Null when lcms2 could not make it.
using LcmsProfile = std::unique_ptr<void, LcmsProfileCloser>;
using LcmsTransform = std::unique_ptr<void, LcmsTransformDeleter>;

} // namespace host::preview
