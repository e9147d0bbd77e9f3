// LoadLibraryA, GetProcAddress and FreeLibrary over dlopen, dlsym and
// dlclose, with the Windows loader's calls of the module's entry point:
// process attach after loading, process detach before unloading.

#include <dlfcn.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

#include "platform/ProcessInfo.h"
#include "platform/Win32.h"

namespace {

using EntryPoint = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);

struct DlcloseCall {
    void operator()(void* library) const { dlclose(library); }
};
// A library from dlopen.
using LibraryHandle = std::unique_ptr<void, DlcloseCall>;

struct LoadedModule {
    LibraryHandle library;
    EntryPoint entry = nullptr;
    void* imageBase = nullptr;  // where the module's own symbols live
    std::string path;
    HMODULE handle = nullptr;
    int references = 0;
};

// Module handles are ids that are never reused, so that a freed module's
// handle cannot come back as another's.
struct ModuleTable {
    std::unordered_map<std::string, std::unique_ptr<LoadedModule>> byPath;
    std::uintptr_t nextHandle = 0x400000;
    std::string lastError;

    LoadedModule* Find(HMODULE handle) {
        if (handle == nullptr) return nullptr;
        for (auto& [path, module] : byPath) {
            if (module->handle == handle) return module.get();
        }
        return nullptr;
    }
};

// Never destroyed: a module still loaded at exit stays mapped to the end,
// as a process's modules do, and no exit handler runs after its unloading.
ModuleTable& Modules() {
    static ModuleTable& table = *new ModuleTable;
    return table;
}

std::string CanonicalPath(const char* fileName) {
    char resolved[PATH_MAX];
    return realpath(fileName, resolved) != nullptr ? std::string(resolved) : std::string(fileName);
}

}  // namespace

namespace quorvel::platform {
std::string LoadErrorText() { return Modules().lastError; }
}  // namespace quorvel::platform

HMODULE WINAPI LoadLibraryA(LPCSTR fileName) {
    ModuleTable& table = Modules();
    if (fileName == nullptr) {
        table.lastError = "no file name";
        return nullptr;
    }
    const std::string path = CanonicalPath(fileName);
    if (auto found = table.byPath.find(path); found != table.byPath.end()) {
        ++found->second->references;
        return found->second->handle;
    }

    LibraryHandle library(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!library) {
        const char* why = dlerror();
        table.lastError = why != nullptr ? why : "dlopen failed";
        // The loader keeps the message in thread-local storage until the
        // next dlerror, which frees it: otherwise it lives to the exit.
        dlerror();
        return nullptr;
    }
    auto module = std::make_unique<LoadedModule>();
    module->library = std::move(library);
    module->path = path;
    module->references = 1;
    module->handle = reinterpret_cast<HMODULE>(table.nextHandle);
    table.nextHandle += 0x10000;
    module->entry = reinterpret_cast<EntryPoint>(dlsym(module->library.get(), "DllMain"));
    if (module->entry != nullptr) {
        Dl_info info{};
        if (dladdr(reinterpret_cast<void*>(module->entry), &info) != 0) module->imageBase = info.dli_fbase;
    }
    const HMODULE handle = module->handle;
    LoadedModule& loaded = *module;
    table.byPath.emplace(path, std::move(module));

    // As on Windows, an entry point that refuses the attach is sent the
    // detach and the module is unloaded again.
    if (loaded.entry != nullptr && loaded.entry(handle, DLL_PROCESS_ATTACH, nullptr) == FALSE) {
        loaded.entry(handle, DLL_PROCESS_DETACH, nullptr);
        table.byPath.erase(path);
        table.lastError = path + ": entry point refused the attach";
        return nullptr;
    }
    table.lastError.clear();
    return handle;
}

FARPROC WINAPI GetProcAddress(HMODULE handle, LPCSTR procName) {
    LoadedModule* module = Modules().Find(handle);
    if (module == nullptr || procName == nullptr) return nullptr;
    void* symbol = dlsym(module->library.get(), procName);
    if (symbol == nullptr) return nullptr;
    // dlsym also searches the module's dependencies; GetProcAddress finds
    // only the module's own exports.
    Dl_info info{};
    if (module->imageBase != nullptr && (dladdr(symbol, &info) == 0 || info.dli_fbase != module->imageBase)) {
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL WINAPI FreeLibrary(HMODULE handle) {
    ModuleTable& table = Modules();
    LoadedModule* module = table.Find(handle);
    if (module == nullptr) return FALSE;
    if (--module->references > 0) return TRUE;
    if (module->entry != nullptr) module->entry(handle, DLL_PROCESS_DETACH, nullptr);
    // Unloaded with its record.
    const std::string path = module->path;
    table.byPath.erase(path);
    return TRUE;
}
