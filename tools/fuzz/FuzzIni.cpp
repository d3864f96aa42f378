// INI files: lookups, an in-memory write, and the colour settings read from one.
#include "FuzzSupport.h"
#include "app/IniFile.h"
#include "plot/PlotColors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteScratchFile("ColorSetting.ini", fuzz::Bytes(data, size));
    IniFile ini(path);
    ini.ReadInt("UserDefine", "ColorCount", 0);
    ini.ReadString("GridColor", "R", "");
    ini.WriteString("UserDefine", "Color0", "1");
    ini.WriteString("New", "Key", "value");
    ReadColorSettings(path);
    return 0;
}
