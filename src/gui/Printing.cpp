// Printing and print preview of the view: its picture, title and legend on a page.
#include <QDate>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "gui/MainWindow.h"
#include "gui/PlotView.h"
#include "gui/QtBridge.h"
#include "render/PlotPage.h"

void MainWindow::Print(bool preview) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    auto paint = [this](QPrinter* target) {
        QPainter painter(target);
        const std::string date = QDate::currentDate().toString(Qt::ISODate).toStdString();
        PaintPlotPage(painter, painter.viewport(), m_view->size(), m_session->Doc(), m_session->plot,
                      PlotPageTitle(m_session->Doc(), date), m_notifier);
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
