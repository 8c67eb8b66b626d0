// The input box as a user meets it: what it shows, and what OK, Enter, Cancel, Escape and close give back.
#include "forms/win32/input_box.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "forms/win32/text.h"
#include "tests/wine/wine_test_support.h"

namespace zantiro::wine_tests {
namespace {

constexpr wchar_t kTitle[] = L"自定义时间";
constexpr char kPrompt[] = "请输入分钟数\r\n(可以有小数)\r\n例如 8.5";

std::wstring windowText(HWND window) {
    wchar_t text[256] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000, &length);
    return text;
}

// What the second thread saw of the open dialog.
struct Seen {
    bool found = false;
    HWND owner = nullptr;  // not owned
    std::wstring prompt, edit, okText, cancelText;
    DWORD selectionStart = 1, selectionEnd = 0;
    bool editHasFocus = false;
};

class InputBoxDialog : public ::testing::Test {
protected:
    InputBoxDialog() {
        form.setHandle(owner.handle());
        inputBox.setOwner(form);
    }

    // Asks on this thread while `act` runs on another against the dialog once it shows.
    std::optional<std::string> ask(const std::string& defaultText,
                                   const std::function<void(HWND dialog, HWND edit)>& act) {
        std::atomic<bool> returned = false;
        const DWORD askingThread = GetCurrentThreadId();
        std::thread user([&] {
            HWND dialog = nullptr;  // not owned
            for (int tries = 0; tries < 500 && !returned && dialog == nullptr; ++tries) {
                HWND found = FindWindowW(L"#32770", kTitle);
                dialog = found != nullptr && IsWindowVisible(found) ? found : nullptr;  // shown once initialised
                Sleep(10);
            }
            if (dialog == nullptr) {
                return;
            }
            observe(dialog, askingThread);
            act(dialog, FindWindowExW(dialog, nullptr, L"Edit", nullptr));
            for (int tries = 0; tries < 100 && !returned; ++tries) {
                Sleep(50);
            }
            while (!returned) {  // still open: close it, so the test fails instead of hanging
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                Sleep(100);
            }
        });
        std::optional<std::string> answer = inputBox.ask(kPrompt, forms::win32::narrow(kTitle), defaultText);
        returned = true;
        user.join();
        return answer;
    }

    void observe(HWND dialog, DWORD askingThread) {
        seen.found = true;
        seen.owner = GetWindow(dialog, GW_OWNER);
        HWND edit = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
        seen.prompt = windowText(FindWindowExW(dialog, nullptr, L"Static", nullptr));
        seen.edit = windowText(edit);
        seen.okText = windowText(GetDlgItem(dialog, IDOK));
        seen.cancelText = windowText(GetDlgItem(dialog, IDCANCEL));
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&seen.selectionStart),
                     reinterpret_cast<LPARAM>(&seen.selectionEnd));
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        seen.editHasFocus = GetGUIThreadInfo(askingThread, &info) && info.hwndFocus == edit;
    }

    TestWindow owner{WS_OVERLAPPEDWINDOW, L"计时器"};
    forms::Window form{"Form1", "计时器"};
    forms::win32::Win32InputBox inputBox;
    Seen seen;
};

void click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

void type(HWND edit, const wchar_t* text) {
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000, nullptr);
}

TEST_F(InputBoxDialog, ShowsPromptDefaultTextSelectedWithTheFocusAndChineseButtons) {
    const std::optional<std::string> answer = ask("8.5", [](HWND dialog, HWND) { click(GetDlgItem(dialog, IDOK)); });
    ASSERT_TRUE(seen.found) << "no dialog titled 自定义时间 appeared";
    EXPECT_EQ(seen.owner, owner.hwnd());
    EXPECT_EQ(seen.prompt, forms::win32::widen(kPrompt));
    EXPECT_EQ(seen.edit, L"8.5");
    EXPECT_EQ(seen.selectionStart, 0u);
    EXPECT_EQ(seen.selectionEnd, 3u);
    EXPECT_TRUE(seen.editHasFocus);
    EXPECT_EQ(seen.okText, L"确定");
    EXPECT_EQ(seen.cancelText, L"取消");
    EXPECT_EQ(answer, "8.5");
}

// Types `text` over the default and clicks the button `id`.
std::function<void(HWND, HWND)> typeThenClick(const wchar_t* text, int id) {
    return [text, id](HWND dialog, HWND edit) {
        type(edit, text);
        click(GetDlgItem(dialog, id));
    };
}

// Each way of answering the box over the default text "8.5", and the text it gives back.
TEST_F(InputBoxDialog, EachWayOfAnsweringGivesItsText) {
    const struct {
        const char* way;
        std::function<void(HWND, HWND)> answer;
        std::optional<std::string> text;  // none: Cancel
    } answers[] = {
        {"Enter accepts the default text", [](HWND, HWND edit) { PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0); },
         "8.5"},
        {"typed text comes back as UTF-8", typeThenClick(L"十二点五 12.5", IDOK), "十二点五 12.5"},
        {"an emptied edit gives empty text", typeThenClick(L"", IDOK), ""},
        {"cancel gives none", typeThenClick(L"3", IDCANCEL), std::nullopt},
        {"escape gives none", [](HWND, HWND edit) { PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0); }, std::nullopt},
        {"closing gives none", [](HWND dialog, HWND) { PostMessageW(dialog, WM_CLOSE, 0, 0); }, std::nullopt},
    };
    for (const auto& answer : answers) {
        seen = {};
        EXPECT_EQ(ask("8.5", answer.answer), answer.text) << answer.way;
        EXPECT_TRUE(seen.found) << answer.way;
    }
}

}  // namespace
}  // namespace zantiro::wine_tests
