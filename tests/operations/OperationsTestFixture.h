#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "app/ConfigStore.h"
#include "app/TextUtil.h"
#include "document/Naming.h"
#include "document/QuadrelDoc.h"
#include "support/TestSupport.h"

// A document with cuts put straight into its table, on a fresh Config.xml.
class OperationsTest : public ::testing::Test {
  protected:
    OperationsTest() {
        store = std::make_shared<ConfigStore>((dir.Path() / "Config.xml").string());
        doc.AttachConfig(store);
    }

    // A cut over (-180, 180] in 1° steps with one peak; `plane` "h" or "e", `component` "co" or "cr".
    PatternFile& AddCut(const std::string& path, const std::string& plane, const std::string& component,
                        float peakAngle, float peakLevel, const std::string& tilt = "0",
                        const std::string& direction = "0") {
        PatternFile& file = doc.table[PatternKey(path)];
        file.key = PatternKey(path);
        file.path = path;
        file.fileName = LastPathComponent(path);
        file.names[kFieldPlane] = plane;
        file.names[kFieldComponent] = component;
        file.names[kFieldTilt] = tilt;
        file.names[kFieldDirection] = direction;
        for (int angle = -179; angle <= 180; ++angle)
            file.samples.push_back({static_cast<float>(angle),
                                    peakLevel - 0.1f * std::fabs(static_cast<float>(angle) - peakAngle)});
        PatternPoint& reference = plane == "e" ? file.results.Vmax : file.results.Hmax;
        reference = {peakAngle, peakLevel};
        return file;
    }

    void Select(std::initializer_list<std::string> paths) { doc.selectionList.assign(paths); }

    static constexpr const char* kCoPath = "/m/s_p_m_d_b_n/p1_+45_h_co_6_0_1800.msi";
    const std::string crPath = CoCrossPartner(kCoPath);

    TempDir dir;
    RecordingNotifier notifier;
    RecordingListener listener;
    CQuadrelDoc doc{&notifier, &listener};
    std::shared_ptr<ConfigStore> store;
};

inline constexpr const char* kPartnerMissing = "没有找到与之关联的主极化方向图，旋转将有偏差。";
