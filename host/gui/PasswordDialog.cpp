// SPDX-License-Identifier: Apache-2.0
// A password dialog through QInputDialog, the text hidden as it is typed.
#include "host/gui/PasswordDialog.h"

#include "host/Translate.h"

#include <QInputDialog>
#include <QLineEdit>

namespace host {

std::optional<std::string> askPassword(QWidget* parent, const std::string& user, const std::string& server)
{
    bool ok = false;
    const QString password = QInputDialog::getText(parent, QString::fromStdString(tr("Print")),
        QString::fromStdString(trf("The CUPS server {2} asks for the password of {1}:", {user, server})),
        QLineEdit::Password, QString(), &ok);
    if (!ok) return std::nullopt;
    return password.toStdString();
}

} // namespace host
