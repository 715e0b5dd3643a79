#include "ui/lessons/lessonsave.h"

// Before the busy pointer, whose header uses the cursor shape.
#include <QCursor>

#include "ui/platform/busypointer.h"

#include <exception>

namespace tallyro {

bool saveLessonFile(AppState& state, Platform& platform) {
    QString failure;
    {
        BusyPointer busy;
        try {
            state.lessonDocument.save(state.currentFilePath());
            platform.history.markSaved();
            return true;
        } catch (const std::exception& error) {
            failure = QString::fromStdString(error.what());
        }
    }
    // The pointer is back to normal before the teacher reads the message.
    showError(platform.messages, QStringLiteral("Unable to SAVE this file. ") + failure);
    return false;
}

} // namespace tallyro
