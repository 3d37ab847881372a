// Drawing objects (bitmaps, fonts, pens, brushes, regions) and their handles.
//
// A handle is a pointer to the object. Creating an object gives the caller one reference;
// DeleteObject gives it up and makes the handle invalid at once, while device contexts that
// still have the object selected (or saved in a SaveDC state) keep it alive until they let go.
// So deleting a selected object never leaves a context drawing with freed memory. Functions
// that take a handle check it first and fail on handles that were deleted or never existed.
// Stock objects live for the whole process; deleting one does nothing.
#pragma once

#include "platform/base/Types.h"

#include <atomic>
#include <utility>

enum class GdiKind { Bitmap, Font, Pen, Brush, Region };

class CGdiObject {
public:
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    GdiKind Kind() const { return m_kind; }
    bool IsStock() const { return m_stock; }

    // References held by device contexts; the last release of a deleted object frees it.
    void AddRef() { m_refs.fetch_add(1, std::memory_order_relaxed); }
    void Release();

protected:
    explicit CGdiObject(GdiKind kind, bool stock = false);
    virtual ~CGdiObject();

private:
    friend bool DeleteObject(CGdiObject* object);

    GdiKind m_kind;
    bool m_stock;
    std::atomic<int> m_refs{1};
};

using HGDIOBJ = CGdiObject*;

class CBitmap;
class CFont;
class CPen;
class CBrush;
class CRgn;
using HBITMAP = CBitmap*;
using HFONT = CFont*;
using HPEN = CPen*;
using HBRUSH = CBrush*;
using HRGN = CRgn*;

// True when `object` is a live object (created and not yet deleted).
bool IsGdiObject(HGDIOBJ object);
// The object behind a handle when it is live and of the kind T names, else null.
template <class T> T* GdiCast(HGDIOBJ object) {
    return IsGdiObject(object) && object->Kind() == T::kKind ? static_cast<T*>(object) : nullptr;
}

// Frees the caller's reference; false for a handle that is not live.
bool DeleteObject(HGDIOBJ object);

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;
HGDIOBJ GetStockObject(int index);

// Owns one reference to an object and deletes it when it goes out of scope.
template <class H> class CGdiHandle {
public:
    CGdiHandle() = default;
    explicit CGdiHandle(H handle) : m_handle(handle) {}
    ~CGdiHandle() { Reset(); }
    CGdiHandle(CGdiHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    CGdiHandle& operator=(CGdiHandle&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.m_handle, nullptr));
        }
        return *this;
    }

    H Get() const { return m_handle; }
    operator H() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    H Release() { return std::exchange(m_handle, nullptr); }
    void Reset(H handle = nullptr) {
        if (m_handle) {
            DeleteObject(m_handle);
        }
        m_handle = handle;
    }

private:
    H m_handle = nullptr;
};
