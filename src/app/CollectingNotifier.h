#pragma once
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "app/Notifier.h"

// Holds back the messages of a long run so that the user gets one account at its end instead of a
// box per file. `keep` picks the message texts held back; the others, and every status text, go on
// to `next` at once. Safe to call from the run's worker threads.
class CollectingNotifier : public Notifier {
  public:
    CollectingNotifier(Notifier* next, std::function<bool(const std::string& text)> keep, bool keepWarnings)
        : m_next(next), m_keep(std::move(keep)), m_keepWarnings(keepWarnings) {}

    void Notify(const std::string& text, const std::string& caption) override;
    void Status(const std::string& text) override;
    void Warning(const std::string& subject, const std::string& text) override;

    // "TEXT" of each message held back, "SUBJECT: TEXT" of each warning, in arrival order.
    std::vector<std::string> Messages() const;
    std::vector<std::string> Warnings() const;
    // Hands the held messages on to `next`, as they would have gone without this notifier.
    void Release();

  private:
    Notifier* m_next;
    std::function<bool(const std::string&)> m_keep;
    bool m_keepWarnings;
    mutable std::mutex m_lock;
    std::vector<std::pair<std::string, std::string>> m_messages; // (text, caption)
    std::vector<std::string> m_warnings;
};
