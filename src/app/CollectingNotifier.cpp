#include "app/CollectingNotifier.h"

void CollectingNotifier::Notify(const std::string& text, const std::string& caption) {
    if (!m_keep || !m_keep(text)) {
        if (m_next) m_next->Notify(text, caption);
        return;
    }
    std::lock_guard<std::mutex> guard(m_lock);
    m_messages.emplace_back(text, caption);
}

void CollectingNotifier::Status(const std::string& text) {
    if (m_next) m_next->Status(text);
}

void CollectingNotifier::Warning(const std::string& subject, const std::string& text) {
    if (!m_keepWarnings) {
        if (m_next) m_next->Warning(subject, text);
        return;
    }
    std::lock_guard<std::mutex> guard(m_lock);
    m_warnings.push_back(subject + ": " + text);
}

std::vector<std::string> CollectingNotifier::Messages() const {
    std::lock_guard<std::mutex> guard(m_lock);
    std::vector<std::string> texts;
    for (const auto& message : m_messages) texts.push_back(message.first);
    return texts;
}

std::vector<std::string> CollectingNotifier::Warnings() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_warnings;
}

void CollectingNotifier::Release() {
    std::vector<std::pair<std::string, std::string>> held;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        held.swap(m_messages);
    }
    if (m_next)
        for (const auto& [text, caption] : held) m_next->Notify(text, caption);
}
