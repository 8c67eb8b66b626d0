// End-to-end screen reader: reads the running timer from another process as a screen reader does (MSAA), and
// listens to its announcements through an out-of-context WinEvent hook.
//   screen_reader tree TIME CAPTION...   the client area's children: the time (waited for), buttons, clock, alert
//                                        and before it the title, TITLE or hidden (the window's name says it too)
//   screen_reader focus CAPTION          the keyboard focus, as the client area reports it, is on this button
//   screen_reader countdown SECONDS      prints "listening", waits for 开 始 to be pressed and listens until the end:
//                                        the time follows every tick, and exactly the milestones of a countdown of
//                                        SECONDS are announced, on time
//   screen_reader time                   prints the time as the client area names it now, e.g. 01:29
// Prints a line per check; exits 1 on the first failed check, 2 on a usage error.
#include <fcntl.h>
#include <io.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/window_probe.h"

namespace {

using namespace zantiro::e2e;

// Defined here: MinGW's import library resolves IID_IAccessible to an import thunk, not to the GUID.
constexpr IID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr int kChildren = 9;  // the time, five buttons, the clock, the title, the alert

bool check(bool passed, const std::string& what) {
    std::printf("%s%s\n", passed ? "ok: " : "FAIL: ", what.c_str());
    std::fflush(stdout);
    return passed;
}

struct Element {
    IAccessible* object = nullptr;  // owned: one reference
    LONG child = CHILDID_SELF;
};

std::wstring nameOf(const Element& element) {
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = element.child;
    BSTR name = nullptr;
    std::wstring text;
    if (SUCCEEDED(element.object->get_accName(id, &name)) && name != nullptr) {
        text = name;
        SysFreeString(name);
    }
    return text;
}

LONG roleOrStateOf(const Element& element, bool role) {
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = element.child;
    VARIANT value{};
    const HRESULT result = role ? element.object->get_accRole(id, &value) : element.object->get_accState(id, &value);
    return SUCCEEDED(result) && value.vt == VT_I4 ? value.lVal : -1;
}

// The client area's children as AccessibleChildren gives them; a child object counts as its own element.
std::vector<Element> childrenOf(IAccessible* client) {
    std::vector<VARIANT> found(16);
    LONG count = 0;
    std::vector<Element> children;
    if (FAILED(AccessibleChildren(client, 0, static_cast<LONG>(found.size()), found.data(), &count))) {
        return children;
    }
    for (LONG i = 0; i < count; ++i) {
        VARIANT& each = found[static_cast<std::size_t>(i)];
        Element element;
        if (each.vt == VT_DISPATCH && each.pdispVal != nullptr) {
            each.pdispVal->QueryInterface(kIAccessible, reinterpret_cast<void**>(&element.object));
            each.pdispVal->Release();
        } else if (each.vt == VT_I4) {
            client->AddRef();
            element = Element{client, each.lVal};
        }
        children.push_back(element);
    }
    return children;
}

void release(std::vector<Element>& elements) {
    for (Element& element : elements) {
        if (element.object != nullptr) {
            element.object->Release();
        }
    }
    elements.clear();
}

// With a time limit, as screen readers ask: AccessibleObjectFromWindow's SendMessageW would wait for ever.
IAccessible* clientOf(HWND window) {
    constexpr UINT kAnswerMs = 5000;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT), SMTO_ABORTIFHUNG, kAnswerMs,
                             &answer)) {
        std::printf("FAIL: no answer to WM_GETOBJECT within %u ms (error %lu)\n", kAnswerMs, GetLastError());
        return nullptr;
    }
    IAccessible* client = nullptr;
    const HRESULT result =
        answer != 0
            ? ObjectFromLresult(static_cast<LRESULT>(answer), kIAccessible, 0, reinterpret_cast<void**>(&client))
            : CreateStdAccessibleObject(window, OBJID_CLIENT, kIAccessible, reinterpret_cast<void**>(&client));
    return SUCCEEDED(result) ? client : nullptr;
}

// A screen reader's mouse or touch exploration: the element's place lies inside the window, and asking what is at
// its centre gives the element again.
bool pointsAtItself(HWND main, const Element& element) {
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = element.child;
    LONG left = 0, top = 0, width = 0, height = 0;
    RECT window{};
    GetWindowRect(main, &window);
    if (FAILED(element.object->accLocation(&left, &top, &width, &height, id)) || width <= 0 || height <= 0 ||
        left < window.left || top < window.top || left + width > window.right || top + height > window.bottom) {
        return false;
    }
    VARIANT hit{};
    return element.object->accHitTest(left + width / 2, top + height / 2, &hit) == S_OK && hit.vt == VT_I4 &&
           hit.lVal == element.child;
}

// tree TIME CAPTION...: what a screen reader finds, checked against what the window shows.
bool tree(HWND main, const std::vector<std::wstring>& args) {
    IAccessible* client = clientOf(main);
    if (!check(client != nullptr, "AccessibleObjectFromWindow(OBJID_CLIENT) answers")) {
        return false;
    }
    std::vector<Element> children = childrenOf(client);
    bool passed = check(children.size() == kChildren, "the client area has " + std::to_string(children.size()) +
                                                          " children (expected " + std::to_string(kChildren) + ")");
    std::printf("waiting\n");
    std::fflush(stdout);
    waitFor(5000, [&] { return passed && children[0].object != nullptr && nameOf(children[0]) == args[0]; });
    const std::vector<HWND> buttons = childrenOfClass(main, L"Button");
    for (std::size_t i = 0; passed && i < children.size(); ++i) {
        const Element& child = children[i];
        if (!check(child.object != nullptr, "child " + std::to_string(i + 1) + " can be read")) {
            passed = false;
            break;
        }
        const std::wstring name = nameOf(child);
        const LONG role = roleOrStateOf(child, true);
        const LONG state = roleOrStateOf(child, false);
        std::printf("child %zu: role %ld, state 0x%lx, name \"%s\"\n", i + 1, role, state, utf8(name).c_str());
        if (i == 0) {
            passed =
                check(role == ROLE_SYSTEM_STATICTEXT && name == args[0], "the time reads \"" + utf8(args[0]) + "\"") &&
                check(pointsAtItself(main, child), "the time's place lies in the window, and points back at it");
        } else if (i <= 5) {
            const std::size_t b = i - 1;
            const bool enabled = b < buttons.size() && IsWindowEnabled(buttons[b]);
            // The button's own object: a push button on Windows, Wine 8's plain client object under Wine.
            passed =
                check((role == ROLE_SYSTEM_PUSHBUTTON || role == ROLE_SYSTEM_CLIENT) && b + 1 < args.size() &&
                          name == args[b + 1] && b < buttons.size() && name == windowText(buttons[b]) &&
                          ((state & STATE_SYSTEM_UNAVAILABLE) != 0) == !enabled,
                      "button \"" + utf8(name) + "\" " + (enabled ? "available" : "unavailable") + " as its window is");
        } else if (i == 7) {
            const std::wstring title = args.size() > 6 ? args[6] : L"", window = nameOf(Element{client, CHILDID_SELF});
            passed = check(role == ROLE_SYSTEM_STATICTEXT && name == title &&
                               ((state & STATE_SYSTEM_INVISIBLE) != 0) == title.empty() &&
                               window == (title.empty() ? L"" : title + L" – ") + kMainCaption,
                           "the title reads \"" + utf8(name) + "\", the window \"" + utf8(window) + "\"");
        } else if (i == 6) {
            const std::wstring prefix = L"当前时间：";
            passed = check(role == ROLE_SYSTEM_STATICTEXT && name.rfind(prefix, 0) == 0 &&
                               name.size() >= prefix.size() + 7 && name.find(L':') != std::wstring::npos,
                           "the wall clock reads \"" + utf8(name) + "\"");
        } else {
            passed = check(role == ROLE_SYSTEM_ALERT, "the last child is the alert");
        }
    }
    release(children);
    client->Release();
    return passed;
}

// What the hook heard, in milliseconds since the start was pressed.
struct Heard {
    ULONGLONG at;
    std::wstring text;
    LONG role;
    HWND window;
};
std::vector<Heard> heard;
ULONGLONG started = 0;

void CALLBACK onAlert(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    IAccessible* accessible = nullptr;
    VARIANT id{};
    Heard alert{GetTickCount64() - started, L"", -1, window};
    if (SUCCEEDED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object), static_cast<DWORD>(child), &accessible,
                                            &id)) &&
        accessible != nullptr) {
        const Element element{accessible, id.vt == VT_I4 ? id.lVal : CHILDID_SELF};
        alert.text = nameOf(element);
        alert.role = roleOrStateOf(element, true);
        accessible->Release();
    }
    std::printf("heard at %.2f s: \"%s\"\n", static_cast<double>(alert.at) / 1000, utf8(alert.text).c_str());
    std::fflush(stdout);
    heard.push_back(alert);
}

std::wstring clockText(int seconds) {
    wchar_t text[8];
    std::swprintf(text, 8, L"%02d:%02d", seconds / 60, seconds % 60);
    return text;
}

// A tick is due every second on the grid of the press; it may come late on a busy machine, never early.
bool onTime(ULONGLONG at, int dueSeconds) {
    const auto due = static_cast<long long>(dueSeconds) * 1000;
    return static_cast<long long>(at) >= due - 250 && static_cast<long long>(at) <= due + 900;
}

// focus CAPTION: the client area says the keyboard is on this button, as its own object.
bool focus(HWND main, const std::wstring& caption) {
    IAccessible* client = clientOf(main);
    std::wstring name;
    const bool found =
        client != nullptr && waitFor(3000, [client, &name] {
            VARIANT focused{};
            if (client->get_accFocus(&focused) != S_OK || focused.vt != VT_DISPATCH || focused.pdispVal == nullptr) {
                return false;
            }
            IAccessible* button = nullptr;
            focused.pdispVal->QueryInterface(kIAccessible, reinterpret_cast<void**>(&button));
            focused.pdispVal->Release();
            if (button == nullptr) {
                return false;
            }
            name = nameOf(Element{button, CHILDID_SELF});
            button->Release();
            return true;
        });
    if (client != nullptr) {
        client->Release();
    }
    return check(found && name == caption,
                 "the focus is on \"" + utf8(name) + "\" (expected \"" + utf8(caption) + "\")");
}

bool countdown(HWND main, int seconds) {
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, onAlert, 0, 0, WINEVENT_OUTOFCONTEXT);
    IAccessible* client = clientOf(main);
    HWND start = findChild(main, L"Button", L"开 始");
    if (!check(hook != nullptr, "an out-of-context hook for EVENT_SYSTEM_ALERT") ||
        !check(client != nullptr, "the client area can be read") || !check(start != nullptr, "a start button")) {
        return false;
    }
    // The user presses it (Space, from the script); the ticks follow on the grid of that moment.
    std::printf("listening\n");
    std::fflush(stdout);
    if (!check(waitFor(10000, [start] { return windowText(start) == L"停 止"; }), "开 始 was pressed")) {
        return false;
    }
    started = GetTickCount64();

    // The time as read every 100 ms, with the moment each new value was first read.
    std::vector<std::pair<ULONGLONG, std::wstring>> readings;
    const ULONGLONG end = static_cast<ULONGLONG>(seconds) * 1000 + 2500;
    while (GetTickCount64() - started < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        const std::wstring time = nameOf(Element{client, 1});
        if (readings.empty() || readings.back().second != time) {
            readings.emplace_back(GetTickCount64() - started, time);
        }
    }
    UnhookWinEvent(hook);
    client->Release();

    // Every second from the one after the start to zero, each read within its second.
    bool passed = check(
        readings.size() == static_cast<std::size_t>(seconds) + 1,
        "the time took " + std::to_string(readings.size()) + " values (expected " + std::to_string(seconds + 1) + ")");
    for (std::size_t i = 1; passed && i < readings.size(); ++i) {
        const int left = seconds - static_cast<int>(i);
        passed = check(readings[i].second == clockText(left) && onTime(readings[i].first, static_cast<int>(i)),
                       "the time read \"" + utf8(readings[i].second) + "\" from " + std::to_string(readings[i].first) +
                           " ms (expected \"" + utf8(clockText(left)) + "\" at " + std::to_string(i * 1000) + " ms)");
    }

    struct Milestone {
        int left;
        const wchar_t* text;
    };
    std::vector<Milestone> expected;
    for (const Milestone& milestone : {Milestone{60, L"还剩一分钟"}, Milestone{30, L"还剩三十秒"},
                                       Milestone{10, L"还剩十秒"}, Milestone{0, L"时间到"}}) {
        if (milestone.left < seconds) {
            expected.push_back(milestone);
        }
    }
    passed =
        check(heard.size() == expected.size(), "heard " + std::to_string(heard.size()) + " announcements (expected " +
                                                   std::to_string(expected.size()) + ")") &&
        passed;
    for (std::size_t i = 0; passed && i < expected.size(); ++i) {
        passed = check(heard[i].text == expected[i].text && heard[i].role == ROLE_SYSTEM_ALERT &&
                           heard[i].window == main && onTime(heard[i].at, seconds - expected[i].left),
                       "\"" + utf8(heard[i].text) + "\" from the timer's alert at " + std::to_string(heard[i].at) +
                           " ms (expected \"" + utf8(expected[i].text) + "\" at " +
                           std::to_string((seconds - expected[i].left) * 1000) + " ms)");
    }
    return passed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // "\n", not "\r\n": the output is read by shell scripts
    const std::vector<std::wstring> words(argv + 1, argv + argc);
    const bool isTree = (words.size() == 7 || words.size() == 8) && words[0] == L"tree";
    const bool isCountdown = words.size() == 2 && words[0] == L"countdown";
    const bool isFocus = words.size() == 2 && words[0] == L"focus";
    const bool isTime = words.size() == 1 && words[0] == L"time";
    if (!isTree && !isCountdown && !isFocus && !isTime) {
        std::fputs("usage: screen_reader tree TIME CAPTION x5 | focus CAPTION | countdown SECONDS | time\n", stderr);
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HWND main = findMainWindow();
    if (!check(main != nullptr, "a visible timer window exists")) {
        return 1;
    }
    if (isTime) {
        IAccessible* client = clientOf(main);
        if (client != nullptr) {
            std::printf("%s\n", utf8(nameOf(Element{client, 1})).c_str());  // child 1: the time
            client->Release();
        }
        return client != nullptr ? 0 : 1;
    }
    const bool passed = isTree    ? tree(main, {words.begin() + 1, words.end()})
                        : isFocus ? focus(main, words[1])
                                  : countdown(main, static_cast<int>(std::wcstol(words[1].c_str(), nullptr, 10)));
    return passed ? 0 : 1;
}
