#include "rtf/rtflexer.h"

#include <algorithm>
#include <limits>

namespace vellumora::rtf {

namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isIgnorable(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

int hexValue(char c) {
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

Token makeToken(TokenKind kind, QByteArrayView text = {}) {
    Token token;
    token.kind = kind;
    token.text = text;
    return token;
}

Token symbolToken(char symbol) {
    Token token = makeToken(TokenKind::ControlSymbol);
    token.symbol = symbol;
    return token;
}

}  // namespace

Token Lexer::next() {
    if (pendingBinary_ > 0) {
        const qsizetype length = std::min(pendingBinary_, input_.size() - pos_);
        pendingBinary_ = 0;
        const Token token = makeToken(TokenKind::Binary, input_.sliced(pos_, length));
        pos_ += length;
        return token;
    }
    skipIgnorable();
    if (atEnd()) {
        return {};
    }
    switch (input_[pos_]) {
        case '{':
            ++pos_;
            return makeToken(TokenKind::GroupStart);
        case '}':
            ++pos_;
            return makeToken(TokenKind::GroupEnd);
        case '\\':
            ++pos_;
            return controlSequence();
        default:
            return text();
    }
}

void Lexer::skipIgnorable() {
    while (pos_ < input_.size() && isIgnorable(input_[pos_])) {
        ++pos_;
    }
}

Token Lexer::controlSequence() {
    const char c = peek();
    if (isLetter(c)) {
        return controlWord();
    }
    if (atEnd()) {
        return {};
    }
    ++pos_;
    if (c == '\'') {
        return hexByte();
    }
    if (c == '\r' || c == '\n') {
        return makeToken(TokenKind::ControlWord, "par");
    }
    return symbolToken(c);
}

Token Lexer::controlWord() {
    const qsizetype start = pos_;
    while (pos_ < input_.size() && isLetter(input_[pos_])) {
        ++pos_;
    }
    Token token = makeToken(TokenKind::ControlWord);
    if (pos_ - start <= kMaxControlWord) {
        token.text = input_.sliced(start, pos_ - start);
    }
    const bool negative = peek() == '-' && isDigit(peek(1));
    if (negative || isDigit(peek())) {
        pos_ += negative ? 1 : 0;
        long long value = 0;
        while (pos_ < input_.size() && isDigit(input_[pos_])) {
            value = std::min<long long>(value * 10 + (input_[pos_] - '0'),
                                        std::numeric_limits<std::int32_t>::max() + 1LL);
            ++pos_;
        }
        value = negative ? -value : value;
        token.number = static_cast<std::int32_t>(
            std::clamp<long long>(value, std::numeric_limits<std::int32_t>::min(),
                                  std::numeric_limits<std::int32_t>::max()));
        token.hasNumber = true;
    }
    if (peek() == ' ') {
        ++pos_;
    }
    if (token.text == "bin" && token.number > 0) {
        pendingBinary_ = token.number;
    }
    return token;
}

Token Lexer::hexByte() {
    const int high = hexValue(peek());
    const int low = high < 0 ? -1 : hexValue(peek(1));
    if (low < 0) {
        // A broken escape is dropped with whatever hex digit it had.
        pos_ += high < 0 ? 0 : 1;
        return symbolToken('\'');
    }
    pos_ += 2;
    Token token = makeToken(TokenKind::HexByte);
    token.byte = static_cast<unsigned char>(high * 16 + low);
    return token;
}

Token Lexer::text() {
    const qsizetype start = pos_;
    while (pos_ < input_.size()) {
        const char c = input_[pos_];
        if (c == '{' || c == '}' || c == '\\' || isIgnorable(c)) {
            break;
        }
        ++pos_;
    }
    return makeToken(TokenKind::Text, input_.sliced(start, pos_ - start));
}

}  // namespace vellumora::rtf
