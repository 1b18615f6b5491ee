#include "framework/forms/AppEvents.h"

#include "framework/controls/Control.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &event);
}

TEST(AppEventsTest, HooksSeeKeysAsMessagesBeforeTheFocusedControlAndCanConsumeThem) {
    QLineEdit edit;
    edit.show();
    edit.activateWindow();
    edit.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &edit; }));
    TApplicationEvents events(nullptr);
    QList<QPair<uint32_t, intptr_t>> seen;
    events.OnMessage = [&](TMessage& message, bool& handled) {
        seen.append({message.Msg, message.WParam});
        handled = message.Msg == WM_SYSCHAR && message.WParam == 32;
    };
    Press(&edit, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    EXPECT_EQ(edit.text(), QStringLiteral("a"));
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0], qMakePair(WM_KEYDOWN, intptr_t('A')));
    EXPECT_EQ(seen[1], qMakePair(WM_CHAR, intptr_t('a')));
    seen.clear();
    Press(&edit, Qt::Key_Space, Qt::AltModifier, QStringLiteral(" "));
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0], qMakePair(WM_SYSKEYDOWN, intptr_t(VK_SPACE)));
    EXPECT_EQ(seen[1], qMakePair(WM_SYSCHAR, intptr_t(32)));
    EXPECT_EQ(edit.text(), QStringLiteral("a"));
}

TEST(AppEventsTest, AltReleasedAloneIsASystemKeyUp) {
    QLineEdit edit;
    edit.show();
    edit.activateWindow();
    edit.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &edit; }));
    TApplicationEvents events(nullptr);
    int altUps = 0;
    events.OnMessage = [&](TMessage& message, bool&) {
        altUps += message.Msg == WM_SYSKEYUP && message.WParam == VK_MENU ? 1 : 0;
    };
    auto send = [&](QEvent::Type type, int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent event(type, key, modifiers);
        QApplication::sendEvent(&edit, &event);
    };
    send(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    send(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_EQ(altUps, 1);
    send(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    send(QEvent::KeyPress, Qt::Key_F, Qt::AltModifier);
    send(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_EQ(altUps, 1);
}

TEST(AppEventsTest, AFreedHookIsNoLongerAsked) {
    QLineEdit edit;
    edit.show();
    edit.activateWindow();
    edit.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &edit; }));
    int calls = 0;
    {
        TApplicationEvents events(nullptr);
        events.OnMessage = [&](TMessage&, bool&) { ++calls; };
    }
    Press(&edit, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(edit.text(), QStringLiteral("b"));
}

} // namespace
