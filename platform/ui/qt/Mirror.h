// SPDX-License-Identifier: Apache-2.0
// The Qt mirror of the widget model: one widget per view, made on first use and kept in step with
// every change the model announces. Input on the widgets becomes the model's user calls.
#pragma once

#include "ui/Observer.h"

#include <QObject>
#include <QPointer>
#include <QSizeF>
#include <QString>

#include <functional>
#include <set>
#include <unordered_map>
#include <vector>

class QEventLoop;
class QWidget;

namespace ui {
class View;
class Window;
} // namespace ui

namespace ui::qt {

class ModalDialog;

class Mirror final : public QObject, public ui::Observer {
public:
    // Listens to the model and runs its modal sessions and open panels in Qt, until destroyed.
    Mirror();
    ~Mirror() override;

    // The widget showing view with all its subviews; parent holds it when the view has no shown superview.
    QWidget* widgetFor(ui::View& view, QWidget* parent = nullptr);
    QWidget* find(const ui::Object* object) const;
    ModalDialog* dialogFor(ui::Window& window);
    // The modal dialog on top, or null.
    QWidget* modalOnTop() const;
    // Where dialogs appear.
    void setMainWindow(QWidget* window) { mainWindow_ = window; }
    // Mnemonic letters the main window's own controls use, left alone in the views it shows.
    void setReservedMnemonics(QString letters) { reservedMnemonics_ = std::move(letters); }
    // Lays out what changed and lets Qt deliver what is pending.
    void flush();
    QSizeF scale() const { return scale_; }
    // Told (once per turn of the event loop) that the model changed.
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }
    // Forgets every widget and dialog, before the model objects they show go away.
    void clear();

    void changed(ui::Object& object, ui::Change what) override;

private:
    void build(ui::View& view, QWidget& widget);
    void syncChildren(ui::View& view);
    void syncVisibility(ui::View& view);
    void scheduleLayout();
    void notifyListener();
    void layout();
    void place();
    void windowChanged(ui::Window& window, ui::Change what);
    void showDialog(ui::Window& window, ModalDialog& dialog);
    bool runModalLoop(ui::Window& window, const std::function<bool()>& stopped);

    std::unordered_map<const ui::Object*, QPointer<QWidget>> widgets_;
    std::unordered_map<const ui::Window*, QPointer<ModalDialog>> dialogs_;
    std::set<const ui::View*> pages_;
    std::vector<QEventLoop*> loops_;
    std::vector<ui::Window*> modal_;
    QPointer<QWidget> mainWindow_;
    QString reservedMnemonics_;
    QSizeF scale_{1, 1};
    bool layoutPending_ = false;
    std::function<void()> listener_;
    bool listenerPending_ = false;
};

} // namespace ui::qt
