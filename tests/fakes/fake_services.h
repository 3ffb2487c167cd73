// Every platform service as a fake, and the services of win/services.h over them,
// for a test that runs a program part against fakes. `Files` is the file-system
// fake: FakeFileSystem, or MemoryFiles where its simpler model is enough.
#pragma once

#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_instance.h"
#include "tests/fakes/fake_locale.h"
#include "tests/fakes/fake_processes.h"
#include "tests/fakes/fake_spooler.h"
#include "win/services.h"

namespace fakes {

template <class Files = FakeFileSystem>
struct FakeServices {
    FakeServices() = default;
    // `services` refers to the members: a copy would refer to the original's.
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    FakeSpooler spooler;
    FakeLocale locale;
    Files files;
    FakeProcesses processes;
    FakeInstance instance;
    FakeClock clock;
    win::Services services{spooler, locale, files, processes, instance, clock};
};

}  // namespace fakes
