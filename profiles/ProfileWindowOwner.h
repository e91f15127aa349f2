// SPDX-License-Identifier: Apache-2.0
// What the profile window asks of the view it was opened from; the view implements it, so the
// window knows nothing of the panel's classes.
#pragma once

namespace tlco {

class ProfileWindowOwner {
public:
    virtual ~ProfileWindowOwner() = default;

    // Before the window opens: the view's controls go into the ticket the window reads.
    virtual void saveControlsToTicket() = 0;
    // After OK: the profile pop-ups are built again from the lists just written...
    virtual void rebuildProfileMenus() = 0;
    // ...and show the ticket's selection again.
    virtual void rereadTicket() = 0;
};

} // namespace tlco
