// Entering COM's single-threaded apartment on first use.
#include "forms/win32/com_apartment.h"

#include <objbase.h>

#include "forms/win32/system_library.h"

namespace zantiro::forms::win32 {

bool enterComApartment() {
    using Initialize = HRESULT(WINAPI*)(LPVOID, DWORD);
    static const bool entered = [] {
        const auto initialize = systemCall<Initialize>(loadSystemLibrary(L"ole32.dll"), "CoInitializeEx");
        // RPC_E_CHANGED_MODE: the thread is in the multithreaded apartment already, which serves as well.
        const HRESULT result =
            initialize != nullptr ? initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE) : E_FAIL;
        return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
    }();
    return entered;
}

}  // namespace zantiro::forms::win32
