#include "editor/savenote.h"

#include "shell/look.h"
#include "shell/units.h"

#include <QLabel>
#include <QPushButton>

namespace vellumora {

namespace {

const char* const kNoteText =
    "When you save to a file, TWO files with the same name are actually created:  The main file, "
    "with a '.rtf' extension, and a data file, with a '.dat' extension.  These are saved in the "
    "same folder.  The '.dat' file is used to reload your information into the text boxes if you "
    "quit, restart the program and click on 'Load Previously Saved Data' on the Main page.";
const char* const kChangesText =
    "Changes to answers MUST be made in the individual text boxes in order to reload the correct "
    "information later!";

/// A label of the note, placed in twips.
struct LabelSpec {
    enum class Written { AtCreation, OnActivation };

    const char* name;
    const char* text;
    Written written;
    bool red;
    QRect twips;
};

constexpr int kLeft = 240, kWidth = 5310;

const LabelSpec kLabels[] = {
    {"Label1", "NOTE:", LabelSpec::Written::AtCreation, true, {kLeft, 120, kWidth, 255}},
    {"lblNote", kNoteText, LabelSpec::Written::OnActivation, false, {kLeft, 435, kWidth, 1815}},
    {"Label3", kChangesText, LabelSpec::Written::OnActivation, false, {kLeft, 2310, kWidth, 510}},
    {"Label2",
     "Don't delete either file if needed for future use!",
     LabelSpec::Written::AtCreation,
     true,
     {kLeft, 2910, kWidth, 255}},
};

}  // namespace

SaveNote::SaveNote(AppContext& context)
    : Screen(context, QStringLiteral("Vellumora"), QSize(5790, 4080), CloseBox::Custom) {
    buildLabels();
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setFont(look::buttonFont());
    ok->setGeometry(pxRect(2288, 3420, 1215, 435));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &SaveNote::confirm);
}

void SaveNote::buildLabels() {
    for (const LabelSpec& spec : kLabels) {
        auto* label = new QLabel(this);
        label->setObjectName(QLatin1StringView(spec.name));
        look::styleLabel(label);
        if (spec.red)
            look::setTextColor(label, look::warningRed());
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setGeometry(pxRect(spec.twips));
        if (spec.written == LabelSpec::Written::AtCreation)
            label->setText(QString::fromLatin1(spec.text));
        else
            writtenOnActivation_.push_back({label, spec.text});
    }
}

void SaveNote::activate() {
    for (const WrittenLabel& written : writtenOnActivation_)
        written.label->setText(QString::fromLatin1(written.text));
}

// The editor comes back first, with its own activation, and then the save
// runs: its dialog follows any editing note that activation shows.
void SaveNote::confirm() {
    handOverTo(FixedScreen::TextEditor);
    emit confirmed();
}

// The note is made afresh next time. The editor beneath becomes active
// before the save it waited for is dropped.
bool SaveNote::closeRequested() {
    context().screens.destroy(FixedScreen::SaveNote);
    emit dismissed();
    return false;
}

}  // namespace vellumora
