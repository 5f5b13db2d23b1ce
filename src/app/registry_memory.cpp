#include <map>
#include <string>

#include "app/registry.h"

namespace tavomerix {

namespace {

using ValueMap = std::map<std::string, std::string>;

std::map<std::string, ValueMap>& keys() {
    static std::map<std::string, ValueMap> store;
    return store;
}

std::string cut(std::string_view s, size_t limit) {
    return std::string(s.substr(0, std::min(s.size(), limit)));
}

// Key paths are compared without regard to ASCII case, as the registry does.
std::string keyOf(std::string_view path) {
    std::string k = cut(path, RegistryNameLimit);
    for (char& c : k) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return k;
}

}  // namespace

std::string readRegistryText(std::string_view keyPath, std::string_view valueName) {
    const auto key = keys().find(keyOf(keyPath));
    if (key == keys().end()) return "";
    const auto value = key->second.find(cut(valueName, RegistryNameLimit));
    if (value == key->second.end()) return "";
    const std::string& text = value->second;
    return text.substr(0, std::min(text.find('\0'), RegistryReadBuffer - 1));
}

std::vector<RegistryValue> readRegistryValues(std::string_view keyPath) {
    std::vector<RegistryValue> values;
    const auto key = keys().find(keyOf(keyPath));
    if (key == keys().end()) return values;
    for (const auto& [name, text] : key->second) {
        values.push_back({name, readRegistryText(keyPath, name)});
    }
    return values;
}

void writeRegistryText(std::string_view keyPath, std::string_view valueName, std::string_view text) {
    const std::string k = keyOf(keyPath);
    // Creating a key creates its parents, as RegCreateKeyEx does.
    for (size_t slash = k.find('\\'); slash != std::string::npos; slash = k.find('\\', slash + 1)) {
        keys()[k.substr(0, slash)];
    }
    keys()[k][cut(valueName, RegistryNameLimit)] = cut(text, RegistryTextLimit);
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
