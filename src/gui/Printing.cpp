// Printing and print preview of the view: the plot rendered onto the page as on screen.
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "gui/MainWindow.h"
#include "gui/PlotView.h"
#include "gui/QtBridge.h"
#include "render/PlotRenderer.h"

void MainWindow::Print(bool preview) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    auto paint = [this](QPrinter* target) {
        QPainter painter(target);
        // The page shows the view's picture at the view's proportions, scaled to fit the page.
        const QRect page = painter.viewport();
        QSize size = m_view->size();
        size.scale(page.size(), Qt::KeepAspectRatio);
        const double scale = static_cast<double>(size.width()) / std::max(1, m_view->width());
        painter.scale(scale, scale);
        RenderPlot(painter, m_view->size(), m_session->Doc(), m_session->plot, m_notifier);
    };
    if (preview) {
        QPrintPreviewDialog dialog(&printer, this);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this, paint);
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) paint(&printer);
}
