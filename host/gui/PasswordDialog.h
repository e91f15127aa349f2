// SPDX-License-Identifier: Apache-2.0
// The window's answer when the CUPS server asks for a password: a small modal dialog.
#pragma once

#include <optional>
#include <string>

class QWidget;

namespace host {

// Asks for the password of user on server over parent; nothing when the person cancels.
std::optional<std::string> askPassword(QWidget* parent, const std::string& user, const std::string& server);

} // namespace host
