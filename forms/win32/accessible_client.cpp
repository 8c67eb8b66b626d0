// The client area's IAccessible: the painted texts and the alert as simple elements, the buttons as their own
// client objects (Wine's window proxies name no button when asked through the parent).
#include "forms/win32/accessible_client.h"

#include <oleacc.h>

#include <new>
#include <utility>

#include "forms/win32/com_apartment.h"
#include "forms/win32/layout.h"
#include "forms/win32/system_library.h"
#include "forms/win32/text.h"

namespace zantiro::forms::win32 {
namespace {

// Defined here: MinGW's import library resolves IID_IAccessible to an import thunk, not to the GUID.
constexpr IID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr IID kIDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// oleacc and oleaut32, loaded at the first question a screen reader asks.
struct AccessibilityCalls {
    using ResultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    using ObjectFromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    using AllocString = BSTR(WINAPI*)(const OLECHAR*, UINT);
    ResultFromObject lresultFromObject;
    ObjectFromWindow objectFromWindow;
    AllocString allocString;
};

const AccessibilityCalls& calls() {
    static const AccessibilityCalls loaded = [] {
        const HMODULE oleacc = loadSystemLibrary(L"oleacc.dll");
        return AccessibilityCalls{
            systemCall<AccessibilityCalls::ResultFromObject>(oleacc, "LresultFromObject"),
            systemCall<AccessibilityCalls::ObjectFromWindow>(oleacc, "AccessibleObjectFromWindow"),
            systemCall<AccessibilityCalls::AllocString>(loadSystemLibrary(L"oleaut32.dll"), "SysAllocStringLen")};
    }();
    return loaded;
}

HRESULT giveString(const std::wstring& text, BSTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    if (text.empty()) {
        return S_FALSE;  // no name
    }
    if (calls().allocString == nullptr) {
        return E_FAIL;
    }
    *out = calls().allocString(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void setChildId(VARIANT* out, LONG id) {
    out->vt = VT_I4;
    out->lVal = id;
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A failure inside a call from another process must not cross COM: it is answered as out of memory.
template <typename Call>
HRESULT guarded(Call&& call) noexcept {
    try {
        return call();
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace

class AccessibleClient::Object final : public IAccessible {
public:
    explicit Object(AccessibleClient* owner) : owner_(owner) {}
    void disconnect() { owner_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, kIAccessible) || IsEqualIID(iid, kIDispatch) || IsEqualIID(iid, kIUnknown)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch: screen readers call the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent == nullptr) {
            return E_POINTER;
        }
        *parent = nullptr;
        if (owner_ == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        return calls().objectFromWindow != nullptr
                   ? calls().objectFromWindow(owner_->window(), static_cast<DWORD>(OBJID_WINDOW), kIDispatch,
                                              reinterpret_cast<void**>(parent))
                   : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = owner_ != nullptr ? static_cast<LONG>(owner_->elements().size()) : 0;
        return owner_ != nullptr ? S_OK : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        const AccessibleElement* element = nullptr;
        if (const HRESULT found = find(child, element); found != S_OK || element == nullptr) {
            return found != S_OK ? found : E_INVALIDARG;
        }
        if (element->kind != AccessibleElement::Kind::Button) {
            return S_FALSE;  // a simple element: the caller asks this object with the child id
        }
        return calls().objectFromWindow != nullptr
                   ? calls().objectFromWindow(element->button, static_cast<DWORD>(OBJID_CLIENT), kIDispatch,
                                              reinterpret_cast<void**>(object))
                   : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return guarded([&] {
            const AccessibleElement* element = nullptr;
            if (const HRESULT found = find(child, element); found != S_OK) {
                return found;
            }
            return giveString(nameOf(element), name);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override { return noString(value); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* description) override { return noString(description); }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        const AccessibleElement* element = nullptr;
        if (const HRESULT found = find(child, element, role); found != S_OK) {
            return found;
        }
        setChildId(role, element == nullptr                                 ? ROLE_SYSTEM_CLIENT
                         : element->kind == AccessibleElement::Kind::Text   ? ROLE_SYSTEM_STATICTEXT
                         : element->kind == AccessibleElement::Kind::Button ? ROLE_SYSTEM_PUSHBUTTON
                                                                            : ROLE_SYSTEM_ALERT);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const AccessibleElement* element = nullptr;
        if (const HRESULT found = find(child, element, state); found != S_OK) {
            return found;
        }
        const HWND window = element == nullptr ? owner_->window() : element->button;
        LONG bits = STATE_SYSTEM_READONLY;
        if (element != nullptr && element->kind == AccessibleElement::Kind::Text && nameOf(element).empty()) {
            bits |= STATE_SYSTEM_INVISIBLE;  // a title the window has none of
        }
        if (window != nullptr) {
            bits = STATE_SYSTEM_FOCUSABLE | (GetFocus() == window ? STATE_SYSTEM_FOCUSED : 0) |
                   (IsWindowEnabled(window) ? 0 : STATE_SYSTEM_UNAVAILABLE);
        }
        setChildId(state, bits);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override { return noString(help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        if (topic != nullptr) {
            *topic = 0;
        }
        return noString(file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override { return noString(shortcut); }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (focus == nullptr) {
            return E_POINTER;
        }
        focus->vt = VT_EMPTY;
        if (owner_ == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        const HWND focused = GetFocus();
        if (focused == owner_->window()) {
            setChildId(focus, CHILDID_SELF);
            return S_OK;
        }
        const auto& elements = owner_->elements();
        for (std::size_t i = 0; i < elements.size(); ++i) {
            if (elements[i].button != nullptr && elements[i].button == focused) {
                return handOut(static_cast<LONG>(i + 1), focus);
            }
        }
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (selection == nullptr) {
            return E_POINTER;
        }
        selection->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* action) override { return noString(action); }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        const AccessibleElement* element = nullptr;
        if (const HRESULT found = find(child, element); found != S_OK) {
            return found;
        }
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
            return E_POINTER;
        }
        const RECT rect = screenRect(element);
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        const AccessibleElement* element = nullptr;
        if (const HRESULT found = find(start, element); found != S_OK) {
            return found;
        }
        if (end == nullptr) {
            return E_POINTER;
        }
        end->vt = VT_EMPTY;
        const auto count = static_cast<LONG>(owner_->elements().size());
        const LONG from = element == nullptr ? 0 : start.lVal;
        LONG to = 0;
        if (from == CHILDID_SELF && direction == NAVDIR_FIRSTCHILD) {
            to = 1;
        } else if (from == CHILDID_SELF && direction == NAVDIR_LASTCHILD) {
            to = count;
        } else if (from != CHILDID_SELF && direction == NAVDIR_NEXT) {
            to = from + 1;
        } else if (from != CHILDID_SELF && direction == NAVDIR_PREVIOUS) {
            to = from - 1;
        }
        return to >= 1 && to <= count ? handOut(to, end) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
        if (hit == nullptr) {
            return E_POINTER;
        }
        hit->vt = VT_EMPTY;
        if (owner_ == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        const POINT at{x, y};
        const RECT client = screenRect(nullptr);
        if (!PtInRect(&client, at)) {
            return S_FALSE;
        }
        const auto& elements = owner_->elements();
        for (std::size_t i = 0; i < elements.size(); ++i) {
            const RECT rect = screenRect(&elements[i]);
            if (elements[i].kind != AccessibleElement::Kind::Alert && PtInRect(&rect, at)) {
                return handOut(static_cast<LONG>(i + 1), hit);
            }
        }
        setChildId(hit, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    // find, for a call that answers through `out`: E_POINTER when there is nowhere to answer.
    HRESULT find(const VARIANT& child, const AccessibleElement*& element, const void* out) const {
        const HRESULT found = find(child, element);
        return found == S_OK && out == nullptr ? E_POINTER : found;
    }
    // `element` becomes null for the client area itself (CHILDID_SELF).
    HRESULT find(const VARIANT& child, const AccessibleElement*& element) const {
        if (owner_ == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        if (child.vt != VT_I4 || child.lVal < 0 || static_cast<std::size_t>(child.lVal) > owner_->elements().size()) {
            return E_INVALIDARG;
        }
        element = child.lVal == CHILDID_SELF ? nullptr : &owner_->elements()[static_cast<std::size_t>(child.lVal - 1)];
        return S_OK;
    }

    // A button as its own object, any other element as its child id.
    HRESULT handOut(LONG id, VARIANT* out) {
        VARIANT child{};
        setChildId(&child, id);
        IDispatch* object = nullptr;
        if (get_accChild(child, &object) == S_OK && object != nullptr) {
            out->vt = VT_DISPATCH;
            out->pdispVal = object;
        } else {
            setChildId(out, id);
        }
        return S_OK;
    }

    std::wstring nameOf(const AccessibleElement* element) const {
        if (element == nullptr) {
            return windowText(owner_->window());
        }
        switch (element->kind) {
            case AccessibleElement::Kind::Text: {
                std::string joined = element->text->prefix;
                for (const Label* label : element->text->labels) {
                    joined += element->text->captionsRead ? label->caption() : "";
                }
                return widen(joined);
            }
            case AccessibleElement::Kind::Button:
                return windowText(element->button);
            case AccessibleElement::Kind::Alert:
                return widen(owner_->announcement());
        }
        return {};
    }

    // The client area for itself and the alert, a button's window, or the labels of a text together.
    RECT screenRect(const AccessibleElement* element) const {
        RECT rect{};
        if (element != nullptr && element->kind == AccessibleElement::Kind::Button) {
            GetWindowRect(element->button, &rect);
            return rect;
        }
        GetClientRect(owner_->window(), &rect);
        if (element != nullptr && element->kind == AccessibleElement::Kind::Text) {
            rect = RECT{};
            for (const Label* label : element->text->labels) {
                const RECT labelRect = pixelRect(*label, owner_->design().dpi());
                UnionRect(&rect, &rect, &labelRect);
            }
        }
        MapWindowPoints(owner_->window(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    HRESULT noString(BSTR* out) const {
        if (out != nullptr) {
            *out = nullptr;
        }
        return owner_ != nullptr ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
    }

    AccessibleClient* owner_;  // not owned; null once the window is gone
    LONG references_ = 1;
};

AccessibleClient::AccessibleClient(HWND window, const Window& design, std::vector<AccessibleElement> elements)
    : window_(window), design_(design), elements_(std::move(elements)) {}

AccessibleClient::~AccessibleClient() {
    if (object_) {
        object_.get()->disconnect();  // a screen reader may hold it longer than the window lives
    }
}

LRESULT AccessibleClient::answer(WPARAM flags) {
    if (calls().lresultFromObject == nullptr || !enterComApartment()) {
        return 0;
    }
    if (!object_) {
        object_.reset(new (std::nothrow) Object(this));
        if (!object_) {
            return 0;
        }
    }
    const LRESULT result = calls().lresultFromObject(kIAccessible, flags, object_.get());
    return result > 0 ? result : 0;
}

void AccessibleClient::announce(std::string_view text) {
    announcement_.assign(text);
    for (std::size_t i = 0; i < elements_.size(); ++i) {
        if (elements_[i].kind == AccessibleElement::Kind::Alert) {
            NotifyWinEvent(EVENT_SYSTEM_ALERT, window_, OBJID_CLIENT, static_cast<LONG>(i + 1));
        }
    }
}

}  // namespace zantiro::forms::win32
