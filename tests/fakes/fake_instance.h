// Instance fake: named mutexes that exist within one test, and the titles of the
// windows that were to be activated.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "win/services.h"

namespace fakes {

class FakeInstance : public win::Instance {
public:
    std::set<std::string> existingMutexes;  // as if held by another process
    std::vector<std::string> createdMutexes;
    std::vector<std::string> activatedTitles;

    bool CreateOwnedMutexExisted(const std::string& name) override {
        createdMutexes.push_back(name);
        return !existingMutexes.insert(name).second;
    }
    void ActivateWindow(const std::string& title) override { activatedTitles.push_back(title); }
};

}  // namespace fakes
