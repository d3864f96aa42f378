#pragma once
#include <functional>
#include <string>
#include <vector>

class Notifier;
class WriteLedger;

// The files of one export step, made and written on several threads. Which input wins a name, the
// messages and their order, and the files on disk are what writing them one after another in the
// order they were added gives: names are claimed in that order before any bytes are made, and the
// messages are shown in that order after the last write.
class OutputBatch {
  public:
    using Maker = std::function<std::string()>;

    // `make` runs on any thread, once, and only when this run may write `path`: it must only read
    // what no other maker changes. A maker that throws a std::exception fails its file with the
    // exception's text.
    void Add(std::string path, std::string source, Maker make);
    size_t Size() const { return m_items.size(); }

    // Makes and stages everything on up to `jobs` threads, then commits it with one sync. A failed
    // write shows `failureText` under `caption`, a second write to one path is a warning naming both
    // inputs. Returns, per item in the order added, whether its file was written.
    std::vector<bool> Write(WriteLedger& ledger, Notifier& notifier, int jobs, const std::string& failureText,
                            const std::string& caption);

  private:
    struct Item {
        std::string path;
        std::string source;
        Maker make;
    };
    std::vector<Item> m_items;
};
