// The registry seam on Windows: the settings key under HKEY_CURRENT_USER.
#include <windows.h>

#include "frame/registry.h"

namespace frame {

namespace {

HKEY Handle(RegKey key) {
    return reinterpret_cast<HKEY>(key);
}

RegKey CreateKey(const char* path, bool* created) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        &disposition) != ERROR_SUCCESS)
        return 0;
    *created = disposition == REG_CREATED_NEW_KEY;
    return reinterpret_cast<RegKey>(key);
}

void CloseKey(RegKey key) {
    RegCloseKey(Handle(key));
}

bool QueryValue(RegKey key, const char* name, uint32_t* type, uint8_t* data, uint32_t* size) {
    DWORD valueType = 0, valueSize = *size;
    if (RegQueryValueExA(Handle(key), name, nullptr, &valueType, data, &valueSize) != ERROR_SUCCESS)
        return false;
    *type = valueType;
    *size = valueSize;
    return true;
}

bool SetValue(RegKey key, const char* name, uint32_t type, const uint8_t* data, uint32_t size) {
    return RegSetValueExA(Handle(key), name, 0, type, data, size) == ERROR_SUCCESS;
}

} // namespace

const RegistrySeam WindowsRegistry = {CreateKey, CloseKey, QueryValue, SetValue};

} // namespace frame
