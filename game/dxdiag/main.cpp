// Stand-in for the DirectX diagnostic tool. "dxdiag.exe /whql:on /t PATH" writes a text report in
// the tool's full format to PATH (which may be in double quotes) and exits with 0; without "/t"
// or when the file cannot be written it exits with 1. It shows no window.
//
// Every start appends "working folder|command line" to the Windows folder's temp\dxdiag-launches.txt,
// so tests can see how the tool was started.

#include <windows.h>

#include <fstream>
#include <string>

namespace {

const char* const kReportLines[] = {
    "------------------",
    "System Information",
    "------------------",
    "Time of this report: 6/1/2007, 20:15:03",
    "       Machine name: BENCHBOX",
    "   Operating System: Windows XP Professional (5.1, Build 2600) Service Pack 2 (2600.xpsp_sp2_rtm.040803-2158)",
    "           Language: English (Regional Setting: English)",
    "System Manufacturer: Example Systems",
    "       System Model: Bench Tower",
    "               BIOS: Default System BIOS",
    "          Processor: Intel(R) Pentium(R) 4 CPU 3.00GHz, ~3.0GHz",
    "             Memory: 1024MB RAM",
    "          Page File: 310MB used, 2151MB available",
    "        Windows Dir: C:\\WINDOWS",
    "    DirectX Version: DirectX 9.0c (4.09.0000.0904)",
    "DX Setup Parameters: Not found",
    "     DxDiag Version: 5.03.2600.2180 32bit Unicode",
    "",
    "------------",
    "DxDiag Notes",
    "------------",
    "  DirectX Files Tab: No problems found.",
    "      Display Tab 1: No problems found. DirectDraw test results: All tests were successful.",
    "        Sound Tab 1: No problems found.",
    "",
    "---------------",
    "Display Devices",
    "---------------",
    "        Card name: Example Adapter",
    "     Manufacturer: Example Graphics",
    "        Chip type: Example GPU",
    "         DAC type: Internal DAC(400MHz)",
    "       Device Key: Enum\\PCI\\VEN_1002&DEV_4A49&SUBSYS_00000000&REV_00",
    "   Display Memory: 256.0 MB",
    "     Current Mode: 1280 x 1024 (32 bit) (85Hz)",
    "          Monitor: Plug and Play Monitor",
    "      Driver Name: example.dll",
    "   Driver Version: 6.14.0010.6614 (English)",
    "      DDI Version: 9 (or higher)",
    "Driver Attributes: Final Retail",
    "      WHQL Logo'd: Yes",
    " Deinterlace Caps: {6E8329FF-B642-418B-BCF0-BCB6591E255F}: Format(In/Out)=(YUY2,YUY2) "
    "Frames(Prev/Fwd/Back)=(0,0,1) Caps=VideoProcess_YUV2RGB VideoProcess_StretchX DeinterlaceTech_PixelAdaptive",
    "                   {335AA36E-7884-43A4-9C91-7F87FAF3E37E}: Format(In/Out)=(YUY2,YUY2) "
    "Frames(Prev/Fwd/Back)=(0,0,0) Caps=VideoProcess_YUV2RGB DeinterlaceTech_BOBVerticalStretch",
    "     Registry: OK",
    "     DDraw Status: Enabled",
    "       D3D Status: Enabled",
    "       AGP Status: Enabled",
    "",
    "-------------",
    "Sound Devices",
    "-------------",
    "            Description: Example Audio Device",
    " Default Sound Playback: Yes",
    " Default Voice Playback: Yes",
    "            Hardware ID: PCI\\VEN_8086&DEV_27D8&SUBSYS_00000000&REV_01",
    "        Manufacturer ID: 1",
    "             Product ID: 100",
    "                   Type: WDM",
    "            Driver Name: example_audio.sys",
    "         Driver Version: 5.10.0000.5012 (English)",
    "      Driver Attributes: Final Retail",
    "            WHQL Logo'd: Yes",
    "          Date and Size: 8/4/2004 12:00:00, 64512 bytes",
    "",
    "---------------------",
    "Sound Capture Devices",
    "---------------------",
    "            Description: Example Audio Device",
    "  Default Sound Capture: Yes",
    "",
    "------------------",
    "DirectShow Filters",
    "------------------",
    "",
    "DirectShow Filters:",
    "WMAudio Decoder DMO,0x00800800,1,1,,",
    "Mpeg4s Decoder DMO,0x00800001,1,1,,",
};

// The text after the "/t" switch: up to the closing quote when it starts with one, otherwise the
// rest of the command line without trailing blanks.
std::string ReportPathFromCommandLine(const std::string& commandLine) {
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        i = commandLine.find('"', 1);
        i = i == std::string::npos ? commandLine.size() : i + 1;
    } else {
        i = commandLine.find(' ');
        if (i == std::string::npos) i = commandLine.size();
    }
    for (;;) {
        i = commandLine.find_first_not_of(' ', i);
        if (i == std::string::npos) return std::string();
        const std::size_t end = commandLine.find(' ', i);
        const std::string token = commandLine.substr(i, end == std::string::npos ? std::string::npos : end - i);
        if (token == "/t" || token == "/T") break;
        if (end == std::string::npos) return std::string();
        i = end;
    }
    i = commandLine.find_first_not_of(' ', i + 2);
    if (i == std::string::npos) return std::string();
    if (commandLine[i] == '"') {
        const std::size_t close = commandLine.find('"', i + 1);
        return commandLine.substr(i + 1, close == std::string::npos ? std::string::npos : close - i - 1);
    }
    const std::size_t last = commandLine.find_last_not_of(' ');
    return commandLine.substr(i, last + 1 - i);
}

bool WriteReport(const std::string& path) {
    std::string text;
    for (const char* line : kReportLines) text += std::string(line) + "\r\n";
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    return static_cast<bool>(file);
}

void RecordLaunch(const std::string& commandLine) {
    char windows[MAX_PATH] = {};
    char folder[MAX_PATH] = {};
    if (GetWindowsDirectoryA(windows, MAX_PATH) == 0 || GetCurrentDirectoryA(MAX_PATH, folder) == 0) return;
    std::ofstream file(std::string(windows) + "\\temp\\dxdiag-launches.txt", std::ios::binary | std::ios::app);
    file << folder << '|' << commandLine << "\r\n";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RecordLaunch(GetCommandLineA());
    const std::string path = ReportPathFromCommandLine(GetCommandLineA());
    return !path.empty() && WriteReport(path) ? 0 : 1;
}
