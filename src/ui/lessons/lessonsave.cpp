#include "ui/lessons/lessonsave.h"

// Before the busy pointer, whose header uses the cursor shape.
#include <QCursor>

#include "core/lessons/lessonfile.h"
#include "ui/platform/busypointer.h"

#include <exception>

namespace tallyro {

bool saveLessonFile(AppState& state, MessageBox& messages) {
    QString failure;
    {
        BusyPointer busy;
        try {
            writeLessonFile(state.currentFilePath(), state.lessonPlan);
            state.classModified = 0;
            return true;
        } catch (const std::exception& error) {
            failure = QString::fromStdString(error.what());
        }
    }
    // The pointer is back to normal before the teacher reads the message.
    showError(messages, QStringLiteral("Unable to SAVE this file. ") + failure);
    return false;
}

} // namespace tallyro
