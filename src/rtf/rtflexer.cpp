#include "rtf/rtflexer.h"

namespace vellumora::rtf {

namespace {

int hexValue(char c) {
    if (lexing::isDigit(c)) {
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

Token symbolToken(char symbol) {
    Token token = lexing::makeToken(TokenKind::ControlSymbol);
    token.symbol = symbol;
    return token;
}

}  // namespace

Token Lexer::binary() {
    const qsizetype length = std::min(pendingBinary_, input_.size() - pos_);
    pendingBinary_ = 0;
    const Token token = lexing::makeToken(TokenKind::Binary, input_.sliced(pos_, length));
    pos_ += length;
    return token;
}

// A backslash not followed by a letter: a symbol, \'hh, or a line break read as \par.
Token Lexer::controlSymbol() {
    if (atEnd()) {
        return {};
    }
    const char c = input_[pos_++];
    if (c == '\r' || c == '\n') {
        return lexing::makeToken(TokenKind::ControlWord, "par");
    }
    if (c != '\'') {
        return symbolToken(c);
    }
    const int high = hexValue(peek());
    const int low = high < 0 ? -1 : hexValue(peek(1));
    if (low < 0) {
        // A broken escape is dropped with whatever hex digit it had.
        pos_ += high < 0 ? 0 : 1;
        return symbolToken('\'');
    }
    pos_ += 2;
    Token token = lexing::makeToken(TokenKind::HexByte);
    token.byte = static_cast<unsigned char>(high * 16 + low);
    return token;
}

}  // namespace vellumora::rtf
