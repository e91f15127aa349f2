// SPDX-License-Identifier: Apache-2.0
// Layout, keyboard order and buttons of the print dialog window.
#include "host/gui/PrintWindow.h"

#include "host/Translate.h"
#include "ui/qt/FocusButton.h"
#include "ui/qt/KeyboardOrder.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace host {
namespace {

// The window's own mnemonics (kMnemonics); the panel's controls take other letters.
constexpr char kPrinterKey = 'r';
constexpr char kPrintKey = 'p';
constexpr char kCancelKey = 'c';

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
    qt.remove('&');
    return qt == QString::fromUtf8(qtText).remove('&') ? QString::fromUtf8(msgid) : qt;
}

QString keyed(const QString& text, char letter)
{
    return ui::qt::withMnemonic(text, QChar(letter));
}

// The summary asks for the width of its texts (within bounds), never for the width it was given:
// so the window starts wide enough to read it, and no refresh makes the window wider.
class SummaryView final : public QTreeWidget {
public:
    QSize sizeHint() const override
    {
        int titles = 0, values = 0;
        for (int i = 0; i < topLevelItemCount(); ++i) {
            titles = std::max(titles, fontMetrics().horizontalAdvance(topLevelItem(i)->text(0)));
            values = std::max(values, fontMetrics().horizontalAdvance(topLevelItem(i)->text(1)));
        }
        const int margins = 4 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 2 * frameWidth() +
            verticalScrollBar()->sizeHint().width() + 24;
        return {std::clamp(titles + values + margins, minimumWidth(), 560), QTreeWidget::sizeHint().height()};
    }
};

} // namespace

std::string chooserText(const PrinterEntry& entry)
{
    std::string text = entry.title;
    if (!entry.location.empty()) text += " (" + entry.location + ")";
    if (entry.queue) text += " \u2014 " + stateWords(entry);
    return text;
}

PrintWindow::PrintWindow()
    : printers_(new QComboBox), printerStatus_(new QLabel), panes_(new QComboBox), paneArea_(new QStackedWidget),
      summary_(new SummaryView),
      print_(new ui::qt::FocusButton(keyed(tqOrQt("Print", "QPrintDialog", "&Print"), kPrintKey))),
      cancel_(new ui::qt::FocusButton(keyed(tqOrQt("Cancel", "QPlatformTheme", "&Cancel"), kCancelKey))),
      presetArea_(new QVBoxLayout), middle_(new QHBoxLayout)
{
    setWindowTitle(tqOrQt("Print", "QPrintDialog", "Print"));
    setSizeGripEnabled(true);
    printers_->setObjectName("printerChooser");
    printers_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    printerStatus_->setObjectName("printerStatus");
    printerStatus_->setTextFormat(Qt::PlainText);
    printerStatus_->setWordWrap(true);
    panes_->setObjectName("paneSelector");
    panes_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    paneArea_->setObjectName("paneArea");
    summary_->setObjectName("summary");

    auto* chooser = new QFormLayout;
    auto* printerLabel = new QLabel(keyed(tq("Printer:"), kPrinterKey));
    printerLabel->setBuddy(printers_);
    chooser->addRow(printerLabel, printers_);
    chooser->addRow(QString(), printerStatus_);

    auto* paneBox = new QGroupBox;
    auto* paneLayout = new QVBoxLayout(paneBox);
    paneLayout->addLayout(presetArea_);
    paneLayout->addWidget(panes_, 0, Qt::AlignHCenter);
    paneLayout->addWidget(paneArea_, 1);

    summary_->setHeaderLabels({tq("Summary"), QString()});
    summary_->setRootIsDecorated(false);
    summary_->setFocusPolicy(Qt::NoFocus);
    summary_->setAccessibleName(tq("Summary"));
    // A fixed minimum: the summary's width must not follow its (stretched) columns, or every refresh
    // would widen the window. A long value is elided and shown whole in its tool tip.
    summary_->setMinimumWidth(280);
    summary_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    summary_->header()->setStretchLastSection(true);
    summary_->setTextElideMode(Qt::ElideMiddle);
    summary_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    middle_->addWidget(paneBox, 1);
    middle_->addWidget(summary_);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
    cancel_->setObjectName("cancelButton");
    cancel_->setAutoDefault(false); // Return always means Print
    print_->setObjectName("printButton");
    buttons->addButton(print_, QDialogButtonBox::AcceptRole);
    print_->setDefault(true);
    connect(print_, &QPushButton::clicked, this, [this] {
        if (onPrint) onPrint();
    });
    connect(cancel_, &QPushButton::clicked, this, &PrintWindow::reject);
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
    layout->addLayout(middle_, 1);
    layout->addWidget(buttons);
    qApp->installEventFilter(this);
}

PrintWindow::~PrintWindow()
{
    qApp->removeEventFilter(this);
}

void PrintWindow::setPrinters(const std::vector<PrinterEntry>& printers, int current)
{
    QStringList items;
    for (const auto& printer : printers) items << QString::fromStdString(chooserText(printer));
    // In one go: a thousand queues added one by one would measure the chooser a thousand times.
    printers_->clear();
    printers_->addItems(items);
    printers_->setCurrentIndex(current);
}

void PrintWindow::setPrinterStatus(const std::string& text, bool warning)
{
    printerStatus_->setText((warning ? QStringLiteral("\u26a0 ") : QString()) + QString::fromStdString(text));
    printerStatus_->setVisible(!text.empty());
    QFont font = printerStatus_->font();
    font.setBold(warning);
    printerStatus_->setFont(font);
}

void PrintWindow::showPanel(const std::string& name, QWidget* view)
{
    panes_->clear();
    panes_->addItem(QString::fromStdString(name), QString::fromStdString(name));
    setPanes({}, nullptr, name);
    if (!view) summary_->clear();
    if (panelView_ && panelView_ != view) {
        panelView_->hide();
        if (QWidget* page = panelView_->parentWidget(); page && page->parentWidget() == paneArea_) {
            // The view goes back to whoever holds it; only the page around it is the window's.
            panelView_->setParent(nullptr);
            paneArea_->removeWidget(page);
            page->deleteLater();
        }
    }
    panelView_ = view;
    if (!view) return;
    if (view->parentWidget() && view->parentWidget()->parentWidget() == paneArea_) return view->show();
    auto* page = new QWidget;
    auto* centre = new QVBoxLayout(page);
    centre->setContentsMargins(0, 0, 0, 0);
    centre->addWidget(view, 0, Qt::AlignHCenter | Qt::AlignTop);
    paneArea_->addWidget(page);
    paneArea_->setCurrentWidget(page);
    view->show();
    fitContents();
}

void PrintWindow::setPanes(const std::vector<std::string>& names, std::function<QWidget*(const std::string&)> pageFor,
    const std::string& shown)
{
    for (auto& [name, page] : pages_)
        if (page) {
            paneArea_->removeWidget(page);
            page->deleteLater();
        }
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
        paneArea_->addWidget(shown);
        pages_.emplace_back(name, shown);
    }
    // The panel's pane is the page around its view.
    if (!shown && panelView_) shown = panelView_->parentWidget();
    if (shown && shown->parentWidget() == paneArea_) paneArea_->setCurrentWidget(shown);
    const int index = panes_->findData(QString::fromStdString(name));
    if (index >= 0) panes_->setCurrentIndex(index);
}

void PrintWindow::setPresets(QWidget* presets)
{
    presets_ = presets;
    if (presets) presetArea_->addWidget(presets, 0, Qt::AlignHCenter);
}

void PrintWindow::setPreview(QWidget* preview)
{
    // At once: the preview draws off the window's thread for the dialog that is about to go.
    delete preview_.data();
    preview_ = preview;
    if (!preview) return;
    // On the left, where a person looks first, as the sheet comes before its settings.
    middle_->insertWidget(0, preview);
    fitContents();
}

void PrintWindow::showSummary(const std::vector<std::pair<std::string, std::string>>& rows)
{
    const bool first = summary_->topLevelItemCount() == 0;
    summary_->clear();
    for (const auto& [title, value] : rows) {
        auto* item = new QTreeWidgetItem({QString::fromStdString(title), QString::fromStdString(value)});
        item->setToolTip(1, QString::fromStdString(value));
        summary_->addTopLevelItem(item);
    }
    summary_->updateGeometry();
    // The first lines of a panel may ask for more room than the window has; later ones never do.
    if (first && !rows.empty()) fitContents();
}

void PrintWindow::fitContents()
{
    // Until a person acts, the window grows to what a new panel and its first summary ask for (the
    // panel's widgets are placed on a later turn of the event loop); never after, whatever changes.
    fitArmed_ = true;
    QApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
}

bool PrintWindow::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    if (event->type() != QEvent::LayoutRequest) return handled;
    // Also when the pane needs more room than before (the advanced view, say): the summary then keeps
    // its width. Both grow only up to what the contents ask for, so no number of changes adds up.
    layout()->activate();
    const QSize minimum = minimumSizeHint();
    const bool paneGrew = minimum.width() > lastMinimum_.width() || minimum.height() > lastMinimum_.height();
    lastMinimum_ = minimum;
    if ((fitArmed_ && !touched_) || (paneGrew && isVisible())) resize(size().expandedTo(sizeHint()));
    return handled;
}

std::vector<QWidget*> PrintWindow::keyboardChain() const
{
    std::vector<QWidget*> chain{printers_};
    if (preview_)
        for (QWidget* control : ui::qt::keyboardOrder(*preview_)) chain.push_back(control);
    if (presets_) chain.push_back(presets_);
    chain.push_back(panes_);
    if (QWidget* pane = paneArea_->currentWidget())
        for (QWidget* control : ui::qt::keyboardOrder(*pane)) chain.push_back(control);
    // The buttons as they stand, left to right (their order depends on the desktop's conventions).
    std::vector<QWidget*> buttons{cancel_, print_};
    std::sort(buttons.begin(), buttons.end(),
        [](QWidget* a, QWidget* b) { return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x(); });
    chain.insert(chain.end(), buttons.begin(), buttons.end());
    return chain;
}

bool PrintWindow::focusNextPrevChild(bool next)
{
    QWidget* to = ui::qt::nextInOrder(keyboardChain(), focusWidget(), next);
    if (!to) return QDialog::focusNextPrevChild(next);
    to->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool PrintWindow::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::KeyPress)
        if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->window() == this) touched_ = true;
    return QDialog::eventFilter(watched, event);
}

void PrintWindow::reject()
{
    if (onCancel) onCancel();
}

} // namespace host
