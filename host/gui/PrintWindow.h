// SPDX-License-Identifier: Apache-2.0
// The print dialog window around the panel: printer chooser, pane selector, the panel's view, a
// summary that follows every change, Print and Cancel.
#pragma once

#include "host/gui/PrinterList.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <string>
#include <utility>
#include <vector>

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
    // The panes in the selector's order and where each one's widget comes from when it is first
    // shown (null for the panel's: its view is the one showPanel gave); shows the one named shown.
    // The window holds the widgets. No names: only the panel.
    void setPanes(const std::vector<std::string>& names, std::function<QWidget*(const std::string&)> pageFor,
        const std::string& shown);
    // Shows the pane named name, as choosing it in the selector does.
    void showPane(const std::string& name);
    // The presets above the panes (null: none); the window holds it.
    void setPresets(QWidget* presets);
    // The summary in display order: pairs of title and value.
    void showSummary(const std::vector<std::pair<std::string, std::string>>& rows);

    std::function<void()> onPrint;
    std::function<void()> onCancel;
    std::function<void(int printer)> onPrinterChosen;
    // A person chose a pane in the selector (its name).
    std::function<void(const std::string& pane)> onPaneChosen;

    void reject() override;

private:
    QComboBox* printers_;
    QComboBox* panes_;
    QVBoxLayout* panelArea_;
    QPointer<QWidget> panelView_;
    std::vector<std::pair<std::string, QPointer<QWidget>>> pages_;
    std::function<QWidget*(const std::string&)> pageFor_;
    QTreeWidget* summary_;
    QPushButton* print_;
    QVBoxLayout* presetArea_;
};

} // namespace host
