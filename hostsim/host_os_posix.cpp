// Native host: dlopen and the headless window system.
#include <dlfcn.h>
#include <unistd.h>
#include "hostsim/host_os.h"
#include "platform/headless/headless_mci.h"
#include "platform/headless/headless_window.h"

void* OsLoadLibrary(const std::string& path, std::string* error) {
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module && error) *error = dlerror();
    return module;
}

void* OsFindSymbol(void* module, const char* name) { return dlsym(module, name); }

void OsFreeLibrary(void* module) { dlclose(module); }

intptr_t OsHostWindow() {
    static intptr_t window = 0;
    if (!window || !hwIsWindow(window)) window = hwCreateWindow(0, "QuillmontHost", 0, 0, 1280, 800);
    return window;
}

intptr_t OsCreateRectangle(intptr_t parent, int width, int height) {
    return hwCreateWindow(parent, "Rectangle", 0, 0, width, height);
}

void OsDestroyWindow(intptr_t window) { hwDestroyWindow(window); }

char* OsHeapAlloc(size_t size) { return static_cast<char*>(hwHeapAlloc(size)); }
bool OsHeapValid(const void* block) { return block && hwHeapValidate(block); }
void OsHeapFree(void* block) { hwHeapFree(block); }

void OsPumpMessages() {}

void OsWaitPumping(unsigned long ms) { usleep(static_cast<useconds_t>(ms) * 1000); }

bool OsMciAdvanceClock(unsigned long ms) {
    hmMciAdvanceClock(ms);
    return true;
}

bool OsFireThreadTimers(int count) {
    for (int i = 0; i < count; ++i) hwFireThreadTimers();
    return true;
}

std::string OsMciTakeLog() {
    std::string log;
    for (int i = 0; i < hmMciLogCount(); ++i) log += std::string(hmMciLogEntry(i)) + "\n";
    hmMciClearLog();
    return log;
}
