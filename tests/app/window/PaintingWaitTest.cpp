#include "app/window/PaintingWait.h"

#include <QTest>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

namespace {

class TPaintCounter : public QWidget {
public:
    std::atomic<int> Paints{0};

protected:
    void paintEvent(QPaintEvent*) override { ++Paints; }
};

// Waits on the worker for what the user-interface thread must do meanwhile; the deadline
// only keeps a broken build from hanging.
template <typename Condition>
bool WorkerSees(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::yield();
    }
    return true;
}

TEST(RunWhileRepainting, WindowsRepaintWhileTheJobRuns) {
    TPaintCounter window;
    window.resize(100, 50);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(0);
    const int before = window.Paints;
    window.update();
    bool repainted = false;
    RunWhileRepainting([&] { repainted = WorkerSees([&] { return window.Paints > before; }); });
    EXPECT_TRUE(repainted);
}

TEST(RunWhileRepainting, ReturnsWhenAQuickJobEndsAndRethrowsWhatItThrew) {
    int runs = 0;
    RunWhileRepainting([&] { ++runs; });
    EXPECT_EQ(runs, 1);
    EXPECT_THROW(RunWhileRepainting([] { throw std::runtime_error("I/O error 5."); }),
                 std::runtime_error);
}

} // namespace
