#include "kvx610f/caps_attach.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/kvx610f/fake_heap.h"
#include "tests/kvx610f/paper_bytes.h"

namespace kvx610f {
namespace {

using testing::Concat;
using testing::Device;
using testing::FakeHeap;
using testing::Latin1Names;
using testing::Paper;

// One paper-table library as the attach sequence sees it, with switches for each
// way it can fail. The entry points reach it through `current`.
struct FakeLibrary {
    bool initializeOk = true;
    bool fillEntries = true;
    bool openOk = true;
    bool deviceOk = true;
    bool listOk = true;
    std::vector<uint8_t> device = Device().bytes;
    std::vector<uint8_t> papers = Concat({Paper(1, 5), Paper(2, 138)});
    uint32_t count = 2;

    // What was seen.
    LytFunctionTable tableOnEntry{};
    std::string openedName;
    int opens = 0, closes = 0, listCalls = 0;
    uint32_t deviceSizeAsked = 0;
    bool firstListCallWasQuery = false;

    static inline FakeLibrary* current = nullptr;
    static inline int handleTarget = 0;

    static int LYT_CALL Open(LytHandle* handle, const char* name) {
        ++current->opens;
        current->openedName = name;
        if (!current->openOk) return 0;
        *handle = &handleTarget;
        return 1;
    }
    static int LYT_CALL Close(LytHandle handle) {
        if (handle == &handleTarget) ++current->closes;
        return 1;
    }
    static int LYT_CALL GetDeviceInfo(LytHandle, uint32_t level, void* buffer, uint32_t size,
                                      uint32_t* needed) {
        current->deviceSizeAsked = size;
        *needed = device_info::kSize;
        if (!current->deviceOk || level != 1 || size < device_info::kSize) return 0;
        std::memcpy(buffer, current->device.data(), device_info::kSize);
        return 1;
    }
    static int LYT_CALL GetPaperList(LytHandle, uint32_t level, void* buffer, uint32_t size,
                                     uint32_t* needed, uint32_t* count) {
        if (current->listCalls++ == 0)
            current->firstListCallWasQuery = buffer == nullptr && size == 0;
        *needed = static_cast<uint32_t>(current->papers.size());
        *count = current->count;
        if (buffer == nullptr || level != 1) return 0;
        if (!current->listOk || size < current->papers.size()) return 0;
        std::memcpy(buffer, current->papers.data(), current->papers.size());
        return 1;
    }
    static int LYT_CALL Initialize(LytFunctionTable* table) {
        current->tableOnEntry = *table;
        if (!current->initializeOk) return 0;
        if (current->fillEntries) {
            table->Open = Open;
            table->Close = Close;
            table->GetDeviceInfo = GetDeviceInfo;
            table->GetPaperList = GetPaperList;
        }
        return 1;
    }
};

class FakeLoader final : public LoaderPort {
public:
    bool DriverDirectory(char* path) override {
        if (!directoryOk) return false;
        std::memcpy(path, directory.c_str(), directory.size() + 1);
        return true;
    }
    void* Load(const char* path) override {
        loadedPath = path;
        if (!libraryPresent) return nullptr;
        ++loaded;
        return &module;
    }
    void* Find(void* m, const char* name) override {
        if (m != &module || !hasInitialize || std::string(name) != kInitializeName) return nullptr;
        return reinterpret_cast<void*>(&FakeLibrary::Initialize);
    }
    void Unload(void* m) override {
        if (m == &module) --loaded;
    }

    bool directoryOk = true;
    bool libraryPresent = true;
    bool hasInitialize = true;
    std::string directory = "C:\\windows\\system32\\spool\\drivers\\x64";
    std::string loadedPath;
    int loaded = 0;
    int module = 0;
};

class AttachTest : public ::testing::Test {
protected:
    void SetUp() override { FakeLibrary::current = &library; }
    void TearDown() override { FakeLibrary::current = nullptr; }
    bool Run() { return Attach(tables, loader, heap, state); }

    FakeLibrary library;
    FakeLoader loader;
    FakeHeap heap;
    CapsTables tables{heap, Latin1Names};
    AttachState state;
};

TEST_F(AttachTest, SuccessReadsEverythingAndUnloads) {
    library.device = Device(0x33, 0x02, 1500, 1200, 203, 406).bytes;
    ASSERT_TRUE(Run());
    EXPECT_EQ(loader.loadedPath, "C:\\windows\\system32\\spool\\drivers\\x64\\3\\kvx500i3.dll");
    EXPECT_EQ(library.tableOnEntry.size, 20u);
    EXPECT_EQ(library.tableOnEntry.Open, nullptr);
    EXPECT_EQ(library.tableOnEntry.GetPaperList, nullptr);
    EXPECT_EQ(library.openedName, "KVX610ad.lyt");
    EXPECT_EQ(library.deviceSizeAsked, 118u);
    EXPECT_TRUE(library.firstListCallWasQuery);
    EXPECT_EQ(library.listCalls, 2);
    EXPECT_EQ(library.closes, 1);
    EXPECT_EQ(loader.loaded, 0);
    EXPECT_EQ(state.handle, nullptr);
    EXPECT_EQ(state.functions.Open, nullptr);
    EXPECT_EQ(tables.Device().modelCode, 0x02);
    EXPECT_EQ(tables.Device().yResolution, 406);
    EXPECT_EQ(tables.PaperCount(), 2u);
    EXPECT_EQ(+tables.Entries(PaperGroup::kFirst)[0].paperId, 2);
    EXPECT_EQ(heap.live.size(), 4u);  // only the group tables remain
}

TEST_F(AttachTest, FailuresUnloadTheLibrary) {
    struct Case {
        const char* what;
        void (*arrange)(FakeLibrary&, FakeLoader&, FakeHeap&);
        bool opened;
    } cases[] = {
        {"no driver directory",
         [](FakeLibrary&, FakeLoader& l, FakeHeap&) { l.directoryOk = false; }, false},
        {"no library", [](FakeLibrary&, FakeLoader& l, FakeHeap&) { l.libraryPresent = false; },
         false},
        {"no initialize entry",
         [](FakeLibrary&, FakeLoader& l, FakeHeap&) { l.hasInitialize = false; }, false},
        {"initialize fails", [](FakeLibrary& f, FakeLoader&, FakeHeap&) { f.initializeOk = false; },
         false},
        {"initialize leaves entries empty",
         [](FakeLibrary& f, FakeLoader&, FakeHeap&) { f.fillEntries = false; }, false},
        {"no table", [](FakeLibrary& f, FakeLoader&, FakeHeap&) { f.openOk = false; }, false},
        {"device info fails", [](FakeLibrary& f, FakeLoader&, FakeHeap&) { f.deviceOk = false; },
         true},
        {"empty list",
         [](FakeLibrary& f, FakeLoader&, FakeHeap&) {
             f.papers.clear();
             f.count = 0;
         },
         true},
        {"count 0 with bytes", [](FakeLibrary& f, FakeLoader&, FakeHeap&) { f.count = 0; }, true},
        {"list copy fails", [](FakeLibrary& f, FakeLoader&, FakeHeap&) { f.listOk = false; }, true},
        {"device buffer not allocated",
         [](FakeLibrary&, FakeLoader&, FakeHeap& h) { h.failAt = 1; }, true},
        {"paper buffer not allocated", [](FakeLibrary&, FakeLoader&, FakeHeap& h) { h.failAt = 2; },
         true},
        {"table not allocated", [](FakeLibrary&, FakeLoader&, FakeHeap& h) { h.failAt = 4; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeLibrary lib;
        FakeLibrary::current = &lib;
        FakeLoader ld;
        FakeHeap hp;
        c.arrange(lib, ld, hp);
        {
            CapsTables t(hp, Latin1Names);
            AttachState st;
            EXPECT_FALSE(Attach(t, ld, hp, st));
            EXPECT_EQ(ld.loaded, 0);
            EXPECT_EQ(st.module, nullptr);
            EXPECT_EQ(st.handle, nullptr);
            EXPECT_EQ(lib.closes, c.opened ? 1 : 0);
        }
        EXPECT_TRUE(hp.live.empty());
    }
}

TEST_F(AttachTest, DeviceFailureStillBuildsThePapers) {
    library.deviceOk = false;
    EXPECT_FALSE(Run());
    EXPECT_EQ(library.listCalls, 2);
    EXPECT_EQ(tables.PaperCount(), 2u);
}

TEST_F(AttachTest, HeldHandleSkipsLoadingAndIsClosedAfterReading) {
    // A table already open: no directory, no load, no Open; read, close, clear.
    FakeLibrary::Initialize(&state.functions);
    ASSERT_EQ(state.functions.Open(&state.handle, kTableName), 1);
    loader.directoryOk = false;
    loader.libraryPresent = false;
    library.opens = 0;
    EXPECT_TRUE(Run());
    EXPECT_EQ(library.opens, 0);
    EXPECT_TRUE(loader.loadedPath.empty());
    EXPECT_EQ(library.listCalls, 2);
    EXPECT_EQ(library.closes, 1);
    EXPECT_EQ(state.handle, nullptr);
    EXPECT_EQ(state.functions.GetPaperList, nullptr);
    EXPECT_EQ(tables.PaperCount(), 2u);
}

TEST_F(AttachTest, OverlongDriverDirectoryIsNotCutAndLoaded) {
    struct Case {
        size_t length;
        bool loads;
    } cases[] = {
        {kPathCapacity - 1 - 15, true},  // "\3\kvx500i3.dll" is 15 bytes: exactly fits
        {kPathCapacity - 15, false},
        {kPathCapacity - 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        FakeLoader ld;
        ld.directory = "C:" + std::string(c.length - 2, 'd');
        AttachState st;
        CapsTables t(heap, Latin1Names);
        EXPECT_EQ(Attach(t, ld, heap, st), c.loads);
        EXPECT_EQ(!ld.loadedPath.empty(), c.loads);
        if (c.loads) {
            EXPECT_EQ(ld.loadedPath.size(), kPathCapacity - 1);
        }
    }
}

}  // namespace
}  // namespace kvx610f
