#include "rtf/rtfparser.h"

#include "rtf/colourtable.h"
#include "rtf/controlwords.h"
#include "rtf/documentbuilder.h"
#include "rtf/fonttable.h"
#include "rtf/listtable.h"
#include "rtf/notes.h"
#include "rtf/rtfcodepage.h"
#include "rtf/rtflexer.h"
#include "rtf/rtfreader.h"

#include "pictures/picturestore.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace vellumora::rtf {

namespace {

// Bounds that keep hostile files from costing more than their size.
constexpr qsizetype kMaxGroupDepth = 1024;
constexpr int kMaxUnicodeSkip = 16;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 3276;

/// Where the text of a group goes.
enum class Destination : std::uint8_t {
    Body,
    FontTable,
    ColourTable,
    Skip,
    Upr,
    Picture,  ///< a picture's encoding, size and data
    Shape,    ///< a shape's properties: only a picture among them is read
    Object,   ///< an embedded object: only the picture of its result is read
    Lists,    ///< the list tables
};

// The value of each hexadecimal digit, -1 for every other byte.
constexpr auto kHexValues = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int i = 0; i < 10; ++i)
        values['0' + i] = std::int8_t(i);
    for (int i = 0; i < 6; ++i) {
        values['a' + i] = std::int8_t(10 + i);
        values['A' + i] = std::int8_t(10 + i);
    }
    return values;
}();

/// A picture being read: what its group said so far, and its data.
struct PictureInProgress {
    qsizetype depth = 0;  ///< the depth of its group, which its closing brace ends
    pictures::Picture::Header header;
    QByteArray bytes;  ///< kept only while the document is built
    PictureCount count;
    int highNibble = -1;  ///< the first digit of a byte whose second is still to come
};

/// A shape being read, and how many pictures had been read when it began.
struct ShapeInProgress {
    qsizetype depth = 0;
    qsizetype picturesBefore = 0;
};

/// What a group inherits from its parent and gets back at its closing brace.
struct GroupState {
    int font = -1;  // -1: the default font, \deff
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hidden = false;
    QTextCharFormat::VerticalAlignment shift = QTextCharFormat::AlignNormal;
    int colour = 0;
    // Text marked \dbch (LibreOffice marks Asian text so) takes the size that
    // \afs gives right after that mark, if any; \loch, \hich, \rtlch and
    // \ltrch end the mark, so that Word's complex-script sizes stay out.
    bool doubleByte = false;
    int doubleByteHalfPoints = 0;
    // Text under \rtlch (LibreOffice writes Hebrew and Arabic so) takes the
    // associated font, size, bold and italic: \af, \afs, \ab, \ai.
    bool rightToLeft = false;
    int associatedFont = -1;
    // An \af since the last \rtlch: the font of right-to-left text is then
    // that one, whatever \f follows for the left-to-right text.
    bool associatedFontNamed = false;
    // Text marked \hich or \dbch reads in the font that \af gave after that
    // mark, as Word writes "\hich\af1\dbch\af2\loch\f0" to name all three.
    bool highAnsi = false;
    int highAnsiFont = -1;
    int doubleByteFont = -1;
    int associatedHalfPoints = 0;
    bool associatedBold = false;
    bool associatedItalic = false;
    int unicodeSkip = 1;
    Destination destination = Destination::Body;
    bool inNote = false;  // footnote text, which goes after the body
    // The paragraph's list (\ls, 0: none) and its level there; \pard ends them.
    int listOverride = 0;
    int listLevel = 0;
    bool inLabel = false;  // the label a writer kept for readers without lists

    bool operator==(const GroupState&) const = default;
};

/// What the text of a group looks like and what its bytes read as.
struct Look {
    CharStyle style;
    int codePage = kWindowsLatin1CodePage;
    std::optional<SymbolGlyphs> glyphs;  ///< of a symbol font, whose characters are pictures
};

/// \plain: the group's text loses its formatting, but stays where it goes and reads \u as before.
GroupState plainState(const GroupState& group) {
    GroupState plain;
    plain.unicodeSkip = group.unicodeSkip;
    plain.destination = group.destination;
    plain.inNote = group.inNote;
    plain.listOverride = group.listOverride;
    plain.listLevel = group.listLevel;
    plain.inLabel = group.inLabel;
    return plain;
}

bool flagValue(const Token& token) {
    return !token.hasNumber || token.number != 0;
}

int halfPointsOf(const Token& token) {
    return token.number > 0 ? std::clamp(token.number, kMinHalfPoints, kMaxHalfPoints)
                            : kDefaultHalfPoints;
}

/// Turns the token stream into document text, keeping one state per open group.
class Parser {
public:
    Parser(QByteArrayView input, DocumentBuilder& builder)
        : lexer_(input),
          builder_(builder),
          fonts_(decoder_),
          notes_(builder),
          lists_(fonts_, decoder_) {
        // Outside the {\rtf group there is no text, only perhaps another document.
        stack_.emplace_back().destination = Destination::Skip;
    }

    /// Reads every token; progress, when given, hears of the bytes read now and then.
    void run(const std::function<void(qsizetype)>& progress = {}) {
        constexpr int kTokensBetweenReports = 16384;
        int untilReport = kTokensBetweenReports;
        // Each token is made where it is read, not copied there: a copy of
        // one just written stalls on every token.
        while (true) {
            const Token token = lexer_.next();
            if (token.kind == TokenKind::End) {
                break;
            }
            handle(token);
            if (progress && --untilReport == 0) {
                untilReport = kTokensBetweenReports;
                progress(lexer_.position());
            }
        }
        flushText();
        if (!labelPieces_.empty()) {
            output();  // a label with no paragraph after it is text all the same
        }
    }

    /// The notes after the body: into the builder's document, or into its
    /// count while it only counts.
    void appendNotesTo(DocumentBuilder& builder) { notes_.appendTo(builder); }

    /// What the file held that the document cannot keep.
    const NotKept& notKept() const { return notKept_; }

private:
    const GroupState& state() const { return stack_.back(); }
    /// The group's state, to change: the look of its text is looked at again.
    GroupState& changeState() {
        lookStale_ = true;
        return stack_.back();
    }
    /// Where the current text goes; everything is skipped inside a skipped group past the depth
    /// bound.
    Destination destination() const {
        return overflowSkipFrom_ > 0 ? Destination::Skip : state().destination;
    }
    DocumentBuilder& output() {
        if (state().inNote) {
            return notes_.output();
        }
        if (!paragraphBegun_) {
            beginParagraph();
        }
        return builder_;
    }
    void appendOutput(QStringView text, const CharStyle& style);
    void beginParagraph();

    void handle(const Token& token);
    void groupStart();
    void groupEnd();

    void controlWord(const Token& token, bool starred);
    void unknownWord(bool starred);
    void applyDestination(Word word, bool starred = false);
    void bodyWord(const WordEntry& entry, const Token& token);
    bool takenAsFallback(const WordEntry& entry);
    void propertyWord(Word word, const Token& token);
    void scriptWord(Word word, const Token& token);
    static void associatedFontWord(GroupState& group, int number);
    void textWord(const WordEntry& entry, const Token& token);
    void documentWord(const WordEntry& entry, const Token& token);
    void fontTableWord(Word word, const Token& token);
    void colourTableWord(Word word, const Token& token);
    void listWord(Word word, const Token& token);

    void beginPicture();
    void pictureWord(const WordEntry& entry, const Token& token);
    void pictureHex(QByteArrayView text);
    void pictureBinary(QByteArrayView data);
    void endPicture();
    bool shapeHasPicture() const;
    void endShape();

    void controlSymbol(char symbol);
    void hexByte(unsigned char byte);
    void text(QByteArrayView bytes);
    void unicode(int number);
    char32_t shownCharacter(char32_t codePoint);
    void emitText(QStringView text);
    void endParagraph();
    void appendBodyBytes(QByteArrayView bytes);
    void decodeText();
    void flushText();

    int fontNumberOf(const GroupState& group) const;
    int codePageOf(const GroupState& group) const;
    CharStyle styleOf(const GroupState& group) const;
    const Look& look();

    Lexer lexer_;
    DocumentBuilder& builder_;
    CodePageDecoder decoder_;
    FontTable fonts_;
    ColourTable colours_;
    Notes notes_;
    ListTable lists_;
    // The label kept for readers without lists, until the paragraph's first
    // text shows whether the list tables give one instead.
    struct LabelPiece {
        QString text;
        CharStyle style;
    };
    std::vector<LabelPiece> labelPieces_;
    bool paragraphBegun_ = false;

    std::vector<GroupState> stack_;
    std::optional<PictureInProgress> picture_;
    std::vector<ShapeInProgress> shapes_;
    qsizetype picturesRead_ = 0;
    qsizetype pictureBytes_ = 0;  // of every picture so far
    NotKept notKept_;
    qsizetype overflowDepth_ = 0;
    // The depth past the bound at which a skipped destination began; 0: none.
    qsizetype overflowSkipFrom_ = 0;
    bool groupOpened_ = false;  // nothing read yet since the last opening brace
    bool starPending_ = false;
    bool started_ = false;  // text before the first control word is layout of the file
    int skipUnits_ = 0;

    // The look of the text of lookState_ under the tables as they were then:
    // worked out again only when either has changed, as most runs share it.
    // The state is compared only after something may have changed it.
    GroupState lookState_;
    bool lookStale_ = true;
    std::uint64_t lookFonts_ = 0;
    std::size_t lookColours_ = 0;
    bool lookKnown_ = false;
    Look look_;

    // Text of the group's look, not yet given to the builder: what has been
    // decoded, and after it bytes not yet decoded, all of one code page.
    std::u16string pendingText_;
    QByteArray textBytes_;
    int textCodePage_ = kWindowsLatin1CodePage;
};

void Parser::handle(const Token& token) {
    const bool starred = std::exchange(starPending_, false);
    const bool groupOpened = std::exchange(groupOpened_, false);
    switch (token.kind) {
        case TokenKind::GroupStart:
            groupStart();
            groupOpened_ = true;
            break;
        case TokenKind::GroupEnd:
            groupEnd();
            break;
        case TokenKind::ControlWord:
            started_ = true;
            controlWord(token, starred);
            break;
        case TokenKind::ControlSymbol:
            if (token.symbol == '*') {
                // \* marks a destination only as the first thing in its group;
                // OpenOffice also writes it amid formatting, where it means nothing.
                starPending_ = groupOpened;
            } else {
                controlSymbol(token.symbol);
            }
            break;
        case TokenKind::HexByte:
            hexByte(token.byte);
            break;
        case TokenKind::Text:
            if (started_) {
                text(token.text);
            }
            break;
        case TokenKind::Binary:
            if (destination() == Destination::Picture) {
                pictureBinary(token.text);
            } else {
                skipUnits_ = std::max(0, skipUnits_ - 1);
            }
            break;
        case TokenKind::End:
            break;
    }
}

void Parser::groupStart() {
    flushText();
    skipUnits_ = 0;
    if (qsizetype(stack_.size()) > kMaxGroupDepth) {
        // Deeper groups are read as part of their parent rather than stacked.
        ++overflowDepth_;
        return;
    }
    if (stack_.size() == 1) {
        stack_.emplace_back();
        lookStale_ = true;
    } else {
        const GroupState inherited = stack_.back();  // the same look as before
        stack_.push_back(inherited);
    }
}

void Parser::groupEnd() {
    flushText();
    skipUnits_ = 0;
    if (overflowDepth_ > 0) {
        if (overflowSkipFrom_ == overflowDepth_) {
            overflowSkipFrom_ = 0;
        }
        --overflowDepth_;
        return;
    }
    if (stack_.size() <= 1) {
        return;  // a closing brace too many
    }
    if (picture_ && picture_->depth == qsizetype(stack_.size())) {
        endPicture();
    }
    if (!shapes_.empty() && shapes_.back().depth == qsizetype(stack_.size())) {
        endShape();
    }
    if (state().inNote && !stack_[stack_.size() - 2].inNote) {
        notes_.endNote(look().style);
    }
    // The brace ends the font entry its group began, or else a colour entry given so far.
    if (!fonts_.closeGroup(stack_.size()) && destination() == Destination::ColourTable) {
        colours_.closeGroup();
    }
    if (destination() == Destination::Lists) {
        lists_.closeGroup(stack_.size());
    }
    stack_.pop_back();
    lookStale_ = true;
}

void Parser::controlWord(const Token& token, bool starred) {
    const Destination destination = this->destination();
    if (destination == Destination::Skip) {
        return;
    }
    const WordEntry* entry = findControlWord(token.text);
    if (destination == Destination::Upr) {
        // \upr holds an 8-bit text and, in {\*\ud ...}, the same in Unicode.
        if (entry && entry->word == Word::Ud) {
            changeState().destination = Destination::Body;
        }
        return;
    }
    if (!entry) {
        unknownWord(starred);
        return;
    }
    if (entry->kind == WordKind::Destination) {
        flushText();
        applyDestination(entry->word, starred);
        return;
    }
    switch (destination) {
        case Destination::Body:
            bodyWord(*entry, token);
            break;
        case Destination::FontTable:
            fontTableWord(entry->word, token);
            break;
        case Destination::ColourTable:
            colourTableWord(entry->word, token);
            break;
        case Destination::Picture:
            pictureWord(*entry, token);
            break;
        case Destination::Lists:
            listWord(entry->word, token);
            break;
        default:
            break;
    }
}

void Parser::unknownWord(bool starred) {
    if (starred) {
        flushText();
        applyDestination(Word::SkipGroup);  // an optional destination we do not know
    } else {
        // An unknown word in place of a fallback character still stands for one.
        skipUnits_ = std::max(0, skipUnits_ - 1);
    }
}

void Parser::applyDestination(Word word, bool starred) {
    if (overflowDepth_ > 0) {
        // A group past the depth bound has no state of its own to give back at
        // its closing brace, so a destination there is skipped by depth alone.
        if (word != Word::KeepGroup && word != Word::Ud) {
            overflowSkipFrom_ = overflowDepth_;
        }
        return;
    }
    switch (word) {
        case Word::FontTable:
            changeState().destination = Destination::FontTable;
            break;
        case Word::ColourTable:
            changeState().destination = Destination::ColourTable;
            break;
        case Word::SkipGroup:
            changeState().destination = Destination::Skip;
            break;
        case Word::Upr:
            changeState().destination = Destination::Upr;
            break;
        case Word::Ud:
            changeState().destination = Destination::Body;
            break;
        case Word::Footnote:
            changeState().destination = Destination::Body;
            changeState().inNote = true;
            break;
        case Word::Picture:
            beginPicture();
            break;
        case Word::Shape:
            shapes_.push_back({qsizetype(stack_.size()), picturesRead_});
            break;
        case Word::ShapeInstance:
            changeState().destination = Destination::Shape;
            break;
        case Word::ShapeResult:
            // What a reader without shapes shows: a copy of the picture just
            // read, or else what it showed before shapes were read at all.
            if (shapeHasPicture() || starred) {
                changeState().destination = Destination::Skip;
            }
            break;
        case Word::ListTable:
            changeState().destination = Destination::Lists;
            break;
        case Word::ListLabel:
            if (!state().inNote && !paragraphBegun_) {
                changeState().inLabel = true;
            }
            break;
        case Word::Object:
            ++notKept_.objects;
            changeState().destination = Destination::Object;
            break;
        case Word::ObjectResult:
            if (state().destination == Destination::Object) {
                changeState().destination = Destination::Body;
            }
            break;
        default:
            break;
    }
}

void Parser::bodyWord(const WordEntry& entry, const Token& token) {
    if (takenAsFallback(entry)) {
        return;
    }
    // Text words add to the text of the same look; every other word may change it.
    if (entry.kind != WordKind::Text) {
        flushText();
    }
    switch (entry.kind) {
        case WordKind::Property:
            propertyWord(entry.word, token);
            break;
        case WordKind::Script:
            scriptWord(entry.word, token);
            break;
        case WordKind::Text:
            textWord(entry, token);
            break;
        case WordKind::Document:
            documentWord(entry, token);
            break;
        case WordKind::Destination:
        case WordKind::TableEntry:
        case WordKind::PictureEntry:
        case WordKind::ListEntry:
            break;
    }
}

/// Whether the word stands in as the fallback of the \u before it, and so is not read.
bool Parser::takenAsFallback(const WordEntry& entry) {
    if (skipUnits_ <= 0) {
        return false;
    }
    if (entry.word == Word::Character) {
        --skipUnits_;
        return true;
    }
    // A writer that forgot the fallback: formatting and paragraph ends still count.
    skipUnits_ = 0;
    return false;
}

void Parser::propertyWord(Word word, const Token& token) {
    GroupState& group = changeState();
    switch (word) {
        case Word::Bold:
            group.bold = flagValue(token);
            break;
        case Word::Italic:
            group.italic = flagValue(token);
            break;
        case Word::Underline:
            group.underline = flagValue(token);
            break;
        case Word::UnderlineOff:
            group.underline = false;
            break;
        case Word::Superscript:
            group.shift = QTextCharFormat::AlignSuperScript;
            break;
        case Word::Subscript:
            group.shift = QTextCharFormat::AlignSubScript;
            break;
        case Word::NoSuperscript:
            group.shift = QTextCharFormat::AlignNormal;
            break;
        case Word::Hidden:
            group.hidden = flagValue(token);
            break;
        case Word::Plain:
            group = plainState(group);
            break;
        case Word::Font:
            group.font = token.number;
            if (group.rightToLeft && !group.associatedFontNamed) {
                // Older Word names the font of right-to-left text after \rtlch
                // with \f; it overrides an \af given before.
                group.associatedFont = token.number;
            }
            break;
        case Word::FontSize:
            group.halfPoints = halfPointsOf(token);
            break;
        case Word::Colour:
            group.colour = token.number;
            break;
        case Word::UnicodeSkip:
            group.unicodeSkip = token.hasNumber ? std::clamp(token.number, 0, kMaxUnicodeSkip) : 1;
            break;
        case Word::ParagraphDefault:
            group.listOverride = 0;
            group.listLevel = 0;
            break;
        case Word::ListOverrideNumber:
            group.listOverride = token.number;
            break;
        case Word::ListLevelNumber:
            group.listLevel = token.number;
            break;
        default:
            break;
    }
}

void Parser::scriptWord(Word word, const Token& token) {
    GroupState& group = changeState();
    switch (word) {
        case Word::DoubleByte:
            group.doubleByte = true;
            group.highAnsi = false;
            break;
        case Word::SingleByte:
            group.doubleByte = false;
            group.highAnsi = false;
            break;
        case Word::HighAnsi:
            group.doubleByte = false;
            group.highAnsi = true;
            break;
        case Word::RightToLeft:
            group.doubleByte = false;
            group.highAnsi = false;
            group.rightToLeft = true;
            group.associatedFontNamed = false;
            break;
        case Word::LeftToRight:
            group.doubleByte = false;
            group.highAnsi = false;
            group.rightToLeft = false;
            break;
        case Word::AssociatedFont:
            associatedFontWord(group, token.number);
            break;
        case Word::AssociatedBold:
            group.associatedBold = flagValue(token);
            break;
        case Word::AssociatedItalic:
            group.associatedItalic = flagValue(token);
            break;
        case Word::AssociatedSize:
            group.associatedHalfPoints = halfPointsOf(token);
            if (group.doubleByte) {
                group.doubleByteHalfPoints = halfPointsOf(token);
            }
            break;
        default:
            break;
    }
}

void Parser::textWord(const WordEntry& entry, const Token& token) {
    switch (entry.word) {
        case Word::Unicode:
            if (token.hasNumber) {
                unicode(token.number);
            }
            break;
        case Word::ParagraphEnd:
            endParagraph();
            break;
        case Word::FootnoteMark:
            if (const QString mark = notes_.mark(state().inNote); !mark.isEmpty()) {
                emitText(mark);
            }
            break;
        case Word::Character: {
            const QChar character(static_cast<char16_t>(entry.value));
            emitText(QStringView(&character, 1));
            break;
        }
        default:
            break;
    }
}

void Parser::documentWord(const WordEntry& entry, const Token& token) {
    switch (entry.word) {
        case Word::DefaultFont:
            fonts_.setDefaultFont(token.number);
            break;
        case Word::AnsiCodePage:
            fonts_.setDocumentCodePage(token.number > 0 ? token.number : kWindowsLatin1CodePage);
            break;
        case Word::CharacterSet:
            fonts_.setDocumentCodePage(entry.value);
            break;
        default:
            break;
    }
}

void Parser::fontTableWord(Word word, const Token& token) {
    switch (word) {
        case Word::Font:
            fonts_.beginEntry(token.number, stack_.size());
            break;
        case Word::FontCharset:
            fonts_.setEntryCharset(token.number);
            break;
        case Word::Unicode:
            if (token.hasNumber) {
                unicode(token.number);
            }
            break;
        default:
            break;
    }
}

void Parser::colourTableWord(Word word, const Token& token) {
    switch (word) {
        case Word::Red:
            colours_.setRed(token.number);
            break;
        case Word::Green:
            colours_.setGreen(token.number);
            break;
        case Word::Blue:
            colours_.setBlue(token.number);
            break;
        default:
            break;
    }
}

void Parser::listWord(Word word, const Token& token) {
    if (word == Word::Unicode) {
        if (token.hasNumber) {
            lists_.appendCharacter(
                char32_t(token.number < 0 ? token.number + 0x10000 : token.number));
        }
        skipUnits_ = state().unicodeSkip;
        return;
    }
    lists_.word(word, token.hasNumber ? token.number : 1, stack_.size());
}

void Parser::controlSymbol(char symbol) {
    if (skipUnits_ > 0) {
        --skipUnits_;
        return;
    }
    if (destination() != Destination::Body) {
        return;
    }
    switch (symbol) {
        case '\\':
        case '{':
        case '}': {
            const QChar character(static_cast<char16_t>(symbol));
            emitText(QStringView(&character, 1));
            break;
        }
        case '~':
            emitText(u"\u00A0");
            break;
        case '-':
            emitText(u"\u00AD");
            break;
        case '_':
            emitText(u"\u2011");
            break;
        default:
            break;  // \: \| and broken \' escapes carry no text
    }
}

void Parser::hexByte(unsigned char byte) {
    if (skipUnits_ > 0) {
        --skipUnits_;
        return;
    }
    const char c = static_cast<char>(byte);
    if (destination() == Destination::Body) {
        appendBodyBytes(QByteArrayView(&c, 1));
    } else if (destination() == Destination::FontTable) {
        fonts_.appendBytes(QByteArrayView(&c, 1));
    } else if (destination() == Destination::Lists) {
        lists_.appendBytes(QByteArrayView(&c, 1));
    }
}

void Parser::text(QByteArrayView bytes) {
    if (skipUnits_ > 0) {
        const qsizetype skipped = std::min<qsizetype>(skipUnits_, bytes.size());
        bytes = bytes.sliced(skipped);
        skipUnits_ -= static_cast<int>(skipped);
    }
    if (bytes.isEmpty()) {
        return;
    }
    switch (destination()) {
        case Destination::Body:
            appendBodyBytes(bytes);
            break;
        case Destination::Picture:
            pictureHex(bytes);
            break;
        case Destination::FontTable:
            fonts_.appendBytes(bytes);
            break;
        case Destination::ColourTable:
            colours_.appendBytes(bytes);
            break;
        case Destination::Lists:
            lists_.appendBytes(bytes);
            break;
        default:
            break;
    }
}

void Parser::unicode(int number) {
    const int codePoint = number < 0 ? number + 0x10000 : number;
    const int fallbackUnits = state().unicodeSkip;
    if (codePoint > 0 && codePoint <= 0x10FFFF) {
        // Not QString::fromUcs4, which would drop a U+FEFF as if it were a byte-order mark.
        if (destination() == Destination::FontTable) {
            fonts_.appendName(QChar::fromUcs4(static_cast<char32_t>(codePoint)));
        } else {
            emitText(QChar::fromUcs4(shownCharacter(static_cast<char32_t>(codePoint))));
        }
    }
    skipUnits_ = fallbackUnits;
}

char32_t Parser::shownCharacter(char32_t codePoint) {
    const auto& glyphs = look().glyphs;
    return glyphs ? symbolCharacterForCodePoint(*glyphs, codePoint) : codePoint;
}

void Parser::emitText(QStringView text) {
    decodeText();
    pendingText_.append(text.utf16(), std::size_t(text.size()));
}

void Parser::appendOutput(QStringView text, const CharStyle& style) {
    if (state().inLabel) {
        labelPieces_.push_back({text.toString(), style});
    } else {
        output().appendText(text, style);
    }
}

// A list paragraph begins with its label: the list tables', or else the one
// its writer kept for readers without lists, which must not show twice.
void Parser::beginParagraph() {
    paragraphBegun_ = true;
    const GroupState& group = state();
    std::optional<ListTable::Label> label;
    if (group.listOverride > 0) {
        label = lists_.nextLabel(group.listOverride, group.listLevel);
    }
    if (label) {
        CharStyle style = styleOf(group);
        if (const Font* font = label->font >= 0 ? fonts_.font(label->font) : nullptr) {
            style.family = font->name;
        }
        if (!label->text.isEmpty()) {
            builder_.appendText(label->text, style);
        }
    } else {
        for (const LabelPiece& piece : labelPieces_) {
            builder_.appendText(piece.text, piece.style);
        }
    }
    labelPieces_.clear();
}

void Parser::endParagraph() {
    flushText();
    if (state().inNote) {
        notes_.endParagraph(look().style);
    } else {
        if (!paragraphBegun_) {
            beginParagraph();
        }
        builder_.endParagraph(look().style);
        paragraphBegun_ = false;
    }
}

void Parser::appendBodyBytes(QByteArrayView bytes) {
    const int codePage = look().codePage;
    if (codePage != textCodePage_) {
        flushText();
        textCodePage_ = codePage;
    }
    if (codePage == kWindowsLatin1CodePage) {
        decoder_.appendDecoded(codePage, bytes, pendingText_);  // a character for each byte
        return;
    }
    // Consecutive bytes are decoded together so that double-byte characters stay whole.
    textBytes_.append(bytes);
}

void Parser::decodeText() {
    if (textBytes_.isEmpty()) {
        return;
    }
    decoder_.appendDecoded(textCodePage_, textBytes_, pendingText_);
    textBytes_.resize(0);  // keeps its memory for the next run
}

void Parser::flushText() {
    decodeText();
    if (!pendingText_.empty()) {
        appendOutput(QStringView(pendingText_.data(), qsizetype(pendingText_.size())),
                     look().style);
        pendingText_.clear();  // keeps its memory for the next run
    }
}

// --- Pictures ---

void Parser::beginPicture() {
    if (picture_) {
        changeState().destination = Destination::Skip;  // a picture inside a picture is no picture
        return;
    }
    picture_.emplace().depth = qsizetype(stack_.size());
    changeState().destination = Destination::Picture;
}

void Parser::pictureWord(const WordEntry& entry, const Token& token) {
    if (!picture_ || entry.kind != WordKind::PictureEntry) {
        return;
    }
    pictures::Picture::Header& header = picture_->header;
    const int number = token.number;
    switch (entry.word) {
        case Word::PictureEncoding:
            header.encoding = static_cast<pictures::Encoding>(entry.value);
            header.encodingParameter = number;
            break;
        case Word::PictureWidth:
            header.width = number;
            break;
        case Word::PictureHeight:
            header.height = number;
            break;
        case Word::PictureGoalWidth:
            header.goalWidth = number;
            break;
        case Word::PictureGoalHeight:
            header.goalHeight = number;
            break;
        case Word::PictureScaleX:
            header.scaleX = number;
            break;
        case Word::PictureScaleY:
            header.scaleY = number;
            break;
        case Word::PictureCropLeft:
            header.cropLeft = number;
            break;
        case Word::PictureCropRight:
            header.cropRight = number;
            break;
        case Word::PictureCropTop:
            header.cropTop = number;
            break;
        case Word::PictureCropBottom:
            header.cropBottom = number;
            break;
        case Word::BitmapBitsPerPixel:
            header.bitsPerPixel = number;
            break;
        case Word::BitmapPlanes:
            header.planes = number;
            break;
        case Word::BitmapWidthBytes:
            header.widthBytes = number;
            break;
        default:
            break;
    }
}

// The digits are decoded as they come, so that the text of a picture and
// its bytes are never held twice. While the reader only counts, nothing is kept.
void Parser::pictureHex(QByteArrayView text) {
    PictureInProgress& picture = *picture_;
    picture.count.sourceBytes += text.size();
    const bool keep = builder_.keepsPictures();
    qsizetype kept = picture.bytes.size();
    if (keep) {
        picture.bytes.resize(kept + text.size() / 2 + 1);
    }
    char* out = picture.bytes.data();
    for (const char c : text) {
        const int value = kHexValues[static_cast<unsigned char>(c)];
        if (value < 0) {
            continue;  // line breaks and spaces between the digits
        }
        if (picture.highNibble < 0) {
            picture.highNibble = value;
            continue;
        }
        const char byte = static_cast<char>((picture.highNibble << 4) | value);
        picture.highNibble = -1;
        ++picture.count.dataBytes;
        if (keep && ++pictureBytes_ <= kMaxPictureBytes) {
            out[kept++] = byte;
        }
    }
    if (keep) {
        picture.bytes.resize(kept);
    }
}

void Parser::pictureBinary(QByteArrayView data) {
    PictureInProgress& picture = *picture_;
    picture.count.sourceBytes += data.size();
    picture.count.dataBytes += data.size();
    pictureBytes_ += data.size();
    if (builder_.keepsPictures() && pictureBytes_ <= kMaxPictureBytes) {
        picture.bytes.append(data);
    }
}

void Parser::endPicture() {
    PictureInProgress picture = std::move(*picture_);
    picture_.reset();
    ++picturesRead_;
    pictures::PicturePtr kept;
    if (builder_.keepsPictures()) {
        kept = std::make_shared<const pictures::Picture>(picture.header, std::move(picture.bytes));
    }
    output().appendPicture(kept, picture.count);
}

bool Parser::shapeHasPicture() const {
    return !shapes_.empty() && picturesRead_ > shapes_.back().picturesBefore;
}

void Parser::endShape() {
    if (!shapeHasPicture()) {
        ++notKept_.shapes;  // a drawing, or a text box: nothing of it is shown
    }
    shapes_.pop_back();
}

// \af names the font of the side of the text that the marks before it chose.
void Parser::associatedFontWord(GroupState& group, int number) {
    if (group.doubleByte) {
        group.doubleByteFont = number;
    } else if (group.highAnsi) {
        group.highAnsiFont = number;
    } else {
        group.associatedFont = number;
        group.associatedFontNamed = group.rightToLeft;
    }
}

int Parser::fontNumberOf(const GroupState& group) const {
    return group.rightToLeft && group.associatedFont >= 0 ? group.associatedFont : group.font;
}

// The bytes of East Asian text read in the font of their side; the text keeps
// the family of \f, since a text area finds glyphs missing from it elsewhere
// and LibreOffice names its own East Asian font there.
int Parser::codePageOf(const GroupState& group) const {
    if (!group.rightToLeft && group.doubleByte && group.doubleByteFont >= 0) {
        return fonts_.codePageOf(group.doubleByteFont);
    }
    if (!group.rightToLeft && group.highAnsi && group.highAnsiFont >= 0) {
        return fonts_.codePageOf(group.highAnsiFont);
    }
    return fonts_.codePageOf(fontNumberOf(group));
}

const Look& Parser::look() {
    const GroupState& group = state();
    const bool stateChanged = lookStale_ && !(group == lookState_);
    lookStale_ = false;
    if (!lookKnown_ || stateChanged || fonts_.revision() != lookFonts_ ||
        colours_.revision() != lookColours_) {
        const int codePage = codePageOf(group);
        look_ = Look{styleOf(group), codePage, glyphsForCodePage(codePage)};
        lookState_ = group;
        lookFonts_ = fonts_.revision();
        lookColours_ = colours_.revision();
        lookKnown_ = true;
    }
    return look_;
}

CharStyle Parser::styleOf(const GroupState& group) const {
    CharStyle style;
    if (const Font* font = fonts_.font(fontNumberOf(group))) {
        style.family = font->name;
    }
    style.halfPoints = group.halfPoints;
    if (group.doubleByte && group.doubleByteHalfPoints > 0) {
        style.halfPoints = group.doubleByteHalfPoints;
    } else if (group.rightToLeft && group.associatedHalfPoints > 0) {
        style.halfPoints = group.associatedHalfPoints;
    }
    // Writers that know no associated properties put \b and \i on right-to-left text.
    style.bold = group.bold || (group.rightToLeft && group.associatedBold);
    style.italic = group.italic || (group.rightToLeft && group.associatedItalic);
    style.underline = group.underline;
    style.hidden = group.hidden;
    style.shift = group.shift;
    style.colour = colours_.colour(group.colour);
    return style;
}

}  // namespace

NotKept readRtf(QByteArrayView bytes, DocumentBuilder& builder,
                const std::function<void(qsizetype)>& progress) {
    Parser parser(bytes, builder);
    parser.run(progress);
    builder.finish(true);
    parser.appendNotesTo(builder);
    return parser.notKept();
}

}  // namespace vellumora::rtf
