#pragma once

#include <QByteArrayView>

#include <cstdint>

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

    Token next();
    bool atEnd() const { return pos_ >= input_.size(); }
    /// How many bytes have been read.
    qsizetype position() const { return pos_; }

private:
    Token controlSequence();
    Token controlWord();
    Token hexByte();
    Token text();
    void skipIgnorable();
    char peek(qsizetype offset = 0) const {
        return pos_ + offset < input_.size() ? input_[pos_ + offset] : '\0';
    }

    QByteArrayView input_;
    qsizetype pos_ = 0;
    qsizetype pendingBinary_ = 0;
};

}  // namespace vellumora::rtf
