// SPDX-License-Identifier: Apache-2.0
// Building widgets for views, following the model's changes, and placing widgets by the
// description's frames scaled to the font.
#include "ui/qt/Mirror.h"

#include "ui/Application.h"
#include "ui/TabView.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/Window.h"
#include "ui/qt/FieldEdit.h"
#include "ui/qt/FrameLayout.h"
#include "ui/qt/KeyboardOrder.h"
#include "ui/qt/ModalDialog.h"
#include "ui/qt/TableWidget.h"
#include "ui/qt/Widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>

#include <cmath>

namespace ui::qt {

Mirror::Mirror()
{
    ui::setObserver(this);
    auto& app = ui::Application::shared();
    app.setModalLoop(
        [this](ui::Window& window, const std::function<bool()>& stopped) { return runModalLoop(window, stopped); });
    app.setOpenPanelRunner([this](const std::string& directory) -> std::optional<std::string> {
        QString file = QFileDialog::getOpenFileName(
            modalOnTop() ? modalOnTop() : mainWindow_.data(), QString(), QString::fromStdString(directory));
        if (file.isEmpty()) return std::nullopt;
        return file.toStdString();
    });
}

Mirror::~Mirror()
{
    auto& app = ui::Application::shared();
    app.setModalLoop({});
    app.setOpenPanelRunner({});
    if (ui::observer() == this) ui::setObserver(nullptr);
    clear();
}

QWidget* Mirror::find(const ui::Object* object) const
{
    auto it = widgets_.find(object);
    return it == widgets_.end() ? nullptr : it->second.data();
}

QWidget* Mirror::widgetFor(ui::View& view, QWidget* parent)
{
    if (QWidget* existing = find(&view)) return existing;
    QWidget* widget = makeWidget(view, parent);
    widgets_[&view] = widget;
    build(view, *widget);
    scheduleLayout();
    return widget;
}

void Mirror::build(ui::View& view, QWidget& widget)
{
    if (auto* tabs = dynamic_cast<ui::TabView*>(&view)) {
        auto& tabWidget = static_cast<QTabWidget&>(widget);
        QSignalBlocker block(&tabWidget);
        for (const auto& item : tabs->items()) {
            if (!item.view) continue;
            pages_.insert(item.view);
            tabWidget.addTab(widgetFor(*item.view, &tabWidget), QString::fromStdString(item.label));
        }
        updateWidget(view, widget);
        return;
    }
    for (ui::View* child : view.subviews()) {
        widgetFor(*child, &widget);
        syncVisibility(*child);
    }
}

void Mirror::syncChildren(ui::View& view)
{
    QWidget* widget = find(&view);
    if (!widget || dynamic_cast<ui::TabView*>(&view)) return; // the tab widget keeps its pages
    for (ui::View* child : view.subviews()) {
        QWidget* shown = widgetFor(*child, widget);
        if (shown->parentWidget() != widget) shown->setParent(widget);
        syncVisibility(*child);
    }
    for (QObject* object : widget->children()) {
        auto* childWidget = qobject_cast<QWidget*>(object);
        ui::View* childView = viewOf(childWidget);
        if (childView && childView->superview() != &view) childWidget->hide();
    }
}

void Mirror::syncVisibility(ui::View& view)
{
    QWidget* widget = find(&view);
    if (!widget || pages_.count(&view)) return;
    // A root (its holder decides where it goes) is shown; a view taken out of its superview is not.
    const bool attached =
        view.superview() ? find(view.superview()) == widget->parentWidget() : !viewOf(widget->parentWidget());
    widget->setVisible(attached && !view.isHidden());
}

ModalDialog* Mirror::dialogFor(ui::Window& window)
{
    if (auto it = dialogs_.find(&window); it != dialogs_.end() && it->second) return it->second;
    auto* dialog = new ModalDialog(window, mainWindow_);
    dialogs_[&window] = dialog;
    if (window.contentView()) widgetFor(*window.contentView(), dialog)->show();
    layout();
    return dialog;
}

QWidget* Mirror::modalOnTop() const
{
    for (auto it = modal_.rbegin(); it != modal_.rend(); ++it)
        if (auto found = dialogs_.find(*it); found != dialogs_.end() && found->second) return found->second;
    return nullptr;
}

void Mirror::clear()
{
    for (auto& [window, dialog] : dialogs_) delete dialog.data();
    for (auto& [object, widget] : widgets_)
        if (widget && !viewOf(widget->parentWidget())) delete widget.data();
    dialogs_.clear();
    widgets_.clear();
    pages_.clear();
    modal_.clear();
    layoutPending_ = false;
}

void Mirror::flush()
{
    if (layoutPending_) layout();
    QApplication::processEvents();
}

void Mirror::changed(ui::Object& object, ui::Change what)
{
    if (auto* window = dynamic_cast<ui::Window*>(&object)) {
        windowChanged(*window, what);
        return;
    }
    auto* view = dynamic_cast<ui::View*>(&object);
    QWidget* widget = view ? find(view) : nullptr;
    if (!widget) return;
    switch (what) {
    case ui::Change::Subviews:
        syncChildren(*view);
        break;
    case ui::Change::Hidden:
        syncVisibility(*view);
        break;
    case ui::Change::TableData:
        static_cast<TableWidget*>(widget)->refresh();
        break;
    case ui::Change::TableSelection:
        static_cast<TableWidget*>(widget)->refreshSelection();
        break;
    case ui::Change::FirstResponder:
        break;
    case ui::Change::Frame:
        break;
    default:
        updateWidget(*view, *widget);
        break;
    }
    notifyListener();
    if (what == ui::Change::Text || what == ui::Change::Items || what == ui::Change::Frame ||
        what == ui::Change::Subviews || what == ui::Change::Hidden)
        scheduleLayout();
}

void Mirror::notifyListener()
{
    if (!listener_ || listenerPending_) return;
    listenerPending_ = true;
    QTimer::singleShot(0, this, [this] {
        listenerPending_ = false;
        if (listener_) listener_();
    });
}

void Mirror::windowChanged(ui::Window& window, ui::Change what)
{
    ModalDialog* dialog = nullptr;
    if (auto it = dialogs_.find(&window); it != dialogs_.end()) dialog = it->second;
    switch (what) {
    case ui::Change::WindowShown:
    case ui::Change::ModalStart:
        dialog = dialogFor(window);
        if (what == ui::Change::ModalStart) modal_.push_back(&window);
        flush();
        showDialog(window, *dialog);
        break;
    case ui::Change::WindowClosed:
        if (dialog) dialog->hide();
        if (!loops_.empty()) loops_.back()->quit();
        break;
    case ui::Change::ModalStop:
        // Sent when stopped and again when the run has ended: only then is the window no longer modal.
        if (!modal_.empty() && modal_.back() == &window && ui::Application::shared().modalWindow() != &window)
            modal_.pop_back();
        if (!loops_.empty()) loops_.back()->quit();
        break;
    case ui::Change::Text:
        if (dialog) dialog->setWindowTitle(QString::fromStdString(window.title()));
        break;
    case ui::Change::FirstResponder:
        if (QWidget* widget = window.firstResponder() ? find(window.firstResponder()) : nullptr)
            widget->setFocus(Qt::OtherFocusReason);
        break;
    default:
        break;
    }
}

void Mirror::showDialog(ui::Window& window, ModalDialog& dialog)
{
    // Qt takes a modality only as a window is shown: a window already on screen that becomes modal
    // is shown again, or the main window would keep taking clicks beside it.
    const Qt::WindowModality wanted =
        ui::Application::shared().modalWindow() == &window ? Qt::ApplicationModal : Qt::NonModal;
    if (dialog.windowModality() != wanted) {
        if (dialog.isVisible()) dialog.hide();
        dialog.setWindowModality(wanted);
    }
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

bool Mirror::runModalLoop(ui::Window& window, const std::function<bool()>& stopped)
{
    QEventLoop loop;
    loops_.push_back(&loop);
    while (!stopped() && dialogFor(window)->isVisible()) loop.exec();
    loops_.pop_back();
    return true;
}

void Mirror::scheduleLayout()
{
    if (layoutPending_) return;
    layoutPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (layoutPending_) layout();
    });
}

void Mirror::layout()
{
    layoutPending_ = false;
    place();
    bool textsChanged = false;
    for (auto& [object, widget] : widgets_)
        if (widget && !static_cast<const ui::View*>(object)->superview() &&
            !pages_.count(static_cast<const ui::View*>(object)))
            textsChanged |= linkKeyboard(*widget, widget->window() == mainWindow_ ? reservedMnemonics_ : QString());
    // A mnemonic such as "(&A)" makes its text wider: the frames are fitted again.
    if (textsChanged) place();
}

void Mirror::place()
{
    std::vector<std::pair<const ui::View*, QWidget*>> shown;
    for (auto& [object, widget] : widgets_)
        if (widget) shown.emplace_back(static_cast<const ui::View*>(object), widget.data());
    scale_ = fitScale(shown);
    for (auto& [view, widget] : shown) {
        if (pages_.count(view)) continue; // the tab widget places its pages
        placeWidget(*view, *widget, scale_, view->superview() && find(view->superview()) == widget->parentWidget());
    }
    for (auto& [window, dialog] : dialogs_) {
        if (!dialog || !window->contentView()) continue;
        if (QWidget* content = find(window->contentView())) dialog->setFixedSize(content->size());
    }
}

} // namespace ui::qt
