#include "chapters/questionpage.h"

#include "chapters/answertext.h"
#include "chapters/pagelayout.h"
#include "textlayout/longwords.h"
#include "dialogs/dialogs.h"
#include "shell/look.h"
#include "shell/units.h"
#include "spelling/spellingview.h"
#include "store/answerstore.h"
#include "store/catalogue.h"
#include "zoom/textzoom.h"
#include "zoom/zoomview.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

namespace vellumora {

namespace {

QString captionOf(const chapters::PageDesign& design) {
    return QString::fromLatin1(catalogue::page(design.page).caption);
}

}  // namespace

QuestionPage::QuestionPage(AppContext& context, const chapters::PageDesign& design)
    : Screen(context, captionOf(design), design.client, CloseBox::AskExit),
      design_(design),
      menu_(catalogue::page(design.page).chapter) {
    buildFrames();
    buildQuestions();
    buildButtons();
    layOut();
    setTabOrderOfControls();
}

// In the order of chapters::Frame; a frame that holds no question stays hidden.
void QuestionPage::buildFrames() {
    for (const char* name : {"fraLeft", "fraRight", "fraBottom"}) {
        auto* frame = new QFrame(this);
        frame->setObjectName(QLatin1StringView(name));
        frame->setFrameShape(QFrame::Box);
        frame->hide();
        frames_.push_back(frame);
    }
}

void QuestionPage::buildQuestions() {
    const catalogue::ChapterId chapter = catalogue::page(design_.page).chapter;
    for (const chapters::PageQuestion& entry : design_.questions) {
        const catalogue::Question* found =
            catalogue::findQuestion(chapter, QString::fromLatin1(entry.key));
        Q_ASSERT(found && found->page == design_.page);
        const catalogue::Question& question = *found;
        const int position = catalogue::positionOf(question);
        QFrame* frame = frames_[std::size_t(entry.frame)];
        frame->show();

        auto* label = new QLabel(catalogue::pageWording(question), frame);
        label->setObjectName(catalogue::pageLabelName(question));
        look::styleWording(label);

        auto* box = new QPlainTextEdit(frame);
        box->setObjectName(QStringLiteral("txt") + QLatin1StringView(question.key));
        // A screen reader names the box by its question.
        box->setAccessibleName(label->text());
        look::frameWhileFocused(box);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        // Enter starts a new line; Tab moves on to the next control.
        box->setTabChangesFocus(true);
        // A pasted word of millions of characters must not stop the program.
        textlayout::keepLongWordsCheap(*box->document());
        spelling::SpellingView::attach(box, context().speller, context().dialogs);
        zoom::attach(box, context().zooms.answers);
        connect(box, &QPlainTextEdit::textChanged, this,
                [this] { changed_ = QStringLiteral("Y"); });
        answers_.push_back({position, label, box});
    }
}

void QuestionPage::buildButtons() {
    save_ = new QPushButton(QStringLiteral("&Save"), this);
    save_->setObjectName(QStringLiteral("cmdSave"));
    return_ = new QPushButton(QStringLiteral("&Return"), this);
    return_->setObjectName(QStringLiteral("cmdReturn"));
    for (QPushButton* button : {save_, return_}) {
        button->setFont(look::buttonFont());
        // Enter and Escape mean nothing special on a page.
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(save_, &QPushButton::clicked, this, &QuestionPage::saveAnswers);
    connect(return_, &QPushButton::clicked, this, &QuestionPage::returnToMenu);
}

void QuestionPage::layOut() {
    const auto labelHeight = [this](std::size_t question, int widthTwips) {
        return look::wrappedHeightTwips(answers_[question].label, widthTwips);
    };
    const chapters::PageGeometry geometry = chapters::layOutPage(design_, labelHeight);
    setFixedSize(pxSize(geometry.client.width(), geometry.client.height()));
    for (std::size_t i = 0; i < frames_.size(); ++i)
        frames_[i]->setGeometry(pxRect(geometry.frames[i]));
    for (std::size_t i = 0; i < answers_.size(); ++i) {
        answers_[i].label->setGeometry(pxRect(geometry.questions[i].label));
        answers_[i].box->setGeometry(pxRect(geometry.questions[i].box));
    }
    save_->setGeometry(pxRect(geometry.save));
    return_->setGeometry(pxRect(geometry.returnButton));
}

void QuestionPage::setTabOrderOfControls() {
    std::vector<QWidget*> order;
    for (const Answer& answer : answers_) {
        order.push_back(answer.label);
        order.push_back(answer.box);
    }
    order.push_back(save_);
    order.push_back(return_);
    chainTabOrder(order);
}

void QuestionPage::activate() {
    loadAnswers();
}

void QuestionPage::loadAnswers() {
    // Setting the texts raises the edit notification; the flag is reset after.
    for (const Answer& answer : answers_)
        answer.box->setPlainText(answertext::toBox(context().store.answer(answer.position)));
    changed_ = QStringLiteral("N");
    answers_.front().box->setFocus(Qt::OtherFocusReason);
}

// Every box is stored, edited or not, so the page and its slots agree.
void QuestionPage::saveAnswers() {
    for (const Answer& answer : answers_)
        context().store.store(answer.position,
                              answertext::toStore(answer.box->document()->toRawText()));
    changed_ = QStringLiteral("N");
}

bool QuestionPage::userWantsToSave() {
    const MessageRequest request{.title = QStringLiteral("Save Changes"),
                                 .text = QStringLiteral("Do you want to save your changes?"),
                                 .icon = MessageIcon::Warning,
                                 .buttons = MessageButtons::YesNo,
                                 .defaultButton = MessageButton::Yes};
    return context().dialogs.message(this, request) == MessageButton::Yes;
}

void QuestionPage::returnToMenu() {
    if (changed_ == u"Y" && userWantsToSave())
        saveAnswers();
    handOverTo(menu_);
}

}  // namespace vellumora
