#include "pane_focus.h"

#include <QApplication>
#include <QDockWidget>
#include <QMainWindow>
#include <QStackedWidget>

namespace telvor {
namespace {

// The widget of a pane that takes the keyboard focus: the pane, or its first child that does.
QWidget* FocusTarget(QWidget* pane) {
    if (pane->focusPolicy() & Qt::TabFocus) return pane;
    for (QWidget* child : pane->findChildren<QWidget*>())
        if ((child->focusPolicy() & Qt::TabFocus) && child->isVisibleTo(pane)) return child;
    return nullptr;
}

QList<QWidget*> Panes(QMainWindow& window) {
    QList<QWidget*> panes;
    QWidget* central = window.centralWidget();
    if (auto* stack = qobject_cast<QStackedWidget*>(central)) central = stack->currentWidget();
    if (central && FocusTarget(central)) panes << central;
    for (QDockWidget* dock : window.findChildren<QDockWidget*>())
        if (dock->isVisible() && dock->widget() && FocusTarget(dock->widget())) panes << dock->widget();
    return panes;
}

}  // namespace

void FocusNextPane(QMainWindow& window, bool forward) {
    const QList<QWidget*> panes = Panes(window);
    if (panes.isEmpty()) return;
    const QWidget* focus = QApplication::focusWidget();
    qsizetype current = -1;
    for (qsizetype i = 0; i < panes.size(); ++i)
        if (focus && (panes[i] == focus || panes[i]->isAncestorOf(focus))) current = i;
    const qsizetype count = panes.size();
    const qsizetype next = current < 0 ? 0 : (current + (forward ? 1 : count - 1)) % count;
    FocusTarget(panes[next])->setFocus(Qt::ShortcutFocusReason);
}

}  // namespace telvor
