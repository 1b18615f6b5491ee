// Feeds arbitrary text to the layout reader: it must build the components or refuse with a
// layout error naming the line, never crash or hang.
#include "framework/forms/Form.h"
#include "framework/layout/LayoutReader.h"

#include <QApplication>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept to the end of the process: Qt cannot take its application apart in exit handlers.
    static QApplication* application = new QApplication(*argc, *argv);
    (void)application;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        TForm root(nullptr);
        try {
            ReadLayoutText(&root, text, QStringLiteral("fuzz.layout"));
        } catch (const ELayoutError&) {
        }
    }
    // What the event loop would delete later is deleted now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
