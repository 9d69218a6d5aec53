// fxc.exe: a stand-in for the DirectX shader compiler. The benchmark only compares its file
// version with the one it ships; run by hand it names itself and its version.

#include <cstdio>

int main() {
    std::printf("Wildmere stand-in shader compiler %s\n", FXC_VERSION_TEXT);
    return 0;
}
