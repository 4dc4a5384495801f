// The system registry, the dynamic linker and the command stack.
#include "host/command_stack.h"
#include "host/dynamic_linker.h"
#include "host/registry.h"
#include "host/testing.h"
#include "support/fixture.h"

namespace vtl::test {
namespace {
using host::CommandStack;
using host::DynamicLinker;

void first() {}
void second() {}

using HostRegistry = Fixture;

TEST_F(HostRegistry, StartsWithTheLinkerAndAnEmptyCommandStackAndFindsNothingElse) {
    host::SystemRegistry* r = acrxSysRegistry();
    EXPECT_EQ(r->keys(), (std::vector<std::string>{"ACAD_REGISTERED_COMMANDS", "DynamicLinker"}));
    EXPECT_NE(DynamicLinker::cast(r->at("DynamicLinker")), nullptr);
    ASSERT_NE(CommandStack::cast(r->at("ACAD_REGISTERED_COMMANDS")), nullptr);
    EXPECT_TRUE(CommandStack::cast(r->at("ACAD_REGISTERED_COMMANDS"))->groups().empty());
    // Keys are exact; kinds do not mix.
    EXPECT_EQ(r->at("dynamiclinker"), nullptr);
    EXPECT_EQ(r->at(""), nullptr);
    EXPECT_EQ(CommandStack::cast(r->at("DynamicLinker")), nullptr);
    EXPECT_EQ(DynamicLinker::cast(nullptr), nullptr);
}

TEST_F(HostRegistry, PutReplacesRemoveTakesOutAndResetRestoresTheSameRegistry) {
    host::SystemRegistry* r = acrxSysRegistry();
    struct Thing : host::RegistryObject {};
    auto* thing = r->put("Thing", std::make_unique<Thing>());
    EXPECT_EQ(r->at("Thing"), thing);
    auto* other = r->put("Thing", std::make_unique<Thing>());
    EXPECT_EQ(r->at("Thing"), other);
    EXPECT_EQ(r->put("Thing", nullptr), nullptr);
    EXPECT_EQ(r->at("Thing"), nullptr);
    EXPECT_EQ(r->keys().size(), 2u);

    auto taken = r->remove("DynamicLinker");
    EXPECT_NE(DynamicLinker::cast(taken.get()), nullptr);
    EXPECT_EQ(r->at("DynamicLinker"), nullptr);
    EXPECT_EQ(r->remove("DynamicLinker"), nullptr);

    CommandStack::cast(r->at("ACAD_REGISTERED_COMMANDS"))->addCommand("G", "C", "", 0, first);
    host::testing::reset();
    EXPECT_EQ(acrxSysRegistry(), r);
    EXPECT_NE(DynamicLinker::cast(r->at("DynamicLinker")), nullptr);
    EXPECT_TRUE(CommandStack::cast(r->at("ACAD_REGISTERED_COMMANDS"))->groups().empty());
}

TEST_F(HostRegistry, TheLinkerChangesOnlyApplicationsItKnowsAndForgetsOnesGone) {
    DynamicLinker linker;
    int a = 0, b = 0;
    EXPECT_FALSE(linker.unlockApplication(&a));
    EXPECT_FALSE(linker.registerAppMDIAware(&a));
    EXPECT_TRUE(linker.applications().empty());

    linker.addApplication(&a, "a.so");
    linker.addApplication(&b, "b.so");
    EXPECT_TRUE(linker.unlockApplication(&a));
    EXPECT_TRUE(linker.registerAppMDIAware(&a));
    EXPECT_TRUE(linker.isApplicationLocked(&b));
    EXPECT_FALSE(linker.isAppMDIAware(&b));
    // Loaded again under the same id (a module mapped at the same address), an application starts afresh.
    linker.removeApplication(&a);
    EXPECT_FALSE(linker.isAppMDIAware(&a));
    linker.addApplication(&a, "a2.so");
    EXPECT_TRUE(linker.isApplicationLocked(&a));
    EXPECT_FALSE(linker.isAppMDIAware(&a));
    ASSERT_EQ(linker.applications().size(), 2u);
    EXPECT_EQ(linker.applications()[1].path, "a2.so");
}

TEST_F(HostRegistry, CommandsAreCheckedGroupedAndRemovedByGroup) {
    CommandStack stack;
    EXPECT_EQ(stack.addCommand("VORTAL_SS", "VTLSHEET", "", 0, first), Acad::eOk);
    EXPECT_EQ(stack.addCommand("VORTAL_SS", "VTLTABLE", "TABEL", 2, first), Acad::eOk);
    EXPECT_EQ(stack.addCommand("OTHER", "VTLOTHER", "", 0, second), Acad::eOk);
    // Bad input and duplicates change nothing.
    EXPECT_EQ(stack.addCommand("", "X", "", 0, first), Acad::eInvalidInput);
    EXPECT_EQ(stack.addCommand("G", "", "", 0, first), Acad::eInvalidInput);
    EXPECT_EQ(stack.addCommand("G", "TWO WORDS", "", 0, first), Acad::eInvalidInput);
    EXPECT_EQ(stack.addCommand("G", "X", "LOCAL NAME", 0, first), Acad::eInvalidInput);
    EXPECT_EQ(stack.addCommand("G", "X", "", 0, nullptr), Acad::eInvalidInput);
    EXPECT_EQ(stack.addCommand("vortal_ss", "vtlsheet", "", 0, second), Acad::eDuplicateKey);
    EXPECT_EQ(stack.groups(), (std::vector<std::string>{"VORTAL_SS", "OTHER"}));

    const auto cmds = stack.commands("Vortal_SS");
    ASSERT_EQ(cmds.size(), 2u);
    EXPECT_EQ(cmds[0].localName, "VTLSHEET");
    EXPECT_EQ(cmds[1].localName, "TABEL");
    EXPECT_EQ(cmds[1].flags, 2);
    ASSERT_NE(stack.lookupCommand("tabel"), nullptr);
    EXPECT_EQ(stack.lookupCommand("tabel")->globalName, "VTLTABLE");
    EXPECT_EQ(stack.lookupCommand("NOPE"), nullptr);

    EXPECT_EQ(stack.removeGroup("vortal_ss"), Acad::eOk);
    EXPECT_EQ(stack.removeGroup("VORTAL_SS"), Acad::eKeyNotFound);
    EXPECT_EQ(stack.groups(), std::vector<std::string>{"OTHER"});
    EXPECT_EQ(stack.lookupCommand("VTLSHEET"), nullptr);
    EXPECT_TRUE(stack.commands("VORTAL_SS").empty());
}

TEST_F(HostRegistry, ALaterGroupShadowsAnEarlierOneAndAnEmptiedGroupGoes) {
    CommandStack stack;
    stack.addCommand("A", "SAME", "", 0, first);
    stack.addCommand("B", "SAME", "", 0, second);
    ASSERT_NE(stack.lookupCommand("same"), nullptr);
    EXPECT_EQ(stack.lookupCommand("same")->function, &second);
    EXPECT_EQ(stack.removeCommand("B", "SAME"), Acad::eOk);
    EXPECT_FALSE(stack.hasGroup("B"));
    EXPECT_EQ(stack.lookupCommand("same")->function, &first);
    EXPECT_EQ(stack.removeCommand("A", "OTHER"), Acad::eKeyNotFound);
    EXPECT_EQ(stack.removeCommand("Z", "SAME"), Acad::eKeyNotFound);
    EXPECT_TRUE(stack.hasGroup("A"));
}

}  // namespace
}  // namespace vtl::test
