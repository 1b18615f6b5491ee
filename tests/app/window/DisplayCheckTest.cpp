#include "app/window/DisplayCheck.h"

#include <QStringList>
#include <QtGlobal>
#include <gtest/gtest.h>

namespace {

TEST(DisplayCheckTest, NeedsAnX11OrWaylandDisplayUnlessThePlatformDrawsWithout) {
    EXPECT_TRUE(DisplayAvailable(":0", nullptr, nullptr));
    EXPECT_TRUE(DisplayAvailable(nullptr, "wayland-0", nullptr));
    EXPECT_TRUE(DisplayAvailable(nullptr, nullptr, "offscreen"));
    EXPECT_TRUE(DisplayAvailable("", "", "offscreen:fontengine=freetype"));
    EXPECT_TRUE(DisplayAvailable(nullptr, nullptr, "minimal"));
    EXPECT_FALSE(DisplayAvailable(nullptr, nullptr, nullptr));
    EXPECT_FALSE(DisplayAvailable("", "", ""));
    EXPECT_FALSE(DisplayAvailable(nullptr, nullptr, "xcb"));
    EXPECT_FALSE(DisplayAvailable(nullptr, nullptr, "wayland"));
    EXPECT_TRUE(DisplayAvailable(":1", nullptr, "xcb"));
}

QStringList& Captured() {
    static QStringList captured;
    return captured;
}

void Capture(QtMsgType, const QMessageLogContext&, const QString& text) {
    Captured().append(text);
}

TEST(DisplayCheckTest, TheGuardHoldsStartUpMessagesAndPassesThemOnWhenStartUpSucceeds) {
    Captured().clear();
    const QtMessageHandler original = qInstallMessageHandler(Capture);
    {
        const TNoDisplayGuard guard;
        qWarning("first");
        qInfo("second");
        EXPECT_TRUE(Captured().isEmpty());
    }
    EXPECT_EQ(Captured(), QStringList({"first", "second"}));
    qWarning("after");
    EXPECT_EQ(Captured().size(), 3);
    qInstallMessageHandler(original);
}

} // namespace
