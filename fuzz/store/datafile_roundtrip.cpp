// Takes the bytes as 81 answers, writes them as a data file and reads it
// back: every answer must come back in the state and with the text it had.
#include "datafileproperties.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!vellumora::fuzzing::writerRoundTrip(bytes).isEmpty())
        std::abort();
    return 0;
}
