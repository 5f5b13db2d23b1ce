#include <windows.h>

#include <vector>

#include "app/registry.h"
#include "forms/wide_text.h"

namespace tavomerix {

namespace {

// A key path or value name as the registry receives it: cut to the name limit.
std::wstring registryName(std::string_view name) {
    const std::wstring wide = widen(name);
    return std::wstring(clipWide(wide, RegistryNameLimit));
}

// nullptr for the key's default value.
const wchar_t* valueNameOrDefault(const std::wstring& name) {
    return name.empty() ? nullptr : name.c_str();
}

// Closes a registry key when it leaves scope.
class KeyHandle {
public:
    KeyHandle() = default;
    ~KeyHandle() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

std::string readRegistryText(std::string_view keyPath, std::string_view valueName) {
    KeyHandle key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, registryName(keyPath).c_str(), 0, KEY_QUERY_VALUE,
                      key.out()) != ERROR_SUCCESS) {
        return "";
    }
    const std::wstring name = registryName(valueName);
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.get(), valueNameOrDefault(name), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return "";
    }
    // One spare character so that text stored without its terminating NUL still ends.
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 2, L'\0');
    DWORD size = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(key.get(), valueNameOrDefault(name), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS) {
        return "";
    }
    const std::wstring_view text(buffer.data());  // up to the first NUL
    // As with a 1024-byte buffer: at most 1023 bytes of text come back.
    return narrow(clipWide(text, RegistryReadBuffer - 1));
}

bool registryValueExists(std::string_view keyPath, std::string_view valueName) {
    KeyHandle key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, registryName(keyPath).c_str(), 0, KEY_QUERY_VALUE,
                      key.out()) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring name = registryName(valueName);
    return RegQueryValueExW(key.get(), valueNameOrDefault(name), nullptr, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS;
}

std::vector<RegistryValue> readRegistryValues(std::string_view keyPath) {
    std::vector<RegistryValue> values;
    KeyHandle key;
    // Enumerating values needs only the right to query them.
    if (RegOpenKeyExW(HKEY_CURRENT_USER, registryName(keyPath).c_str(), 0, KEY_QUERY_VALUE,
                      key.out()) != ERROR_SUCCESS) {
        return values;
    }
    // Value names are at most 16383 characters; reading each value by name applies the same
    // cut as a single read.
    std::vector<wchar_t> name(16384);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        DWORD type = 0;
        const LONG status =
            RegEnumValueW(key.get(), index, name.data(), &length, nullptr, &type, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) continue;
        const std::string narrowName = narrow(std::wstring_view(name.data(), length));
        values.push_back({narrowName, readRegistryText(keyPath, narrowName)});
    }
    return values;
}

void writeRegistryText(std::string_view keyPath, std::string_view valueName,
                       std::string_view text) {
    // Only the right to set a value, on a handle no child process inherits.
    KeyHandle key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, registryName(keyPath).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.out(),
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    const std::wstring name = registryName(valueName);
    const std::wstring wide = widen(text);
    const std::wstring value(clipWide(wide, RegistryTextLimit));
    // The size includes the terminating NUL so that every reader finds the end.
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    RegSetValueExW(key.get(), valueNameOrDefault(name), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()), bytes);
}

void deleteRegistryKey(std::string_view keyPath) {
    RegDeleteKeyW(HKEY_CURRENT_USER, registryName(keyPath).c_str());
}

}  // namespace tavomerix
