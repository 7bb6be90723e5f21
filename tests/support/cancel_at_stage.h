#pragma once

#include <QString>
#include <QTest>

#include <atomic>
#include <string_view>

#include "exact/exact_check.h"

// Hooks that cancel a check when its progress names the given stage (at once when it is
// empty), and require the progress to rise and stay within the whole.
struct CancelAtStage {
    QString Stage;
    std::atomic<bool> Cancel{false};
    double LastFraction = -1.0;

    explicit CancelAtStage(const QString& stage) : Stage(stage), Cancel(stage.isEmpty()) {}

    strativex::exact::CheckHooks Hooks() {
        strativex::exact::CheckHooks hooks;
        hooks.Cancel = &Cancel;
        hooks.Progress = [this](double fraction, std::string_view text) {
            QVERIFY(fraction >= LastFraction && fraction <= 1.0);
            LastFraction = fraction;
            if (QString::fromUtf8(text.data(), static_cast<int>(text.size())) == Stage) {
                Cancel = true;
            }
        };
        return hooks;
    }
};
