// SPDX-License-Identifier: Apache-2.0
// The print dialog window around the panel: printer chooser with a line on the printer's state, pane
// selector beside a stacked area of panes, a summary that follows every change, Print and Cancel.
#pragma once

#include "host/gui/PrinterList.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QVBoxLayout;

namespace host {

class PrintWindow final : public QDialog {
public:
    // The mnemonic letters of the window's own controls (Printer, Print, Cancel).
    static constexpr const char* kMnemonics = "rpc";

    PrintWindow();
    ~PrintWindow() override;

    // The printers to choose from and the one in use.
    void setPrinters(const std::vector<PrinterEntry>& printers, int current);
    // The line under the chooser (the printer's state, the list still coming, the server silent).
    void setPrinterStatus(const std::string& text, bool warning = false);
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
    // The preview beside the panes (null: none); the window holds it. The one shown before is
    // deleted at once.
    void setPreview(QWidget* preview);
    // The summary in display order: pairs of title and value.
    void showSummary(const std::vector<std::pair<std::string, std::string>>& rows);
    // True once a person pressed a key or a mouse button in the window.
    bool touched() const { return touched_; }
    // The controls Tab visits, in order: chooser, the preview's, presets, pane selector, the pane
    // shown, the buttons.
    std::vector<QWidget*> keyboardChain() const;

    std::function<void()> onPrint;
    std::function<void()> onCancel;
    std::function<void(int printer)> onPrinterChosen;
    // A person chose a pane in the selector (its name).
    std::function<void(const std::string& pane)> onPaneChosen;

    void reject() override;

protected:
    bool focusNextPrevChild(bool next) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Grows the window to what its contents ask for (never shrinks what a person made larger).
    void fitContents();

    QComboBox* printers_;
    QLabel* printerStatus_;
    QComboBox* panes_;
    QStackedWidget* paneArea_;
    QPointer<QWidget> panelView_;
    std::vector<std::pair<std::string, QPointer<QWidget>>> pages_;
    std::function<QWidget*(const std::string&)> pageFor_;
    QTreeWidget* summary_;
    QPushButton* print_;
    QPushButton* cancel_;
    bool touched_ = false;
    bool fitArmed_ = false;
    QSize lastMinimum_;
    QVBoxLayout* presetArea_;
    QPointer<QWidget> presets_;
    QHBoxLayout* middle_;
    QPointer<QWidget> preview_;
};

// The chooser's line for a printer: its name, location and state.
std::string chooserText(const PrinterEntry& entry);

} // namespace host
