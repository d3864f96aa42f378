#include "export/PatternInfoRows.h"

#include "app/Notifier.h"
#include "app/TextUtil.h"
#include "document/QuadrelDoc.h"
#include "export/ExportTexts.h"

bool AcceptPatternInfo(const std::string& antennaType, const std::string& gainUnit,
                       const std::string& tiltMethod,
                       const std::vector<std::pair<std::string, std::string>>& rows, PatternInfoConfig& info,
                       Notifier& notifier) {
    std::vector<std::pair<std::string, std::string>> ports;
    for (size_t i = 0; i < rows.size() && i < kPortRows; ++i) {
        const auto& [name, extension] = rows[i];
        if (!name.empty() && !extension.empty()) ports.emplace_back(ToLower(name), ToUpper(extension));
    }
    if (antennaType == "Multi-port" && ports.empty()) {
        notifier.Notify(kTextPortListEmpty, kCaptionValidation);
        return false;
    }
    info.antennaType = antennaType;
    info.gainUnit = gainUnit;
    info.tiltMethod = tiltMethod;
    info.ports = std::move(ports);
    return true;
}
