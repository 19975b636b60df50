#include <gtest/gtest.h>

#include <vector>

#include "tests/support/scripted_services.h"
#include "tests/support/command_window.h"
#include "tests/support/message_pump.h"
#include "veltutil/platform/host/windows/menu.h"
#include "veltutil/platform/host/modules/module.h"
#include "veltutil/platform/host/modules/resources.h"
#include "veltutil/platform/host/strings/arrays.h"
#include "veltutil/platform/host/windows/wnd.h"

namespace {

class Resistor : public CObject {
    DECLARE_DYNAMIC(Resistor)
};
IMPLEMENT_DYNAMIC(Resistor, CObject)

class Trimmer : public Resistor {};

}  // namespace

TEST(RuntimeClass, AnObjectNamesItsNearestDeclaredClassAndKnowsItsBases) {
    Trimmer trimmer;
    EXPECT_STREQ(trimmer.GetRuntimeClass()->m_lpszClassName, "Resistor");
    EXPECT_TRUE(trimmer.IsKindOf(RUNTIME_CLASS(CObject)));
    CObject plain;
    EXPECT_FALSE(plain.IsKindOf(RUNTIME_CLASS(Resistor)));
}

TEST(Arrays, InsertingPastTheEndGrowsTheArrayWithZeros) {
    CDWordArray rows;
    rows.Add(7);
    rows.InsertAt(3, 9);
    EXPECT_EQ(std::vector<DWORD>(rows.begin(), rows.end()), (std::vector<DWORD>{7, 0, 0, 9}));
    rows.RemoveAt(1, 2);
    EXPECT_EQ(rows.GetUpperBound(), 1);

    Resistor r1;
    CObArray objects;
    objects.Add(&r1);
    objects.SetSize(2);
    EXPECT_EQ(objects[1], nullptr);
}

TEST(Menus, AMenuResourceLoadsFromWhicheverModuleHoldsItAndItsChoiceGoesToTheOwner) {
    const MenuTemplate resource{{{"Context", 0, MF_POPUP, {{"Copy", 501, MF_STRING, {}}, {"", 0, MF_SEPARATOR, {}}, {"Paste", 502, MF_STRING, {}}}}}};
    auto plugIn = reinterpret_cast<HINSTANCE>(0x7000);
    AfxRegisterMenuResource(plugIn, 300, &resource);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(300), RT_MENU), plugIn);

    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(300));
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetMenuItemCount(), 3);
    EXPECT_EQ(popup->GetMenuItemID(2), 502u);
    EXPECT_FALSE(menu.LoadMenu(301));
    EXPECT_EQ(menu.GetMenuItemCount(), 1);  // unchanged

    velttest::DrainQueue();
    velttest::CommandWindow owner;
    owner.Create("owner", WS_POPUP, CRect(), nullptr);
    ScriptedPopupMenus menus;
    menus.Answer(502);
    EXPECT_TRUE(popup->TrackPopupMenu(TPM_RIGHTBUTTON, 5, 6, &owner));
    EXPECT_TRUE(owner.Ids().empty());  // posted, as the menu closes
    velttest::PumpPosted();
    EXPECT_EQ(owner.Ids(), std::vector<UINT>{502});

    AfxUnregisterResources(plugIn);
}
