#include "gui/PlotViewActions.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

#include "gui/Language.h"
#include "gui/PlotView.h"

namespace {

QAction* NewAction(QWidget* owner, QMenu* menu, const char* name, const char* text, const char* tip,
                   const QKeySequence& key) {
    auto* action = new QAction(Tr(text), owner);
    action->setObjectName(name);
    action->setStatusTip(Tr(tip));
    action->setShortcut(key);
    menu->addAction(action);
    return action;
}
} // namespace

void AddPlotViewActions(QWidget* owner, QMenu* menu, PlotView* view) {
    menu->addSeparator();
    QAction* legend =
        NewAction(owner, menu, "actionLegend", "&Legend", "Show or hide the names of the cuts on the plot",
                  QKeySequence(Qt::CTRL | Qt::Key_L));
    legend->setCheckable(true);
    legend->setChecked(view->LegendShown());
    QObject::connect(legend, &QAction::toggled, view, &PlotView::SetLegendShown);
    QObject::connect(view, &PlotView::modesChanged, legend,
                     [legend, view] { legend->setChecked(view->LegendShown()); });

    QObject::connect(NewAction(owner, menu, "actionZoomInStep", "Zoom In &Step",
                               "Enlarge the plot about its centre", QKeySequence(Qt::CTRL | Qt::Key_Equal)),
                     &QAction::triggered, view, &PlotView::ZoomInStep);
    QObject::connect(NewAction(owner, menu, "actionZoomOut", "Zoom &Out", "Go back one zoom step",
                               QKeySequence(Qt::CTRL | Qt::Key_Minus)),
                     &QAction::triggered, view, &PlotView::ZoomOutStep);

    // Shortcuts of the display commands the menu already has.
    const std::pair<const char*, QKeySequence> keys[] = {
        {"actionPolar", QKeySequence(Qt::CTRL | Qt::Key_1)},
        {"actionCartesian", QKeySequence(Qt::CTRL | Qt::Key_2)},
        {"actionEnvelope", QKeySequence(Qt::Key_F3)},
        {"actionMarkMax", QKeySequence(Qt::Key_F5)},
        {"actionMarkMin", QKeySequence(Qt::Key_F6)},
        {"actionResetView", QKeySequence(Qt::CTRL | Qt::Key_0)},
    };
    for (const auto& [name, key] : keys)
        if (QAction* action = owner->findChild<QAction*>(name); action && action->shortcut().isEmpty())
            action->setShortcut(key);
}
