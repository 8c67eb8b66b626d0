// The input box as a modal dialog from an in-memory template, so the program needs no dialog resource.
#include "forms/win32/input_box.h"

#include <string>
#include <vector>

#include "forms/win32/failures.h"
#include "forms/win32/text.h"

namespace zantiro::forms::win32 {
namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kEditId = 101;
constexpr WORD kButtonClass = 0x0080;  // the predefined classes' atoms in a dialog template
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

struct Box {
    short x, y, cx, cy;  // dialog units
};

// A DLGTEMPLATEEX laid out word by word: the extended form is the one that carries the font's weight and charset.
class DialogTemplate {
public:
    DialogTemplate(const std::wstring& title, Box box) {
        words_ = {1, 0xFFFF};  // version, extended signature
        dword(0);              // help id
        dword(0);              // extended style
        dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER);
        words_.push_back(0);  // the item count, kept by item()
        rect(box);
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the standard dialog class
        text(title);
        // 宋体 at 9 points: the face that has the Chinese glyphs (Wine maps it to WenQuanYi).
        words_.push_back(9);
        words_.push_back(FW_NORMAL);
        words_.push_back(MAKEWORD(FALSE, GB2312_CHARSET));  // italic, charset
        text(L"宋体");
    }

    void item(WORD classAtom, DWORD id, DWORD style, Box box, const std::wstring& caption) {
        ++words_[kItemCountIndex];
        if (words_.size() % 2 != 0) {
            words_.push_back(0);  // each item starts on a DWORD boundary
        }
        dword(0);  // help id
        dword(0);  // extended style
        dword(WS_CHILD | WS_VISIBLE | style);
        rect(box);
        dword(id);
        words_.push_back(0xFFFF);
        words_.push_back(classAtom);
        text(caption);
        words_.push_back(0);  // no creation data
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    static constexpr std::size_t kItemCountIndex = 8;  // after version, signature, help id, styles

    void dword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void rect(Box box) {
        for (const short value : {box.x, box.y, box.cx, box.cy}) {
            words_.push_back(static_cast<WORD>(value));
        }
    }
    void text(const std::wstring& value) {
        words_.insert(words_.end(), value.begin(), value.end());
        words_.push_back(0);
    }

    std::vector<WORD> words_;  // WORD-aligned storage, as the template must be
};

struct Exchange {
    std::wstring text;  // the default on the way in, the answer on the way out
};

INT_PTR handleDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            const auto* exchange = reinterpret_cast<const Exchange*>(lParam);
            SetDlgItemTextW(dialog, kEditId, exchange->text.c_str());
            HWND edit = GetDlgItem(dialog, kEditId);  // not owned
            SendMessageW(edit, EM_SETSEL, 0, -1);
            SetFocus(edit);
            return FALSE;  // the focus is set: the dialog manager must not move it
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                auto* exchange = reinterpret_cast<Exchange*>(GetWindowLongPtrW(dialog, DWLP_USER));
                HWND edit = GetDlgItem(dialog, kEditId);  // not owned
                exchange->text.assign(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
                exchange->text.resize(static_cast<std::size_t>(
                    GetWindowTextW(edit, exchange->text.data(), static_cast<int>(exchange->text.size()))));
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {  // also Escape and the close box
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return exceptionBarrier(INT_PTR{FALSE}, [&] { return handleDialogMessage(dialog, message, wParam, lParam); });
}

}  // namespace

std::optional<std::string> Win32InputBox::ask(std::string_view prompt,
                                              std::string_view title,
                                              std::string_view defaultText) {
    // In dialog units: the prompt at the left with the buttons beside it, the edit box across the bottom.
    DialogTemplate dialog(widen(title), {0, 0, 270, 96});
    // Creation order is tab order: from the edit box to OK, then Cancel.
    dialog.item(kStaticClass, kPromptId, SS_LEFT | SS_NOPREFIX, {7, 7, 192, 58}, widen(prompt));
    dialog.item(kEditClass, kEditId, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, {7, 72, 256, 14}, L"");
    dialog.item(kButtonClass, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, {208, 7, 55, 15}, L"确定");
    dialog.item(kButtonClass, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, {208, 27, 55, 15}, L"取消");

    Exchange exchange{widen(defaultText)};
    HWND owner = owner_ != nullptr ? reinterpret_cast<HWND>(owner_->hWnd()) : nullptr;  // not owned
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.get(), owner, dialogProc,
                                                   reinterpret_cast<LPARAM>(&exchange));
    if (result != IDOK) {
        return std::nullopt;
    }
    return narrow(exchange.text);
}

}  // namespace zantiro::forms::win32
