// Entry point of every test program: COM for the shell's dialogs, a watchdog for
// the program as a whole, then GoogleTest.
#include <objbase.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "DialogDriver.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    tkt::StartWatchdog(240);
    int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
