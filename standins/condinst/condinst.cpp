// The conduit installer: each registration is recorded as the next free
// sub-key "Conduits\<n>" (n from 1) under the stand-ins' key, holding the five
// arguments as texts "Arg1" to "Arg5".
#include "platform/win32/win32.h"
#include "standins/common/standin_registry.h"

#include <string>

namespace {

const std::string kConduitsKey = std::string(standins::kStandInsKey) + "\\Conduits";

int recordConduit(int first, const char* const texts[4]) {
    standins::RegKey conduits = standins::createKey(HKEY_CURRENT_USER, kConduitsKey);
    if (!conduits) {
        return -1;
    }
    int number = 1;
    while (standins::openKey(conduits.get(), std::to_string(number))) {
        ++number;
    }
    standins::RegKey entry = standins::createKey(conduits.get(), std::to_string(number));
    if (!entry || !standins::writeString(entry.get(), "Arg1", std::to_string(first))) {
        return -1;
    }
    for (int i = 0; i < 4; ++i) {
        const std::string name = "Arg" + std::to_string(i + 2);
        if (!standins::writeString(entry.get(), name.c_str(), texts[i] ? texts[i] : "")) {
            return -1;
        }
    }
    return 0;
}

} // namespace

extern "C" __declspec(dllexport) int WINAPI
    InstallShieldInstallConduit(int first, char* second, char* third, char* fourth, char* fifth) {
    try {
        const char* const texts[4] = {second, third, fourth, fifth};
        return recordConduit(first, texts);
    } catch (...) {
        // An exported function: no exception may unwind into its C caller.
        return -1;
    }
}
