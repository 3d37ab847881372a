// Test windows whose behaviour is a lambda, and a log of the messages they receive.
#pragma once

#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// A record of messages seen, shared by several windows, safe to append from any thread.
class CMessageLog {
public:
    struct Entry {
        HWND hwnd;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };
    void Add(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        std::lock_guard guard(m_lock);
        m_entries.push_back({hwnd, msg, wParam, lParam});
    }
    std::vector<Entry> Entries() {
        std::lock_guard guard(m_lock);
        return m_entries;
    }
    // The messages out of `wanted` in the order they came, as (window, message) pairs.
    std::vector<std::pair<HWND, UINT>> Only(std::initializer_list<UINT> wanted) {
        std::vector<std::pair<HWND, UINT>> out;
        for (const Entry& e : Entries()) {
            for (UINT w : wanted) {
                if (e.msg == w) {
                    out.emplace_back(e.hwnd, e.msg);
                }
            }
        }
        return out;
    }
    int Count(UINT msg, HWND hwnd = nullptr) {
        int n = 0;
        for (const Entry& e : Entries()) {
            n += e.msg == msg && (!hwnd || e.hwnd == hwnd);
        }
        return n;
    }
    void Clear() {
        std::lock_guard guard(m_lock);
        m_entries.clear();
    }

private:
    std::mutex m_lock;
    std::vector<Entry> m_entries;
};

// The test window class: each window carries its handler (or none: default handling) and an
// optional log, passed through the creation parameter.
struct CTestWindowSetup {
    Handler handler;
    CMessageLog* log = nullptr;
};

const WString& TestWindowClass(); // registers "TestWindow" (with CS_DBLCLKS) on first use

// Creates a test window; `setup` is copied into the window and freed at WM_NCDESTROY.
HWND CreateTestWindow(CTestWindowSetup setup, DWORD style, RECT rect, HWND parent = nullptr,
                      UINT_PTR id = 0, DWORD exStyle = 0);

// Runs the calling thread's queue until nothing is left.
void Pump();
