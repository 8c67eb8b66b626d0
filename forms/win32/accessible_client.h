// The client area as screen readers read it (MSAA, which every Windows from 7 on and every screen reader speaks):
// the texts the window paints, the buttons, and an alert that carries the last announcement.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/win32/handles.h"
#include "forms/win32/win32.h"
#include "forms/window.h"

namespace zantiro::forms::win32 {

// One child of the client area.
struct AccessibleElement {
    enum class Kind { Text, Button, Alert };
    Kind kind;
    const ReadableText* text = nullptr;  // Text: not owned
    HWND button = nullptr;               // Button: handed out as its own client object; not owned
};

class AccessibleClient {
public:
    // The elements in reading order; the window and the texts outlive this object.
    AccessibleClient(HWND window, const Window& design, std::vector<AccessibleElement> elements);
    ~AccessibleClient();
    AccessibleClient(const AccessibleClient&) = delete;
    AccessibleClient& operator=(const AccessibleClient&) = delete;

    // The answer to WM_GETOBJECT for OBJID_CLIENT; 0 when the system's accessibility library cannot be had, and
    // the default window procedure answers instead. oleacc is loaded at the first question, not at start-up.
    LRESULT answer(WPARAM flags);
    // The alert element takes the text as its name and EVENT_SYSTEM_ALERT is raised on it.
    void announce(std::string_view text);

    // What the COM object reads, on the UI thread; child ids count from 1 as the elements do.
    class Object;
    HWND window() const { return window_; }
    const Window& design() const { return design_; }
    const std::vector<AccessibleElement>& elements() const { return elements_; }
    const std::string& announcement() const { return announcement_; }

private:
    HWND window_;  // not owned
    const Window& design_;
    std::vector<AccessibleElement> elements_;
    std::string announcement_;
    ComPtr<Object> object_;  // one reference held; created at the first question
};

}  // namespace zantiro::forms::win32
