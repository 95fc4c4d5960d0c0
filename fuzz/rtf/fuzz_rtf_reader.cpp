#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

QGuiApplication* application() {
    static int argc = 1;
    static char name[] = "fuzz_rtf_reader";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return &app;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    application();
    QTextDocument document;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (vellumora::rtf::readDocument(bytes, document) != vellumora::rtf::ReadStatus::Loaded) {
        return 0;
    }
    // Whatever was read must write out and read back to the same text.
    QTextDocument again;
    vellumora::rtf::readDocument(vellumora::rtf::writeRtf(document), again);
    if (again.toPlainText() != document.toPlainText()) {
        std::abort();
    }
    return 0;
}
