#include <windows.h>

#include <cstdlib>

#include "cli/days_file.h"

namespace tavomerix {

namespace {

// Closes a file handle when it leaves scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

constexpr const char* DeviceRefusal =
    "is not a disk file (a device name such as aux, con or nul, or a pipe)";

RegularFileContents refused(std::string reason) { return {false, "", std::move(reason)}; }

// A UTF-8 path as UTF-16; "" when it is not valid UTF-8.
std::wstring widePath(const std::string& path) {
    if (path.empty()) return L"";
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                                           static_cast<int>(path.size()), nullptr, 0);
    if (length <= 0) return L"";
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), static_cast<int>(path.size()),
                        wide.data(), length);
    return wide;
}

}  // namespace

RegularFileContents readRegularFile(const std::string& path, std::size_t limit) {
    const std::wstring wide = widePath(path);
    if (wide.empty()) return refused("cannot be opened: not a valid file name");
    // Checked before opening: some devices (con) cannot even be opened for reading.
    if (isWindowsDeviceName(path)) return refused(DeviceRefusal);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return refused("is a directory, not a file");
    }
    const FileHandle file(CreateFileW(wide.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            RegularFileContents missing = refused("cannot be opened: no such file");
            missing.missing = true;
            return missing;
        }
        if (error == ERROR_ACCESS_DENIED) return refused("cannot be opened: access denied");
        return refused("cannot be opened (error " + std::to_string(error) + ")");
    }
    // Reserved device names (aux, con, nul, com1, ...) open as character devices.
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        return refused(DeviceRefusal);
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return refused("cannot be read");
    if (static_cast<unsigned long long>(size.QuadPart) > limit) {
        return refused("is larger than " + sizeLimitText(limit));
    }
    // Reads one byte past the limit, so that a file that grew meanwhile is refused too.
    RegularFileContents read;
    read.contents.resize(limit + 1);
    std::size_t total = 0;
    while (total < read.contents.size()) {
        DWORD got = 0;
        const DWORD wanted = static_cast<DWORD>(read.contents.size() - total);
        if (!ReadFile(file.get(), read.contents.data() + total, wanted, &got, nullptr)) {
            return refused("cannot be read");
        }
        if (got == 0) break;
        total += got;
    }
    if (total > limit) return refused("is larger than " + sizeLimitText(limit));
    read.contents.resize(total);
    read.ok = true;
    return read;
}

std::string defaultHolidaysPath() {
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (appData == nullptr || appData[0] == L'\0') return "";
    const std::wstring wide = std::wstring(appData) + L"\\Tavomerix\\holidays.tsv";
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    if (length <= 0) return "";
    std::string path(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), path.data(), length,
                        nullptr, nullptr);
    return path;
}

}  // namespace tavomerix
