#include "installer/setup_actions.h"

#include <gtest/gtest.h>

#include "tests/installer/fake_setup_system.h"

namespace {

const std::wstring kMenu = L"C:\\ProgramData\\Start Menu\\Programs\\Mertavo Paper Manager";
const std::wstring kDriver = L"C:\\windows\\system32\\spool\\drivers\\x64\\3";
const std::wstring kTemplates = L"C:\\Program Files\\Mertavo\\templates";

std::wstring Link(const std::wstring& queue) {
    return kMenu + L"\\Paper formats - " + queue + L".lnk";
}

TEST(SetupActions, JoinsPathsWithOneBackslash) {
    EXPECT_EQ(setup::JoinPath(L"C:\\A", L"b.txt"), L"C:\\A\\b.txt");
    EXPECT_EQ(setup::JoinPath(L"C:\\A\\", L"b.txt"), L"C:\\A\\b.txt");
    EXPECT_EQ(setup::JoinPath(L"C:\\A/", L"b.txt"), L"C:\\A/b.txt");
}

TEST(SetupActions, QueueShortcutsStartVelkorForTheirQueue) {
    fakes::FakeSetupSystem system;
    ASSERT_TRUE(setup::MakeQueueLinks(system, kMenu + L"\\", L"Ostrel LM-510;Ostrel LM-620N"));
    ASSERT_EQ(system.shortcuts.size(), 2u);
    const setup::Shortcut& link = system.shortcuts.at(Link(L"Ostrel LM-510"));
    EXPECT_EQ(link.target, L"C:\\Program Files\\Mertavo\\velkor.exe");
    EXPECT_EQ(link.arguments, L"\"Ostrel LM-510\"");
    EXPECT_EQ(link.workingFolder, L"C:\\Program Files\\Mertavo");
    EXPECT_EQ(system.shortcuts.at(Link(L"Ostrel LM-620N")).arguments, L"\"Ostrel LM-620N\"");
}

TEST(SetupActions, AListReplacesTheQueueShortcutsAndLeavesOtherFiles) {
    fakes::FakeSetupSystem system;
    system.files[Link(L"Old queue")] = L"shortcut";
    system.files[kMenu + L"\\README.lnk"] = L"readme";
    ASSERT_TRUE(setup::MakeQueueLinks(system, kMenu, L"Ostrel LM-510"));
    EXPECT_FALSE(system.FileExists(Link(L"Old queue")));
    EXPECT_TRUE(system.FileExists(Link(L"Ostrel LM-510")));
    EXPECT_TRUE(system.FileExists(kMenu + L"\\README.lnk"));

    ASSERT_TRUE(setup::MakeQueueLinks(system, kMenu, L""));
    EXPECT_EQ(system.FileNames(kMenu), std::vector<std::wstring>{L"README.lnk"});
}

TEST(SetupActions, AWrongListChangesNothing) {
    fakes::FakeSetupSystem system;
    system.files[Link(L"A")] = L"shortcut";
    EXPECT_FALSE(setup::MakeQueueLinks(system, kMenu, L"B;C\"D"));
    EXPECT_TRUE(system.FileExists(Link(L"A")));
    EXPECT_TRUE(system.shortcuts.empty());
    ASSERT_FALSE(system.report.empty());
    EXPECT_NE(system.report.back().find(L"PRINTERS"), std::wstring::npos);
}

TEST(SetupActions, AFailedShortcutFailsTheActionButTheOthersAreMade) {
    fakes::FakeSetupSystem system;
    system.failingPaths.insert(Link(L"A"));
    EXPECT_FALSE(setup::MakeQueueLinks(system, kMenu, L"A;B"));
    EXPECT_TRUE(system.FileExists(Link(L"B")));
}

TEST(SetupActions, UnlinksRemovesEveryQueueShortcutAndNothingElse) {
    fakes::FakeSetupSystem system;
    system.files[Link(L"A")] = L"shortcut";
    system.files[Link(L"B")] = L"shortcut";
    system.files[kMenu + L"\\README.lnk"] = L"readme";
    system.files[kMenu + L"\\sub\\Paper formats - C.lnk"] = L"shortcut";
    EXPECT_TRUE(setup::RemoveQueueLinks(system, kMenu));
    EXPECT_EQ(system.FileNames(kMenu), std::vector<std::wstring>{L"README.lnk"});
    EXPECT_TRUE(system.FileExists(kMenu + L"\\sub\\Paper formats - C.lnk"));

    system.files[Link(L"D")] = L"shortcut";
    system.failingPaths.insert(Link(L"D"));
    EXPECT_FALSE(setup::RemoveQueueLinks(system, kMenu));
}

TEST(SetupActions, UserSourcesAreCreatedOnlyWhereNoneExists) {
    fakes::FakeSetupSystem system;
    system.files[kTemplates + L"\\kvx510ed.txt"] = L"empty 510";
    system.files[kTemplates + L"\\kvx520ed.txt"] = L"empty 520";
    system.files[kTemplates + L"\\notes.txt"] = L"not a source";
    system.files[kDriver + L"\\kvx520ed.txt"] = L"the user's papers";
    EXPECT_TRUE(setup::CreateMissingUserSources(system, kTemplates, kDriver + L"\\"));
    EXPECT_EQ(system.files.at(kDriver + L"\\kvx510ed.txt"), L"empty 510");
    EXPECT_EQ(system.files.at(kDriver + L"\\kvx520ed.txt"), L"the user's papers");
    EXPECT_FALSE(system.FileExists(kDriver + L"\\notes.txt"));
}

TEST(SetupActions, UserSourcesReportWhatCouldNotBeMade) {
    fakes::FakeSetupSystem system;
    EXPECT_FALSE(setup::CreateMissingUserSources(system, kTemplates, kDriver))
        << "no templates at all is a broken package";

    system.files[kTemplates + L"\\kvx510ed.txt"] = L"empty 510";
    system.files[kTemplates + L"\\kvx610ed.txt"] = L"empty 610";
    system.failingPaths.insert(kDriver + L"\\kvx510ed.txt");
    EXPECT_FALSE(setup::CreateMissingUserSources(system, kTemplates, kDriver));
    EXPECT_FALSE(system.FileExists(kDriver + L"\\kvx510ed.txt"));
    EXPECT_TRUE(system.FileExists(kDriver + L"\\kvx610ed.txt"));
}

TEST(SetupActions, RunsTheParsedCommand) {
    fakes::FakeSetupSystem system;
    system.files[kTemplates + L"\\kvx510ed.txt"] = L"empty 510";
    EXPECT_TRUE(setup::RunCommand(system, {setup::Action::Links, kMenu, L"A"}));
    EXPECT_TRUE(system.FileExists(Link(L"A")));
    EXPECT_TRUE(setup::RunCommand(system, {setup::Action::Unlinks, kMenu, L""}));
    EXPECT_FALSE(system.FileExists(Link(L"A")));
    EXPECT_TRUE(setup::RunCommand(system, {setup::Action::UserSources, kTemplates, kDriver}));
    EXPECT_TRUE(system.FileExists(kDriver + L"\\kvx510ed.txt"));
}

}  // namespace
