#pragma once

// The long story the benchmarks of the editor, the book and spelling work
// on: 81 answers of 64 KB each, some 5.3 million characters compiled.

#include <QString>

namespace vellumora::bench {

inline constexpr qsizetype kLongAnswerSize = 64 * 1024;

/// Paragraphs of ordinary prose, as a long answer has them.
inline QString proseAnswer(int position) {
    const QString paragraph = QStringLiteral(
        "We lived in a small house by the river, and every summer my brothers and I built rafts "
        "from whatever the flood had left behind. Mother called us in at dusk.\r\n");
    QString answer = QStringLiteral("Answer %1: ").arg(position);
    while (answer.size() < kLongAnswerSize)
        answer += paragraph;
    answer.truncate(kLongAnswerSize);
    return answer;
}

}  // namespace vellumora::bench
