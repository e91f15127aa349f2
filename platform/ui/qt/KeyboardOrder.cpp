// SPDX-License-Identifier: Apache-2.0
// Buddies, mnemonics and tab order from geometry.
#include "ui/qt/KeyboardOrder.h"

#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/qt/Widgets.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSet>
#include <QTabWidget>
#include <QWidget>

#include <algorithm>

namespace ui::qt {
namespace {

constexpr const char* kMnemonicProperty = "tlMnemonic";

bool takesTab(const QWidget* widget)
{
    return widget->focusPolicy() & Qt::TabFocus;
}

// The description's views directly below widget (looking through Qt's own inner widgets, such as a
// tab widget's stack), not below another view.
void childViews(QWidget& widget, std::vector<QWidget*>& out)
{
    for (QObject* object : widget.children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow()) continue;
        if (viewOf(child))
            out.push_back(child);
        else
            childViews(*child, out);
    }
}

// Rows top down (a widget whose middle lies within the first widget's height shares its row), each
// row left to right; widgets in the same place keep their order (tab pages, alternative views).
std::vector<QWidget*> inReadingOrder(QWidget& widget)
{
    std::vector<QWidget*> views;
    childViews(widget, views);
    std::stable_sort(views.begin(), views.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
    std::vector<QWidget*> ordered;
    for (size_t start = 0; start < views.size();) {
        const QRect first = views[start]->geometry();
        size_t end = start + 1;
        while (end < views.size() && views[end]->geometry().center().y() <= first.bottom()) ++end;
        std::stable_sort(views.begin() + static_cast<long>(start), views.begin() + static_cast<long>(end),
            [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
        ordered.insert(ordered.end(), views.begin() + static_cast<long>(start), views.begin() + static_cast<long>(end));
        start = end;
    }
    return ordered;
}

void collectOrder(QWidget& widget, std::vector<QWidget*>& out)
{
    for (QWidget* view : inReadingOrder(widget)) {
        if (takesTab(view)) out.push_back(view);
        collectOrder(*view, out);
    }
}

// The control whose row the label names: to its right, its middle within the label's height.
QWidget* controlBeside(QLabel& label, const std::vector<QWidget*>& siblings)
{
    QWidget* best = nullptr;
    int bestGap = 0;
    const QRect at = label.geometry();
    for (QWidget* other : siblings) {
        if (other == &label || !takesTab(other)) continue;
        const int middle = other->geometry().center().y();
        if (middle < at.top() - 4 || middle > at.bottom() + 4) continue;
        const int gap = other->x() - at.right();
        if (gap < -2) continue;
        if (!best || gap < bestGap) {
            best = other;
            bestGap = gap;
        }
    }
    return best;
}

// The text a person reads on a labelled control (a label with a buddy, a button); empty for others.
QString labelText(QWidget* widget)
{
    auto* label = qobject_cast<QLabel*>(widget);
    if (label && !label->buddy()) return {};
    if (auto* model = dynamic_cast<ui::Label*>(viewOf(widget))) return QString::fromStdString(model->stringValue());
    if (auto* model = dynamic_cast<ui::Button*>(viewOf(widget))) return QString::fromStdString(model->title());
    return {};
}

// The first letter or digit of text not taken yet; else the first free one of all.
QChar freeLetter(const QString& text, const QSet<QChar>& used)
{
    for (QChar c : text)
        if (c.unicode() < 128 && c.isLetterOrNumber() && !used.contains(c.toLower())) return c.toLower();
    for (QChar c : QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789"))
        if (!used.contains(c)) return c;
    return {};
}

// Gives each labelled control under widget a letter. Alternatives (tab pages, views in the same
// place) may share letters, since only one of them is shown; everything else shown together may not.
bool assignMnemonics(QWidget& widget, QSet<QChar>& used)
{
    bool changed = false;
    const std::vector<QWidget*> views = inReadingOrder(widget);
    std::vector<QWidget*> containers;
    for (QWidget* view : views) {
        std::vector<QWidget*> inside;
        childViews(*view, inside);
        if (!inside.empty()) {
            containers.push_back(view);
            continue;
        }
        const QString text = labelText(view);
        const QChar letter = text.isEmpty() ? QChar() : freeLetter(text, used);
        if (!letter.isNull()) used.insert(letter);
        if (view->property(kMnemonicProperty).toChar() == letter) continue;
        view->setProperty(kMnemonicProperty, letter);
        updateWidget(*viewOf(view), *view);
        changed = true;
    }
    const QSet<QChar> shared = used;
    std::vector<QWidget*> done;
    for (QWidget* container : containers) {
        const bool alternative = qobject_cast<QTabWidget*>(&widget) ||
            std::any_of(done.begin(), done.end(),
                [container](QWidget* other) { return other->geometry().intersects(container->geometry()); });
        QSet<QChar> pool = alternative ? shared : used;
        changed |= assignMnemonics(*container, pool);
        used |= pool;
        done.push_back(container);
    }
    return changed;
}

void linkBuddies(QWidget& widget)
{
    const std::vector<QWidget*> views = inReadingOrder(widget);
    for (QWidget* view : views) {
        if (auto* label = qobject_cast<QLabel*>(view)) {
            QWidget* buddy = controlBeside(*label, views);
            label->setBuddy(buddy);
        }
        linkBuddies(*view);
    }
}

} // namespace

QChar mnemonicOf(const QWidget& widget)
{
    return widget.property(kMnemonicProperty).toChar();
}

QString withMnemonic(const QString& text, QChar letter)
{
    QString shown = text;
    shown.replace('&', QLatin1String("&&"));
    if (letter.isNull()) return shown;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i] == '&') {
            ++i;
            continue;
        }
        if (shown[i].toLower() == letter) return shown.insert(i, '&');
    }
    qsizetype end = shown.size();
    while (end > 0 && (shown[end - 1] == ':' || shown[end - 1] == QChar(0xFF1A) || shown[end - 1] == ' ')) --end;
    return shown.insert(end, QStringLiteral("(&") + letter.toUpper() + ')');
}

bool linkKeyboard(QWidget& root, const QString& reserved)
{
    linkBuddies(root);
    QSet<QChar> used;
    for (QChar c : reserved) used.insert(c.toLower());
    const bool changed = assignMnemonics(root, used);
    // Qt's own chain too, for whatever moves the focus without the window's order.
    const std::vector<QWidget*> order = keyboardOrder(root);
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    return changed;
}

std::vector<QWidget*> keyboardOrder(QWidget& root)
{
    std::vector<QWidget*> order;
    collectOrder(root, order);
    return order;
}

QWidget* nextInOrder(const std::vector<QWidget*>& order, const QWidget* focus, bool forward)
{
    auto reachable = [](QWidget* widget) { return widget->isVisible() && widget->isEnabled() && takesTab(widget); };
    auto holds = [focus](QWidget* widget) {
        return focus && (widget == focus || widget->isAncestorOf(focus) || widget->focusProxy() == focus);
    };
    const auto size = static_cast<long>(order.size());
    long at = -1;
    for (long i = 0; i < size; ++i)
        if (holds(order[static_cast<size_t>(i)])) at = i;
    for (long step = 1; step <= size; ++step) {
        long index = at < 0 ? (forward ? step - 1 : size - step) : at + (forward ? step : -step);
        index = ((index % size) + size) % size;
        if (reachable(order[static_cast<size_t>(index)])) return order[static_cast<size_t>(index)];
    }
    return nullptr;
}

} // namespace ui::qt
