#pragma once

// A test that needs a tool the machine lacks (cupsd, pdftocairo, Xvfb,
// xdotool, weston...) is skipped with the reason on a developer's machine,
// but fails where the test command and CI set VELLUMARK_REQUIRE_TOOLS=1, so
// that a lost package cannot pass unseen.

#include <QString>
#include <QStringList>
#include <QTest>

// Skips (or fails) the test function when the list of missing tools it is
// given is not empty; CTest marks the test skipped on these words.
#define VELLUMARK_REQUIRE_TOOLS(...)                                                               \
    do {                                                                                           \
        const QStringList missingTools_ { __VA_ARGS__ };                                           \
        if (!missingTools_.isEmpty()) {                                                            \
            const QByteArray reason_                                                               \
                = QStringLiteral("needs a missing tool: %1 (scripts/install-deps.sh --test)")      \
                      .arg(missingTools_.join(QStringLiteral(", ")))                               \
                      .toLocal8Bit();                                                              \
            if (qEnvironmentVariableIntValue("VELLUMARK_REQUIRE_TOOLS") == 1)                      \
                QFAIL(reason_.constData());                                                        \
            QSKIP(reason_.constData());                                                            \
        }                                                                                          \
    } while (false)
