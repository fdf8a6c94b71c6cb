#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace vellumark::fuzz {

// Ends the run as a crash, so that libFuzzer keeps the input that broke a
// promise, and tells which promise and about what.
inline void check(bool kept, const char *promise, const QByteArray &detail = {})
{
    if (kept)
        return;
    std::fprintf(stderr, "broken: %s\n%s\n", promise, detail.constData());
    std::abort();
}

// Qt's warnings about broken input are expected by the thousand here and
// would drown the fuzzer's own report; only a fatal message, which ends
// the run, is told.
inline void silenceQt()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtFatalMsg)
            std::fprintf(stderr, "Qt: %s\n", qPrintable(text));
    });
}

} // namespace vellumark::fuzz
