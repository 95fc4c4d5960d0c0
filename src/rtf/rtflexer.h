#pragma once

#include <QByteArrayView>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace vellumora::rtf {

/// The pieces an RTF byte stream is made of.
enum class TokenKind : std::uint8_t {
    GroupStart,     ///< {
    GroupEnd,       ///< }
    ControlWord,    ///< \word or \wordN; the name is in text
    ControlSymbol,  ///< \ followed by one non-letter, in symbol ('\'' for a malformed \')
    HexByte,        ///< \'hh, the byte in byte
    Text,           ///< a run of literal bytes, in text
    Binary,         ///< the data of \binN, in text
    End,
};

struct Token {
    TokenKind kind = TokenKind::End;
    QByteArrayView text;
    std::int32_t number = 0;
    bool hasNumber = false;
    char symbol = 0;
    unsigned char byte = 0;
};

/**
 * Splits RTF into tokens in one forward pass. Raw CR, LF and NUL bytes are
 * not content and never reach a text token; a backslash before a line break
 * is read as \par, as TextEdit writes it. Numbers are clamped to 32 bits and
 * control words longer than kMaxControlWord letters come out with an empty
 * name, which nobody knows. \binN data is returned as one Binary token, cut
 * short at the end of the input.
 */
class Lexer {
public:
    static constexpr int kMaxControlWord = 32;

    explicit Lexer(QByteArrayView input) : input_(input) {}

    // The lexer's loop is defined here, so that a token is built where the
    // reader takes it: a file is mostly tokens a few bytes long.
    Token next();
    bool atEnd() const { return pos_ >= input_.size(); }
    /// How many bytes have been read.
    qsizetype position() const { return pos_; }

private:
    Token binary();
    Token controlSequence();
    Token controlWord();
    Token controlSymbol();
    Token text();
    void skipIgnorable();
    char peek(qsizetype offset = 0) const {
        return pos_ + offset < input_.size() ? input_[pos_ + offset] : '\0';
    }

    QByteArrayView input_;
    qsizetype pos_ = 0;
    qsizetype pendingBinary_ = 0;
};

namespace lexing {

inline bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

inline bool isIgnorable(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

/// The bytes that end a run of text: braces, backslash, and those never read as content.
inline constexpr auto kEndsText = [] {
    std::array<bool, 256> ends{};
    for (const unsigned char c : {'{', '}', '\\', '\r', '\n', '\0'}) {
        ends[c] = true;
    }
    return ends;
}();

inline Token makeToken(TokenKind kind, QByteArrayView text = {}) {
    Token token;
    token.kind = kind;
    token.text = text;
    return token;
}

}  // namespace lexing

inline Token Lexer::next() {
    if (pendingBinary_ > 0) {
        return binary();
    }
    skipIgnorable();
    if (atEnd()) {
        return {};
    }
    switch (input_[pos_]) {
        case '{':
            ++pos_;
            return lexing::makeToken(TokenKind::GroupStart);
        case '}':
            ++pos_;
            return lexing::makeToken(TokenKind::GroupEnd);
        case '\\':
            ++pos_;
            return controlSequence();
        default:
            return text();
    }
}

inline void Lexer::skipIgnorable() {
    while (pos_ < input_.size() && lexing::isIgnorable(input_[pos_])) {
        ++pos_;
    }
}

inline Token Lexer::controlSequence() {
    if (lexing::isLetter(peek())) {
        return controlWord();
    }
    return controlSymbol();
}

inline Token Lexer::controlWord() {
    const qsizetype start = pos_;
    const char* data = input_.data();
    const qsizetype size = input_.size();
    qsizetype pos = pos_;
    while (pos < size && lexing::isLetter(data[pos])) {
        ++pos;
    }
    pos_ = pos;
    Token token = lexing::makeToken(TokenKind::ControlWord);
    if (pos_ - start <= kMaxControlWord) {
        token.text = input_.sliced(start, pos_ - start);
    }
    const bool negative = peek() == '-' && lexing::isDigit(peek(1));
    if (negative || lexing::isDigit(peek())) {
        pos_ += negative ? 1 : 0;
        long long value = 0;
        pos = pos_;
        while (pos < size && lexing::isDigit(data[pos])) {
            value = std::min<long long>(value * 10 + (data[pos] - '0'),
                                        std::numeric_limits<std::int32_t>::max() + 1LL);
            ++pos;
        }
        pos_ = pos;
        value = negative ? -value : value;
        token.number = static_cast<std::int32_t>(
            std::clamp<long long>(value, std::numeric_limits<std::int32_t>::min(),
                                  std::numeric_limits<std::int32_t>::max()));
        token.hasNumber = true;
    }
    if (peek() == ' ') {
        ++pos_;
    }
    if (token.number > 0 && token.text.size() == 3 && token.text == "bin") {
        pendingBinary_ = token.number;
    }
    return token;
}

// The loops keep their place in a local: a byte read could otherwise be the
// member itself, to be stored and read again at every byte.
inline Token Lexer::text() {
    const qsizetype start = pos_;
    const char* data = input_.data();
    const qsizetype size = input_.size();
    qsizetype pos = pos_;
    while (pos < size && !lexing::kEndsText[static_cast<unsigned char>(data[pos])]) {
        ++pos;
    }
    pos_ = pos;
    return lexing::makeToken(TokenKind::Text, input_.sliced(start, pos - start));
}

}  // namespace vellumora::rtf
