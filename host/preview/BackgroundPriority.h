// SPDX-License-Identifier: Apache-2.0
// The preview works beside the window on few cores: its thread, and every helper program and thread
// it starts (they inherit the value), run at a lower CPU priority, so the window is never held back.
#pragma once

namespace host::preview {

class BackgroundPriority {
public:
    // The nice value the preview's work runs at.
    static constexpr int kNice = 10;

    // Lowers the calling thread alone (Linux keeps the nice value per thread); it cannot be raised
    // again without privileges. False when the system refuses.
    static bool lowerThisThread();
    // The calling thread's nice value.
    static int ofThisThread();
};

} // namespace host::preview
