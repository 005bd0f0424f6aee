// The host library's identity, for the program's banner.
extern "C" const char* PregeoHostVersion() {
    return "pregeo-host 1.0";
}
