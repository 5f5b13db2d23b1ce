#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavomerix {

// Registry text values under HKEY_CURRENT_USER. Linked from registry_win.cpp in the
// Windows build and from registry_memory.cpp everywhere else.

// Longest key path or value name kept, and longest text written, in positions of the
// Chinese code page (an ASCII character counts 1, any other 2).
constexpr size_t RegistryNameLimit = 259;
constexpr size_t RegistryTextLimit = 1023;
// Size of the read buffer: a value reads back as at most 1023 positions.
constexpr size_t RegistryReadBuffer = 1024;

// The text of a value (the key's default value for an empty name), up to its first NUL;
// "" when the key or value is missing or cannot be read.
std::string readRegistryText(std::string_view keyPath, std::string_view valueName);

// A string value of a key: its name and its text, read as readRegistryText reads it.
struct RegistryValue {
    std::string name;
    std::string text;
};

// Every string value of a key (values of other types are left out), in no set order; empty
// when the key is missing or cannot be read.
std::vector<RegistryValue> readRegistryValues(std::string_view keyPath);

// True when the key holds a value of that name, of any type (string, number, binary).
bool registryValueExists(std::string_view keyPath, std::string_view valueName);

// Creates the key when needed and writes a string value; errors are ignored.
void writeRegistryText(std::string_view keyPath, std::string_view valueName, std::string_view text);

// Deletes a key that has no subkeys; errors (a missing key, subkeys left) are ignored.
void deleteRegistryKey(std::string_view keyPath);

// The in-memory registry only: forget every key (tests start from an empty registry).
void resetMemoryRegistry();

// The in-memory registry only: store a value that is not a string (a number), as another
// program could; readRegistryText gives "" for it and readRegistryValues leaves it out.
void writeMemoryRegistryNumber(std::string_view keyPath, std::string_view valueName,
                               unsigned value);

}  // namespace tavomerix
