#pragma once
#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

#include "support/ImageCompare.h"

class QWidget;

// Answers the modal windows that a command opens, in the order they appear: each handler gets the
// dialog or message box on top and fills it in, clicks OK, Cancel or No. Message boxes that no
// handler claims are recorded (caption and text) and closed.
class ModalDriver {
  public:
    ModalDriver();
    ~ModalDriver();
    void Then(std::function<void(QWidget*)> handler) { m_handlers.push_back(std::move(handler)); }
    bool Idle() const { return m_handlers.empty(); }
    QStringList boxes; // "CAPTION: TEXT" of every box closed by the driver or a handler

  private:
    void Tick();
    QTimer m_timer;
    std::deque<std::function<void(QWidget*)>> m_handlers;
    QPointer<QWidget> m_lastHandled; // null again once that window is gone
};

// Waits (processing events) until `done` or a timeout; false on timeout.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 30000);

// Sets the text of the line edit named `name` inside `dialog`; clicks a button by object name.
void SetEdit(QWidget* dialog, const QString& name, const QString& text);
void Click(QWidget* dialog, const QString& name);
// Records and answers the message box on top with `button` (Ok, No, ...).
QString BoxText(QWidget* box);

// Mouse gestures as a person makes them: press, moves with the left button held, release.
void DragMouse(QWidget* widget, QPoint from, QPoint to, int steps = 5);
void MoveMouse(QWidget* widget, QPoint at);
