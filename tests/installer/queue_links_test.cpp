#include "installer/queue_links.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::wstring>;

TEST(QueueLinks, ParsesTheQueueList) {
    struct Case {
        const wchar_t* list;
        Names queues;
    };
    const Case cases[] = {
        {L"Ostrel LM-510", {L"Ostrel LM-510"}},
        {L"Ostrel LM-510;Ostrel LM-620N", {L"Ostrel LM-510", L"Ostrel LM-620N"}},
        {L" Ostrel LM-510 ;\tOstrel LM-520 ", {L"Ostrel LM-510", L"Ostrel LM-520"}},
        {L";;Ostrel LM-510;; ;", {L"Ostrel LM-510"}},
        {L"Ostrel LM-510;OSTREL lm-510;Ostrel LM-510", {L"Ostrel LM-510"}},
        {L"B;A", {L"B", L"A"}},
        {L"", {}},
        {L" ; ", {}},
    };
    for (const Case& c : cases) {
        const setup::QueueList list = setup::ParseQueueList(c.list);
        EXPECT_EQ(list.error, L"") << c.list;
        EXPECT_EQ(list.queues, c.queues) << c.list;
    }
}

TEST(QueueLinks, RefusesNamesVelkorCannotBeGivenOrThatShareAShortcut) {
    for (const wchar_t* list : {L"Ostrel \"LM\"", L"A;B\"", L"Lab:1;Lab?1", L"a/b;A\\B"}) {
        const setup::QueueList parsed = setup::ParseQueueList(list);
        EXPECT_NE(parsed.error, L"") << list;
    }
}

TEST(QueueLinks, NamesTheShortcutAfterTheQueue) {
    struct Case {
        const wchar_t* queue;
        const wchar_t* fileName;
    };
    const Case cases[] = {
        {L"Ostrel LM-510", L"Paper formats - Ostrel LM-510.lnk"},
        {L"\\\\server\\Ostrel LM-610N", L"Paper formats - __server_Ostrel LM-610N.lnk"},
        {L"a/b:c*d?e\"f<g>h|i", L"Paper formats - a_b_c_d_e_f_g_h_i.lnk"},
        {L"tab\there", L"Paper formats - tab_here.lnk"},
        {L"Étiquettes", L"Paper formats - Étiquettes.lnk"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(setup::LinkFileName(c.queue), c.fileName);
        EXPECT_TRUE(setup::IsQueueLinkName(c.fileName)) << c.fileName;
    }
    EXPECT_EQ(setup::LinkArguments(L"Ostrel LM-510"), L"\"Ostrel LM-510\"");
}

TEST(QueueLinks, TellsQueueShortcutsFromOtherFiles) {
    for (const wchar_t* name : {L"paper FORMATS - x.LNK", L"Paper formats - Ostrel LM-510.lnk"})
        EXPECT_TRUE(setup::IsQueueLinkName(name)) << name;
    for (const wchar_t* name : {L"README.lnk", L"Paper formats - .lnk", L"Paper formats - x.txt",
                                L"Paper formats.lnk", L"x Paper formats - y.lnk"})
        EXPECT_FALSE(setup::IsQueueLinkName(name)) << name;
}

TEST(QueueLinks, PlansExactlyTheListedShortcuts) {
    struct Case {
        Names existing;
        Names queues;
        Names created;
        Names removed;
    };
    const Case cases[] = {
        {{}, {L"A", L"B"}, {L"Paper formats - A.lnk", L"Paper formats - B.lnk"}, {}},
        // Listed again: made again (its target may have moved), nothing removed.
        {{L"Paper formats - A.lnk", L"README.lnk"}, {L"A"}, {L"Paper formats - A.lnk"}, {}},
        // Queues no longer listed lose their shortcuts; other files stay.
        {{L"Paper formats - A.lnk", L"Paper formats - Old.lnk", L"README.lnk", L"notes.txt"},
         {L"A"},
         {L"Paper formats - A.lnk"},
         {L"Paper formats - Old.lnk"}},
        // The file system ignores case, and so does the plan.
        {{L"PAPER FORMATS - a.lnk"}, {L"A"}, {L"Paper formats - A.lnk"}, {}},
        {{L"Paper formats - A.lnk", L"Paper formats - B.lnk"},
         {},
         {},
         {L"Paper formats - A.lnk", L"Paper formats - B.lnk"}},
    };
    for (const Case& c : cases) {
        const setup::LinkPlan plan = setup::PlanLinks(c.existing, c.queues);
        Names created;
        for (const auto& link : plan.create) created.push_back(link.fileName);
        EXPECT_EQ(created, c.created);
        EXPECT_EQ(plan.remove, c.removed);
    }
}

}  // namespace
