#include "gui/QtBridge.h"

#include "gui/Language.h"

#include <QMessageBox>
#include <QMetaObject>
#include <QThread>
#include <QWidget>

QtNotifier::QtNotifier(QWidget* parent) : QObject(parent), m_parent(parent) {}

void QtNotifier::Notify(const std::string& text, const std::string& caption) {
    const QString qtext = QString::fromStdString(text), qcaption = QString::fromStdString(caption);
    if (QThread::currentThread() == thread()) {
        ShowBox(qtext, qcaption);
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, qtext, qcaption] { ShowBox(qtext, qcaption); }, Qt::BlockingQueuedConnection);
}

void QtNotifier::Status(const std::string& text) {
    emit statusText(TrMessage(QString::fromStdString(text)));
}

void QtNotifier::Warning(const std::string& subject, const std::string& text) {
    const QMutexLocker lock(&m_warningsLock);
    m_warnings << QString::fromStdString(subject + ": " + text);
}

QStringList QtNotifier::TakeWarnings() {
    const QMutexLocker lock(&m_warningsLock);
    QStringList taken;
    taken.swap(m_warnings);
    return taken;
}

void QtNotifier::ShowBox(const QString& untranslatedText, const QString& untranslatedCaption) {
    const QString text = TrMessage(untranslatedText), caption = Tr(untranslatedCaption);
    emit messageShown(caption, text);
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, m_parent);
    box.setObjectName("notifierBox");
    box.exec();
}
