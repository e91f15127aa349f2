// SPDX-License-Identifier: Apache-2.0
// View hierarchy without ownership.
#include "ui/View.h"

#include <algorithm>

namespace ui {

const ClassInfo& View::staticClassInfo()
{
    static const ClassInfo info = ClassBuilder<View>("View", nullptr)
                                      .property("frame", &View::setFrame)
                                      .property("enabled", &View::setEnabled)
                                      .property("hidden", &View::setHidden)
                                      .property("accessibilityLabel", &View::setAccessibilityLabel)
                                      .build();
    return info;
}

View::~View()
{
    removeFromSuperview();
    for (View* child : subviews_) child->superview_ = nullptr;
}

void View::setFrame(Rect frame)
{
    if (frame == frame_) return;
    frame_ = frame;
    bounds_.size = frame.size;
    notifyChange(*this, Change::Frame);
}

void View::addSubview(View* view)
{
    if (!view || view == this) return;
    view->removeFromSuperview();
    subviews_.push_back(view);
    view->superview_ = this;
    notifyChange(*this, Change::Subviews);
}

void View::removeFromSuperview()
{
    if (!superview_) return;
    auto& siblings = superview_->subviews_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    View* former = superview_;
    superview_ = nullptr;
    notifyChange(*former, Change::Subviews);
}

void View::replaceSubview(View* old, View* replacement)
{
    if (!replacement || old == replacement) return;
    auto it = std::find(subviews_.begin(), subviews_.end(), old);
    if (it == subviews_.end()) {
        addSubview(replacement);
        return;
    }
    if (replacement->superview_ == this) {
        // Already here (shown next to old): old leaves, replacement takes old's place.
        subviews_.erase(std::remove(subviews_.begin(), subviews_.end(), replacement), subviews_.end());
        it = std::find(subviews_.begin(), subviews_.end(), old);
    } else {
        replacement->removeFromSuperview();
    }
    *it = replacement;
    replacement->superview_ = this;
    old->superview_ = nullptr;
    notifyChange(*this, Change::Subviews);
}

bool View::isDescendantOf(const View* ancestor) const
{
    for (const View* view = this; view; view = view->superview_)
        if (view == ancestor) return true;
    return false;
}

void View::detachAll()
{
    superview_ = nullptr;
    subviews_.clear();
}

} // namespace ui
