// CopyTextToClipboard against Wine's real clipboard, with failures of the
// platform calls injected by patching this program's own import table: on
// every failure the clipboard keeps what it had, or is left empty once it has
// been emptied, and the memory taken is freed.
#include <windows.h>

#include <string.h>

#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "ui/main_dialog.h"

namespace {

// The import-table slot of one function in this executable, or null.
void** ImportSlot(const char* dll, const char* function) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    IMAGE_DOS_HEADER* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    IMAGE_NT_HEADERS* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    IMAGE_DATA_DIRECTORY directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    IMAGE_IMPORT_DESCRIPTOR* import =
        reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
    for (; import->Name; ++import) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + import->Name), dll) != 0) continue;
        IMAGE_THUNK_DATA* names = reinterpret_cast<IMAGE_THUNK_DATA*>(
            base + (import->OriginalFirstThunk ? import->OriginalFirstThunk : import->FirstThunk));
        IMAGE_THUNK_DATA* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            IMAGE_IMPORT_BY_NAME* byName =
                reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

// Routes one imported function to a replacement for the object's lifetime.
class ImportPatch {
public:
    ImportPatch(const char* dll, const char* function, void* replacement)
        : slot_(ImportSlot(dll, function)), original_(nullptr) {
        REQUIRE(slot_ != nullptr, std::string("import of ") + function + " found");
        original_ = *slot_;
        Write(replacement);
    }
    ~ImportPatch() { Write(original_); }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;
    void* Original() const { return original_; }

private:
    void Write(void* value) {
        DWORD protection;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
        *slot_ = value;
        VirtualProtect(slot_, sizeof *slot_, protection, &protection);
    }
    void** slot_;
    void* original_;
};

// What the replacements saw.
std::vector<HGLOBAL> g_locked;
std::vector<HGLOBAL> g_freed;
HGLOBAL(WINAPI* g_realGlobalFree)(HGLOBAL) = nullptr;

LPVOID WINAPI FailingGlobalLock(HGLOBAL memory) {
    g_locked.push_back(memory);
    return nullptr;
}

HANDLE WINAPI RefusingSetClipboardData(UINT, HANDLE memory) {
    g_locked.push_back(memory);
    return nullptr;
}

BOOL WINAPI FailingOpenClipboard(HWND) { return FALSE; }

HGLOBAL WINAPI RecordingGlobalFree(HGLOBAL memory) {
    g_freed.push_back(memory);
    return g_realGlobalFree(memory);
}

struct Failure {
    const char* name;
    const char* dll;
    const char* function;
    void* replacement;
    bool clipboardEmptied;  // the failure comes after EmptyClipboard
    bool memoryTaken;
};

}  // namespace

E2E_TEST(copy_to_clipboard_fails_cleanly_and_frees_its_memory) {
    const Failure failures[] = {
        {"open fails", "user32.dll", "OpenClipboard", (void*)FailingOpenClipboard, false, false},
        {"lock fails", "kernel32.dll", "GlobalLock", (void*)FailingGlobalLock, false, true},
        {"clipboard refuses the data", "user32.dll", "SetClipboardData",
         (void*)RefusingSetClipboardData, true, true},
    };
    for (const Failure& f : failures) {
        std::string step = f.name;
        PutClipboardText("before");
        g_locked.clear();
        g_freed.clear();
        int result;
        {
            ImportPatch freeing("kernel32.dll", "GlobalFree", (void*)RecordingGlobalFree);
            g_realGlobalFree = reinterpret_cast<HGLOBAL(WINAPI*)(HGLOBAL)>(freeing.Original());
            ImportPatch failing(f.dll, f.function, f.replacement);
            result = CopyTextToClipboard("#ABCDEF");
        }
        CHECK_EQ(step + ": result", 1, result);
        std::string text;
        bool hasText = ReadClipboardText(&text);
        if (f.clipboardEmptied)
            CHECK(!hasText, step + ": clipboard left empty, not " + Quote(text));
        else
            CHECK_EQ(step + ": clipboard kept", std::string("before"), hasText ? text : "(none)");
        if (f.memoryTaken) {
            REQUIRE_EQ(step + ": memory handed to the failing call", 1, (int)g_locked.size());
            CHECK_EQ(step + ": that memory freed, once", 1, (int)g_freed.size());
            CHECK(g_freed.size() == 1 && g_freed[0] == g_locked[0], step + ": the same block freed");
        } else {
            CHECK_EQ(step + ": nothing to free", 0, (int)g_freed.size());
        }
    }

    // Without a failure the text is the clipboard's and nothing is freed here.
    PutClipboardText("before");
    g_freed.clear();
    int result;
    {
        ImportPatch freeing("kernel32.dll", "GlobalFree", (void*)RecordingGlobalFree);
        g_realGlobalFree = reinterpret_cast<HGLOBAL(WINAPI*)(HGLOBAL)>(freeing.Original());
        result = CopyTextToClipboard("#ABCDEF");
    }
    CHECK_EQ("success: result", 0, result);
    CHECK_EQ("success: nothing freed", 0, (int)g_freed.size());
    std::string text;
    CHECK(ReadClipboardText(&text) && text == "#ABCDEF", "success: clipboard holds " + Quote(text));
}
