// Feeds arbitrary bytes to the data file reader: it must end with a result,
// never crash, hang or read past the 81st field.
#include "store/answerstore.h"
#include "store/datafile.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    vellumora::AnswerStore store;
    vellumora::datafile::read(buffer, store);
    // Whatever was read must write and read back to the same states.
    QByteArray written = vellumora::datafile::encode(store);
    QBuffer again(&written);
    again.open(QIODevice::ReadOnly);
    vellumora::AnswerStore back;
    if (vellumora::datafile::read(again, back) != vellumora::datafile::ReadResult::Complete)
        __builtin_trap();
    for (int position = 1; position <= 81; ++position)
        if (back.state(position) != store.state(position))
            __builtin_trap();
    return 0;
}
