// Feeds arbitrary bytes to the data file reader: it must end with a result,
// never crash, hang or read past the 81st field, and what it read must write
// and read back to the same answers.
#include "datafileproperties.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!vellumora::fuzzing::readerRoundTrip(bytes).isEmpty())
        std::abort();
    return 0;
}
