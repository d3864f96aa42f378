// Vendor and planning-tool files (MSI/Planet, PLN, TXT) read for the import.
#include "FuzzSupport.h"
#include "document/PlanningFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = fuzz::Bytes(data, size);
    PlanningPattern pattern;
    PlanningError error;
    ParsePlanningText(text, pattern, error);
    LooksLikePlanningText(text);
    return 0;
}
