// Entering COM's single-threaded apartment on first use, and creating objects in it.
#include "forms/win32/com_apartment.h"

#include <objbase.h>

#include "forms/win32/failures.h"
#include "forms/win32/system_library.h"

namespace zantiro::forms::win32 {
namespace {

struct Ole32 {
    using Initialize = HRESULT(WINAPI*)(LPVOID, DWORD);
    using CreateInstance = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    Initialize initialize;
    CreateInstance createInstance;
};

const Ole32& ole32() {
    static const Ole32 calls = [] {
        const HMODULE library = loadSystemLibrary(L"ole32.dll");
        return Ole32{systemCall<Ole32::Initialize>(library, "CoInitializeEx"),
                     systemCall<Ole32::CreateInstance>(library, "CoCreateInstance")};
    }();
    return calls;
}

}  // namespace

bool enterComApartment() {
    static const bool entered = [] {
        if (reportIf(ole32().initialize == nullptr)) {  // just loaded: the last error says what is missing
            return false;
        }
        // RPC_E_CHANGED_MODE: the thread is in the multithreaded apartment already, which serves as well.
        const HRESULT result = ole32().initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        return result == RPC_E_CHANGED_MODE || !reportIfFailed(result);
    }();
    return entered;
}

HRESULT createInProcess(REFCLSID classId, REFIID interfaceId, void** object) {
    if (!enterComApartment() || ole32().createInstance == nullptr) {
        return CO_E_NOTINITIALIZED;
    }
    return ole32().createInstance(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, object);
}

}  // namespace zantiro::forms::win32
