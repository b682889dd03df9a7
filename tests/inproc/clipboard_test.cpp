// CopyTextToClipboard against Wine's real clipboard, with failures of the
// platform calls injected by patching this program's own import table: on
// every failure the clipboard keeps what it had, or is left empty once it has
// been emptied, and the memory taken is freed.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/clipboard.h"
#include "tests/support/pe_imports.h"
#include "ui/clipboard.h"

namespace {

// The import-table slot of one function in this executable, or null.
void** ImportSlot(const char* dll, const char* function) {
    HMODULE module = GetModuleHandleA(nullptr);
    ImportTable table;
    if (!ReadModuleImports(module, &table)) return nullptr;
    for (const ImportedFunction& f : table.functions)
        if (lstrcmpiA(f.dll.c_str(), dll) == 0 && f.name == function)
            return reinterpret_cast<void**>(reinterpret_cast<BYTE*>(module) + f.slotRva);
    return nullptr;
}

// Routes one imported function, through its import slot, to a replacement
// for the object's lifetime.
class ImportPatch {
public:
    ImportPatch(void** slot, void* replacement) : slot_(slot), original_(*slot) {
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

int g_opens = 0;
int g_beeps = 0;

BOOL WINAPI CountingFailingOpenClipboard(HWND) {
    ++g_opens;
    return FALSE;
}

BOOL WINAPI RecordingMessageBeep(UINT) {
    ++g_beeps;
    return TRUE;
}

// One call of CopyTextToClipboard with one platform call failing (none when
// function is null): what it returns, what the clipboard holds after it (null:
// nothing), and how many blocks were handed to the failing call, each of
// which must be freed.
struct Case {
    const char* name;
    const char* dll;
    const char* function;
    void* replacement;
    int result;
    const char* clipboard;
    size_t blocksHanded;
};

}  // namespace

TEST(Clipboard, copy_fails_cleanly_and_frees_its_memory) {
    const Case cases[] = {
        {"open fails", "user32.dll", "OpenClipboard", (void*)FailingOpenClipboard, 1, "before", 0},
        // The first block fails: no other is made.
        {"lock fails", "kernel32.dll", "GlobalLock", (void*)FailingGlobalLock, 1, "before", 1},
        // Past EmptyClipboard: the clipboard is left empty; the text, its
        // Unicode form and the locale are each refused.
        {"clipboard refuses the data", "user32.dll", "SetClipboardData",
         (void*)RefusingSetClipboardData, 1, nullptr, 3},
        // The clipboard owns the memory then: nothing is freed here.
        {"success", nullptr, nullptr, nullptr, 0, "#ABCDEF", 0},
    };
    void** freeSlot = ImportSlot("kernel32.dll", "GlobalFree");
    ASSERT_NE(nullptr, freeSlot) << "import of GlobalFree found";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        void** failingSlot = c.function ? ImportSlot(c.dll, c.function) : nullptr;
        ASSERT_TRUE(!c.function || failingSlot) << "import of " << c.function << " found";
        PutClipboardText("before");
        g_locked.clear();
        g_freed.clear();
        int result;
        {
            ImportPatch freeing(freeSlot, (void*)RecordingGlobalFree);
            g_realGlobalFree = reinterpret_cast<HGLOBAL(WINAPI*)(HGLOBAL)>(freeing.Original());
            std::unique_ptr<ImportPatch> failing;
            if (failingSlot) failing.reset(new ImportPatch(failingSlot, c.replacement));
            result = CopyTextToClipboard("#ABCDEF");
        }
        EXPECT_EQ(c.result, result) << "result";
        EXPECT_EQ(c.clipboard ? c.clipboard : "(none)", ClipboardText()) << "clipboard";
        EXPECT_EQ(c.blocksHanded, g_locked.size()) << "blocks handed to the failing call";
        EXPECT_EQ(g_locked, g_freed) << "each of them freed, once";
    }
}

// A clipboard another program holds is tried again for a while; a copy that
// still cannot get there beeps, and one that gets there does not.
TEST(Clipboard, a_copy_tries_a_busy_clipboard_again_then_beeps) {
    void** openSlot = ImportSlot("user32.dll", "OpenClipboard");
    void** beepSlot = ImportSlot("user32.dll", "MessageBeep");
    ASSERT_TRUE(openSlot && beepSlot) << "imports of OpenClipboard and MessageBeep found";
    ImportPatch beeping(beepSlot, (void*)RecordingMessageBeep);
    g_opens = g_beeps = 0;
    {
        ImportPatch failing(openSlot, (void*)CountingFailingOpenClipboard);
        CopyTextOrBeep("#ABCDEF");
    }
    EXPECT_EQ(10, g_opens) << "tries of the busy clipboard";
    EXPECT_EQ(1, g_beeps) << "beeps after the last try";
    CopyTextOrBeep("#123456");
    EXPECT_EQ(1, g_beeps) << "beeps after a copy that got there";
    EXPECT_EQ("#123456", ClipboardText());
}
