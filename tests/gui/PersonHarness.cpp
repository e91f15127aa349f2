// SPDX-License-Identifier: Apache-2.0
// The window's event loop with a person's steps in it.
#include "PersonHarness.h"

#include "host/ProgramFiles.h"
#include "host/gui/GuiSession.h"
#include "support/TestPaths.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <chrono>

namespace persontest {

QWidget* printWindow()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* button = top->findChild<QPushButton*>("printButton"); button && top->isVisible()) return top;
    return nullptr;
}

QWidget* profileWindow()
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->findChild<QWidget*>("_profileTableView") ? modal : nullptr;
}

QWidget* widget(const char* name)
{
    for (QWidget* top : {profileWindow(), printWindow()})
        if (QWidget* found = top ? top->findChild<QWidget*>(name) : nullptr) return found;
    return nullptr;
}

// The window a person's keys go to: the modal one on top, else the print window.
QWidget* activeTop()
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->isVisible() ? modal : printWindow();
}

QString messageBoxText()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    return box && box->isVisible() ? box->text() : QString();
}

void click(QWidget* target, QPoint at)
{
    // Where the widget is when the click is delivered: the window may have grown in between.
    QPointer<QWidget> shown = target;
    QTimer::singleShot(0, [shown, at] {
        if (!shown) return;
        QWidget* top = shown->window();
        QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, shown->mapTo(top, at));
    });
}

void click(QWidget* target)
{
    click(target, target->rect().center());
}

void key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTimer::singleShot(0, [key, modifiers] {
        if (QWidget* top = activeTop()) QTest::keyClick(top->windowHandle(), key, modifiers);
    });
}

void type(const QString& text)
{
    QTimer::singleShot(0, [text] {
        QWidget* top = activeTop();
        if (QWidget* focus = top ? top->focusWidget() : nullptr) QTest::keyClicks(focus, text);
    });
}

void pick(QWidget* popUp, int index)
{
    QPointer<QComboBox> combo = qobject_cast<QComboBox*>(popUp);
    QTimer::singleShot(0, [combo, index] {
        if (!combo) return;
        combo->showPopup();
        combo->view()->setCurrentIndex(combo->model()->index(index, 0));
        QTest::keyClick(combo->view(), Qt::Key_Return);
    });
}

QString focusName()
{
    QWidget* top = activeTop();
    for (QWidget* at = top ? top->focusWidget() : nullptr; at; at = at->parentWidget())
        if (!at->objectName().isEmpty() && !at->objectName().startsWith("qt_")) return at->objectName();
    return {};
}

Outcome runPerson(const host::Options& options, std::vector<Step> steps, host::JobSubmitter* document, int limitSeconds)
{
    Outcome outcome;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "person";
    static char* argv[] = {name, nullptr};
    std::string error;
    auto gui = host::GuiSession::start(argc, argv, &error);
    if (!gui) {
        ADD_FAILURE() << error;
        return outcome;
    }
    size_t next = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
    // Done or out of time: whatever is open is cancelled, message boxes first, until the run ends.
    bool ending = false;
    auto closeEverything = [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) return box->reject();
        for (const char* name : {"button_ProfileWindowCancel", "cancelButton"})
            if (auto* cancel = qobject_cast<QPushButton*>(widget(name)); cancel && cancel->isVisible())
                return cancel->click();
    };
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (ending) return closeEverything();
        if (std::chrono::steady_clock::now() > deadline) {
            ending = true;
            return;
        }
        if (!printWindow()) return;
        if (next < steps.size() && steps[next]()) ++next;
        if (next == steps.size()) {
            outcome.finished = true;
            ending = true;
        }
    });
    tick.start(15);
    host::Options run = options;
    outcome.status = gui->runForPerson(run, host::ProgramFiles::find(testpaths::binaryDir() + "/bin"), document);
    tick.stop();
    gui.reset();
    return outcome;
}

} // namespace persontest
