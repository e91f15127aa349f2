// SPDX-License-Identifier: Apache-2.0
// The print dialog window around the panel: printer chooser, pane selector, the panel's view, a
// summary that follows every change, Print and Cancel.
#pragma once

#include "host/gui/PrinterList.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class QComboBox;
class QPushButton;
class QTreeWidget;
class QVBoxLayout;

namespace host {

class Dialog;

class PrintWindow final : public QDialog {
public:
    PrintWindow();

    // The printers to choose from and the one in use.
    void setPrinters(const std::vector<PrinterEntry>& printers, int current);
    // The panel's name and its view's widget (null: none); the window holds the widget.
    void showPanel(const std::string& name, QWidget* view);
    // The summary in display order: pairs of title and value.
    void showSummary(const std::vector<std::pair<std::string, std::string>>& rows);

    std::function<void()> onPrint;
    std::function<void()> onCancel;
    std::function<void(int printer)> onPrinterChosen;

    void reject() override;

private:
    QComboBox* printers_;
    QComboBox* panes_;
    QVBoxLayout* panelArea_;
    QPointer<QWidget> panelView_;
    QTreeWidget* summary_;
    QPushButton* print_;
};

} // namespace host
