#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <objbase.h>

namespace wordvane::win32 {

// A single-threaded COM apartment on the calling thread, as the shell's and
// the common dialogs' objects expect, for as long as it lives.
class ComApartment {
  public:
    ComApartment()
        : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    HRESULT result_;
};

// Releases a COM object when it goes.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() {
        if (object_ != nullptr) {
            object_->Release();
        }
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** out() { return &object_; }
    void** outVoid() { return reinterpret_cast<void**>(&object_); }
    T* operator->() const { return object_; }
    T* get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

  private:
    T* object_ = nullptr;
};

// A kernel handle closed when it goes out of scope.
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.handle_) {
        other.handle_ = nullptr;
    }
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    void reset() {
        if (valid()) {
            CloseHandle(handle_);
        }
        handle_ = nullptr;
    }

  private:
    HANDLE handle_ = nullptr;
};

// The clipboard, open for as long as the lock lives.
class ClipboardLock {
  public:
    // Another program may hold the clipboard for a moment: `attempts` tries,
    // 5 ms apart.
    explicit ClipboardLock(HWND owner, int attempts = 10) {
        for (int attempt = 0; attempt < attempts && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_) {
                Sleep(5);
            }
        }
    }
    ~ClipboardLock() {
        if (open_) {
            CloseClipboard();
        }
    }
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    bool open() const { return open_; }

  private:
    bool open_ = false;
};

// Movable global memory for the clipboard; freed unless handed over.
class GlobalMemory {
  public:
    explicit GlobalMemory(SIZE_T bytes)
        : memory_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes)) {}
    ~GlobalMemory() {
        if (memory_ != nullptr) {
            GlobalFree(memory_);
        }
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;

    HGLOBAL get() const { return memory_; }
    // The clipboard owns the memory once SetClipboardData succeeded.
    HGLOBAL release() {
        HGLOBAL memory = memory_;
        memory_ = nullptr;
        return memory;
    }

  private:
    HGLOBAL memory_;
};

// A locked view of global memory.
template <typename T>
class GlobalLockGuard {
  public:
    explicit GlobalLockGuard(HGLOBAL memory)
        : memory_(memory), data_(static_cast<T*>(GlobalLock(memory))) {}
    ~GlobalLockGuard() {
        if (data_ != nullptr) {
            GlobalUnlock(memory_);
        }
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    T* get() const { return data_; }

  private:
    HGLOBAL memory_;
    T* data_;
};

// A GDI object deleted when it goes out of scope.
template <typename T>
class GdiObject {
  public:
    explicit GdiObject(T object) : object_(object) {}
    ~GdiObject() {
        if (object_ != nullptr) {
            DeleteObject(object_);
        }
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    T get() const { return object_; }
    T release() {
        T object = object_;
        object_ = nullptr;
        return object;
    }

  private:
    T object_;
};

// The screen's device context.
class ScreenDc {
  public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// A menu handle destroyed after use.
class MenuHandle {
  public:
    MenuHandle() : menu_(CreatePopupMenu()) {}
    ~MenuHandle() {
        if (menu_ != nullptr) {
            DestroyMenu(menu_);
        }
    }
    MenuHandle(const MenuHandle&) = delete;
    MenuHandle& operator=(const MenuHandle&) = delete;
    HMENU get() const { return menu_; }
    // A submenu belongs to its parent once appended.
    HMENU release() {
        HMENU menu = menu_;
        menu_ = nullptr;
        return menu;
    }

  private:
    HMENU menu_;
};

}  // namespace wordvane::win32
