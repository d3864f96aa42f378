#include "commands/DatasheetCommands.h"

#include "app/IniFile.h"
#include "commands/Analysis.h"

namespace {
constexpr const char* kLimitsSection = "Limits";

std::string LimitsIniPath(const Session& session) {
    return session.Doc().programFolder + "DatasheetLimits.ini";
}

// The INI key of a model: a model without a name still has its entry.
std::string ModelKey(const CQuadrelDoc& doc) {
    const std::string model = LoadedModel(doc);
    return model.empty() ? "-" : model;
}
} // namespace

std::string LoadedModel(const CQuadrelDoc& doc) {
    return doc.table.empty() ? std::string() : doc.table.begin()->second.names[kFieldModel];
}

std::string RememberedLimitsFile(const Session& session) {
    return IniFile(LimitsIniPath(session)).ReadString(kLimitsSection, ModelKey(session.Doc()), "");
}

LimitsParse LoadDatasheetLimitsCommand(Session& session, const std::string& path) {
    LimitsParse parse = LoadLimitsFile(path);
    if (!parse.limits) return parse;
    session.exportState.limits = std::make_shared<const DatasheetLimits>(*parse.limits);
    IniFile ini(LimitsIniPath(session));
    if (ini.WriteString(kLimitsSection, ModelKey(session.Doc()), path)) ini.Save();
    return parse;
}

ConformanceResult CheckDatasheetCommand(Session& session) {
    if (!session.exportState.limits) return {};
    AnalyseAll(session.Doc());
    return CheckConformance(session.Doc().table, *session.exportState.limits);
}
