// Entry point of the widget and drawing tests: one QApplication for the process,
// created only after the environment pins the platform, the density and the fonts,
// so pixel geometry is the same on every machine (and at test discovery time).
#include <QApplication>
#include <QtGlobal>

#include <cstdio>
#include <gtest/gtest.h>

namespace {

void SetDefault(const char* name, const char* value) {
    if (qEnvironmentVariableIsEmpty(name)) {
        qputenv(name, value);
    }
}

} // namespace

int main(int argc, char** argv) {
    SetDefault("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_FONT_DPI", "96");
    qputenv("FONTCONFIG_FILE", SUMWARDEN_TEST_FONTCONFIG);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    if (application.devicePixelRatio() != 1.0) {
        std::fprintf(stderr, "Tests need a device pixel ratio of 1, found %g\n",
                     application.devicePixelRatio());
        return 1;
    }
    return RUN_ALL_TESTS();
}
