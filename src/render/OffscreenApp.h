#pragma once
#include <memory>

class QGuiApplication;

// Text needs a running QGuiApplication. Command-line tools and tests create one here; without a
// display (and without QT_QPA_PLATFORM set) the offscreen platform is chosen, so a headless server
// renders as well. Returns null when an application object exists already.
std::unique_ptr<QGuiApplication> EnsureGuiApplication();
