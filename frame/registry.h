// The four registry calls the settings code makes, as a seam.
//
// Registry starts as "no registry" (every call fails). The Windows program
// sets it to WindowsRegistry (RegCreateKeyExA under HKEY_CURRENT_USER with
// KEY_ALL_ACCESS, RegCloseKey, RegQueryValueExA, RegSetValueExA; in
// frame/win32/registry_win.cpp) before it opens the settings key; the native tests
// install an in-memory registry. A key is a pointer-sized handle; 0 is none.
#pragma once

#include <cstdint>

namespace frame {

using RegKey = uintptr_t;

// Value types as the registry numbers them.
enum : uint32_t { RegTypeSz = 1, RegTypeBinary = 3 };

struct RegistrySeam {
    // Opens or creates path under the current user; *created tells whether
    // the key is new. Returns 0 on failure.
    RegKey (*createKey)(const char* path, bool* created);
    void (*closeKey)(RegKey key);
    // On entry *size is the buffer's size. Succeeds only when the value
    // exists and fits; then *type and *size describe it.
    bool (*queryValue)(RegKey key, const char* name, uint32_t* type, uint8_t* data, uint32_t* size);
    bool (*setValue)(RegKey key, const char* name, uint32_t type, const uint8_t* data, uint32_t size);
};

extern RegistrySeam Registry;
extern const RegistrySeam NoRegistry;
extern const RegistrySeam WindowsRegistry; // Windows builds only

// The open settings key, 0 when none.
extern RegKey SettingsKey;

} // namespace frame
