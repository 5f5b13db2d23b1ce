#include <map>
#include <string>

#include "app/registry.h"
#include "dayinfo/date_text.h"

namespace tavomerix {

namespace {

// A stored value: a string, or a number as another program may leave.
struct MemoryValue {
    std::string text;
    bool isString = true;
};

using ValueMap = std::map<std::string, MemoryValue>;

std::map<std::string, ValueMap>& keys() {
    static std::map<std::string, ValueMap> store;
    return store;
}

// Cut as the Win32 registry functions cut: in positions of the Chinese code page.
std::string cut(std::string_view s, size_t limit) { return clipText(s, static_cast<int>(limit)); }

// Key paths are compared without regard to ASCII case, as the registry does.
std::string keyOf(std::string_view path) {
    std::string k = cut(path, RegistryNameLimit);
    for (char& c : k) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return k;
}

const MemoryValue* findValue(std::string_view keyPath, std::string_view valueName) {
    const auto key = keys().find(keyOf(keyPath));
    if (key == keys().end()) return nullptr;
    const auto value = key->second.find(cut(valueName, RegistryNameLimit));
    return value == key->second.end() ? nullptr : &value->second;
}

MemoryValue& createValue(std::string_view keyPath, std::string_view valueName) {
    const std::string k = keyOf(keyPath);
    // Creating a key creates its parents, as RegCreateKeyEx does.
    for (size_t slash = k.find('\\'); slash != std::string::npos; slash = k.find('\\', slash + 1)) {
        keys()[k.substr(0, slash)];
    }
    return keys()[k][cut(valueName, RegistryNameLimit)];
}

}  // namespace

std::string readRegistryText(std::string_view keyPath, std::string_view valueName) {
    const MemoryValue* value = findValue(keyPath, valueName);
    if (value == nullptr || !value->isString) return "";
    const std::string& text = value->text;
    return cut(std::string_view(text).substr(0, text.find('\0')), RegistryReadBuffer - 1);
}

bool registryValueExists(std::string_view keyPath, std::string_view valueName) {
    return findValue(keyPath, valueName) != nullptr;
}

std::vector<RegistryValue> readRegistryValues(std::string_view keyPath) {
    std::vector<RegistryValue> values;
    const auto key = keys().find(keyOf(keyPath));
    if (key == keys().end()) return values;
    for (const auto& [name, value] : key->second) {
        if (value.isString) values.push_back({name, readRegistryText(keyPath, name)});
    }
    return values;
}

void writeRegistryText(std::string_view keyPath, std::string_view valueName,
                       std::string_view text) {
    createValue(keyPath, valueName) = {cut(text, RegistryTextLimit), true};
}

void writeMemoryRegistryNumber(std::string_view keyPath, std::string_view valueName,
                               unsigned value) {
    createValue(keyPath, valueName) = {std::to_string(value), false};
}

void deleteRegistryKey(std::string_view keyPath) {
    const std::string k = keyOf(keyPath);
    const auto it = keys().find(k);
    if (it == keys().end()) return;
    const auto next = std::next(it);
    if (next != keys().end() && next->first.compare(0, k.size() + 1, k + "\\") == 0) return;
    keys().erase(it);
}

void resetMemoryRegistry() { keys().clear(); }

}  // namespace tavomerix
