#pragma once

// The whole program with the long story in its answer store, opened on the
// editor as the user opens it.

#include "app/program.h"
#include "editor/texteditor.h"
#include "store/answerstore.h"
#include "store/catalogue.h"
#include "support/cancellingdialogs.h"
#include "support/longstory.h"

#include <QCoreApplication>
#include <QEvent>
#include <functional>

namespace vellumora::bench {

/// Every answer filled by answerAt; the program's dialogs are a D.
template <class D = test::CancellingDialogs>
struct StoryProgram {
    D dialogs;
    Program program{dialogs, [] {}};

    explicit StoryProgram(const std::function<QString(int)>& answerAt = proseAnswer) {
        for (int position = 1; position <= catalogue::kQuestionCount; ++position)
            program.store().store(position, answerAt(position));
    }
    TextEditor* open() {
        return qobject_cast<TextEditor*>(program.screens().show(FixedScreen::TextEditor));
    }
    void close() {
        program.screens().destroy(FixedScreen::TextEditor);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

}  // namespace vellumora::bench
