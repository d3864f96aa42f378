#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/ConfigStore.h"
#include "document/QuadrelDoc.h"
#include "support/TestSupport.h"

// A document on a fresh, empty Config.xml in a temporary folder.
class SettingsTest : public ::testing::Test {
  protected:
    SettingsTest() {
        store = std::make_shared<ConfigStore>((dir.Path() / "Config.xml").string());
        doc.AttachConfig(store);
    }

    // A second document on the same store: what the next start of the program reads.
    std::unique_ptr<CQuadrelDoc> Restart() {
        auto next = std::make_unique<CQuadrelDoc>(&notifier);
        next->AttachConfig(store);
        return next;
    }

    // A loaded file that no one shows, all of its results marked done.
    PatternFile& AddAnalysedFile(const std::string& key) {
        PatternFile& file = doc.table[key];
        file.key = key;
        file.results.flags.fill(true);
        return file;
    }

    std::string Stored(std::string_view section, std::string_view key) const {
        return store->ReadConfig(section, key);
    }

    TempDir dir;
    RecordingNotifier notifier;
    CQuadrelDoc doc{&notifier};
    std::shared_ptr<ConfigStore> store;
};
