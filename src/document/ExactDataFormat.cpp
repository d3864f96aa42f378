#include "document/ExactDataFormat.h"

#include "app/TextUtil.h"
#include "document/PatternText.h"

bool LooksLikeExactData(std::string_view bytes) {
    return Contains(bytes.substr(0, 100), "Exact Data");
}

bool ParseExactDataText(std::string_view text, ExactDataContent& out) {
    if (text.find('\n') == std::string_view::npos) return false;
    out = ExactDataContent{};
    LineCursor cursor(text);
    cursor.NextOrEmpty();
    out.directivity = StoredFloat(NumberAfterFirstBlank(cursor.NextOrEmpty()));
    std::string_view third = cursor.NextOrEmpty();
    if (Contains(third, "Gain")) {
        out.hasGainLine = true;
        out.gainDbi = StoredFloat(NumberAfterFirstBlank(third));
        cursor.NextOrEmpty(); // the count line after a gain line is not kept
    } else {
        out.count = ParseLeadingInt(third);
    }
    ReadPointLines(cursor, out.samples);
    return true;
}

std::string FormatExactData(float directivity, float gainDbi, const std::string& countLine,
                            const Cut& samples) {
    std::string out;
    out.reserve(64 + samples.size() * 16);
    out += "NORVAN ZR460 Exact Data\r\n";
    out += "Directivity(dBi) " + FormatFixed(directivity, 2) + "\r\n";
    if (gainDbi != NOT_SET) out += "Gain(dBi) " + FormatFixed(gainDbi, 2) + "\r\n";
    out += countLine + "\r\n";
    for (const PatternPoint& p : samples) {
        out += FormatFixed(p.fAngle, 2);
        out += ' ';
        out += FormatFixed(p.fMag, 2);
        out += "\r\n";
    }
    return out;
}
