// SPDX-License-Identifier: Apache-2.0
// One observer hears of every change a person could see in the widget model, so that a GUI can
// mirror the model (which stays the truth for scripts, tests and windows alike).
#pragma once

#include "Export.h"

namespace ui {

class Object;

enum class Change {
    Text,      // title, label text or field text
    Items,     // pop-up items, tab labels, table columns
    Selection, // pop-up item or tab page
    State,     // check box state
    Enabled,
    Hidden,
    Frame,
    Subviews,  // a subview added, removed or replaced
    TableData, // reloadData
    TableSelection,
    WindowShown,
    WindowClosed,
    ModalStart, // object is the window
    ModalStop,
    FirstResponder, // a text field began or ended editing; a window chose its first responder
    InsertionPoint, // the field editor's selection moved
};

class TL_EXPORT Observer {
public:
    virtual ~Observer() = default;
    virtual void changed(Object& object, Change what) = 0;
};

// The observer in force (null: nobody listens). The caller keeps it alive while it is set.
TL_EXPORT void setObserver(Observer* observer);
TL_EXPORT Observer* observer();
TL_EXPORT void notifyChange(Object& object, Change what);

} // namespace ui
