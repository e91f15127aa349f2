// SPDX-License-Identifier: Apache-2.0
// A push button that shows the keyboard focus apart from the default-button look, so that a person
// tabbing onto the default button (Print, OK) sees that the focus is there.
#pragma once

#include <QPushButton>

namespace ui::qt {

class FocusButton final : public QPushButton {
public:
    explicit FocusButton(const QString& text = {}, QWidget* parent = nullptr) : QPushButton(text, parent) { }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui::qt
