#include "ornio.h"

#include <atomic>
#include <memory>
#include <vector>

#include "family/ornio/device_path.h"

namespace {

HMODULE ThisModule(DWORD extraFlags) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | extraFlags,
                       reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

// One delivery, shared by the caller and the writer thread: a device that stalls
// keeps the writer blocked after the caller has given up, so the writer owns a copy
// of the bytes and the handle outlives the caller's buffers.
struct Delivery {
    HANDLE device = INVALID_HANDLE_VALUE;
    std::vector<char> bytes;
    std::atomic<DWORD> done{0};
    std::atomic<bool> abandoned{false};
    ~Delivery() {
        if (device != INVALID_HANDLE_VALUE) CloseHandle(device);
    }
};

DWORD WINAPI WriteAll(void* parameter) {
    auto* holder = static_cast<std::shared_ptr<Delivery>*>(parameter);
    std::shared_ptr<Delivery> delivery = std::move(*holder);
    delete holder;
    const DWORD size = static_cast<DWORD>(delivery->bytes.size());
    while (delivery->done < size && !delivery->abandoned) {
        DWORD written = 0;
        const DWORD done = delivery->done;
        if (!WriteFile(delivery->device, delivery->bytes.data() + done, size - done, &written,
                       nullptr)) {
            break;
        }
        if (written == 0) {
            Sleep(10);
            continue;
        }
        delivery->done += written;
    }
    delivery.reset();
    // The thread pinned the library when it started; it may outlive the call.
    FreeLibraryAndExitThread(ThisModule(0), 0);
}

}  // namespace

extern "C" BOOL WINAPI OrnioSend(DWORD reserved, const char* portName, const void* data,
                                 DWORD count, DWORD* written, DWORD timeoutMs) {
    if (written) *written = 0;
    if (reserved != 0 || portName == nullptr || (data == nullptr && count != 0)) return FALSE;
    const ULONGLONG start = GetTickCount64();

    const auto iniPath =
        ornio::IniPathBeside(ThisModule(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT));
    if (!iniPath) return FALSE;
    const auto devicePath = ornio::DevicePathFor(*iniPath, portName);
    if (!devicePath) return FALSE;

    auto delivery = std::make_shared<Delivery>();
    delivery->device =
        CreateFileA(devicePath->c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (delivery->device == INVALID_HANDLE_VALUE) return FALSE;
    // A file standing in for the device records every delivery in turn; a real
    // device has no position and ignores this.
    if (GetFileType(delivery->device) == FILE_TYPE_DISK) {
        SetFilePointer(delivery->device, 0, nullptr, FILE_END);
    }
    const char* bytes = static_cast<const char*>(data);
    delivery->bytes.assign(bytes, bytes + count);

    ThisModule(0);  // pinned for the writer thread, released by it
    auto* holder = new std::shared_ptr<Delivery>(delivery);
    HANDLE thread = CreateThread(nullptr, 0, &WriteAll, holder, 0, nullptr);
    if (thread == nullptr) {
        delete holder;
        FreeLibrary(ThisModule(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT));
        return FALSE;
    }
    const ULONGLONG spent = GetTickCount64() - start;
    const DWORD left = spent >= timeoutMs ? 0 : static_cast<DWORD>(timeoutMs - spent);
    const bool finished = WaitForSingleObject(thread, left) == WAIT_OBJECT_0;
    if (!finished) {
        delivery->abandoned = true;
        CancelSynchronousIo(thread);
    }
    CloseHandle(thread);
    const DWORD done = delivery->done;
    if (written) *written = done;
    return finished && done == count;
}
