#pragma once

#include "rtf/rtfreader.h"

#include <QByteArrayView>

#include <functional>

namespace vellumora::rtf {

class DocumentBuilder;

/**
 * Reads the bytes as RTF into the builder and finishes it: the body, then
 * the footnotes after it. Damaged input is read as far as it makes sense.
 * Progress, when given, hears now and then how many bytes have been read.
 * Returns what the file held that the document cannot keep.
 */
NotKept readRtf(QByteArrayView bytes, DocumentBuilder& builder,
                const std::function<void(qsizetype)>& progress = {});

}  // namespace vellumora::rtf
