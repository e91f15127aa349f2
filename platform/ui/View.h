// SPDX-License-Identifier: Apache-2.0
// A rectangle in a window with a superview and subviews. Views do not own each other: whoever
// created a view (usually the interface description) keeps it alive, so a view taken out of its
// superview keeps its subviews and their state.
#pragma once

#include "Export.h"

#include "ui/Geometry.h"
#include "ui/Object.h"
#include "ui/Observer.h"

#include <string>
#include <vector>

namespace ui {

class TL_EXPORT View : public Object {
    UI_DECLARE_CLASS()

public:
    View() = default;
    explicit View(Rect frame) : frame_(frame), bounds_{{0, 0}, frame.size} { }
    ~View() override;

    Rect frame() const { return frame_; }
    void setFrame(Rect frame);
    Rect bounds() const { return bounds_; }
    void setBounds(Rect bounds) { bounds_ = bounds; }

    View* superview() const { return superview_; }
    const std::vector<View*>& subviews() const { return subviews_; }
    void addSubview(View* view);
    void removeFromSuperview();
    // Puts replacement where old was; old leaves the view. Replacing a view by itself changes nothing.
    void replaceSubview(View* old, View* replacement);
    bool isDescendantOf(const View* ancestor) const;

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { set(enabled_, enabled, Change::Enabled); }
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden) { set(hidden_, hidden, Change::Hidden); }
    virtual bool isFlipped() const { return false; }
    // What assistive technology calls the view when nothing beside it names it (empty: nothing).
    const std::string& accessibilityLabel() const { return accessibilityLabel_; }
    void setAccessibilityLabel(std::string label) { set(accessibilityLabel_, std::move(label), Change::Text); }

    // Drops every link to other views without touching them; for owners tearing down a whole graph.
    void detachAll();

protected:
    // Assigns and tells the observer when the value really changed.
    template <class T>
    void set(T& member, T value, Change what)
    {
        if (member == value) return;
        member = std::move(value);
        notifyChange(*this, what);
    }

private:
    std::string accessibilityLabel_;
    Rect frame_;
    Rect bounds_;
    View* superview_ = nullptr;
    std::vector<View*> subviews_;
    bool enabled_ = true;
    bool hidden_ = false;
};

} // namespace ui
