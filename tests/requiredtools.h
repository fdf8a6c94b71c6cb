#pragma once

// A test that needs a tool the machine lacks (cupsd, pdftocairo, Xvfb,
// xdotool, weston...) is skipped with the reason on a developer's machine,
// but fails where every tool must be there: the test command and CI set
// VELLUMARK_REQUIRE_TOOLS=1, so that a lost package cannot pass unseen.

#include <QString>
#include <QStringList>
#include <QTest>

namespace vellumark::test {

inline bool toolsRequired()
{
    return qEnvironmentVariableIntValue("VELLUMARK_REQUIRE_TOOLS") == 1;
}

// The words of a skip or failure for the tools missing; CTest marks the
// test skipped on them.
inline QString missingToolsReason(const QStringList &missing)
{
    return QStringLiteral("needs a missing tool: %1 (scripts/install-deps.sh --test)")
        .arg(missing.join(QStringLiteral(", ")));
}

} // namespace vellumark::test

// Skips (or, where tools are required, fails) the test function when the
// list of missing tools it is given is not empty.
#define VELLUMARK_REQUIRE_TOOLS(...)                                                               \
    do {                                                                                           \
        const QStringList missingTools_ { __VA_ARGS__ };                                           \
        if (!missingTools_.isEmpty()) {                                                            \
            const QByteArray reason_                                                               \
                = vellumark::test::missingToolsReason(missingTools_).toLocal8Bit();                \
            if (vellumark::test::toolsRequired())                                                  \
                QFAIL(reason_.constData());                                                        \
            QSKIP(reason_.constData());                                                            \
        }                                                                                          \
    } while (false)
