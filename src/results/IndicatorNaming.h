#pragma once
#include "app/ConfigStore.h"

class CQuadrelDoc;

// The indicator-naming choice ("使用中文名称" / "使用英文名称"), kept in the configuration under
// "IDD_DIALOG_NAME". Chinese names only when "IDC_RADIO_CHINESE" holds "TRUE"; anything else,
// an empty store included, means English.
bool UsesChineseIndicatorNames(const CQuadrelDoc& doc);
// The dialog's OK: both radio keys, "TRUE" for the chosen one and "FALSE" for the other.
ConfigWrites IndicatorNamingWrites(bool chinese);
