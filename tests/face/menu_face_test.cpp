#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "face_support.h"
#include "tests/support/command_window.h"
#include "veltutil/platform/host/windows/menu.h"

namespace {

using velttest::PumpPosted;

constexpr UINT kOpen = 101;
constexpr UINT kDelete = 102;
constexpr UINT kClose = 103;

// The pop-up menu on the screen and its actions' texts, submenus' titles included.
QMenu* shownMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

// A menu the check failed to answer goes, so that the check fails instead of waiting forever.
void closeMenus() {
    while (QMenu* shown = shownMenu()) shown->close();
}

QAction* actionNamed(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text) return action;
    }
    return nullptr;
}

struct MenuFace : ::testing::Test {
    MenuFace() {
        owner.Create("Owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, CRect(50, 50, 350, 250), nullptr);
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, kOpen, "打开(&O)");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendSubMenu("更多").AppendMenu(MF_STRING, kDelete, "删除");
        menu.AppendMenu(MF_STRING, kClose, "关闭");
    }

    velttest::CommandWindow owner;
    CMenu menu;
};

TEST_F(MenuFace, APopupMenuIsAnsweredByARealMenu) {
    QStringList seen;
    QTimer::singleShot(0, [&] {
        QMenu* shown = shownMenu();
        if (!shown) return;
        for (QAction* action : shown->actions()) seen << (action->isSeparator() ? "-" : action->text());
        QTest::mouseClick(shown, Qt::LeftButton, {}, shown->actionGeometry(actionNamed(*shown, "关闭")).center());
        closeMenus();
    });
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 100, 100, &owner), static_cast<BOOL>(kClose));
    EXPECT_EQ(seen, QStringList({"打开(&O)", "-", "更多", "关闭"}));
    EXPECT_EQ(shownMenu(), nullptr);

    // Without TPM_RETURNCMD the choice reaches the owner as a command, in its turn.
    QTimer::singleShot(0, [] {
        if (QMenu* shown = shownMenu()) QTest::mouseClick(shown, Qt::LeftButton, {}, shown->actionGeometry(shown->actions().first()).center());
        closeMenus();
    });
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN, 100, 100, &owner));
    EXPECT_TRUE(owner.Ids().empty());
    PumpPosted();
    EXPECT_EQ(owner.Ids(), std::vector<UINT>{kOpen});
}

TEST_F(MenuFace, ASubmenusCommandIsChosenAndEscapeChoosesNothing) {
    QTimer::singleShot(0, [] {
        QMenu* shown = shownMenu();
        if (!shown) return;
        // By the keyboard: onto the submenu's title, into it, and Return on its first command.
        shown->setActiveAction(actionNamed(*shown, "更多"));
        QTest::keyClick(shown, Qt::Key_Right);
        if (QMenu* more = shownMenu(); more && more != shown) {
            if (!more->activeAction()) QTest::keyClick(more, Qt::Key_Down);
            QTest::keyClick(more, Qt::Key_Return);
        }
        closeMenus();
    });
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTALIGN, 300, 100, &owner), static_cast<BOOL>(kDelete));

    QTimer::singleShot(0, [] {
        if (QMenu* shown = shownMenu()) QTest::keyClick(shown, Qt::Key_Escape);
        closeMenus();
    });
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 100, 100, &owner), 0);
}

}  // namespace
