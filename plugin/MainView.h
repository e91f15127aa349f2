// SPDX-License-Identifier: Apache-2.0
// The panel's top view; a plain view with no behaviour of its own.
#pragma once

#include "ui/View.h"

namespace tlco {

class MainView : public ui::View {
    UI_DECLARE_CLASS()
};

} // namespace tlco
