// SPDX-License-Identifier: Apache-2.0
// Layout and buttons of the print dialog window.
#include "host/gui/PrintWindow.h"

#include "host/Translate.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace host {
namespace {

QString tq(const char* msgid)
{
    return QString::fromStdString(tr(msgid));
}

// Words Qt's own catalogue has (its print dialog's), when the host's catalogue lacks them.
QString tqOrQt(const char* msgid, const char* context, const char* qtText)
{
    const std::string text = tr(msgid);
    if (text != msgid) return QString::fromStdString(text);
    QString qt = QCoreApplication::translate(context, qtText);
    return qt == QLatin1String(qtText) ? QString::fromUtf8(msgid) : qt;
}

} // namespace

PrintWindow::PrintWindow()
    : printers_(new QComboBox), panes_(new QComboBox), panelArea_(new QVBoxLayout), summary_(new QTreeWidget),
      print_(new QPushButton(tqOrQt("Print", "QPrintDialog", "&Print"))), presetArea_(new QVBoxLayout)
{
    setWindowTitle(tqOrQt("Print", "QPrintDialog", "Print"));
    printers_->setObjectName("printerChooser");
    panes_->setObjectName("paneSelector");
    panes_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    summary_->setObjectName("summary");
    auto* chooser = new QFormLayout;
    auto* printerLabel = new QLabel(tq("Printer:"));
    printerLabel->setBuddy(printers_);
    chooser->addRow(printerLabel, printers_);

    auto* paneBox = new QGroupBox;
    auto* paneLayout = new QVBoxLayout(paneBox);
    paneLayout->addLayout(presetArea_);
    paneLayout->addWidget(panes_, 0, Qt::AlignHCenter);
    paneLayout->addLayout(panelArea_);

    summary_->setHeaderLabels({tq("Summary"), QString()});
    summary_->setRootIsDecorated(false);
    summary_->setMinimumWidth(260);
    summary_->setFocusPolicy(Qt::NoFocus);

    auto* middle = new QHBoxLayout;
    middle->addWidget(paneBox, 1);
    middle->addWidget(summary_);

    auto* buttons = new QDialogButtonBox;
    auto* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    if (tr("Cancel") != "Cancel") cancel->setText(tq("Cancel"));
    cancel->setObjectName("cancelButton");
    cancel->setAutoDefault(false); // Return always means Print
    print_->setObjectName("printButton");
    buttons->addButton(print_, QDialogButtonBox::AcceptRole);
    print_->setDefault(true);
    connect(print_, &QPushButton::clicked, this, [this] {
        if (onPrint) onPrint();
    });
    connect(cancel, &QPushButton::clicked, this, &PrintWindow::reject);
    connect(printers_, &QComboBox::activated, this, [this](int index) {
        if (onPrinterChosen) onPrinterChosen(index);
    });
    connect(panes_, &QComboBox::activated, this, [this](int index) {
        const std::string name = panes_->itemData(index).toString().toStdString();
        showPane(name);
        if (onPaneChosen) onPaneChosen(name);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(chooser);
    layout->addLayout(middle, 1);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PrintWindow::setPrinters(const std::vector<PrinterEntry>& printers, int current)
{
    printers_->clear();
    for (const auto& printer : printers) printers_->addItem(QString::fromStdString(printer.title));
    printers_->setCurrentIndex(current);
}

void PrintWindow::showPanel(const std::string& name, QWidget* view)
{
    panes_->clear();
    panes_->addItem(QString::fromStdString(name), QString::fromStdString(name));
    setPanes({}, nullptr, name);
    if (panelView_ && panelView_ != view) panelView_->hide();
    panelView_ = view;
    if (!view) return;
    panelArea_->addWidget(view, 0, Qt::AlignCenter);
    view->show();
}

void PrintWindow::setPanes(const std::vector<std::string>& names, std::function<QWidget*(const std::string&)> pageFor,
    const std::string& shown)
{
    for (auto& [name, page] : pages_)
        if (page) page->deleteLater();
    pages_.clear();
    pageFor_ = std::move(pageFor);
    if (names.empty()) return;
    panes_->clear();
    for (const std::string& name : names)
        panes_->addItem(QString::fromStdString(host::tr(name.c_str())), QString::fromStdString(name));
    showPane(shown);
}

void PrintWindow::showPane(const std::string& name)
{
    QWidget* shown = nullptr;
    for (auto& [pane, page] : pages_)
        if (pane == name) shown = page;
    if (!shown && pageFor_ && (shown = pageFor_(name))) {
        // As large as the panel's view, so that the window stays as it is from pane to pane.
        if (panelView_) shown->setMinimumSize(panelView_->size());
        panelArea_->addWidget(shown);
        pages_.emplace_back(name, shown);
    }
    for (auto& [pane, page] : pages_)
        if (page && page != shown) page->hide();
    if (panelView_) panelView_->setVisible(!shown);
    if (shown) shown->show();
    const int index = panes_->findData(QString::fromStdString(name));
    if (index >= 0) panes_->setCurrentIndex(index);
}

void PrintWindow::setPresets(QWidget* presets)
{
    if (presets) presetArea_->addWidget(presets, 0, Qt::AlignHCenter);
}

void PrintWindow::showSummary(const std::vector<std::pair<std::string, std::string>>& rows)
{
    summary_->clear();
    for (const auto& [title, value] : rows)
        summary_->addTopLevelItem(new QTreeWidgetItem({QString::fromStdString(title), QString::fromStdString(value)}));
    // Wide enough for every line: a summary is read, not scrolled sideways.
    summary_->resizeColumnToContents(0);
    summary_->resizeColumnToContents(1);
    const int width = summary_->columnWidth(0) + summary_->columnWidth(1) + 2 * summary_->frameWidth() +
        summary_->verticalScrollBar()->sizeHint().width() + 8;
    summary_->setMinimumWidth(std::max(260, width));
}

void PrintWindow::reject()
{
    if (onCancel) onCancel();
}

} // namespace host
