#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "document/IndicatorResult.h"

class JsonStream;

// The per-file lines of `analyse`: one CSV row or one JSON object per results record, built into
// a text that is reused from file to file (no allocation per member).

// The CSV header: key, the six flags, then every member; points and arrays spread over several
// columns ("Vmax.fAngle", "VSS[0]").
void AppendResultCsvHeader(std::string& out);
void AppendResultCsvRow(std::string& out, std::string_view key, const IndicatorResult& r);

// The record as one JSON object with its members sorted by name, as the tree writer orders them,
// and the file's key among them.
// One file's entry of `analyse --json`: every record member, its key and the load's warnings.
void WriteResultJson(JsonStream& out, std::string_view key, const IndicatorResult& r,
                     const std::vector<std::string>& warnings);
