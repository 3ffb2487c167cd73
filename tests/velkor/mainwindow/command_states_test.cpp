#include "velkor/mainwindow/command_states.h"

#include <gtest/gtest.h>

namespace {

using mainwindow::CommandStates;
using mainwindow::SelectionFacts;

TEST(CommandStates, WhichCommandsApply) {
    struct Case {
        const char* what;
        SelectionFacts facts;
        CommandStates expected;  // add, edit, remove, send, popup, history
    };
    const Case cases[] = {
        {"user paper", {true, false, false, false, true}, {true, true, true, true, true}},
        {"built-in paper", {true, true, false, false, true}, {true, false, false, true, true}},
        {"locked user paper", {true, false, true, false, true}, {true, false, false, true, true}},
        {"full table", {true, false, false, true, true}, {false, true, true, true, true}},
        {"no printer", {true, false, false, false, false}, {true, true, true, false, true}},
        {"no paper", {false, false, false, false, true}, {true, false, false, false, false}},
        {"no paper, full", {false, false, false, true, true}, {false, false, false, false, false}},
        {"history", {true, true, false, false, true, true}, {true, false, false, true, true, true}},
        {"history, no paper",
         {false, false, false, true, false, true},
         {false, false, false, false, false, true}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(mainwindow::ComputeCommandStates(c.facts), c.expected) << c.what;
    }
}

}  // namespace
