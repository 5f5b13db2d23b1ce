#pragma once

#include <windows.h>

#include <utility>

namespace tavomerix {

// Owns one handle and releases it with Release when it leaves scope.
template <class Handle, auto Release>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Handle{});
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    void reset(Handle handle = Handle{}) {
        if (handle_ != Handle{}) Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_{};
};

inline void deleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void closeKernelHandle(HANDLE handle) { CloseHandle(handle); }

using FontHandle = UniqueHandle<HFONT, deleteGdiObject>;
using BrushHandle = UniqueHandle<HBRUSH, deleteGdiObject>;
using RegionHandle = UniqueHandle<HRGN, deleteGdiObject>;
// A named mutex; closing the last handle releases the name.
using MutexHandle = UniqueHandle<HANDLE, closeKernelHandle>;

// A device context of a window (of the screen for no window), released on scope exit.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace tavomerix
