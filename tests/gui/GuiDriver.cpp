#include "GuiDriver.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>

ModalDriver::ModalDriver() {
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
    m_timer.start(20);
}

ModalDriver::~ModalDriver() {
    m_timer.stop();
}

void ModalDriver::Tick() {
    QWidget* top = QApplication::activeModalWidget();
    if (!top) {
        m_lastHandled = nullptr;
        return;
    }
    if (top == m_lastHandled || !top->isVisible()) return;
    m_lastHandled = top;
    if (!m_handlers.empty()) {
        auto handler = std::move(m_handlers.front());
        m_handlers.pop_front();
        // Run outside the timer slot: the handler may open further modal windows.
        QTimer::singleShot(0, top, [handler = std::move(handler), top] { handler(top); });
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(top)) {
        boxes << BoxText(box);
        QTimer::singleShot(0, box, [box] { box->accept(); });
    }
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(5);
    }
    return true;
}

void SetEdit(QWidget* dialog, const QString& name, const QString& text) {
    auto* edit = dialog->findChild<QLineEdit*>(name);
    if (!edit) qFatal("no edit %s", qPrintable(name));
    edit->setText(text);
}

void Click(QWidget* dialog, const QString& name) {
    auto* button = dialog->findChild<QAbstractButton*>(name);
    if (!button) qFatal("no button %s", qPrintable(name));
    button->click();
}

QString BoxText(QWidget* box) {
    auto* message = qobject_cast<QMessageBox*>(box);
    return message ? message->windowTitle() + ": " + message->text() : QString();
}

namespace {
void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
    QApplication::processEvents();
}
} // namespace

void DragMouse(QWidget* widget, QPoint from, QPoint to, int steps) {
    SendMouse(widget, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int i = 1; i <= steps; ++i) {
        const QPoint at = from + (to - from) * i / steps;
        SendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
    }
    SendMouse(widget, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

void MoveMouse(QWidget* widget, QPoint at) {
    SendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}
